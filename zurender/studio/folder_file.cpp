#include "zurender/studio/folder_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

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

int OpenFolderFile(const std::string& folder, const std::string& name, std::uint64_t& size) {
  if (!PlainName(name)) return -1;
  const std::string root = RealPath(folder);
  const std::string real = RealPath(folder + "/" + name);
  if (root.empty() || real.size() <= root.size() + 1 || real.compare(0, root.size(), root) != 0 ||
      real[root.size()] != '/')
    return -1;
  const int fd = ::open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return -1;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  size = std::uint64_t(info.st_size);
  return fd;
}

}  // namespace zurender
