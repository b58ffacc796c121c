#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tamberlin {

// Seven bytes of packed BCD (century, year, month, day, hour, minute, second)
// shown as "2018.08.12  14:34:05"; a first byte of 0xFF means no stamp.
std::string bcdDateTimeText(std::span<const uint8_t> bytes);

}  // namespace tamberlin
