#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tamberlin {

// What the radio's SPI flash identification tells about the chip.
struct SpiFlashChip {
  std::string name;  // empty when the chip could not be identified at all
  size_t size = 0;   // 0: no usable chip size
};

// The JEDEC identifier in the first three bytes of the 4-byte reply.
uint32_t jedecIdFromReply(std::span<const uint8_t, 4> reply);
SpiFlashChip spiFlashChipFor(uint32_t jedecId);

}  // namespace tamberlin
