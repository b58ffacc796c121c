#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian field access over codeplug bytes. Every multi-byte field in a
// codeplug, the radio protocol and the database files is little-endian.
namespace tamberlin {

inline uint16_t readLe16(std::span<const uint8_t> bytes, size_t offset = 0) {
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline uint32_t readLe24(std::span<const uint8_t> bytes, size_t offset = 0) {
  return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<uint32_t>(bytes[offset + 2]) << 16);
}

inline uint32_t readLe32(std::span<const uint8_t> bytes, size_t offset = 0) {
  return readLe24(bytes, offset) | (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline void writeLe16(std::span<uint8_t> bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<uint8_t>(value);
  bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void writeLe24(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  bytes[offset] = static_cast<uint8_t>(value);
  bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
  bytes[offset + 2] = static_cast<uint8_t>(value >> 16);
}

inline void writeLe32(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  writeLe24(bytes, offset, value);
  bytes[offset + 3] = static_cast<uint8_t>(value >> 24);
}

}  // namespace tamberlin
