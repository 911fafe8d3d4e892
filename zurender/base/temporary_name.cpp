#include "zurender/base/temporary_name.h"

#include "zurender/base/file_system.h"

namespace zurender {

std::string TemporaryName(const std::string& path, const std::string& tag) {
  return path + ".tmp" + std::to_string(ProcessNumber()) + "-" + tag;
}

bool ParseTemporaryName(const std::string& name, TemporaryNameParts& parts) {
  for (std::size_t at = name.find(".tmp"); at != std::string::npos; at = name.find(".tmp", at + 1)) {
    std::size_t end = at + 4;
    unsigned long long process = 0;
    while (end < name.size() && name[end] >= '0' && name[end] <= '9' && process < 0xFFFFFFFFull)
      process = process * 10 + unsigned(name[end++] - '0');
    if (end == at + 4 || end >= name.size() || name[end] != '-' || at == 0 || process > 0xFFFFFFFFull) continue;
    parts.finalName = name.substr(0, at);
    parts.process = unsigned(process);
    parts.tag = name.substr(end + 1);
    return true;
  }
  return false;
}

}  // namespace zurender
