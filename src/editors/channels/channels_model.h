#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/list_engine.h"
#include "codeplug/radio_models.h"

namespace tamberlin {

class c_codeplug;
class Prompt;

// The new-channel record of the family: analogue, 12.5 kHz, colour code 1,
// slot 1, 60 s time-out, no tones or links, low (256 KiB) or mid (UV) power,
// both frequencies at the usual calling spot of band A.
void initChannelRecord(std::span<uint8_t> record, ModelFamily family, uint8_t bandAIndex,
                       std::u16string_view name);

// The frequency a new channel gets for the band A index of the radio info block.
double newChannelFrequencyMhz(uint8_t bandAIndex);

// The channel list of a slot for the list engine, with the fix-up of every
// channel number held by zones, scan lists, emergency, DTMF and GPS systems.
ListSection channelListSection(const c_codeplug& slot);

// Writes the new-channel record with a name at a 0-based index; ignored
// outside the list or without a codeplug.
void initialiseChannel(c_codeplug& slot, int index, std::u16string_view name);

// A digital channel from a repeater entry: the new-channel record with the
// name, colour code 0..15, time slot 1..2, the frequencies to the nearest 10 Hz.
void makeDigitalChannel(c_codeplug& slot, std::span<uint8_t> record, std::u16string_view name, int timeSlot,
                        int colourCode, int64_t rxHz, int64_t txHz);

// The index of a new channel put before `position` (-1 or outside the list:
// at the end); -1 without a codeplug, -2 when the list is full.
int insertChannel(c_codeplug& slot, int position);
// Moves one channel up (distance > 0) or down; returns its new index.
int moveChannel(c_codeplug& slot, int index, int distance);
// 0 deleted, -1 invalid number or no codeplug, -3 the user declined.
int deleteChannel(c_codeplug& slot, int number, bool ask, Prompt& prompt);

}  // namespace tamberlin

namespace tamberlin {

// The search text as it is compared: trimmed and lower-cased.
std::u16string channelSearchKey(std::u16string_view text);
// Whether a channel name contains the search key; never for an empty key.
bool channelNameMatches(std::u16string_view name, std::u16string_view key);
// The "Chan" cell: the number as " %5d", or "*%5d" when the name matches.
std::string channelNumberCell(int number, std::u16string_view name, std::u16string_view key);
// The 0-based rows of the used channels whose names contain the key.
std::vector<int> channelSearchMatches(const c_codeplug& slot, std::u16string_view key);
// The name as the list's "Name" column shows it.
std::u16string channelName(const c_codeplug& slot, int index);

}  // namespace tamberlin
