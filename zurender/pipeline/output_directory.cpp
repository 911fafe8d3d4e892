#include "zurender/pipeline/output_directory.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "zurender/base/file_system.h"

namespace zurender {
namespace {

Status MakeWritableDirectory(const std::filesystem::path& directory, std::vector<std::string>* made) {
  std::error_code error;
  if (made != nullptr) {
    // The folders that are not there yet, outermost first.
    std::vector<std::string> missing;
    for (std::filesystem::path at = directory; !at.empty() && !std::filesystem::exists(at, error);
         at = at.parent_path()) {
      missing.insert(missing.begin(), at.string());
      if (at == at.parent_path()) break;
    }
    made->insert(made->end(), missing.begin(), missing.end());
  }
  std::filesystem::create_directories(directory, error);
  if (error) return Status::Error("cannot create directory " + directory.string() + ": " + error.message());
  if (!std::filesystem::is_directory(directory, error)) {
    return Status::Error("cannot use " + directory.string() + ": not a directory");
  }
  // access() asks for the permission bits; a read-only mount or a full quota still passes it,
  // but the atomic writer reports those with the path when it first writes.
  if (!CanWriteIn(directory.string())) {
    const int reason = errno;
    return Status::Error("cannot write in directory " + directory.string() + ": " + std::strerror(reason));
  }
  return Status();
}

}  // namespace

Status MakeOutputDirectory(const std::string& directory, bool withPreviews, std::vector<std::string>* made) {
  if (directory.empty()) return Status::Error("cannot create the output directory: empty path");
  try {
    const std::filesystem::path root(directory);
    if (Status status = MakeWritableDirectory(root, made); !status.ok()) return status;
    return withPreviews ? MakeWritableDirectory(root / "layers", made) : Status();
  } catch (const std::exception& error) {
    return Status::Error("cannot create directory " + directory + ": " + error.what());
  }
}

}  // namespace zurender
