#include "zurender/plugin/executable_path.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zurender {

std::string ExecutableDirectory() {
  char path[4096];
#if defined(_WIN32)
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return ".";
  const std::string self(path, length);
  const auto slash = self.find_last_of("\\/");
#else
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || std::size_t(length) >= sizeof path) return ".";
  const std::string self(path, std::size_t(length));
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
