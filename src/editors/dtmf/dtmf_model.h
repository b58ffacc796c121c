#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tamberlin {

class c_codeplug;

inline constexpr int kDtmfEncodeCount = 32;
inline constexpr size_t kDtmfEncodeSize = 16;
inline constexpr int kDtmfDecodeCount = 8;
inline constexpr size_t kDtmfDecodeSize = 24;

// Encode entry k (0-based) of the DTMF block: a digit count, then 15 bytes of
// packed digits. Empty when out of range.
std::span<const uint8_t> dtmfEncodeEntry(const c_codeplug& slot, int k);
// An entry with no digits is unused.
bool dtmfEncodeIsEmpty(std::span<const uint8_t> entry);
std::string dtmfEncodeDigits(std::span<const uint8_t> entry);

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
