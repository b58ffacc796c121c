#include "support/cp1252.h"

#include <array>

#include "support/unicode.h"

namespace tamberlin {

namespace {
// 0x80-0x9F are the only bytes that differ from Latin-1; undefined ones map to
// the replacement character.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

std::u16string cp1252ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : static_cast<char16_t>(b);
  }
  return out;
}

std::string cp1252ToUtf8(std::string_view bytes) { return utf16ToUtf8(cp1252ToUtf16(bytes)); }

uint8_t unicodeToCp1252(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<uint8_t>(c);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c && c != 0xFFFD) return static_cast<uint8_t>(0x80 + i);
  }
  return '?';
}

}  // namespace tamberlin
