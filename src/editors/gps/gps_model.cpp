#include "editors/gps/gps_model.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/channel_number_field.h"
#include "support/endian.h"

namespace tamberlin {

namespace {
constexpr size_t kRevertChannel = 0;
constexpr size_t kReportInterval = 2;
constexpr size_t kDestination = 4;
}  // namespace

std::span<uint8_t> gpsSystem(c_codeplug& slot, int k) {
  if (slot.sections.gps == 0 || k < 0 || k >= kGpsSystemCount) return {};
  return slot.bytes(slot.sections.gps + kGpsSystemSize * static_cast<size_t>(k), kGpsSystemSize);
}

uint16_t gpsRevertChannel(std::span<const uint8_t> system) {
  return readChannelNumber(system, kRevertChannel);
}

void setGpsRevertChannel(std::span<uint8_t> system, uint16_t channel) {
  writeChannelNumber(system, kRevertChannel, channel);
}

uint16_t gpsDestinationContact(std::span<const uint8_t> system) { return readChannelNumber(system, kDestination); }

void setGpsDestinationContact(std::span<uint8_t> system, uint16_t contact) {
  writeChannelNumber(system, kDestination, contact);
}

void initGpsSystem(std::span<uint8_t> system) {
  if (system.size() < kGpsSystemSize) return;
  std::fill(system.begin(), system.end(), uint8_t{0xFF});
  writeLe16(system, kRevertChannel, 0);
  system[kReportInterval] = 0;
  writeLe16(system, kDestination, 0);
}

void resetGpsSystem(c_codeplug& slot, int k) { initGpsSystem(gpsSystem(slot, k)); }

}  // namespace tamberlin
