#include "codeplug/packed_dtmf.h"

#include <algorithm>

namespace tamberlin {

namespace {
int digitCode(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'D') return 10 + (c - 'A');
  if (c >= 'a' && c <= 'd') return 10 + (c - 'a');
  if (c == '*') return 14;
  if (c == '#') return 15;
  return -1;
}
constexpr char kDigitChars[] = "0123456789ABCD*#";
}  // namespace

int packDtmf(std::span<uint8_t> destination, std::string_view text, int maxDigits) {
  const size_t bytes = std::min<size_t>(destination.size(), kPackedDtmfBytes);
  std::fill(destination.begin(), destination.begin() + static_cast<long>(bytes), uint8_t{0xFF});
  const int limit = std::min<int>(maxDigits, static_cast<int>(bytes * 2));
  int count = 0;
  for (char c : text) {
    if (count >= limit) break;
    const int code = digitCode(c);
    if (code < 0) continue;
    uint8_t& target = destination[static_cast<size_t>(count / 2)];
    target = (count % 2 == 0) ? static_cast<uint8_t>((target & 0xF0) | code)
                              : static_cast<uint8_t>((target & 0x0F) | (code << 4));
    ++count;
  }
  return count;
}

std::string unpackDtmf(std::span<const uint8_t> bytes, int count) {
  const int limit = std::min<int>({count, kMaxPackedDtmfDigits, static_cast<int>(bytes.size() * 2)});
  std::string text;
  for (int k = 0; k < limit; ++k) {
    const uint8_t byte = bytes[static_cast<size_t>(k / 2)];
    text += kDigitChars[(k % 2 == 0) ? (byte & 0x0F) : (byte >> 4)];
  }
  return text;
}

}  // namespace tamberlin
