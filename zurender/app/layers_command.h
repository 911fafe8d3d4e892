// `zurender layers FILE COMMAND`: a settings file edited through the plug-in's own Layers dialog.
//
//   init [--preset NAME]      a new file: the default list, or a preset (default, road, exact, all)
//   list                      the rows as the dialog shows them
//   add KIND [--at ROW]       a layer of that kind, after the last row or ahead of ROW
//   remove ROW...             those rows
//   move ROW TO               a row to another place
//   enable ROW... | disable ROW...
//   rename ROW NAME
//   blend ROW MODE            a key such as mul or a mode such as multiply
//   option ROW NAME VALUE     an option of the row's kind, as the dialog labels it
//   base-name TEXT            the list's base name
//   name-mode MODE            how the base name joins layer names: off, before or after
//   edge-mask on|off
//   output-pair A B | off     the custom output pair
//
// Rows count from 1, the top of the stack. Names come from the terminal in UTF-8 and are kept in
// the host's code page (zurender/base/text_encoding.h); a character it cannot hold refuses the
// command. The file is replaced, atomically, only when the dialog took every gesture and the
// plug-in handed its list back.
#pragma once

#include <string>
#include <vector>


namespace zurender {

// args: FILE COMMAND ARGUMENTS...; the exit status.
int RunLayersCommand(const std::vector<std::string>& args, const std::string& pluginPath);

std::string LayersUsage();

}  // namespace zurender
