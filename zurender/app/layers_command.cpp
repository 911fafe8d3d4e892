#include "zurender/app/layers_command.h"

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>
#endif

#include <algorithm>
#include <charconv>
#include <memory>
#include <cstdio>
#include <filesystem>

#include "host/layer_flags.h"
#include "host/layer_kind.h"
#include "host/layers_dialog_resource.h"
#include "host/parameter_block.h"
#include "zurender/base/staged_files.h"
#include "zurender/base/stale_temporaries.h"
#include "zurender/base/status.h"
#include "zurender/base/text_encoding.h"
#include "zurender/dialog/layers_dialog_session.h"
#include "zurender/dialog/presets.h"
#include "zurender/settings/settings_file.h"
#include "zurender/settings/stored_list_check.h"
#include "zurender/settings/vocabulary.h"

namespace zurender {
namespace {

// The Additives Pack's checkboxes, in control order, and the flag bit each shows.
constexpr std::uint32_t kAdditiveBits[4] = {kAddSpecular, kAddLuminance, kAddReflections, kAddRefractions};

// A failed command: the message, and whether it was the way the command was written (status 2).
struct CommandError {
  std::string message;
  bool usage = false;
};

std::optional<std::int32_t> Integer(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty()) return std::nullopt;
  return value;
}

// The options the row's kind shows, as the dialog labels them, with their values.
std::string OptionsText(const hostsim::StoredLayer& layer) {
  std::string text;
  for (const OptionControl& option : OptionControls()) {
    if (option.kind != layer.kind) continue;
    std::int32_t value = 0;
    if (option.control == kDiffuseAdditives) value = layer.option2;
    else if (option.control >= kAddSpecularCheck && option.control <= kAddRefractionsCheck)
      value = (layer.flags & kAdditiveBits[option.control - kAddSpecularCheck]) ? 1 : 0;
    else value = layer.option1;
    text += (text.empty() ? "" : ", ") + std::string(option.label) + " " + OptionValueText(option, value);
  }
  return text;
}

// The text between two marks. Appended piece by piece: GCC 12 warns wrongly about overlap in
// "'" + string + "'" at -O3.
std::string Marked(const std::string& text, char mark) {
  std::string marked(1, mark);
  marked.append(text);
  marked.push_back(mark);
  return marked;
}

// Arguments come in UTF-8 on Linux. On Windows the C runtime hands them over in the system's code
// page, where a character it lacks has already become '?'; the command line itself is Unicode, so
// the argument is taken from there: the one that gives these bytes in the system's code page.
#if defined(_WIN32)
std::string WideToUtf8(const wchar_t* wide, int units) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string utf8(std::size_t(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

std::string CommandLineTextAsUtf8(const std::string& text) {
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> args(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  for (int i = 0; args != nullptr && i < count; ++i) {
    const wchar_t* arg = args.get()[i];
    const int units = int(wcslen(arg));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, arg, units, nullptr, 0, nullptr, nullptr);
    std::string narrow(std::size_t(std::max(bytes, 0)), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, arg, units, narrow.data(), bytes, nullptr, nullptr);
    if (narrow == text) return WideToUtf8(arg, units);
  }
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  if (units <= 0) return text;
  std::wstring wide(std::size_t(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), units);
  return WideToUtf8(wide.data(), units);
}
#else
std::string CommandLineTextAsUtf8(const std::string& text) { return text; }
#endif

std::string NameModeText(std::int32_t mode) {
  if (mode == kBaseNameFirst) return "before";
  if (mode == kBaseNameLast) return "after";
  return mode == 0 ? "off" : std::to_string(mode);
}

// UTF-8 text padded with spaces to a width in characters, as a terminal shows it.
std::string Padded(std::string text, std::size_t width) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

// Names are kept in the host's code page; the terminal shows UTF-8.
void PrintList(const LayersDialogSession& session) {
  std::printf("row  on   kind                name                          blend  options\n");
  for (std::size_t i = 0; i < session.rows().size(); ++i) {
    const DialogRow& row = session.rows()[i];
    char line[768];
    std::snprintf(line, sizeof line, "%3zu  %-3s  %-18s  %s  %-5s  %s", i + 1, row.on ? "on" : "off",
                  KindName(row.layer.kind), Padded(Marked(Cp1252ToUtf8(row.name), '"'), 28).c_str(),
                  Marked(BlendKeyOfMode(row.layer.blendMode), '\'').c_str(), OptionsText(row.layer).c_str());
    std::string text = line;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    std::printf("%s\n", text.c_str());
  }
  std::printf("base name \"%s\", name mode %s, edge mask %s, output pair %s\n", Cp1252ToUtf8(session.baseName()).c_str(),
              NameModeText(session.Control(kNameMode)).c_str(), session.Control(kEdgeMask) ? "on" : "off",
              session.Control(kOutputPairEnabled)
                  ? (session.Control(kOutputPairPreset) == kCustomOutputPairPreset
                         ? (session.ControlText(kOutputPairCustom1) + " " + session.ControlText(kOutputPairCustom2)).c_str()
                         : ("preset " + std::to_string(session.Control(kOutputPairPreset))).c_str())
                  : "off");
}

class Command {
 public:
  Command(LayersDialogSession& session, const std::vector<std::string>& args) : session_(session), args_(args) {}

  // Runs the command on the open dialog; an error leaves the dialog unconfirmed.
  std::optional<CommandError> Run(const std::string& name) {
    for (const Entry& command : kCommands)
      if (name == command.name) return (this->*command.run)();
    return CommandError{"unknown command \"" + name + "\" (see zurender layers --help)", true};
  }

 private:
  using Outcome = std::optional<CommandError>;  // none: the dialog took every gesture

  Outcome Add() {
    const std::size_t n = args_.size();
    if (n != 1 && !(n == 3 && args_[1] == "--at")) return Usage("add KIND [--at ROW]");
    const std::optional<std::int32_t> kind = KindFromName(args_[0]);
    if (!kind) return Error("no layer kind is called \"" + args_[0] + "\"; the kinds: " + KindList());
    std::optional<std::int32_t> at;
    if (n == 3) {
      at = Row(args_[2], true);
      if (!at) return rowError_;
    }
    return Check(session_.AddLayer(*kind, at), std::string("adding a \"") + KindName(*kind) + "\" layer");
  }

  // The rows named, as the dialog counts them; none with rowError_ set.
  std::optional<std::vector<std::int32_t>> Rows() {
    std::vector<std::int32_t> rows;
    for (const std::string& arg : args_) {
      const auto row = Row(arg, false);
      if (!row) return std::nullopt;
      rows.push_back(*row);
    }
    return rows;
  }

  Outcome Remove() {
    if (args_.empty()) return Usage("remove ROW...");
    const auto rows = Rows();
    if (!rows) return rowError_;
    return Check(session_.RemoveRows(*rows), "removing the rows");
  }

  Outcome Enable() { return CheckMarks("enable", true); }
  Outcome Disable() { return CheckMarks("disable", false); }
  Outcome CheckMarks(const std::string& name, bool on) {
    if (args_.empty()) return Usage(name + " ROW...");
    const auto rows = Rows();
    if (!rows) return rowError_;
    for (std::int32_t row : *rows)
      if (!session_.SetRowOn(row, on)) return Check(false, "the check mark of row " + std::to_string(row + 1));
    return std::nullopt;
  }

  Outcome Move() {
    if (args_.size() != 2) return Usage("move ROW TO");
    const auto from = Row(args_[0], false);
    if (!from) return rowError_;
    const auto to = Row(args_[1], false);
    if (!to) return rowError_;
    return Check(session_.MoveRow(*from, *to), "moving the row");
  }

  Outcome Rename() {
    if (args_.size() != 2) return Usage("rename ROW NAME");
    const auto row = Row(args_[0], false);
    if (!row) return rowError_;
    const Result<std::string> name = Typed("the name", args_[1]);
    if (!name.ok()) return Error(name.message());
    return Check(session_.RenameRow(*row, name.value()), "the new name");
  }

  Outcome Blend() {
    if (args_.size() != 2) return Usage("blend ROW MODE");
    const auto row = Row(args_[0], false);
    if (!row) return rowError_;
    const auto mode = BlendModeFromText(args_[1]);
    if (!mode) return Error("no blend mode is called \"" + args_[1] + "\"; a key such as mul or a mode such as multiply");
    return Check(session_.SelectRows({*row}) && session_.SetValue(kBlendPopup, *mode), "the blend mode");
  }

  Outcome Option() {
    if (args_.size() != 3) return Usage("option ROW NAME VALUE");
    const auto row = Row(args_[0], false);
    if (!row) return rowError_;
    const hostsim::StoredLayer& layer = session_.rows()[std::size_t(*row)].layer;
    const OptionControl* option = FindOption(layer.kind, args_[1]);
    if (!option)
      return Error("a \"" + std::string(KindName(layer.kind)) + "\" layer has no option \"" + args_[1] +
                   "\"; its options: " + OptionList(layer.kind));
    const auto value = OptionValue(*option, args_[2]);
    if (!value) return Error("\"" + args_[2] + "\" is not a value of " + option->label + "; its values: " + ValueList(*option));
    const bool set = session_.SelectRows({*row}) && (option->isText ? session_.SetText(option->control, std::to_string(*value))
                                                                    : session_.SetValue(option->control, *value));
    return Check(set, std::string(option->label) +
                          (option->control >= kAddSpecularCheck ? " (the components are set by hand only when manual)" : ""));
  }

  Outcome BaseName() {
    if (args_.size() != 1) return Usage("base-name TEXT");
    const Result<std::string> base = Typed("the base name", args_[0]);
    if (!base.ok()) return Error(base.message());
    return Check(session_.SetText(kBaseName, base.value()), "the base name (it is off while name-mode is off)");
  }

  Outcome NameMode() {
    if (args_.size() != 1) return Usage("name-mode off|before|after");
    const std::optional<std::int32_t> mode = SameWords(args_[0], "off")      ? 0
                                             : SameWords(args_[0], "before") ? kBaseNameFirst
                                             : SameWords(args_[0], "after")  ? kBaseNameLast
                                                                             : Integer(args_[0]);
    if (!mode) return Error("name-mode: expected off, before or after");
    return Check(session_.SetValue(kNameMode, *mode), "the name mode");
  }

  Outcome EdgeMask() {
    if (args_.size() != 1 || !(SameWords(args_[0], "on") || SameWords(args_[0], "off"))) return Usage("edge-mask on|off");
    return Check(session_.SetValue(kEdgeMask, SameWords(args_[0], "on") ? 1 : 0), "the edge mask");
  }

  Outcome OutputPair() {
    const std::size_t n = args_.size();
    if (n == 1 && SameWords(args_[0], "off")) return Check(session_.SetValue(kOutputPairEnabled, 0), "the output pair");
    if (n != 2 || !Integer(args_[0]) || !Integer(args_[1])) return Usage("output-pair A B | output-pair off");
    return Check(session_.SetCustomPair(args_[0], args_[1]), "the output pair");
  }

  // The commands, by the word that names each.
  struct Entry {
    const char* name;
    Outcome (Command::*run)();
  };
  static constexpr Entry kCommands[] = {
      {"add", &Command::Add},       {"remove", &Command::Remove},       {"enable", &Command::Enable},
      {"disable", &Command::Disable}, {"move", &Command::Move},         {"rename", &Command::Rename},
      {"blend", &Command::Blend},   {"option", &Command::Option},       {"base-name", &Command::BaseName},
      {"name-mode", &Command::NameMode}, {"edge-mask", &Command::EdgeMask}, {"output-pair", &Command::OutputPair},
  };

  // A row as the person counts it, from 1; the index from 0. With orEnd, one past the last too.
  std::optional<std::int32_t> Row(const std::string& text, bool orEnd) {
    const std::int32_t count = std::int32_t(session_.rows().size());
    const auto row = Integer(text);
    if (!row || *row < 1 || *row > count + (orEnd ? 1 : 0)) {
      rowError_ = CommandError{"there is no row " + text + ": the list has " + std::to_string(count) + " row" +
                               (count == 1 ? "" : "s")};
      return std::nullopt;
    }
    return *row - 1;
  }
  std::optional<CommandError> Check(bool taken, const std::string& what) {
    if (taken) return std::nullopt;
    return CommandError{"the dialog did not take " + what};
  }
  static CommandError Error(const std::string& message) { return CommandError{message}; }
  // Text from the terminal, in UTF-8, as the host keeps it.
  static Result<std::string> Typed(const std::string& what, const std::string& text) {
    const std::string utf8 = CommandLineTextAsUtf8(text);
    Result<std::string> bytes = TypedTextToCp1252(utf8);
    if (!bytes.ok()) return Status::Error(what + " \"" + utf8 + "\" cannot be kept: " + bytes.message());
    return bytes;
  }
  static CommandError Usage(const std::string& form) { return CommandError{"usage: zurender layers FILE " + form, true}; }
  static std::string KindList() {
    std::string list;
    for (std::int32_t kind = 1; kind <= kKindCount; ++kind) list += (kind > 1 ? ", " : "") + std::string(KindName(kind));
    return list;
  }
  static std::string OptionList(std::int32_t kind) {
    std::string list;
    for (const OptionControl& option : OptionControls())
      if (option.kind == kind) list += (list.empty() ? "" : ", ") + std::string(option.label);
    return list.empty() ? "none" : list;
  }
  static std::string ValueList(const OptionControl& option) {
    std::string list;
    for (const auto& [value, number] : option.values) list += (list.empty() ? "" : ", ") + std::string(value);
    return list.empty() ? "a number" : list + " or a number";
  }

  LayersDialogSession& session_;
  const std::vector<std::string>& args_;
  std::optional<CommandError> rowError_;
};

}  // namespace

std::string LayersUsage() {
  return R"(usage: zurender layers FILE COMMAND [ARGUMENTS] [--plugin LIB]

Edits a settings file through the plug-in's own Layers dialog, as a person would in the host:
the file is read, the dialog opened on it, the command made as gestures, the dialog confirmed,
and the file replaced with what the plug-in handed back. A command the dialog does not take
leaves the file as it was.

  init [--preset NAME]     a new file with the default list, or a preset: default, road
                           (Diffuse Pack, Lights, Specular), exact (rebuilds the render in
                           float), all (every kind)
  list                     the rows: row, on/off, kind, name, blend key, options
  add KIND [--at ROW]      a layer of that kind, e.g. "rt reflections", after the last row or
                           ahead of ROW
  remove ROW...            those rows
  move ROW TO              a row to another place
  enable ROW...            check marks on
  disable ROW...           check marks off
  rename ROW NAME          a row's name
  blend ROW MODE           a blend key (mul, lddg) or mode (multiply, "linear dodge")
  option ROW NAME VALUE    an option of the row's kind, as the dialog labels it:
                             Diffuse Pack: lighting, additives (automatic, all/always, none)
                             Lights: shadows (automatic, with, without)
                             Shadows: balance (on, off); Ambient/GI: times-diffuse (on, off)
                             Mask of #: mask (a number)
                             Additives Pack: components (automatic, manual), specular,
                             luminance, reflections, refractions (on, off)
  base-name TEXT           the list's base name (needs name-mode before or after)
  name-mode MODE           off, before or after: where the base name joins layer names
  edge-mask on|off         the "Edge Mask" layer
  output-pair A B | off    the custom output pair

Rows count from 1, the top of the stack. Kinds, modes and option names are matched without
regard to case, and '-' may stand for a space.

Names and the base name are typed in UTF-8 and kept as the host keeps them, in Windows-1252:
the Western European letters, the euro sign, typographic quotes and dashes. A name with a
character outside it (a Greek or Chinese letter, an emoji) is refused and the file left as it was.
)";
}

int RunLayersCommand(const std::vector<std::string>& args, const std::string& pluginPath) {
  auto fail = [](const std::string& message, int status = 1) {
    std::fprintf(stderr, "zurender layers: %s\n", message.c_str());
    return status;
  };
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(LayersUsage().c_str(), stdout);
    return 0;
  }
  if (args.size() < 2) return fail("expected FILE COMMAND (see zurender layers --help)", 2);
  const std::string& file = args[0];
  const std::string& name = args[1];
  const std::vector<std::string> rest(args.begin() + 2, args.end());

