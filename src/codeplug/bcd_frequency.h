#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Frequencies as 8 BCD digits in units of 10 Hz (channels, VFOs), and band
// limits as 4 BCD digits in units of 100 kHz (radio info block).
namespace tamberlin {

// Stores the frequency in MHz into 4 bytes. Only 0 <= MHz < 1000 can be coded;
// anything else leaves the bytes alone and returns false.
bool encodeBcdFrequency(std::span<uint8_t> bytes, double mhz);

// The digits as text, "438.50000"; a nibble above 9 shows as the character
// 0x30 + nibble, as the radio's own display does.
std::string bcdFrequencyText(std::span<const uint8_t> bytes);

// The value of that text in MHz (0 when the digits are not a number).
double decodeBcdFrequencyMhz(std::span<const uint8_t> bytes);

// A band limit word: 0x4000 is 400.0 MHz; 0xFFFF is no band.
std::optional<double> bandLimitMhz(uint16_t word);

}  // namespace tamberlin
