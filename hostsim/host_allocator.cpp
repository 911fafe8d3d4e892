#include "hostsim/host_allocator.h"

#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace hostsim {
namespace {

// New blocks and released ones are filled with patterns, so reads of memory the plug-in never
// wrote, or no longer owns, show up as odd values in tests.
constexpr unsigned char kFreshByte = 0xCD;
constexpr unsigned char kReleasedByte = 0xDD;

struct AllocatorState {
  std::unordered_map<void*, std::uint32_t> live;
  std::size_t liveBytes = 0;
  std::uint32_t requests = 0;
  std::size_t badFrees = 0;
  std::uint32_t failNumber = 0;
  std::uint32_t failFrom = 0;
};

// Never destroyed: the plug-in may give blocks back while the process shuts down.
AllocatorState& State() {
  static AllocatorState* state = new AllocatorState;
  return *state;
}

}  // namespace

void* ZU_ABI HostSimAlloc(std::uint32_t byteCount) {
  AllocatorState& s = State();
  const std::uint32_t number = ++s.requests;
  if (number == s.failNumber || (s.failFrom != 0 && number >= s.failFrom)) return nullptr;
  void* block = std::malloc(byteCount == 0 ? 1 : byteCount);
  if (block == nullptr) return nullptr;
  std::memset(block, kFreshByte, byteCount);
  s.live.emplace(block, byteCount);
  s.liveBytes += byteCount;
  return block;
}

void ZU_ABI HostSimFree(void* block) {
  AllocatorState& s = State();
  auto it = s.live.find(block);
  if (it == s.live.end()) {
    ++s.badFrees;  // not ours or already released: counted, never passed to free
    return;
  }
  std::memset(block, kReleasedByte, it->second);
  s.liveBytes -= it->second;
  s.live.erase(it);
  std::free(block);
}

void ResetAllocator() {
  AllocatorState& s = State();
  for (auto& [block, size] : s.live) std::free(block);
  s = AllocatorState{};
}

std::size_t LiveBlockCount() { return State().live.size(); }
std::size_t LiveByteCount() { return State().liveBytes; }
std::uint32_t AllocationCount() { return State().requests; }
std::size_t BadFreeCount() { return State().badFrees; }

std::vector<const void*> LiveBlocks() {
  std::vector<const void*> blocks;
  for (const auto& entry : State().live) blocks.push_back(entry.first);
  return blocks;
}

const void* FindLiveString(const std::string& text) {
  for (const auto& [block, size] : State().live)
    if (size == text.size() + 1 && std::memcmp(block, text.c_str(), size) == 0) return block;
  return nullptr;
}

std::int64_t BlockSize(const void* block) {
  const auto& live = State().live;
  auto it = live.find(const_cast<void*>(block));
  return it == live.end() ? -1 : std::int64_t{it->second};
}

void FailAllocationNumber(std::uint32_t n) { State().failNumber = n; }
void FailAllocationsFrom(std::uint32_t n) { State().failFrom = n; }

}  // namespace hostsim
