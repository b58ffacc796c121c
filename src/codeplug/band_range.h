#pragma once

#include <cstdint>

namespace tamberlin {

// The frequencies a band index of the radio info block stands for, in Hz.
struct BandRangeHz {
  int low;
  int high;
};

// 0: 136-174 MHz, 1: 350-400, 2: 400-480, 3: 450-520; any other index 0..0.
BandRangeHz bandRangeHz(uint8_t index);

// A band limit as the radio info block stores it: 4 BCD digits of 100 kHz.
uint16_t bandLimitWord(int hz);

}  // namespace tamberlin
