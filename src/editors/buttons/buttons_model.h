#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/settings_fields.h"
#include "codeplug/slot_settings.h"

namespace tamberlin {

class c_codeplug;

// The buttons block, offsets from its start (file offset 0x2325).
namespace buttons_layout {
inline constexpr size_t kBlockSize = 64;
inline constexpr size_t kKeyFunctions = 0;
inline constexpr size_t kLongPressDuration = 17;
inline constexpr size_t kOneTouch = 20;
inline constexpr size_t kOneTouchSize = 4;
inline constexpr int kOneTouchCount = 6;
inline constexpr size_t kQuickContacts = 44;
inline constexpr int kNumberKeyCount = 10;
}  // namespace buttons_layout

// The buttons block of a slot; empty when the slot holds no codeplug.
std::span<uint8_t> buttonsBlock(c_codeplug& slot);
std::span<const uint8_t> buttonsBlock(const c_codeplug& slot);

// One-touch access entry i (0-based): byte 0 mode and call type, byte 1 the
// message or DTMF code number, bytes 2-3 the contact number.
std::span<uint8_t> oneTouchEntry(c_codeplug& slot, int i);
std::span<const uint8_t> oneTouchEntry(const c_codeplug& slot, int i);

enum class OneTouchMode { None = 0, Digital = 1, Analogue = 2 };
// A mode field of 3 means nothing to the radio and reads as None.
OneTouchMode oneTouchMode(std::span<const uint8_t> entry);
// A digital entry sending a text message rather than calling.
bool oneTouchSendsText(std::span<const uint8_t> entry);
uint16_t oneTouchContact(std::span<const uint8_t> entry);
void setOneTouchContact(std::span<uint8_t> entry, uint16_t contact);
// All four bytes 0: what an entry becomes when the record it names is deleted.
void clearOneTouchEntry(std::span<uint8_t> entry);

// The contact number of number key j (0-9), 0 for none.
uint16_t quickContact(const c_codeplug& slot, int j);
void setQuickContact(c_codeplug& slot, int j, uint16_t contact);

// One programmable key of a panel: its label and the boxes of both presses.
struct ProgrammableKey {
  std::string_view label;
  ChoiceSetting shortPress;
  ChoiceSetting longPress;
};

// The keys a family of radios has, each box offering the panel's function list.
struct KeyPanel {
  std::string_view name;  // the panel's component name
  std::vector<ProgrammableKey> keys;
};

const std::vector<KeyPanel>& keyPanels();
// The panel of a model; nullptr for codes without one.
const KeyPanel* keyPanelForModel(int modelCode);
const ChoiceSetting& longPressDurationSetting();

// The columns of the one-touch list.
// The columns of the two lists, in the order they show.
enum class OneTouchColumn { Number, Mode, Contact, CallType, Message };
enum class NumberKeyColumn { Key, Contact };
const std::vector<std::string_view>& oneTouchHeaders();
const std::vector<std::string_view>& numberKeyHeaders();

// The buttons of one slot.
class ButtonsSettings : public SlotSettings {
 public:
  using SlotSettings::SlotSettings;

  // The panel shown for the slot's model; nullptr without a codeplug.
  const KeyPanel* panel() const;
  // Writes the function code of item `index` into the key's byte; boxes of
  // another panel than the slot's write nothing.
  void chooseKey(const ChoiceSetting& box, size_t index);
  void chooseLongPressDuration(size_t index);

  int contactCount() const;

  // Cell texts of one-touch row i (0-5) and number-key row j (0-9).
  std::string oneTouchText(int i, OneTouchColumn column) const;
  std::string numberKeyText(int j, NumberKeyColumn column) const;

  // What the drop-down over a one-touch cell offers, and the value it opens
  // on. No choices: the cell has no drop-down for this entry.
  std::vector<ChoiceItem> oneTouchChoices(int i, OneTouchColumn column) const;
  int oneTouchValue(int i, OneTouchColumn column) const;
  void chooseOneTouch(int i, OneTouchColumn column, int value);

  // "None" (0), then the contacts by number.
  std::vector<ChoiceItem> numberKeyChoices() const;
  int numberKeyValue(int j) const;
  // A number that is no contact of the list stores 0.
  void chooseNumberKey(int j, int value);

 private:
  std::string contactName(int number) const;
  std::string messageText(int number) const;
  std::string dtmfCodeText(int number) const;
};

}  // namespace tamberlin
