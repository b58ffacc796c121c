#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

class c_codeplug;

inline constexpr int kScanListMembers = 31;

// A new scan list: no priority channels, transmit on the last active channel,
// 500 ms signalling hold, 2000 ms priority sample, no members, the name.
void initScanListRecord(std::span<uint8_t> record, std::u16string_view name);

// Member slot k (0-based) of a 104-byte scan list record; 0 is an empty slot.
uint16_t scanListMember(std::span<const uint8_t> record, int k);
void setScanListMember(std::span<uint8_t> record, int k, uint16_t channel);

// Drops members that are 0 or beyond the channel capacity; the rest close up.
void compactScanListMembers(c_codeplug& slot, int index);

// Removes every member slot holding `channel`, closing up behind it.
void removeScanListChannel(c_codeplug& slot, int index, uint16_t channel);

// After channel number `deleted` went: later channel numbers in every scan
// list move down by one, and each list that changed is compacted.
void renumberScanListMembersAfterChannelDelete(c_codeplug& slot, int deleted);

}  // namespace tamberlin
