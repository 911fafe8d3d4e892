// Base fixture for tests of code that allocates through the host: records a fresh test
// allocator's pair and, after every test, checks that no host block is left live.
#pragma once

#include <gtest/gtest.h>

#include "host/host_memory.h"
#include "hostsim/hooks/test_allocator.h"

class HostMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const hostsim::AllocatorPair pair = memory.functions();
    SetHostAllocator(pair.allocate, pair.release);
  }
  void TearDown() override {
    EXPECT_EQ(memory.LiveBlockCount(), 0u) << "host blocks left live";
    EXPECT_EQ(memory.BadFreeCount(), 0u) << "releases of blocks the host did not hand out";
    SetHostAllocator(nullptr, nullptr);
  }

  hostsim::hooks::TestAllocator memory;
};
