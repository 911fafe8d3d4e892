// Settings files: exactly what the host keeps for the plug-in between sessions, and nothing
// else: the parameter block's words (the values of the Layers dialog's host-kept items) and the
// stored layer list, as the plug-in handed it to HostSetInfo.
//
//   {
//     "parameterBlock": {"magic": "LYER", "version": 1, "nameMode": 0, "outputPairEnabled": 0,
//                        "outputPairPreset": 0, "edgeMask": 0, "outputPairCustom1": 0,
//                        "outputPairCustom2": 0},
//     "storedList": "TFlFUgAAAAAA..."     (base64; "" when nothing is stored)
//   }
//
// The parameter block's third word is the address at which the host holds the stored list: it
// is not kept in the file, the list itself is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostsim/records.h"
#include "zurender/base/status.h"

namespace zurender {

struct PluginSettings {
  // The parameter block's words. Its storedList word is not kept: the host fills in the list's
  // address when it hands the block over (zurender/plugin/host_settings.h).
  hostsim::ParamWords words;
  std::vector<std::uint8_t> storedList;  // empty: nothing stored, the plug-in uses its default list
};

// The settings, or an error naming the file and the field ("layers.json: storedList: not base64").
struct ParsedSettings {
  PluginSettings settings;
  std::string error;
};

ParsedSettings ParseSettings(const std::string& text, const std::string& fileName);
ParsedSettings ReadSettingsFile(const std::string& path);
std::string SettingsToJson(const PluginSettings& settings);
// The settings as the host keeps them, replacing the file at path whole or not at all.
Status WriteSettingsFile(const std::string& path, const PluginSettings& settings);

}  // namespace zurender
