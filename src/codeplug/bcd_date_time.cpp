#include "codeplug/bcd_date_time.h"

namespace tamberlin {

std::string bcdDateTimeText(std::span<const uint8_t> bytes) {
  if (bytes.size() < 7 || bytes[0] == 0xFF) return {};
  std::string text;
  const auto pair = [&](uint8_t b) {
    text += static_cast<char>(0x30 + (b >> 4));
    text += static_cast<char>(0x30 + (b & 0x0F));
  };
  pair(bytes[0]);
  pair(bytes[1]);
  text += '.';
  pair(bytes[2]);
  text += '.';
  pair(bytes[3]);
  text += "  ";
  pair(bytes[4]);
  text += ':';
  pair(bytes[5]);
  text += ':';
  pair(bytes[6]);
  return text;
}

}  // namespace tamberlin
