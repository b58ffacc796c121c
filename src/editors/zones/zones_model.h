#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

// A zone with no members: the zone record and (UV family) its extension record
// zeroed, then the trimmed name. `extension` is empty for the 256 KiB family.
void initZoneRecords(std::span<uint8_t> zone, std::span<uint8_t> extension,
                     std::u16string_view name);

}  // namespace tamberlin
