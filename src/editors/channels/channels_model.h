#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "codeplug/radio_models.h"

namespace tamberlin {

// The new-channel record of the family: analogue, 12.5 kHz, colour code 1,
// slot 1, 60 s time-out, no tones or links, low (256 KiB) or mid (UV) power,
// both frequencies at the usual calling spot of band A.
void initChannelRecord(std::span<uint8_t> record, ModelFamily family, uint8_t bandAIndex,
                       std::u16string_view name);

// The frequency a new channel gets for the band A index of the radio info block.
double newChannelFrequencyMhz(uint8_t bandAIndex);

}  // namespace tamberlin
