// Base fixture for tests of code that allocates through the host: records the substitute
// host's allocator and, after every test, checks that no host block is left live.
#pragma once

#include <gtest/gtest.h>

#include "host/host_memory.h"
#include "hostsim/host_allocator.h"

class HostMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetAllocator();
    SetHostAllocator(&hostsim::HostSimAlloc, &hostsim::HostSimFree);
  }
  void TearDown() override {
    EXPECT_EQ(hostsim::LiveBlockCount(), 0u) << "host blocks left live";
    EXPECT_EQ(hostsim::BadFreeCount(), 0u) << "releases of blocks the host did not hand out";
    SetHostAllocator(nullptr, nullptr);
    hostsim::ResetAllocator();
  }
};
