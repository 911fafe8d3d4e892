// Where the running program lives, to find the plug-in built beside it.
#pragma once

#include <string>

namespace zurender {

// The running executable's own path; empty when unknown.
std::string ExecutablePath();

// The folder of the running executable, without a trailing separator; "." when unknown.
std::string ExecutableDirectory();

// The plug-in library's file name on this platform.
const char* PluginFileName();

}  // namespace zurender
