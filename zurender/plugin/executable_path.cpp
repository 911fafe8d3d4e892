#include "zurender/plugin/executable_path.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zurender {

std::string ExecutablePath() {
  char path[4096];
#if defined(_WIN32)
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return "";
  return std::string(path, length);
#else
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || std::size_t(length) >= sizeof path) return "";
  return std::string(path, std::size_t(length));
#endif
}

std::string ExecutableDirectory() {
  const std::string self = ExecutablePath();
#if defined(_WIN32)
  const auto slash = self.find_last_of("\\/");
#else
  const auto slash = self.find_last_of('/');
#endif
  return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

const char* PluginFileName() {
#if defined(_WIN32)
  return "ZU_Layers.shl";
#else
  return "ZU_Layers.so";
#endif
}

}  // namespace zurender
