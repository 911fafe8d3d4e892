#include "persist/save_layer_list.h"

#include "host/host_memory.h"
#include "host/stored_block_descriptor.h"
#include "persist/layer_list_writer.h"

namespace zu {

void SaveLayerListToHost(const LayerList& list, std::uint32_t dialog, HostSetInfoFn setInfo) {
  if (setInfo == nullptr) return;  // a host without the service keeps nothing
  std::uint8_t* block = nullptr;
  const std::int32_t size = SerializeLayerList(list, &block);
  // Without a block the host keeps what it had: handing it a size with no data would lose that.
  if (block == nullptr) return;
  StoredBlockDescriptor descriptor{size, block, kMemoType};
  setInfo(dialog, kSetInfoCode, kStoredListItem, &descriptor);
  HostRelease(block);  // the host copied what it keeps during the call
}

}  // namespace zu
