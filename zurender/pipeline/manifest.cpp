#include "zurender/pipeline/manifest.h"

#include <nlohmann/json.hpp>

#include "zurender/base/four_cc.h"
#include "zurender/base/text_encoding.h"
#include "zurender/pipeline/declared_layer.h"
#include "zurender/settings/base64.h"

namespace zurender {
namespace {

using nlohmann::ordered_json;

double Round3(double seconds) { return double(std::int64_t(seconds * 1000.0 + 0.5)) / 1000.0; }

}  // namespace

const char* ComponentName(std::int32_t component) {
  static const char* const kNames[] = {"",           "Diffuse",     "ShadowedLight",     "Luminance",
                                       "Specular",   "Ambient",     "Reflections",       "BitmapReflections",
                                       "Refractions", "Transparency", "Fog",             "FinalRender"};
  return component >= 1 && component <= 11 ? kNames[component] : "";
}

std::string ManifestToJson(const Manifest& m) {
  ordered_json root;
  root["scene"] = m.scene;
  root["fog"] = m.sceneHasFog;
  root["size"] = {m.width, m.height};
  root["depth"] = m.depth;
  root["plugin"] = m.plugin;
  const PluginSettings& s = m.settings;
  root["settings"] = {{"source", m.settingsSource},
                      {"parameterBlock",
                       {{"nameMode", s.words.nameMode},
                        {"outputPairEnabled", s.words.outputPairEnabled},
                        {"outputPairPreset", s.words.outputPairPreset},
                        {"edgeMask", s.words.edgeMask},
                        {"outputPairCustom1", s.words.outputPairCustom1},
                        {"outputPairCustom2", s.words.outputPairCustom2}}},
                      {"storedList", EncodeBase64(s.storedList)}};
  ordered_json layers = ordered_json::array();
  for (const ManifestLayer& layer : m.layers) {
    ordered_json entry;
    entry["name"] = Cp1252ToUtf8(layer.name);
    entry["kind"] = layer.kind;
    entry["blendKey"] = FourCCText(layer.blendKey);
    if (layer.component >= 0)
      entry["component"] = {{"number", layer.component}, {"name", ComponentName(layer.component)}};
    else
      entry["component"] = nullptr;
    entry["filledBy"] = layer.filledBy;
    entry["visible"] = layer.visible;
    entry["preview"] = layer.preview;
    if (layer.mask) entry["mask"] = *layer.mask;
    layers.push_back(entry);
  }
  root["layers"] = layers;
  root["files"] = m.files;
  root["rays"] = m.rays;
  root["timings"] = {{"totalSeconds", Round3(m.timings.totalSeconds)},
                     {"traceSeconds", Round3(m.timings.traceSeconds)},
                     {"pluginSeconds", Round3(m.timings.pluginSeconds)},
                     {"writeSeconds", Round3(m.timings.writeSeconds)}};
  // Paths are the file system's bytes, UTF-8 on the systems this runs on; a byte that is not
  // UTF-8 shows as U+FFFD rather than failing the file.
  return root.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace zurender
