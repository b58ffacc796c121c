#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The Windows "ANSI" code page (Windows-1252). Byte strings that the radio or
// its files hold as 8-bit text are read with this table, so that text written
// here reads the same on Windows.
namespace tamberlin {

std::u16string cp1252ToUtf16(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);

// The code page byte of a character; '?' for one the code page lacks.
uint8_t unicodeToCp1252(char16_t c);

}  // namespace tamberlin
