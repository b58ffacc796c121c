#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// File-level rules of a codeplug that need no slot.
namespace tamberlin {

// 0 valid; -1 no data; -2 not a codeplug size; -3 no "DfuSe" signature;
// -4 format version not 1; -5 image size field not 0x40125; -6 not one target.
// A bare 0x40000-byte memory image is valid without further checks.
int validateCodeplug(std::span<const uint8_t> bytes);

// The type string of the radio info block as read: up to 16 bytes ended by
// 0x00 or 0xFF, with bytes below 0x20 skipped.
std::string readTypeString(std::span<const uint8_t> bytes);

// The model a type string names (prefix match on its upper-cased form), or 0.
// TP660 is never returned: it needs the keyboard rule of Load.
int modelCodeForTypeString(std::string_view typeString);

// Stores the trailer CRC of a 256 KiB-family buffer; other sizes are left alone.
void updateTrailerCrc(std::span<uint8_t> bytes);
// Whether the stored trailer CRC of a 256 KiB-family buffer is right.
bool trailerCrcIsValid(std::span<const uint8_t> bytes);

// The name Save As uses: ".rdt" appended unless the first ".rdt" in the
// lower-cased name ends it.
std::string saveAsFileName(const std::string& chosenName);

// A power-on, radio programming or PC programming password is set.
bool codeplugHasPasswords(std::span<const uint8_t> bytes);

}  // namespace tamberlin
