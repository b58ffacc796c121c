#pragma once

#include <string>
#include <string_view>

// Case and blank handling for 8-bit texts such as device paths and
// descriptor strings, where only ASCII letters change case.
namespace tamberlin {

std::string asciiLowerCased(std::string_view text);
// Without leading and trailing characters of code 0x20 and below.
std::string trimmedBlanks(std::string_view text);

}  // namespace tamberlin
