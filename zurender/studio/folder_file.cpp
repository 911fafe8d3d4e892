#include "zurender/studio/folder_file.h"

#include <climits>
#include <cstdlib>
#include <limits>

namespace zurender {
namespace {

bool PlainName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.find('\0') != std::string::npos ||
      name.find('\\') != std::string::npos)
    return false;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = name.find('/', start);
    const std::string part = name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

std::string RealPath(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return "";
  std::string result = real;
  std::free(real);
  return result;
}

}  // namespace

std::optional<ReadableFile> OpenFolderFile(const std::string& folder, const std::string& name) {
  if (!PlainName(name)) return std::nullopt;
  const std::string root = RealPath(folder);
  const std::string real = RealPath(folder + "/" + name);
  if (root.empty() || real.size() <= root.size() + 1 || real.compare(0, root.size(), root) != 0 ||
      real[root.size()] != '/')
    return std::nullopt;
  // Served in pieces as it is read, so of any size the render wrote.
  Result<ReadableFile> file = ReadableFile::Open(real, std::numeric_limits<std::uint64_t>::max());
  if (!file.ok()) return std::nullopt;
  return std::move(file.value());
}

}  // namespace zurender
