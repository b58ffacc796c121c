#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Radio-wide settings kept in bits of single bytes at fixed file offsets. Many
// settings share one byte, so every write changes only its own bits. Reads and
// writes outside the buffer do nothing.
namespace tamberlin {

// Some bits of one byte; `mask` marks them in place (0xC0 for bits 6-7).
struct BitsField {
  size_t offset;  // file offset
  uint8_t mask;
};

// The value of the bits, shifted down; nothing when the byte lies outside the buffer.
std::optional<int> readBits(std::span<const uint8_t> buffer, BitsField field);
// Stores the value into the bits (cut to their width), keeping the other bits.
void writeBits(std::span<uint8_t> buffer, BitsField field, int value);

// An on/off setting: the bits hold onValue when on and offValue when off.
// Anything but offValue reads as on.
struct SwitchField {
  BitsField bits;
  int onValue;
  int offValue;
};

constexpr SwitchField flagBit(size_t offset, int bit) {
  return {{offset, static_cast<uint8_t>(1u << bit)}, 1, 0};
}
// A bit that is clear while the setting is on.
constexpr SwitchField invertedFlagBit(size_t offset, int bit) {
  return {{offset, static_cast<uint8_t>(1u << bit)}, 0, 1};
}

bool switchIsOn(std::span<const uint8_t> buffer, const SwitchField& field);
void writeSwitch(std::span<uint8_t> buffer, const SwitchField& field, bool on);

// One item of a drop-down and the value it stores.
struct ChoiceItem {
  std::string text;
  int value;
};

struct ChoiceField {
  BitsField bits;
  std::vector<ChoiceItem> items;
};

// The item whose value equals the stored one; nothing when none does.
std::optional<size_t> shownChoice(std::span<const uint8_t> buffer, const ChoiceField& field);
// Stores the value of item `index`; an index outside the items writes nothing.
void writeChoice(std::span<uint8_t> buffer, const ChoiceField& field, size_t index);

// A named on/off setting as an editor offers it.
struct SwitchSetting {
  std::string_view name;  // the component's name
  std::string_view label;
  std::string_view hint;
  std::string_view onText;
  std::string_view offText;
  SwitchField field;
  bool uvFamilyOnly = false;
};

// A named drop-down setting as an editor offers it.
struct ChoiceSetting {
  std::string_view name;
  std::string_view label;
  std::string_view hint;
  ChoiceField field;
  bool uvFamilyOnly = false;
};

// Items "<first + k * step> <unit>" for k = 0, 1, ... while the stored value
// runs from `firstValue` to `lastValue` in `valueStep`s, each storing its value;
// the shown number is the value times `scale`.
std::vector<ChoiceItem> scaledChoices(int firstValue, int lastValue, int valueStep, int scale,
                                      std::string_view unit);

}  // namespace tamberlin
