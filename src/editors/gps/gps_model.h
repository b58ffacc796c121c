#pragma once

#include <cstdint>
#include <span>

namespace tamberlin {

class c_codeplug;

inline constexpr int kGpsSystemCount = 16;
inline constexpr size_t kGpsSystemSize = 16;

// GPS system k (0-based); empty when out of range.
std::span<uint8_t> gpsSystem(c_codeplug& slot, int k);

// The channel position reports go out on: a channel number, 0 the current
// channel (entries 2-16 may hold 0xFFFF for it too).
uint16_t gpsRevertChannel(std::span<const uint8_t> system);
void setGpsRevertChannel(std::span<uint8_t> system, uint16_t channel);

// The contact position reports go to: a contact number, 0 none.
uint16_t gpsDestinationContact(std::span<const uint8_t> system);
void setGpsDestinationContact(std::span<uint8_t> system, uint16_t contact);

// The empty GPS system: current channel, no reports, no destination.
void initGpsSystem(std::span<uint8_t> system);
void resetGpsSystem(c_codeplug& slot, int k);

}  // namespace tamberlin
