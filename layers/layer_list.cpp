#include "layers/layer_list.h"

#include <cstring>
#include <limits>

#include "host/host_memory.h"
#include "layers/host_string.h"
#include "layers/layer_kind_table.h"

namespace zu {

namespace {
constexpr std::int32_t kMinimumCapacity = 16;
}

const char* SetBaseName(LayerList& list, const char* text) {
  HostRelease(list.baseName);
  list.baseName = CopyHostString(text);
  return list.baseName;
}

void ClearLayerList(LayerList& list) {
  if (list.items != nullptr) {
    for (std::int32_t i = 0; i < list.count; ++i) ReleaseLayerName(list.items[i]);
    HostRelease(list.items);
    list.items = nullptr;
  }
  list.capacity = 0;
  list.count = 0;
  list.nextId = 1;
  HostRelease(list.baseName);
  list.baseName = nullptr;
}

bool ReserveLayers(LayerList& list, std::int32_t n) {
  if (n == 0) {
    ClearLayerList(list);
    return true;
  }
  if (n < kMinimumCapacity) n = kMinimumCapacity;
  auto* items = static_cast<LayerRecord*>(
      HostAllocateArray(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(sizeof(LayerRecord))));
  if (items == nullptr) return false;
  if (list.items != nullptr) {
    std::memcpy(items, list.items, sizeof(LayerRecord) * static_cast<std::size_t>(list.count));
    HostRelease(list.items);
  }
  list.items = items;
  list.capacity = n;
  return true;
}

LayerRecord* AppendLayer(LayerList& list, const LayerKindRow* row) {
  if (list.capacity < list.count + 1) {
    // Doubling past the 32-bit range is a request no host can meet: fail like a refused allocation.
    const std::int64_t wanted = (std::int64_t{list.count} + 1) * 2;
    if (wanted > std::numeric_limits<std::int32_t>::max()) return nullptr;
    if (!ReserveLayers(list, static_cast<std::int32_t>(wanted))) return nullptr;
  }
  LayerRecord& record = list.items[list.count++];
  InitLayerFromKind(record, row);
  record.id = list.nextId++;
  return &record;
}

void RemoveLayerById(LayerList& list, std::int32_t id) {
  const std::int32_t i = IndexOfLayerId(list, id);
  if (i < 0) return;
  ReleaseLayerName(list.items[i]);
  if (i < list.count - 1)
    std::memmove(&list.items[i], &list.items[i + 1], sizeof(LayerRecord) * static_cast<std::size_t>(list.count - 1 - i));
  --list.count;
}

std::int32_t IndexOfLayerId(const LayerList& list, std::int32_t id) {
  if (id <= 0 || list.items == nullptr) return -1;
  for (std::int32_t i = 0; i < list.count; ++i)
    if (list.items[i].id == id) return i;
  return -1;
}

LayerRecord* FindLayerById(LayerList& list, std::int32_t id) {
  const std::int32_t i = IndexOfLayerId(list, id);
  return i < 0 ? nullptr : &list.items[i];
}

const LayerRecord* FindEnabledLayerOfKind(const LayerList& list, std::int32_t kind) {
  for (std::int32_t i = 0; i < list.count; ++i) {
    const LayerRecord& record = list.items[i];
    if (record.kind == kind && (record.flags & kLayerOff) == 0) return &record;
  }
  return nullptr;
}

std::int32_t RenumberLayers(LayerList& list) {
  for (std::int32_t i = 0; i < list.count; ++i) list.items[i].id = i + 1;
  list.nextId = list.count + 1;
  return list.nextId;
}

void BuildDefaultLayerList(LayerList& list) {
  ClearLayerList(list);
  for (std::int32_t kind : kDefaultLayerKinds) {
    const LayerKindRow* row = FindKindRow(kind);
    if (row != nullptr) AppendLayer(list, row);  // a refused append leaves the list as it was
  }
}

}  // namespace zu
