#include "hostsim/host_allocator.h"

#include <cstdlib>
#include <cstring>

namespace hostsim {
namespace {

// New blocks and released ones are filled with patterns, so that reads of memory the plug-in
// never wrote, or no longer owns, show up as odd values.
constexpr unsigned char kFreshByte = 0xCD;
constexpr unsigned char kReleasedByte = 0xDD;

}  // namespace

HostAllocator::HostAllocator() = default;

HostAllocator::~HostAllocator() {
  for (auto& [block, size] : live_) std::free(block);
}

void* HostAllocator::Allocate(std::uint32_t byteCount) {
  void* block = std::malloc(byteCount == 0 ? 1 : byteCount);
  if (block == nullptr) return nullptr;
  std::memset(block, kFreshByte, byteCount);
  live_.emplace(block, byteCount);
  liveBytes_ += byteCount;
  return block;
}

void HostAllocator::Release(void* block) {
  auto it = live_.find(block);
  if (it == live_.end()) {
    ++badReleases_;  // never passed to free: the heap stays sound whatever the plug-in does
    return;
  }
  std::memset(block, kReleasedByte, it->second);
  liveBytes_ -= it->second;
  live_.erase(it);
  std::free(block);
}

std::int64_t HostAllocator::BlockSize(const void* block) const {
  auto it = live_.find(const_cast<void*>(block));
  return it == live_.end() ? -1 : std::int64_t{it->second};
}

void HostAllocator::ForEachLiveBlock(const std::function<void(const void*, std::uint32_t)>& visit) const {
  for (const auto& [block, size] : live_) visit(block, size);
}

}  // namespace hostsim
