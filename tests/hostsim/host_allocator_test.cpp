// The substitute host's allocator keeps honest accounts, since every leak check relies on it.
#include <gtest/gtest.h>

#include "hostsim/host_allocator.h"

namespace {

TEST(HostSimAllocator, CountsLiveBlocksAndCatchesBadReleases) {
  hostsim::ResetAllocator();
  void* a = hostsim::HostSimAlloc(10);
  void* b = hostsim::HostSimAlloc(0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_EQ(hostsim::LiveBlockCount(), 2u);
  EXPECT_EQ(hostsim::LiveByteCount(), 10u);
  EXPECT_EQ(hostsim::BlockSize(a), 10);

  hostsim::HostSimFree(a);
  hostsim::HostSimFree(a);        // double release
  int foreign = 0;
  hostsim::HostSimFree(&foreign);  // never handed out
  hostsim::HostSimFree(nullptr);
  EXPECT_EQ(hostsim::BadFreeCount(), 3u);
  EXPECT_EQ(hostsim::LiveBlockCount(), 1u);
  EXPECT_EQ(hostsim::BlockSize(a), -1);
  hostsim::ResetAllocator();
  EXPECT_EQ(hostsim::LiveBlockCount(), 0u);
  EXPECT_EQ(hostsim::BadFreeCount(), 0u);
}

TEST(HostSimAllocator, FailsChosenRequests) {
  hostsim::ResetAllocator();
  hostsim::FailAllocationNumber(2);
  void* first = hostsim::HostSimAlloc(4);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(hostsim::HostSimAlloc(4), nullptr);
  void* third = hostsim::HostSimAlloc(4);
  EXPECT_NE(third, nullptr);
  hostsim::FailAllocationsFrom(4);
  EXPECT_EQ(hostsim::HostSimAlloc(4), nullptr);
  EXPECT_EQ(hostsim::HostSimAlloc(4), nullptr);
  EXPECT_EQ(hostsim::AllocationCount(), 5u);
  EXPECT_EQ(hostsim::LiveBlockCount(), 2u);
  hostsim::ResetAllocator();
}

}  // namespace
