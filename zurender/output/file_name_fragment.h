// File names made from layer names.
#pragma once

#include <string>
#include <string_view>

namespace zurender {

constexpr std::size_t kMaxFileNameFragment = 64;

// A layer name (Latin-1) as a piece of a file name that is safe on any file system and in a shell:
// letters, digits, '-', '_' and '.' stay (accented Latin-1 letters lose their accent), spaces
// become '-', anything else '_'; no leading '.', at most kMaxFileNameFragment bytes; "layer" when
// nothing is left. Two names can give the same fragment: the caller numbers its files.
std::string SafeFileNameFragment(std::string_view layerName);

}  // namespace zurender
