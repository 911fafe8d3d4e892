// Files that appear together or not at all: a render's PSD, EXR, previews and manifest. Each is
// written complete under a staging name beside its final one; Publish() then renames them all
// into place, in the order they were staged (the manifest last, so that it appears only beside
// the files it describes). What each replaces is moved aside first and put back if any of them
// cannot be placed, and no interruption falls between the renames. A set that is not published
// leaves no file behind.
#pragma once

#include <string>
#include <vector>

#include "zurender/base/status.h"

namespace zurender {

class StagedFiles {
 public:
  StagedFiles() = default;
  ~StagedFiles();  // removes what was staged and not published
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Where to write the new contents of path, which must be a regular file or absent; a symbolic
  // link is followed, and the file it names replaced. The name is removed on interruption.
  std::string Stage(const std::string& path);

  // A writer's message with every staging name in it replaced by the file's own name.
  std::string Unstaged(std::string message) const;

  // Renames every staged file into place, or none; on failure the message names the file that
  // could not be placed and says that what was there is as it was.
  Status Publish();

  // Why path cannot be one of a set's files (a directory or something else that is not a file
  // is in the way), or "" when it can. For checking before any work is done.
  static std::string Obstacle(const std::string& path);

 private:
  struct Entry {
    std::string finalPath;
    std::string stagedPath;
    std::string previousPath;
    bool movedAside = false;
    bool placed = false;
  };
  void PutBack();
  std::vector<Entry> entries_;
  bool published_ = false;
};

// A path with symbolic links in its last part followed to the file they name (as far as they
// lead); the path itself when it is no link.
std::string FollowLinks(const std::string& path);

}  // namespace zurender
