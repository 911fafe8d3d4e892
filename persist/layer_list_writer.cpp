#include "persist/layer_list_writer.h"

#include <cstring>

#include "host/host_memory.h"
#include "layers/layer_list.h"
#include "persist/memory_stream.h"
#include "persist/size_counter.h"
#include "persist/stored_list_format.h"

namespace zu {

std::int32_t SerializeLayerList(const LayerList& list, std::uint8_t** block) {
  *block = nullptr;
  // Count first, so that the block is asked for once with its exact size.
  ByteStream counter = MakeSizeCounter();
  if (!WriteLayerList(list, counter)) return 0;
  const std::int32_t size = counter.byteCount;
  auto* bytes = static_cast<std::uint8_t*>(HostAllocate(static_cast<std::uint32_t>(size)));
  if (bytes == nullptr) return 0;
  ByteStream writer = MakeMemoryStream(bytes, size);
  // The two passes run the same routine over the same list, so the writer ends exactly at the
  // end; anything else would hand the host a block with unwritten bytes.
  if (!WriteLayerList(list, writer) || writer.cursor != writer.end) {
    HostRelease(bytes);
    return 0;
  }
  *block = bytes;
  return size;
}

bool WriteLayerList(const LayerList& list, ByteStream& stream) {
  WriteSwapped(stream, &kStoredListMagic, 4);
  WriteShortString(list.baseName, stream);
  WriteSwapped(stream, &list.count, 4);
  // Layers that are off are stored too: only rendering drops them.
  for (std::int32_t i = 0; i < list.count; ++i)
    if (!WriteLayerEntry(list.items[i], stream)) break;
  return stream.error == 0;
}

bool WriteLayerEntry(const LayerRecord& record, ByteStream& stream) {
  WriteSwapped(stream, &record.kind, 4);
  WriteSwapped(stream, &record.flags, 4);
  WriteSwapped(stream, &record.blendMode, 4);
  WriteSwapped(stream, &record.option1, 4);
  WriteSwapped(stream, &record.option2, 4);
  WriteSwapped(stream, &record.option3, 4);
  WriteShortString(record.name, stream);
  return stream.error == 0;
}

void WriteShortString(const char* text, ByteStream& stream) {
  std::uint8_t length = 0;
  if (text != nullptr) {
    const std::size_t limit = kStoredNameLimit;
    const std::size_t full = std::strlen(text);
    length = static_cast<std::uint8_t>(full < limit ? full : limit);
  }
  WriteRaw(stream, &length, 1);
  if (length > 0) WriteRaw(stream, text, length);
}

}  // namespace zu
