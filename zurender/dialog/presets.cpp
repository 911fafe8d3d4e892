#include "zurender/dialog/presets.h"

#include <algorithm>

#include "host/layer_kind.h"
#include "host/layers_dialog_resource.h"
#include "zurender/settings/vocabulary.h"

namespace zurender {
namespace {

struct Preset {
  const char* name;
  std::vector<std::int32_t> kinds;  // top first; empty: the default list as it stands
};

const std::vector<Preset>& Presets() {
  static const std::vector<Preset> kPresets = {
      {"default", {}},
      {"road", {kDiffusePack, kLights, kSpecular}},
      {"exact", {kFog, kLuminance, kReflections, kSpecular, kRtRefractions, kAmbientGI, kShadows, kLights, kDiffusePack}},
      {"all", {kFinalRender, kFog, kMaskOf, kTransparency, kLuminance, kSpecular, kReflections, kRtReflections,
               kBitmapReflections, kRtRefractions, kAdditivesPack, kAmbientGI, kShadows, kLights, kDiffusePack}},
  };
  return kPresets;
}

const Preset* Find(const std::string& name) {
  for (const Preset& preset : Presets())
    if (SameWords(name, preset.name)) return &preset;
  return nullptr;
}

}  // namespace

const std::vector<std::string>& PresetNames() {
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    for (const Preset& preset : Presets()) names.push_back(preset.name);
    return names;
  }();
  return kNames;
}

bool IsPreset(const std::string& name) { return Find(name) != nullptr; }

bool ApplyPreset(LayersDialogSession& session, const std::string& name, std::string& error) {
  const Preset* preset = Find(name);
  if (preset == nullptr) {
    error = "unknown preset \"" + name + "\"";
    return false;
  }
  if (preset->kinds.empty()) return true;
  auto refused = [&](const std::string& what) {
    error = "the dialog refused " + what + " while making the \"" + std::string(preset->name) + "\" preset";
    return false;
  };
  std::vector<std::int32_t> all(session.rows().size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = std::int32_t(i);
  if (!all.empty() && !session.RemoveRows(all)) return refused("removing the rows");
  for (std::int32_t kind : preset->kinds) {
    // Each new row goes after the last: the list is built top first. The new row stays selected,
    // so its options can be set at once.
    if (!session.AddLayer(kind, std::nullopt)) return refused(std::string("adding \"") + KindName(kind) + "\"");
    if (std::string(preset->name) != "all") continue;
    // Every kind shows something: the mask of the scene's first masked objects, and the
    // additives pack with all four components (each has a layer of its own too, so an automatic
    // pack would be left empty and dropped).
    if (kind == kMaskOf && !session.SetText(kMaskValue, "1")) return refused("the mask number");
    if (kind == kAdditivesPack && !session.SetValue(kAdditivesMode, 1)) return refused("the additives pack's mode");
  }
  if (std::string(preset->name) == "all" && !session.SetValue(kEdgeMask, 1)) return refused("the edge mask");
  return true;
}

bool MakePresetSettings(PluginHost& plugin, const std::string& name, PluginSettings& settings, std::string& error) {
  LayersDialogSession session(plugin);
  return session.Open(PluginSettings{}, error) && ApplyPreset(session, name, error) && session.Confirm(settings, error);
}

}  // namespace zurender
