#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// An RX group list: all zero (no members), then the trimmed name.
void initGroupListRecord(std::span<uint8_t> record, std::u16string_view name);

}  // namespace tamberlin
