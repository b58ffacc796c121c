#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "support/endian.h"

namespace tamberlin {

// A 64-byte channel record (also the first half of a VFO record). Only the
// fields other sections look at live here; the field controls' encodings are
// in channel_fields.h.
class ChannelRecord {
 public:
  static constexpr size_t kMode = 0;
  static constexpr size_t kContact = 6;
  static constexpr size_t kEmergencySystem = 10;
  static constexpr size_t kScanList = 11;
  static constexpr size_t kRxGroupList = 12;
  static constexpr size_t kRxFrequency = 16;
  static constexpr size_t kTxFrequency = 20;
  static constexpr size_t kName = 32;
  static constexpr int kAnalogue = 1;
  static constexpr int kDigital = 2;

  explicit ChannelRecord(std::span<uint8_t> bytes) : bytes_(bytes) {}

  bool valid() const { return bytes_.size() >= 64; }
  int mode() const { return bytes_[kMode] & 0x03; }
  bool isDigital() const { return mode() == kDigital; }
  uint16_t contact() const { return readLe16(bytes_, kContact); }
  void setContact(uint16_t number) { writeLe16(bytes_, kContact, number); }
  uint8_t emergencySystem() const { return bytes_[kEmergencySystem]; }
  void setEmergencySystem(uint8_t number) { bytes_[kEmergencySystem] = number; }
  uint8_t rxGroupList() const { return bytes_[kRxGroupList]; }
  void setRxGroupList(uint8_t number) { bytes_[kRxGroupList] = number; }
  std::span<uint8_t> rxFrequency() const { return bytes_.subspan(kRxFrequency, 4); }
  std::span<uint8_t> txFrequency() const { return bytes_.subspan(kTxFrequency, 4); }
  std::span<uint8_t> name() const { return bytes_.subspan(kName, 32); }
  std::span<uint8_t> bytes() const { return bytes_; }

 private:
  std::span<uint8_t> bytes_;
};

}  // namespace tamberlin
