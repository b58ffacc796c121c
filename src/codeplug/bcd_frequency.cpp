#include "codeplug/bcd_frequency.h"

#include <cstdio>
#include <cstdlib>

namespace tamberlin {

namespace {
uint8_t digitValue(char c) { return c == ' ' ? 0 : static_cast<uint8_t>(c - '0'); }
uint8_t packPair(char high, char low) {
  return static_cast<uint8_t>((digitValue(high) << 4) | digitValue(low));
}
char nibbleChar(uint8_t nibble) { return static_cast<char>(0x30 + nibble); }
}  // namespace

bool encodeBcdFrequency(std::span<uint8_t> bytes, double mhz) {
  if (bytes.size() < 4 || !(mhz >= 0.0)) return false;
  char text[32];
  std::snprintf(text, sizeof text, "%9.5f", mhz);
  // Rounding can carry 999.999995 up to a fourth integer digit.
  if (text[9] != '\0' || text[3] != '.') return false;
  bytes[3] = packPair(text[0], text[1]);
  bytes[2] = packPair(text[2], text[4]);
  bytes[1] = packPair(text[5], text[6]);
  bytes[0] = packPair(text[7], text[8]);
  return true;
}

std::string bcdFrequencyText(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4) return {};
  std::string text;
  text += nibbleChar(bytes[3] >> 4);
  text += nibbleChar(bytes[3] & 0x0F);
  text += nibbleChar(bytes[2] >> 4);
  text += '.';
  text += nibbleChar(bytes[2] & 0x0F);
  text += nibbleChar(bytes[1] >> 4);
  text += nibbleChar(bytes[1] & 0x0F);
  text += nibbleChar(bytes[0] >> 4);
  text += nibbleChar(bytes[0] & 0x0F);
  return text;
}

double decodeBcdFrequencyMhz(std::span<const uint8_t> bytes) {
  const std::string text = bcdFrequencyText(bytes);
  return text.empty() ? 0.0 : std::strtod(text.c_str(), nullptr);
}

std::optional<double> bandLimitMhz(uint16_t word) {
  if (word == 0xFFFF) return std::nullopt;
  const int tenthsOfMhz = ((word >> 12) & 0xF) * 1000 + ((word >> 8) & 0xF) * 100 +
                          ((word >> 4) & 0xF) * 10 + (word & 0xF);
  return tenthsOfMhz / 10.0;
}

}  // namespace tamberlin
