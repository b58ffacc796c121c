#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// A contact made from a name: ID 0, Group call, no receive tone. From an empty
// name it is the cleared record instead: all 0xFF but flags 0xC0.
void initContactRecord(std::span<uint8_t> record, std::u16string_view name);

}  // namespace tamberlin
