#pragma once

#include <cstdint>
#include <span>

namespace tamberlin {

class c_codeplug;

inline constexpr int kDtmfDecodeCount = 8;
inline constexpr size_t kDtmfDecodeSize = 24;

// Decode entry k (0-based) of the DTMF block; empty when out of range.
std::span<uint8_t> dtmfDecodeEntry(c_codeplug& slot, int k);

// The channel a decode entry reverts to: a channel number, 0 the selected channel.
uint16_t dtmfDecodeRevertChannel(std::span<const uint8_t> entry);
void setDtmfDecodeRevertChannel(std::span<uint8_t> entry, uint16_t channel);

// The decode entry a blank codeplug has: no DTMF ID, general response, no
// decode, no acknowledgement, the selected channel.
void initDtmfDecodeEntry(std::span<uint8_t> entry);
void resetDtmfDecodeEntry(c_codeplug& slot, int k);

}  // namespace tamberlin
