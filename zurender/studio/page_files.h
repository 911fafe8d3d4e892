// The page's own files (page/), carried in the program: made into constants at build time.
#pragma once

#include <cstddef>
#include <string_view>

namespace zurender {

struct EmbeddedFile {
  const char* name;  // e.g. "studio.js"
  std::string_view text;
};

extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

// The page file of that name, or none.
inline const EmbeddedFile* FindPageFile(std::string_view name) {
  for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
    if (name == kEmbeddedFiles[i].name) return &kEmbeddedFiles[i];
  return nullptr;
}

}  // namespace zurender
