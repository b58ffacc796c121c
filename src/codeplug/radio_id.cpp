#include "codeplug/radio_id.h"

#include "support/endian.h"

namespace tamberlin {

uint32_t readRadioId3(std::span<const uint8_t> bytes) { return readLe24(bytes); }

void writeRadioId3(std::span<uint8_t> bytes, uint32_t id) {
  writeLe24(bytes, 0, id > kMaxRadioId ? kMaxRadioId : id);
}

std::optional<uint32_t> readRadioId4(std::span<const uint8_t> bytes) {
  const uint32_t value = readLe32(bytes);
  if ((value & 0x80000000u) != 0 || value > kMaxRadioId) return std::nullopt;
  return value;
}

void writeRadioId4(std::span<uint8_t> bytes, long long enteredValue) {
  const long long clamped = enteredValue < 0 ? 0 : (enteredValue > kMaxRadioId ? kMaxRadioId : enteredValue);
  writeLe32(bytes, 0, static_cast<uint32_t>(clamped));
}

}  // namespace tamberlin
