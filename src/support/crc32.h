#pragma once

#include <cstdint>
#include <span>

namespace tamberlin {

// The reflected CRC-32 (polynomial 0xEDB88320) started at the running value
// and returned without the final inversion: the CRC stored in a DFU suffix and
// in the database files. For "abc" started at 0xFFFFFFFF it is 0xCADBBE3D.
uint32_t crc32Running(uint32_t running, std::span<const uint8_t> bytes);

inline uint32_t codeplugCrc32(std::span<const uint8_t> bytes) {
  return crc32Running(0xFFFFFFFFu, bytes);
}

}  // namespace tamberlin
