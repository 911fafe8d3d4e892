#include "zurender/base/staged_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "zurender/base/file_system.h"
#include "zurender/base/temporary_files.h"
#include "zurender/base/temporary_name.h"

namespace zurender {

std::string FollowLinks(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path at(path);
  std::error_code error;
  // A loop of links ends the walk where it started; 40 is the system's own limit.
  for (int step = 0; step < 40 && fs::is_symlink(at, error); ++step) {
    const fs::path target = fs::read_symlink(at, error);
    if (error) break;
    at = target.is_absolute() ? target : at.parent_path() / target;
  }
  return at.string();
}

std::string StagedFiles::Obstacle(const std::string& path) {
  switch (KindOfPath(FollowLinks(path))) {
    case PathKind::kAbsent:
    case PathKind::kRegular: return "";
    case PathKind::kDirectory: return "a directory is in its place";
    case PathKind::kLink: return "its symbolic links lead nowhere usable";
    default: return "something other than a file is in its place";
  }
}

StagedFiles::~StagedFiles() {
  if (published_) return;
  for (const Entry& entry : entries_) {
    RemoveFile(entry.stagedPath);
    ForgetTemporary(entry.stagedPath);
  }
}

std::string StagedFiles::Stage(const std::string& path) {
  Entry entry;
  entry.finalPath = FollowLinks(path);
  entry.stagedPath = TemporaryName(entry.finalPath, kStagedTag);
  entry.previousPath = TemporaryName(entry.finalPath, kPreviousTag);
  RegisterTemporary(entry.stagedPath);
  entries_.push_back(entry);
  return entry.stagedPath;
}

std::string StagedFiles::Unstaged(std::string message) const {
  for (const Entry& entry : entries_)
    for (std::size_t at = message.find(entry.stagedPath); at != std::string::npos;
         at = message.find(entry.stagedPath, at + entry.finalPath.size()))
      message.replace(at, entry.stagedPath.size(), entry.finalPath);
  return message;
}

void StagedFiles::PutBack() {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (it->placed) {
      // The new file goes back to its staging name, to be removed with the others.
      MoveIntoPlace(it->finalPath, it->stagedPath);
      it->placed = false;
    }
    if (it->movedAside && MoveIntoPlace(it->previousPath, it->finalPath)) it->movedAside = false;
  }
}

Status StagedFiles::Publish() {
  return WithoutInterruption([&]() -> Status {
    for (Entry& entry : entries_) {
      std::string why = Obstacle(entry.finalPath);
      if (why.empty() && KindOfPath(entry.finalPath) == PathKind::kRegular) {
        // Kept under a temporary name until the whole set is in place.
        if (MoveIntoPlace(entry.finalPath, entry.previousPath)) entry.movedAside = true;
        else why = std::strerror(errno);
      }
      if (why.empty()) {
        if (MoveIntoPlace(entry.stagedPath, entry.finalPath)) entry.placed = true;
        else why = std::strerror(errno);
      }
      if (!why.empty()) {
        PutBack();
        return Status::Error("cannot put " + entry.finalPath + " in place: " + why +
                             "; the files there are as they were");
      }
    }
    for (Entry& entry : entries_) {
      if (entry.movedAside) RemoveFile(entry.previousPath);
      ForgetTemporary(entry.stagedPath);
    }
    published_ = true;
    return Status();
  });
}

}  // namespace zurender
