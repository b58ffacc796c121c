#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace tamberlin {

// NOR flash as the radio's memories behave: programming can only clear bits,
// only an erase sets them back to 1. Pages never written cost no memory.
class NorMemory {
 public:
  static constexpr size_t kPageSize = 0x10000;

  NorMemory(uint32_t base, size_t size) : base_(base), size_(size) {}

  uint32_t base() const { return base_; }
  size_t size() const { return size_; }
  bool contains(uint32_t address, size_t length) const;

  // Bytes outside the memory read as 0xFF.
  void read(uint32_t address, std::span<uint8_t> out) const;
  // False when any byte lies outside the memory; nothing is changed then.
  bool program(uint32_t address, std::span<const uint8_t> data);
  bool erase(uint32_t address, size_t length);
  // Writes bytes as they are, for setting up a test radio.
  void load(uint32_t address, std::span<const uint8_t> data);

 private:
  std::vector<uint8_t>& page(size_t index);

  uint32_t base_;
  size_t size_;
  std::map<size_t, std::vector<uint8_t>> pages_;
};

}  // namespace tamberlin
