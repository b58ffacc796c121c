#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// DTMF digits packed two per byte, first digit in the low nibble, into a
// 15-byte field; the digit count lives in a field of its own.
namespace tamberlin {

inline constexpr int kPackedDtmfBytes = 15;
inline constexpr int kMaxPackedDtmfDigits = 30;

// Fills the destination with 0xFF, then packs the DTMF characters of the text
// (0-9, A-D, a-d, *, #; others are skipped), at most maxDigits of them.
// Returns the number of digits written, for the count field.
int packDtmf(std::span<uint8_t> destination, std::string_view text, int maxDigits);

std::string unpackDtmf(std::span<const uint8_t> bytes, int count);

}  // namespace tamberlin
