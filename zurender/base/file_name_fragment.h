// File names made from layer names.
#pragma once

#include <string>
#include <string_view>

namespace zurender {

constexpr std::size_t kMaxFileNameFragment = 64;  // bytes of UTF-8

// A layer name (Windows-1252 bytes) as a piece of a file name that is safe on any file system and
// in a shell, in UTF-8, so that it reads as the name does: ASCII letters, digits, '-', '_' and
// '.' stay, and so do the code page's other printable characters (accented letters, the euro
// sign: no file system or shell gives them a meaning); spaces become '-', anything else '_'; no
// leading '.'; at most kMaxFileNameFragment bytes, cut between characters; "layer" when nothing is
// left. Two names can give the same fragment: the caller numbers its files.
std::string SafeFileNameFragment(std::string_view layerName);

}  // namespace zurender
