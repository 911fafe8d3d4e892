#include "hostsim/hooks/live_blocks.h"

#include <cstring>

namespace hostsim::hooks {

std::vector<const void*> LiveBlocks(const HostAllocator& allocator) {
  std::vector<const void*> blocks;
  allocator.ForEachLiveBlock([&](const void* block, std::uint32_t) { blocks.push_back(block); });
  return blocks;
}

const void* FindLiveString(const HostAllocator& allocator, const std::string& text) {
  const void* found = nullptr;
  allocator.ForEachLiveBlock([&](const void* block, std::uint32_t size) {
    if (size == text.size() + 1 && std::memcmp(block, text.c_str(), size) == 0) found = block;
  });
  return found;
}

}  // namespace hostsim::hooks
