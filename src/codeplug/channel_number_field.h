#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "support/endian.h"

namespace tamberlin {

// A 16-bit channel number kept at an offset of another section's record
// (revert channels of emergency, DTMF and GPS systems); 0 when the record is
// too short to hold it.
inline uint16_t readChannelNumber(std::span<const uint8_t> record, size_t offset) {
  return record.size() < offset + 2 ? 0 : readLe16(record, offset);
}

inline void writeChannelNumber(std::span<uint8_t> record, size_t offset, uint16_t channel) {
  if (record.size() >= offset + 2) writeLe16(record, offset, channel);
}

}  // namespace tamberlin
