#include "zurender/scene/read_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zurender {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

Result<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return Status::Error(std::strerror(errno));
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0) return Status::Error(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return Status::Error("not a regular file");
  if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
    return Status::Error("larger than " + std::to_string(maxBytes >> 20) + " MiB");
  }
  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  const std::size_t got = std::fread(text.data(), 1, text.size(), file.get());
  if (std::ferror(file.get())) return Status::Error(std::strerror(errno));
  text.resize(got);  // the file may have shrunk since fstat
  return text;
}

}  // namespace zurender
