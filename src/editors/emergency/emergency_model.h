#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "codeplug/list_engine.h"

namespace tamberlin {

class c_codeplug;

// A new emergency system: erased bytes with 15 impolite and 5 polite retries,
// a 10 s hot mic, no revert channel, and the name. The alarm byte stays 0xFF.
void initEmergencySystemRecord(std::span<uint8_t> system, std::u16string_view name);

// The revert channel of a 40-byte system: a channel number, 0 none.
uint16_t emergencyRevertChannel(std::span<const uint8_t> system);
void setEmergencyRevertChannel(std::span<uint8_t> system, uint16_t channel);

// The emergency system list of a slot for the list engine. Digital channels
// refer to the systems by number.
ListSection emergencyListSection(const c_codeplug& slot);

// Deletes system `number` (1-based) as the list's Delete does, without asking:
// the digital channels using it lose it and later numbers follow. 0, or -1
// for an invalid number or no codeplug.
int deleteEmergencySystem(c_codeplug& slot, int number);

}  // namespace tamberlin
