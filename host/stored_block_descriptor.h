// What the plug-in hands to HostSetInfo with item 4: the serialized layer list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/abi.h"

struct StoredBlockDescriptor {
  std::int32_t size;         // bytes in the block
  const std::uint8_t* data;  // plug-in's block; the host copies it during the call, then it is released
  std::uint32_t type;        // 'MEMO'
};

// The first word of the stored layer list the block holds.
constexpr std::uint32_t kStoredListMagic = FourCC("LYER");

constexpr std::uint32_t kSetInfoCode = FourCC("SETI");
constexpr std::uint32_t kMemoType = FourCC("MEMO");
constexpr std::int32_t kStoredListItem = 4;  // dialog item whose value returns as ParamBlock::storedList

static_assert(offsetof(StoredBlockDescriptor, size) == 0);
static_assert(offsetof(StoredBlockDescriptor, data) == 4);
static_assert(offsetof(StoredBlockDescriptor, type) == 8);
static_assert(sizeof(StoredBlockDescriptor) == 12);
