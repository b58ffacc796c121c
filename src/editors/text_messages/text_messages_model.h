#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// A text message record: all zero, then the trimmed text.
void initTextMessageRecord(std::span<uint8_t> record, std::u16string_view text);

}  // namespace tamberlin
