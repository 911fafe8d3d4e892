#include "layers/layer_record.h"

#include "host/host_memory.h"
#include "layers/host_string.h"
#include "layers/layer_kind_table.h"

namespace zu {

void InitLayerFromKind(LayerRecord& record, const LayerKindRow* row) {
  record.id = 0;
  record.option1 = 0;
  record.option2 = 0;
  record.option3 = 0;
  record.hostLayerId = 0;  // no layer of the host yet: declaration assigns the real id
  if (row == nullptr) {
    record.name = nullptr;
    record.blendMode = 0;
    record.flags = 0;
    record.kind = kNoKind;
    return;
  }
  record.name = CopyHostString(row->name);
  record.kind = row->kind;
  record.flags = row->flags;
  record.blendMode = row->blendMode;
  if (row->kind == kShadows || row->kind == kAmbientGI) record.option1 = 1;
  if (row->kind == kMaskOf) record.option1 = 32;  // mask value handed to the host at declaration
}

void ReleaseLayerName(LayerRecord& record) {
  HostRelease(record.name);
  record.name = nullptr;
}

const char* SetLayerName(LayerRecord& record, const char* text) {
  ReleaseLayerName(record);
  record.name = CopyHostString(text);
  return record.name;
}

void SetLayerFlags(LayerRecord& record, std::uint32_t bits, bool on) {
  record.flags = on ? (record.flags | bits) : (record.flags & ~bits);
}

int CompareLayerIds(const LayerRecord& a, const LayerRecord& b) { return (a.id > b.id) - (a.id < b.id); }

}  // namespace zu
