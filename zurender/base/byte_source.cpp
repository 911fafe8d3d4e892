#include "zurender/base/byte_source.h"

#include <cstring>
#include <utility>

#include "zurender/base/byte_order.h"
#include "zurender/base/file_reading.h"

namespace zurender {
namespace {

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  bool ReadAt(std::uint64_t offset, void* out, std::size_t count) override {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    if (count != 0) std::memcpy(out, bytes_.data() + offset, count);
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

class FileSource final : public ByteSource {
 public:
  explicit FileSource(ReadableFile file) : file_(std::move(file)) {}
  std::uint64_t size() const override { return file_.size(); }
  bool ReadAt(std::uint64_t offset, void* out, std::size_t count) override {
    if (offset > file_.size() || count > file_.size() - offset) return false;
    return count == 0 || file_.ReadAt(offset, out, count);
  }

 private:
  ReadableFile file_;
};

// One read into memory stays well inside a 32-bit address space.
constexpr std::uint64_t kMaxBlock = std::uint64_t(1) << 30;

}  // namespace

Result<std::unique_ptr<ByteSource>> ByteSource::OpenFile(const std::string& path, std::uint64_t maxBytes) {
  Result<ReadableFile> file = ReadableFile::Open(path, maxBytes);
  if (!file.ok()) return Status::Error("cannot read " + path + ": " + file.message());
  return std::unique_ptr<ByteSource>(new FileSource(std::move(file.value())));
}

std::unique_ptr<ByteSource> ByteSource::FromMemory(std::span<const std::uint8_t> bytes) {
  return std::make_unique<MemorySource>(bytes);
}

void Cursor::Fail(const std::string& why) {
  if (error_.empty()) error_ = why;
  position_ = end_;
}

bool Cursor::Read(void* out, std::size_t count) {
  if (!ok()) return false;
  if (count > left() || !source_->ReadAt(position_, out, count)) {
    Fail("the data ends early (at byte " + std::to_string(position_) + ")");
    return false;
  }
  position_ += count;
  return true;
}

std::uint8_t Cursor::U8() {
  std::uint8_t b = 0;
  return Read(&b, 1) ? b : 0;
}
std::uint16_t Cursor::U16() {
  std::uint8_t b[2];
  return Read(b, 2) ? GetU16(b) : 0;
}
std::uint32_t Cursor::U32() {
  std::uint8_t b[4];
  return Read(b, 4) ? GetU32(b) : 0;
}

void Cursor::Bytes(std::uint64_t count, std::vector<std::uint8_t>& out) {
  if (!ok()) return;
  if (count > left() || count > kMaxBlock) {
    Fail("the data ends early (at byte " + std::to_string(position_) + ")");
    return;
  }
  const std::size_t start = out.size();
  out.resize(start + std::size_t(count));
  if (!Read(out.data() + start, std::size_t(count))) out.resize(start);
}

void Cursor::Skip(std::uint64_t count) {
  if (!ok()) return;
  if (count > left()) {
    Fail("the data ends early (at byte " + std::to_string(position_) + ")");
    return;
  }
  position_ += count;
}

Cursor Cursor::Take(std::uint64_t count) {
  Cursor part(*source_, position_, position_);
  if (!ok() || count > left()) {
    Fail("a section passes the end of its data (at byte " + std::to_string(position_) + ")");
    part.Fail(error_);
    return part;
  }
  part.end_ = position_ + count;
  position_ += count;
  return part;
}

}  // namespace zurender
