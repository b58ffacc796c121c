#include "codeplug/settings_fields.h"

#include <bit>

namespace tamberlin {

namespace {
int shiftOf(uint8_t mask) { return mask == 0 ? 0 : std::countr_zero(mask); }
}  // namespace

std::optional<int> readBits(std::span<const uint8_t> buffer, BitsField field) {
  if (field.offset >= buffer.size()) return std::nullopt;
  return (buffer[field.offset] & field.mask) >> shiftOf(field.mask);
}

void writeBits(std::span<uint8_t> buffer, BitsField field, int value) {
  if (field.offset >= buffer.size()) return;
  const auto placed =
      static_cast<uint8_t>((static_cast<unsigned>(value) << shiftOf(field.mask)) & field.mask);
  buffer[field.offset] = static_cast<uint8_t>((buffer[field.offset] & ~field.mask) | placed);
}

bool switchIsOn(std::span<const uint8_t> buffer, const SwitchField& field) {
  const std::optional<int> value = readBits(buffer, field.bits);
  return value && *value != field.offValue;
}

void writeSwitch(std::span<uint8_t> buffer, const SwitchField& field, bool on) {
  writeBits(buffer, field.bits, on ? field.onValue : field.offValue);
}

std::optional<size_t> shownChoice(std::span<const uint8_t> buffer, const ChoiceField& field) {
  const std::optional<int> value = readBits(buffer, field.bits);
  if (!value) return std::nullopt;
  for (size_t i = 0; i < field.items.size(); ++i) {
    if (field.items[i].value == *value) return i;
  }
  return std::nullopt;
}

void writeChoice(std::span<uint8_t> buffer, const ChoiceField& field, size_t index) {
  if (index >= field.items.size()) return;
  writeBits(buffer, field.bits, field.items[index].value);
}

std::vector<ChoiceItem> scaledChoices(int firstValue, int lastValue, int valueStep, int scale,
                                      std::string_view unit) {
  std::vector<ChoiceItem> items;
  for (int value = firstValue; value <= lastValue; value += valueStep) {
    items.push_back({std::to_string(value * scale) + std::string(unit), value});
  }
  return items;
}

}  // namespace tamberlin
