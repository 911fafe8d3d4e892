#include "layers/host_string.h"

#include <cstring>

#include "host/host_memory.h"

namespace zu {

char* CopyHostString(const char* text) {
  if (text == nullptr) return nullptr;
  const std::size_t size = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(HostAllocate(static_cast<std::uint32_t>(size)));
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

}  // namespace zu
