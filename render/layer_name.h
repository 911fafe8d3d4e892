// The name a layer is declared under: its own name joined to the list's base name.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/layer_declaration.h"
#include "host/parameter_block.h"

namespace zu {

constexpr std::size_t kDeclaredNameMaxLength = kDeclaredNameBytes - 1;  // after the length byte

// Writes the composed name into out as a short string of at most 63 characters, without a
// separator between the two parts. Only the length byte and the characters are written. Either
// name may be none, which counts as empty.
void ComposeLayerName(const char* baseName, const char* layerName, std::int32_t nameMode,
                      std::uint8_t (&out)[kDeclaredNameBytes]);

}  // namespace zu
