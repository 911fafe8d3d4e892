// The stored form of a layer list as the host keeps it, built and read independently of the
// plug-in's own writer and reader, so tests state and check the bytes themselves.
//
// Layout, all integers big-endian: 'LYER', the base name as a length byte and that many
// characters, the layer count, then per layer kind, flags, blend mode, option1, option2,
// option3 as 32-bit words and the name like the base name.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/stored_block.h"

namespace hostsim {

struct StoredLayer {
  std::int32_t kind = 0;
  std::uint32_t flags = 0;
  std::int32_t blendMode = 0;
  std::int32_t option1 = 0;
  std::int32_t option2 = 0;
  std::int32_t option3 = 0;
  std::string name;
};

struct StoredList {
  std::string baseName;
  std::vector<StoredLayer> layers;
};

// Builds stored bytes piece by piece; nothing is checked, so malformed lists can be stated too.
class StoredListBuilder {
 public:
  StoredListBuilder& Word(std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(std::uint8_t(word >> shift));
    return *this;
  }
  // A length byte and the characters; the length byte is the text's length modulo 256.
  StoredListBuilder& Short(const std::string& text) {
    bytes_.push_back(std::uint8_t(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  // Any bytes as they are.
  StoredListBuilder& Bytes(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  // Magic, base name and count.
  StoredListBuilder& Header(const std::string& baseName, std::uint32_t count) {
    return Word(0x4C594552u /* 'LYER', spelt here as the form is */).Short(baseName).Word(count);
  }
  StoredListBuilder& Entry(std::int32_t kind, std::uint32_t flags, std::int32_t blendMode, std::int32_t option1,
                           std::int32_t option2, std::int32_t option3, const std::string& name) {
    for (std::uint32_t word : {std::uint32_t(kind), flags, std::uint32_t(blendMode), std::uint32_t(option1),
                               std::uint32_t(option2), std::uint32_t(option3)})
      Word(word);
    return Short(name);
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  // The bytes at the start of a zeroed block as the host keeps stored lists (kStoredBlockBytes),
  // or as large as the bytes where they are larger.
  std::vector<std::uint8_t> InHostBlock() const {
    std::vector<std::uint8_t> block(std::max(bytes_.size(), kStoredBlockBytes), 0);
    std::copy(bytes_.begin(), bytes_.end(), block.begin());
    return block;
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

// A well-formed stored list; names longer than 255 characters are cut.
std::vector<std::uint8_t> EncodeStoredList(const std::string& baseName, const std::vector<StoredLayer>& layers);

// The list, or none when the bytes are not exactly one stored list: wrong magic, a negative
// count, too few bytes, or bytes left over.
std::optional<StoredList> DecodeStoredList(const std::uint8_t* bytes, std::size_t size);

}  // namespace hostsim
