// The host allocator keeps honest accounts, since every leak check relies on it, and each
// allocator's functions reach that allocator alone.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <vector>

#include "hostsim/hooks/test_allocator.h"
#include "hostsim/host_allocator.h"

namespace {

TEST(HostAllocator, CountsLiveBlocksAndCatchesBadReleases) {
  hostsim::HostAllocator allocator;
  const hostsim::AllocatorPair host = allocator.functions();
  void* a = host.allocate(10);
  void* b = host.allocate(0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(allocator.LiveBlockCount(), 2u);
  EXPECT_EQ(allocator.LiveByteCount(), 10u);
  EXPECT_EQ(allocator.BlockSize(a), 10);

  host.release(a);
  host.release(a);  // double release
  int foreign = 0;
  host.release(&foreign);  // never handed out
  host.release(nullptr);
  EXPECT_EQ(allocator.BadReleaseCount(), 3u);
  EXPECT_EQ(allocator.LiveBlockCount(), 1u);
  EXPECT_EQ(allocator.BlockSize(a), -1);
}

TEST(HostAllocator, EachPairReachesItsOwnAllocatorAndAGoneOneRefuses) {
  std::optional<hostsim::HostAllocator> first(std::in_place);
  hostsim::HostAllocator second;
  const hostsim::AllocatorPair one = first->functions(), two = second.functions();
  ASSERT_NE(one.allocate, two.allocate);
  void* block = one.allocate(8);
  two.release(block);
  EXPECT_EQ(second.BadReleaseCount(), 1u) << "a block of the first is none of the second's";
  EXPECT_EQ(first->LiveBlockCount(), 1u);
  one.release(block);
  EXPECT_EQ(first->LiveBlockCount(), 0u);

  first.reset();
  EXPECT_EQ(one.allocate(8), nullptr) << "the pair of an allocator that is gone allocates nothing";
  one.release(&block);  // and releases nothing, harmlessly
  EXPECT_EQ(second.LiveBlockCount(), 0u);
}

TEST(HostAllocator, MoreAllocatorsThanSlotsIsAClearError) {
  std::vector<std::optional<hostsim::HostAllocator>> allocators(hostsim::kCallbackSlots + 1);
  std::size_t made = 0;
  try {
    for (auto& allocator : allocators) {
      allocator.emplace();
      ++made;
    }
    FAIL() << "all " << made << " allocators were made";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("host allocators"), std::string::npos) << error.what();
  }
  EXPECT_LE(made, hostsim::kCallbackSlots);
}

TEST(AllocationGate, RefusesChosenRequests) {
  hostsim::hooks::TestAllocator memory;
  const hostsim::AllocatorPair host = memory.functions();
  memory.FailAllocationNumber(2);
  void* first = host.allocate(4);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(host.allocate(4), nullptr);
  void* third = host.allocate(4);
  EXPECT_NE(third, nullptr);
  memory.FailAllocationsFrom(4);
  EXPECT_EQ(host.allocate(4), nullptr);
  EXPECT_EQ(host.allocate(4), nullptr);
  EXPECT_EQ(memory.AllocationCount(), 5u);
  EXPECT_EQ(memory.LiveBlockCount(), 2u);

  memory.Reset();
  EXPECT_EQ(memory.LiveBlockCount(), 0u) << "a reset gives every block back";
  EXPECT_EQ(memory.AllocationCount(), 0u);
  void* again = host.allocate(4);
  EXPECT_NE(again, nullptr) << "the pair stays valid across a reset, without refusals";
  host.release(again);
  EXPECT_EQ(memory.BadFreeCount(), 0u);
}

}  // namespace