  PluginSettings settings;
  std::string preset;
  if (name == "init") {
    if (!(rest.empty() || (rest.size() == 2 && rest[0] == "--preset")))
      return fail("usage: zurender layers FILE init [--preset NAME]", 2);
    if (!rest.empty()) {
      if (!IsPreset(rest[1])) return fail("unknown preset \"" + rest[1] + "\"; the presets: default, road, exact, all", 2);
      preset = rest[1];
    }
  } else {
    const ParsedSettings read = ReadSettingsFile(file);
    if (!read.error.empty()) return fail(read.error);
    settings = read.settings;
    // Editing the default list in its place would write over the user's list without a word.
    if (!PluginTakesStoredList(settings.storedList))
      return fail(file + ": the plug-in cannot read its stored layer list and would show its default list "
                  "instead; the file is unchanged (zurender layers " + file + " init replaces it)");
  }

  PluginHost plugin;
  std::string error;
  if (!plugin.Load(pluginPath, error)) return fail(error);
  LayersDialogSession session(plugin);
  if (!session.Open(settings, error)) return fail(file + ": " + error);
  if (name == "list") {
    if (!rest.empty()) return fail("usage: zurender layers FILE list", 2);
    PrintList(session);
    return 0;
  }
  if (name == "init") {
    if (!preset.empty() && !ApplyPreset(session, preset, error)) return fail(error);
  } else if (const auto failed = Command(session, rest).Run(name)) {
    return fail(file + ": " + failed->message + "; the file is unchanged", failed->usage ? 2 : 1);
  }
  PluginSettings edited;
  if (!session.Confirm(edited, error)) return fail(file + ": " + error + "; the file is unchanged");
  const std::filesystem::path where(FollowLinks(file));
  RemoveStaleTemporaries(where.parent_path().empty() ? "." : where.parent_path().string(), where.filename().string());
  if (Status written = WriteSettingsFile(file, edited); !written.ok()) return fail(written.message());
  // What the file now holds, as the dialog shows it.
  LayersDialogSession shown(plugin);
  if (shown.Open(edited, error)) PrintList(shown);
  return 0;
}

}  // namespace zurender
