#include "zurender/settings/vocabulary.h"

#include <cctype>
#include <charconv>

#include "host/blend_mode.h"
#include "host/layer_kind.h"
#include "host/layers_dialog_resource.h"
#include "zurender/base/four_cc.h"

namespace zurender {
namespace {

std::string Folded(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '-' || c == '_' ? ' ' : char(std::tolower(static_cast<unsigned char>(c)));
  while (!out.empty() && out.back() == ' ') out.pop_back();  // "mul " is "mul"
  return out;
}

std::optional<std::int32_t> Number(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

bool SameWords(const std::string& a, const std::string& b) { return Folded(a) == Folded(b); }

const char* KindName(std::int32_t kind) { return kind >= 1 && kind <= kKindCount ? kKindNames[kind] : ""; }

std::optional<std::int32_t> KindFromName(const std::string& text) {
  for (std::int32_t kind = 1; kind <= kKindCount; ++kind)
    if (SameWords(text, KindName(kind))) return kind;
  // Short forms a shell makes easy.
  if (SameWords(text, "ambient") || SameWords(text, "ambient gi")) return kAmbientGI;
  if (SameWords(text, "mask") || SameWords(text, "mask of")) return kMaskOf;
  return std::nullopt;
}

const char* BlendModeName(std::int32_t index) {
  static const char* const kNames[kBlendModeCount] = {
      "normal",     "screen",      "darken",       "lighten",     "hue",          "saturation",
      "color",      "luminosity",  "multiply",     "dissolve",    "overlay",      "hard light",
      "soft light", "difference",  "exclusion",    "color dodge", "color burn",   "linear burn",
      "linear dodge", "vivid light", "linear light", "pin light", "hard mix"};
  return index >= 0 && index < kBlendModeCount ? kNames[index] : kNames[kBlendNormal];
}

std::optional<std::int32_t> BlendModeFromText(const std::string& text) {
  for (std::int32_t index = 0; index < kBlendModeCount; ++index)
    if (SameWords(text, FourCCText(kBlendModeKeys[index])) || SameWords(text, BlendModeName(index))) return index;
  if (SameWords(text, "colour")) return kBlendColor;
  if (SameWords(text, "colour dodge")) return kBlendColorDodge;
  if (SameWords(text, "colour burn")) return kBlendColorBurn;
  if (SameWords(text, "add")) return kBlendLinearDodge;
  return std::nullopt;
}

std::optional<std::int32_t> BlendModeOfKey(std::uint32_t key) {
  for (std::int32_t index = 0; index < kBlendModeCount; ++index)
    if (kBlendModeKeys[index] == key) return index;
  return std::nullopt;
}

std::string BlendKeyOfMode(std::int32_t index) {
  return FourCCText(kBlendModeKeys[index >= 0 && index < kBlendModeCount ? index : kBlendNormal]);
}

const std::vector<OptionControl>& OptionControls() {
  static const std::vector<OptionControl> kOptions = {
      {kDiffusePack, kDiffuseLighting, "lighting", false, {{"automatic", 0}, {"always", 1}, {"none", 2}}},
      {kDiffusePack, kDiffuseAdditives, "additives", false, {{"automatic", 0}, {"all", 1}, {"none", 2}}},
      {kLights, kLightsShadows, "shadows", false, {{"automatic", 0}, {"with", 1}, {"without", 2}}},
      {kShadows, kShadowsOption, "balance", false, {{"off", 0}, {"on", 1}}},
      {kAmbientGI, kAmbientOption, "times diffuse", false, {{"off", 0}, {"on", 1}}},
      {kMaskOf, kMaskValue, "mask", true, {}},
      {kAdditivesPack, kAdditivesMode, "components", false, {{"automatic", 0}, {"manual", 1}}},
      {kAdditivesPack, kAddSpecularCheck, "specular", false, {{"off", 0}, {"on", 1}}},
      {kAdditivesPack, kAddLuminanceCheck, "luminance", false, {{"off", 0}, {"on", 1}}},
      {kAdditivesPack, kAddReflectionsCheck, "reflections", false, {{"off", 0}, {"on", 1}}},
      {kAdditivesPack, kAddRefractionsCheck, "refractions", false, {{"off", 0}, {"on", 1}}},
  };
  return kOptions;
}

const OptionControl* FindOption(std::int32_t kind, const std::string& label) {
  for (const OptionControl& option : OptionControls())
    if (option.kind == kind && SameWords(label, option.label)) return &option;
  return nullptr;
}

std::optional<std::int32_t> OptionValue(const OptionControl& option, const std::string& text) {
  for (const auto& [name, value] : option.values)
    if (SameWords(text, name)) return value;
  return Number(text);
}

std::string OptionValueText(const OptionControl& option, std::int32_t value) {
  for (const auto& [name, named] : option.values)
    if (named == value) return name;
  return std::to_string(value);
}

}  // namespace zurender
