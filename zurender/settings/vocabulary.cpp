#include "zurender/settings/vocabulary.h"

#include <cctype>
#include <charconv>

#include "host/layers_dialog_resource.h"

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

const char* KindName(int kind) {
  static const char* const kNames[] = {"",
                                       "Diffuse Pack",
                                       "Lights",
                                       "Shadows",
                                       "Ambient/GI",
                                       "Additives Pack",
                                       "Specular",
                                       "Luminance",
                                       "Reflections",
                                       "RT Reflections",
                                       "Bitmap Reflections",
                                       "RT Refractions",
                                       "Final Render",
                                       "Fog",
                                       "Mask of #",
                                       "Transparency"};
  return kind >= 1 && kind <= kKindCount ? kNames[kind] : "";
}

std::optional<int> KindFromName(const std::string& text) {
  for (int kind = 1; kind <= kKindCount; ++kind)
    if (SameWords(text, KindName(kind))) return kind;
  // Short forms a shell makes easy.
  if (SameWords(text, "ambient") || SameWords(text, "ambient gi")) return 4;
  if (SameWords(text, "mask") || SameWords(text, "mask of")) return 14;
  return std::nullopt;
}

const std::vector<BlendMode>& BlendModes() {
  static const std::vector<BlendMode> kModes = {
      {0, "norm", "normal"},       {1, "scrn", "screen"},        {2, "dark", "darken"},
      {3, "lite", "lighten"},      {4, "hue ", "hue"},           {5, "sat ", "saturation"},
      {6, "colr", "color"},        {7, "lum ", "luminosity"},    {8, "mul ", "multiply"},
      {9, "diss", "dissolve"},     {10, "over", "overlay"},      {11, "hLit", "hard light"},
      {12, "sLit", "soft light"},  {13, "diff", "difference"},   {14, "smud", "exclusion"},
      {15, "div ", "color dodge"}, {16, "idiv", "color burn"},   {17, "lbrn", "linear burn"},
      {18, "lddg", "linear dodge"}, {19, "vLit", "vivid light"}, {20, "lLit", "linear light"},
      {21, "pLit", "pin light"},   {22, "hMix", "hard mix"}};
  return kModes;
}

std::optional<std::int32_t> BlendModeFromText(const std::string& text) {
  for (const BlendMode& mode : BlendModes())
    if (SameWords(text, mode.key) || SameWords(text, mode.name)) return mode.index;
  if (SameWords(text, "colour")) return 6;
  if (SameWords(text, "colour dodge")) return 15;
  if (SameWords(text, "colour burn")) return 16;
  if (SameWords(text, "add")) return 18;
  return std::nullopt;
}

std::string BlendKeyOfMode(std::int32_t index) {
  return index >= 0 && index <= 22 ? BlendModes()[std::size_t(index)].key : "norm";
}

const std::vector<OptionControl>& OptionControls() {
  static const std::vector<OptionControl> kOptions = {
      {1, kDiffuseLighting, "lighting", false, {{"automatic", 0}, {"always", 1}, {"none", 2}}},
      {1, kDiffuseAdditives, "additives", false, {{"automatic", 0}, {"all", 1}, {"none", 2}}},
      {2, kLightsShadows, "shadows", false, {{"automatic", 0}, {"with", 1}, {"without", 2}}},
      {3, kShadowsOption, "balance", false, {{"off", 0}, {"on", 1}}},
      {4, kAmbientOption, "times diffuse", false, {{"off", 0}, {"on", 1}}},
      {14, kMaskValue, "mask", true, {}},
      {5, kAdditivesMode, "components", false, {{"automatic", 0}, {"manual", 1}}},
      {5, kAddSpecularCheck, "specular", false, {{"off", 0}, {"on", 1}}},
      {5, kAddLuminanceCheck, "luminance", false, {{"off", 0}, {"on", 1}}},
      {5, kAddReflectionsCheck, "reflections", false, {{"off", 0}, {"on", 1}}},
      {5, kAddRefractionsCheck, "refractions", false, {{"off", 0}, {"on", 1}}},
  };
  return kOptions;
}

const OptionControl* FindOption(int kind, const std::string& label) {
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
