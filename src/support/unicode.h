#pragma once

#include <string>
#include <string_view>

// Conversions between the UTF-16 of codeplug text fields and the UTF-8 used for
// messages, paths and the command line.
namespace tamberlin {

std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

// Removes leading and trailing characters of code 0x20 and below, the way every
// name is trimmed before it is stored or compared.
std::u16string trimmed(std::u16string_view text);

// Lower case, as searches compare texts.
std::u16string lowerCased(std::u16string_view text);

}  // namespace tamberlin
