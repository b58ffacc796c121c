#include "editors/dtmf/dtmf_model.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/channel_number_field.h"
#include "codeplug/packed_dtmf.h"
#include "support/endian.h"

namespace tamberlin {

namespace {
constexpr size_t kEncodesInBlock = 192;
constexpr size_t kDecodesInBlock = 704;
constexpr size_t kDtmfIdEnd = 16;
constexpr size_t kKeptBytes = 22;
constexpr size_t kRevertChannel = 20;
}  // namespace

std::span<const uint8_t> dtmfEncodeEntry(const c_codeplug& slot, int k) {
  if (slot.sections.dtmf == 0 || k < 0 || k >= kDtmfEncodeCount) return {};
  return slot.bytes(slot.sections.dtmf + kEncodesInBlock + kDtmfEncodeSize * static_cast<size_t>(k),
                    kDtmfEncodeSize);
}

bool dtmfEncodeIsEmpty(std::span<const uint8_t> entry) { return entry.empty() || entry[0] == 0; }

std::string dtmfEncodeDigits(std::span<const uint8_t> entry) {
  if (entry.empty()) return {};
  return unpackDtmf(entry.subspan(1), entry[0]);
}

std::span<uint8_t> dtmfDecodeEntry(c_codeplug& slot, int k) {
  if (slot.sections.dtmf == 0 || k < 0 || k >= kDtmfDecodeCount) return {};
  return slot.bytes(slot.sections.dtmf + kDecodesInBlock + kDtmfDecodeSize * static_cast<size_t>(k),
                    kDtmfDecodeSize);
}

uint16_t dtmfDecodeRevertChannel(std::span<const uint8_t> entry) {
  return readChannelNumber(entry, kRevertChannel);
}

void setDtmfDecodeRevertChannel(std::span<uint8_t> entry, uint16_t channel) {
  writeChannelNumber(entry, kRevertChannel, channel);
}

void initDtmfDecodeEntry(std::span<uint8_t> entry) {
  if (entry.size() < kDtmfDecodeSize) return;
  // A packed DTMF string with no digits: count 0, every nibble 0xF.
  entry[0] = 0;
  std::fill(entry.begin() + 1, entry.begin() + kDtmfIdEnd, uint8_t{0xFF});
  std::fill(entry.begin() + kDtmfIdEnd, entry.begin() + kKeptBytes, uint8_t{0});
  std::fill(entry.begin() + kKeptBytes, entry.end(), uint8_t{0xFF});
}

void resetDtmfDecodeEntry(c_codeplug& slot, int k) { initDtmfDecodeEntry(dtmfDecodeEntry(slot, k)); }

}  // namespace tamberlin
