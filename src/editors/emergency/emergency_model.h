#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// A new emergency system: erased bytes with 15 impolite and 5 polite retries,
// a 10 s hot mic, no revert channel, and the name. The alarm byte stays 0xFF.
void initEmergencySystemRecord(std::span<uint8_t> system, std::u16string_view name);

}  // namespace tamberlin
