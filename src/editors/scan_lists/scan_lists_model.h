#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// A new scan list: no priority channels, transmit on the last active channel,
// 500 ms signalling hold, 2000 ms priority sample, no members, the name.
void initScanListRecord(std::span<uint8_t> record, std::u16string_view name);

}  // namespace tamberlin
