#include "hostsim/stored_list_form.h"

namespace hostsim {
namespace {

// Spelt here, not taken from host/: the tests' own statement of the bytes, against the plug-in's.
constexpr std::uint32_t kMagic = 0x4C594552u;  // 'LYER'
constexpr std::size_t kShortTextMax = 255;     // what a name's one length byte can count

class Reader {
 public:
  Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  bool Word(std::uint32_t& word) {
    if (size_ - at_ < 4) return false;
    word = std::uint32_t(bytes_[at_]) << 24 | std::uint32_t(bytes_[at_ + 1]) << 16 |
           std::uint32_t(bytes_[at_ + 2]) << 8 | std::uint32_t(bytes_[at_ + 3]);
    at_ += 4;
    return true;
  }
  bool Signed(std::int32_t& value) {
    std::uint32_t word = 0;
    if (!Word(word)) return false;
    value = std::int32_t(word);
    return true;
  }
  bool Short(std::string& text) {
    if (size_ - at_ < 1) return false;
    const std::size_t length = bytes_[at_++];
    if (size_ - at_ < length) return false;
    text.assign(reinterpret_cast<const char*>(bytes_ + at_), length);
    at_ += length;
    return true;
  }
  bool AtEnd() const { return at_ == size_; }

 private:
  const std::uint8_t* bytes_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<StoredList> DecodeStoredList(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr) return std::nullopt;
  Reader in(bytes, size);
  StoredList list;
  std::uint32_t magic = 0;
  std::int32_t count = 0;
  if (!in.Word(magic) || magic != kMagic || !in.Short(list.baseName) || !in.Signed(count) || count < 0)
    return std::nullopt;
  for (std::int32_t i = 0; i < count; ++i) {
    StoredLayer layer;
    if (!in.Signed(layer.kind) || !in.Word(layer.flags) || !in.Signed(layer.blendMode) || !in.Signed(layer.option1) ||
        !in.Signed(layer.option2) || !in.Signed(layer.option3) || !in.Short(layer.name))
      return std::nullopt;
    list.layers.push_back(layer);
  }
  if (!in.AtEnd()) return std::nullopt;
  return list;
}

std::vector<std::uint8_t> EncodeStoredList(const std::string& baseName, const std::vector<StoredLayer>& layers) {
  StoredListBuilder out;
  out.Header(baseName.substr(0, kShortTextMax), std::uint32_t(layers.size()));
  for (const StoredLayer& layer : layers)
    out.Entry(layer.kind, layer.flags, layer.blendMode, layer.option1, layer.option2, layer.option3,
              layer.name.substr(0, kShortTextMax));
  return out.bytes();
}

}  // namespace hostsim
