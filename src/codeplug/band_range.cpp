#include "codeplug/band_range.h"

namespace tamberlin {

BandRangeHz bandRangeHz(uint8_t index) {
  switch (index) {
    case 0: return {136000000, 174000000};
    case 1: return {350000000, 400000000};
    case 2: return {400000000, 480000000};
    case 3: return {450000000, 520000000};
    default: return {0, 0};
  }
}

uint16_t bandLimitWord(int hz) {
  int units = hz / 100000;
  uint16_t word = 0;
  for (int shift = 0; shift < 16; shift += 4, units /= 10) word = static_cast<uint16_t>(word | ((units % 10) << shift));
  return word;
}

}  // namespace tamberlin
