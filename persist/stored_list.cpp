#include "persist/stored_list.h"

#include "layers/layer_list.h"
#include "persist/layer_list_reader.h"
#include "persist/memory_stream.h"
#include "persist/stored_list_format.h"

namespace zu {

bool LoadLayerListFromBlock(LayerList& list, const std::uint8_t* block) {
  if (block == nullptr) return false;
  // The host gives no size, only its promise that kStoredListReadLimit bytes are readable. The
  // stream is only read from, so the block stays as the host left it.
  ByteStream stream = MakeMemoryStream(const_cast<std::uint8_t*>(block), kStoredListReadLimit);
  return ReadLayerList(list, stream);
}

void LoadLayerListOrDefault(LayerList& list, std::uint32_t storedList) {
  if (list.items != nullptr) return;
  const auto* block = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(storedList));
  if (!LoadLayerListFromBlock(list, block)) BuildDefaultLayerList(list);
}

}  // namespace zu
