#include "persist/layer_list_reader.h"

#include "host/host_memory.h"
#include "layers/host_string.h"
#include "layers/layer_list.h"
#include "persist/stored_list_format.h"

namespace zu {

bool ReadLayerList(LayerList& list, ByteStream& stream) {
  ClearLayerList(list);
  std::uint32_t magic = 0;
  ReadSwapped(stream, &magic, 4);
  if (stream.error != 0 || magic != kStoredListMagic) return false;
  list.baseName = ReadShortString(stream);
  if (list.baseName == nullptr) return false;
  std::int32_t count = -1;
  ReadSwapped(stream, &count, 4);
  if (stream.error != 0 || count < 0) return false;
  // A count the rest of the stream cannot hold would fail at the bound anyway; refusing it here
  // keeps a corrupt word from asking the host for gigabytes first.
  if (count > Remaining(stream) / kStoredEntryMinimumSize) return false;
  // No room for the records means no list: the default list takes its place. An empty stored
  // list releases the base name too.
  if (!ReserveLayers(list, count)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    LayerRecord* record = AppendLayer(list, nullptr);
    if (record == nullptr || !ReadLayerEntry(*record, stream)) return false;
  }
  RenumberLayers(list);
  return true;
}

bool ReadLayerEntry(LayerRecord& record, ByteStream& stream) {
  ReleaseLayerName(record);
  record.id = 0;
  // Stored values are taken as they are: ranges are the renderer's business.
  ReadSwapped(stream, &record.kind, 4);
  ReadSwapped(stream, &record.flags, 4);
  ReadSwapped(stream, &record.blendMode, 4);
  ReadSwapped(stream, &record.option1, 4);
  ReadSwapped(stream, &record.option2, 4);
  ReadSwapped(stream, &record.option3, 4);
  record.name = ReadShortString(stream);
  return stream.error == 0 && record.name != nullptr;
}

char* ReadShortString(ByteStream& stream) {
  std::uint8_t length = 0;
  ReadSwapped(stream, &length, 1);
  if (stream.error != 0) return nullptr;
  // An empty stored text loads as one space, which is what lists saved so far expect back.
  if (length == 0) return CopyHostString(" ");
  auto* text = static_cast<char*>(HostAllocate(length + 1u));
  if (text == nullptr) return nullptr;
  ReadRaw(stream, text, length);
  if (stream.error != 0) {
    HostRelease(text);
    return nullptr;
  }
  text[length] = '\0';
  return text;
}

}  // namespace zu
