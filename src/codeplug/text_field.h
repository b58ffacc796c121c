#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Text fields: n UTF-16LE units, padded with 0x0000, no terminator when full.
namespace tamberlin {

// Decodes up to `units` units, stopping before 0x0000 or 0xFFFF, and trims
// blanks and control characters. When nothing is left and number >= 0 the
// result is "no_name-<number>" (what a list shows for an unreadable name);
// callers that need the stored name pass -1.
std::u16string decodeTextField(std::span<const uint8_t> field, int units, int number = -1);

// Writes the first `units` units of the text and zeroes the rest of the field.
void encodeTextField(std::span<uint8_t> field, int units, std::u16string_view text);

// True when the field starts with 0x0000 or 0xFFFF: a free record in a list.
bool textFieldIsEmpty(std::span<const uint8_t> field);

}  // namespace tamberlin
