// libFuzzer target for the stored-list reader, fed the way ZUShaderInitialize is: the input sits
// at the start of a 1 MiB host block, so a read past the reader's bound runs off the end of the
// heap block and the sanitizer reports it. The rest of the block is 0xFF: a count that claims
// more than the input holds then meets 280-byte entries and reaches the bound after a few
// thousand, where zeros would make every such input a 40,000-layer list and slow the run tenfold.
//
// For every input: load it (or fall back to the defaults), check the list's invariants, save and
// load it twice more and check that it has settled, then clear everything and check that no host
// block is left. The same input then runs once more with one allocation refused, chosen by the
// input's length, so that refusals reach every stage of the load. Any breach aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/host_memory.h"
#include "hostsim/hooks/test_allocator.h"
#include "layers/layer_list.h"
#include "persist/layer_list_writer.h"
#include "persist/stored_list.h"
#include "persist/stored_list_format.h"

namespace {

using namespace zu;

constexpr std::size_t kHostBlockSize = kStoredListReadLimit;

// The refused allocation cycles through the first eight with the input's length: the base name,
// the item array and the first names of a load, or the default list that replaces it.
constexpr std::size_t kRefusalCycle = 8;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "stored-list fuzzer: %s\n", what);
  std::abort();
}

constexpr std::uint8_t kFillByte = 0xFF;

// The block the host keeps the stored list in; only the bytes the last input wrote are dirty.
class HostBlock {
 public:
  HostBlock() : bytes_(new std::uint8_t[kHostBlockSize]) { std::memset(bytes_, kFillByte, kHostBlockSize); }
  void Place(const std::uint8_t* data, std::size_t size) {
    std::memset(bytes_, kFillByte, dirty_);
    dirty_ = size < kHostBlockSize ? size : kHostBlockSize;
    if (dirty_ > 0) std::memcpy(bytes_, data, dirty_);
  }
  std::uint32_t address() const { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bytes_)); }

 private:
  std::uint8_t* bytes_;  // kept for the life of the process, as the host keeps its blocks
  std::size_t dirty_ = 0;
};

HostBlock& Block() {
  static HostBlock* block = new HostBlock;
  return *block;
}

void CheckInvariants(const LayerList& list) {
  Require(list.count >= 0 && list.count <= list.capacity, "count outside 0..capacity");
  Require(list.count == 0 || list.items != nullptr, "records without an item array");
  Require(list.nextId == list.count + 1, "nextId is not count + 1");
  for (std::int32_t i = 0; i < list.count; ++i) {
    Require(list.items[i].id == i + 1, "ids are not 1 to count in list order");
    // A loaded name is at most 255 characters; reading it to its end also lets the sanitizer
    // catch a missing terminator.
    if (list.items[i].name != nullptr) Require(std::strlen(list.items[i].name) <= 255, "name longer than stored");
  }
  if (list.baseName != nullptr) Require(std::strlen(list.baseName) <= 255, "base name longer than stored");
}

// The list's stored form, or empty when the host refused the block.
std::vector<std::uint8_t> Save(const LayerList& list) {
  std::uint8_t* block = nullptr;
  const std::int32_t size = SerializeLayerList(list, &block);
  if (block == nullptr) return {};
  std::vector<std::uint8_t> bytes(block, block + size);
  HostRelease(block);
  return bytes;
}

// Saving and loading a loaded list settles after one trip: empty names come back as " " and
// long ones cut to 64 characters, and from then on a trip changes nothing.
void CheckTrips(const LayerList& loaded) {
  const std::vector<std::uint8_t> first = Save(loaded);
  Require(!first.empty(), "the host refused no block, yet nothing was saved");
  if (first.size() > kHostBlockSize) return;  // more than the reader may look at, by design
  Block().Place(first.data(), first.size());
  LayerList once = EmptyLayerList();
  Require(LoadLayerListFromBlock(once, reinterpret_cast<const std::uint8_t*>(Block().address())),
          "a saved list does not load");
  const std::vector<std::uint8_t> second = Save(once);
  Block().Place(second.data(), second.size());
  LayerList twice = EmptyLayerList();
  Require(LoadLayerListFromBlock(twice, reinterpret_cast<const std::uint8_t*>(Block().address())),
          "a saved list does not load");
  Require(Save(twice) == second, "a list changed on its second trip");
  ClearLayerList(once);
  ClearLayerList(twice);
}

void LoadAndRelease(const std::uint8_t* data, std::size_t size, std::uint32_t refusedAllocation) {
  // A host allocator of its own for each run, so that each input frees what it took, the
  // allocator's bookkeeping included, and the fuzzer's leak check stays quiet.
  hostsim::hooks::TestAllocator memory;
  const hostsim::AllocatorPair host = memory.functions();
  SetHostAllocator(host.allocate, host.release);
  memory.FailAllocationNumber(refusedAllocation);
  Block().Place(data, size);
  LayerList list = EmptyLayerList();
  LoadLayerListOrDefault(list, Block().address());
  CheckInvariants(list);
  if (refusedAllocation == 0) CheckTrips(list);
  ClearLayerList(list);
  Require(list.items == nullptr && list.baseName == nullptr && list.count == 0, "the list is not cleared");
  Require(memory.LiveBlockCount() == 0, "host blocks left live");
  Require(memory.BadFreeCount() == 0, "a block released twice or not the host's");
  SetHostAllocator(nullptr, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LoadAndRelease(data, size, 0);
  LoadAndRelease(data, size, static_cast<std::uint32_t>(1 + size % kRefusalCycle));
  return 0;
}
