// Shared helpers for the stored list tests: a list that is cleared after each test, and the
// round trips through the writer and the reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/host_memory.h"
#include "layers/layer_kind_table.h"
#include "layers/layer_list.h"
#include "persist/layer_list_writer.h"
#include "persist/stored_list.h"
#include "support/host_memory_test.h"
#include "hostsim/stored_list_form.h"

class StoredListTest : public HostMemoryTest {
 protected:
  void TearDown() override {
    zu::ClearLayerList(list);
    HostMemoryTest::TearDown();
  }

  zu::LayerRecord& Append(std::int32_t kind, const char* name) {
    zu::LayerRecord* record = zu::AppendLayer(list, zu::FindKindRow(kind));
    EXPECT_NE(record, nullptr);
    zu::SetLayerName(*record, name);
    return *record;
  }

  // The writer's output, copied out of the host block, which is released.
  std::vector<std::uint8_t> Serialize(const zu::LayerList& from) const {
    std::uint8_t* block = nullptr;
    const std::int32_t size = zu::SerializeLayerList(from, &block);
    EXPECT_NE(block, nullptr);
    if (block == nullptr) return {};
    EXPECT_EQ(memory.BlockSize(block), size) << "the block is exactly as large as the list";
    std::vector<std::uint8_t> bytes(block, block + size);
    HostRelease(block);
    return bytes;
  }

  // Loads bytes, placed at the start of a block as the host keeps stored lists, into the list.
  bool Load(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> block = hostsim::StoredListBuilder().Bytes(bytes).InHostBlock();
    return zu::LoadLayerListFromBlock(list, block.data());
  }

  static std::string Names(const zu::LayerList& from) {
    std::string names;
    for (std::int32_t i = 0; i < from.count; ++i)
      names += std::string(i ? "," : "") + (from.items[i].name ? from.items[i].name : "(none)");
    return names;
  }

  static constexpr const char* kDefaultNames = "Luminance,Shadows,Reflections,RT Refractions,Specular,Diffuse Pack";

  zu::LayerList list = zu::EmptyLayerList();
};
