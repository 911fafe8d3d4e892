#include "persist/reverse_bytes.h"

#include <utility>

namespace zu {

void ReverseBytes(void* p, std::int32_t n) {
  auto* bytes = static_cast<std::uint8_t*>(p);
  for (std::int32_t i = 0, j = n - 1; i < j; ++i, --j) std::swap(bytes[i], bytes[j]);
}

}  // namespace zu
