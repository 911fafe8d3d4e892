#include "zurender/base/stale_temporaries.h"

#include <filesystem>

#include "zurender/base/file_system.h"
#include "zurender/base/temporary_name.h"

namespace zurender {

int RemoveStaleTemporaries(const std::string& directory, const std::string& prefix) {
  namespace fs = std::filesystem;
  std::error_code error;
  int removed = 0;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    TemporaryNameParts parts;
    if (!ParseTemporaryName(name, parts) || parts.finalName.compare(0, prefix.size(), prefix) != 0) continue;
    if (parts.process == ProcessNumber() || ProcessMayBeRunning(parts.process)) continue;
    const std::string path = it->path().string();
    if (KindOfPath(path) != PathKind::kRegular) continue;
    const std::string finalPath = (it->path().parent_path() / parts.finalName).string();
    if (parts.tag == kPreviousTag && KindOfPath(finalPath) == PathKind::kAbsent && MoveIntoPlace(path, finalPath)) continue;
    RemoveFile(path);
    ++removed;
  }
  return removed;
}

}  // namespace zurender
