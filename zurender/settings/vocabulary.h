// The words a person uses for what the Layers dialog shows: layer kinds, blend modes, the
// option controls' labels and values, and the host-kept settings. Matched without regard to case;
// a '-' may stand for a space.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zurender {

// Layer kinds by the names the kind menu gives them (host/layer_kind.h).
const char* KindName(std::int32_t kind);  // "" outside 1..kKindCount
std::optional<std::int32_t> KindFromName(const std::string& text);

// Blend modes by the names of the dialog's blend popup ("multiply"); their indices and keys are
// the host's (host/blend_mode.h).
const char* BlendModeName(std::int32_t index);  // "normal" outside 0..22, which blends so
// A key ("mul", "lddg") or a name ("multiply", "linear dodge"); none when it is neither.
std::optional<std::int32_t> BlendModeFromText(const std::string& text);
// The mode a key stands for, or none for a key the plug-in never declares.
std::optional<std::int32_t> BlendModeOfKey(std::uint32_t key);
// The key of an index as the plug-in declares it: 'norm' outside 0..22.
std::string BlendKeyOfMode(std::int32_t index);

// An option of a layer kind, as the dialog labels the control that shows it.
struct OptionControl {
  std::int32_t kind;
  std::int32_t control;   // the Layers dialog's control id
  const char* label;      // e.g. "lighting"
  bool isText;            // an edit text holding a number; otherwise a popup or checkbox
  std::vector<std::pair<const char*, std::int32_t>> values;  // named values; numbers are taken too
};
const std::vector<OptionControl>& OptionControls();
const OptionControl* FindOption(std::int32_t kind, const std::string& label);
// The value as the control takes it, or none.
std::optional<std::int32_t> OptionValue(const OptionControl& option, const std::string& text);
// How the control shows a value: its name, or the number.
std::string OptionValueText(const OptionControl& option, std::int32_t value);

// Two texts name the same thing: case and '-' for ' ' aside.
bool SameWords(const std::string& a, const std::string& b);

}  // namespace zurender
