// Builds stored layer lists byte by byte, independently of the plug-in's writer, so that tests
// state the stored form itself: big-endian words and length-prefixed names.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class StoredListBytes {
 public:
  StoredListBytes& Word(std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(std::uint8_t(word >> shift));
    return *this;
  }
  // A length byte and the characters; the length is taken as given, not checked.
  StoredListBytes& Short(const std::string& text) {
    bytes_.push_back(std::uint8_t(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  // Magic, base name and count.
  StoredListBytes& Header(const std::string& baseName, std::uint32_t count) {
    return Word(0x4C594552u).Short(baseName).Word(count);
  }
  StoredListBytes& Entry(std::int32_t kind, std::uint32_t flags, std::int32_t blendMode, std::int32_t option1,
                         std::int32_t option2, std::int32_t option3, const std::string& name) {
    for (std::uint32_t word : {std::uint32_t(kind), flags, std::uint32_t(blendMode), std::uint32_t(option1),
                               std::uint32_t(option2), std::uint32_t(option3)})
      Word(word);
    return Short(name);
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  // The bytes at the start of a zeroed block of at least 1 MiB, as the host keeps stored lists.
  std::vector<std::uint8_t> InHostBlock() const {
    std::vector<std::uint8_t> block(std::max<std::size_t>(bytes_.size(), 0x100000), 0);
    std::copy(bytes_.begin(), bytes_.end(), block.begin());
    return block;
  }

 private:
  std::vector<std::uint8_t> bytes_;
};
