// The names files are written under before they are complete: <final name>.tmp<process>-<tag>,
// beside the final name. The process number tells a later run whether the writer still runs.
#pragma once

#include <string>

namespace zurender {

// The tags of a set of files published together (staged_files.h): a new file complete and
// waiting, and the file it replaces, moved aside until every new one is in place.
constexpr char kStagedTag[] = "staged";
constexpr char kPreviousTag[] = "previous";

std::string TemporaryName(const std::string& path, const std::string& tag);

struct TemporaryNameParts {
  std::string finalName;  // what the file was to be called
  unsigned process = 0;   // which process wrote it
  std::string tag;
};

// The parts of a file name (no folder) made by TemporaryName; false for any other name.
bool ParseTemporaryName(const std::string& name, TemporaryNameParts& parts);

}  // namespace zurender
