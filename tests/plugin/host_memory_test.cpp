// The host allocator slots.
#include "host/host_memory.h"
#include "hostsim/hooks/test_allocator.h"
#include "support/host_memory_test.h"

namespace {

TEST(HostMemory, WithoutARecordedAllocatorEveryAllocationFails) {
  SetHostAllocator(nullptr, nullptr);
  hostsim::hooks::TestAllocator memory;
  EXPECT_EQ(HostAllocate(16), nullptr);
  EXPECT_EQ(HostAllocateArray(2, 8), nullptr);
  int local = 0;
  HostRelease(&local);  // no release recorded: nothing is called
  EXPECT_EQ(memory.AllocationCount(), 0u);
  EXPECT_EQ(memory.BadFreeCount(), 0u);
}

using HostMemoryWrapperTest = HostMemoryTest;

TEST_F(HostMemoryWrapperTest, ReleasingNoneNeverReachesTheHost) {
  HostRelease(nullptr);
  EXPECT_EQ(memory.BadFreeCount(), 0u);
  void* block = HostAllocate(10);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(memory.BlockSize(block), 10);
  HostRelease(block);
}

TEST_F(HostMemoryWrapperTest, ArraysWhoseSizeOverflowsAreRefusedBeforeTheHostIsAsked) {
  EXPECT_EQ(HostAllocateArray(0x80000000u, 2), nullptr);
  EXPECT_EQ(HostAllocateArray(0xFFFFFFFFu, 0xFFFFFFFFu), nullptr);
  EXPECT_EQ(memory.AllocationCount(), 0u);
  void* fits = HostAllocateArray(3, 36);
  EXPECT_EQ(memory.BlockSize(fits), 108);
  HostRelease(fits);
}

}  // namespace
