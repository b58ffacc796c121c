#pragma once

#include <cstdint>
#include <span>

#include "support/endian.h"

namespace tamberlin {

// A 36-byte digital contact: 24-bit call ID, flags (call type in bits 0-2,
// receive tone in bit 5; the other bits are the radio's and are kept), then a
// 16-unit name.
class t_contact_entry {
 public:
  static constexpr size_t kSize = 36;
  static constexpr size_t kFlags = 3;
  static constexpr size_t kName = 4;
  static constexpr uint8_t kCallTypeMask = 0x07;
  static constexpr uint8_t kRxToneBit = 0x20;

  explicit t_contact_entry(std::span<uint8_t> bytes) : bytes_(bytes) {}

  bool valid() const { return bytes_.size() >= kSize; }
  uint32_t callId() const { return readLe24(bytes_, 0); }
  void setCallId(uint32_t id) { writeLe24(bytes_, 0, id); }
  int callType() const { return bytes_[kFlags] & kCallTypeMask; }
  void setCallType(int type) {
    bytes_[kFlags] = static_cast<uint8_t>((bytes_[kFlags] & ~kCallTypeMask) | (type & kCallTypeMask));
  }
  bool rxTone() const { return (bytes_[kFlags] & kRxToneBit) != 0; }
  void setRxTone(bool on) {
    bytes_[kFlags] = static_cast<uint8_t>(on ? bytes_[kFlags] | kRxToneBit : bytes_[kFlags] & ~kRxToneBit);
  }
  std::span<uint8_t> name() const { return bytes_.subspan(kName, 32); }

 private:
  std::span<uint8_t> bytes_;
};

}  // namespace tamberlin
