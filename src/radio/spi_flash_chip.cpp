#include "radio/spi_flash_chip.h"

#include <cstdio>

namespace tamberlin {

uint32_t jedecIdFromReply(std::span<const uint8_t, 4> reply) {
  return uint32_t{reply[0]} << 16 | uint32_t{reply[1]} << 8 | reply[2];
}

SpiFlashChip spiFlashChipFor(uint32_t jedecId) {
  switch (jedecId) {
    case 0xEF4018:
    case 0x10DC01: return {"W25Q128FV", 0x1000000};
    case 0xEF4014: return {"W25Q80BL", 0x100000};
    case 0x70F101:
      // Seen when the cable or the radio's USB socket garbles the reply.
      return {
          "The USB connection to the radio is bad: the flash chip identification came back garbled. "
          "Try another cable or USB port; the radio amateur forums discuss this fault under "
          "'SPI flash 70F101'.",
          0};
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "Unknown SPI flash: %06x, please report",
                    static_cast<unsigned>(jedecId));
      return {text, 0};
    }
  }
}

}  // namespace tamberlin
