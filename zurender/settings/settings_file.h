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

namespace zurender {

struct PluginSettings {
  std::uint32_t magic = 0x4C594552u;  // 'LYER'
  std::int32_t version = 1;
  std::int32_t nameMode = 0;
  std::int32_t outputPairEnabled = 0;
  std::int32_t outputPairPreset = 0;
  std::int32_t edgeMask = 0;
  std::int32_t outputPairCustom1 = 0;
  std::int32_t outputPairCustom2 = 0;
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

}  // namespace zurender
