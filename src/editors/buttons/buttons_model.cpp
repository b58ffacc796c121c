#include "editors/buttons/buttons_model.h"

#include <algorithm>
#include <array>
#include <utility>

#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/list_section.h"
#include "codeplug/radio_models.h"
#include "codeplug/text_field.h"
#include "editors/dtmf/dtmf_model.h"
#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

using namespace buttons_layout;

constexpr uint8_t kModeBits = 0x30;
constexpr int kModeShift = 4;
constexpr uint8_t kCallTypeBits = 0x0F;
constexpr uint8_t kKeptBits = 0xC0;
constexpr uint8_t kAnalogueCallType = 8;  // DTMF system 1; systems 2-4 follow
constexpr int kDtmfSystems = 4;
constexpr size_t kNumberByte = 1;
constexpr size_t kContactBytes = 2;
constexpr size_t kContactName = 4;  // in a contact record

// Function lists 1 to 4 side by side: the item text per list, nullptr where a
// list does not offer the code.
struct FunctionRow {
  int code;
  std::array<const char*, 4> text;
};

// clang-format off
constexpr FunctionRow kFunctions[] = {
    {0, {"Unassigned (Default)", "Unassigned (Default)", "Unassigned (Default)", "Unassigned (Default)"}},
    {1, {"All Alert Tones On/Off", "All Alert Tones On/Off", "All Alert Tones On/Off", "All Alert Tones On/Off"}},
    {2, {"Emergency On", "Emergency On", "Emergency On", "Emergency On"}},
    {3, {"Emergency Off", "Emergency Off", "Emergency Off", "Emergency Off"}},
    {4, {"High/Low Tx Power", "Tx Power Select", "Tx Power Seleect", "High/Low Tx Power"}},
    {5, {"Monitor", "Monitor", "Monitor", "Monitor"}},
    {6, {"Nuisense Delete", nullptr, nullptr, nullptr}},
    {7, {"One Touch Access 1", "One Touch Access 1", "One Touch Access 1", "One Touch Access 1"}},
    {8, {"One Touch Access 2", "One Touch Access 2", "One Touch Access 2", "One Touch Access 2"}},
    {9, {"One Touch Access 3", "One Touch Access 3", "One Touch Access 3", "One Touch Access 3"}},
    {10, {"One Touch Access 4", "One Touch Access 4", "One Touch Access 4", "One Touch Access 4"}},
    {11, {"One Touch Access 5", "One Touch Access 5", "One Touch Access 5", "One Touch Access 5"}},
    {12, {"One Touch Access 6", "One Touch Access 6", "One Touch Access 6", "One Touch Access 6"}},
    {13, {"Repeater/TalkAround", "Repeater/TalkAround", "Repeater/TalkAround", "Repeater/TalkAround"}},
    {14, {"Scan On/Off", "Scan On/Off", "Scan On/Off", "Scan On/Off"}},
    {21, {"Tight/Normal Squelch", "Tight/Normal Squelch", "Tight/Normal Squelch", "Tight/Normal Squelch"}},
    {22, {"Privacy On/Off", "Privacy On/Off", "Privacy On/Off", "Privacy On/Off"}},
    {23, {"VOX On/Off", "VOX On/Off", "VOX On/Off", "VOX On/Off"}},
    {24, {"Zone Select", "Zone +", "Zone +", "Zone +"}},
    {25, {"Zone Toggle", nullptr, nullptr, nullptr}},
    {26, {"Battery Indicator", "Battery Indicator", nullptr, "Battery Indicator"}},
    {30, {"Manual Dial For Private", nullptr, nullptr, nullptr}},
    {31, {"Lone Work On/Off", "Lone Work On/Off", "Lone Work On/Off", "Lone Work On/Off"}},
    {34, {nullptr, "Record On/Off (firmware)", "Record On/Off (firmware)", "Record On/Off (firmware)"}},
    {35, {nullptr, "Record Playback (firmware)", "Record Playback (firmware)", "Record Playback (firmware)"}},
    {36, {nullptr, "Delete all recordings (firmware)", "Delete all recordings (firmware)",
          "Delete all recordings (firmware)"}},
    {38, {"1750Hz Tone", "1750Hz Tone", "1750Hz Tone", "1750Hz Tone"}},
    {47, {nullptr, "Switch Up/Down Screen", "Switch Up/Down Screen", "Switch Up/Down Screen"}},
    {48, {nullptr, "Right Key", "Right Key", "Right Key"}},
    {49, {nullptr, "Left Key", "Left Key", "Left Key"}},
    {55, {nullptr, "Zone -", "Zone -", "Zone -"}},
};

// A key as the panel tables give it: the short press byte, the long press the next one.
struct KeyRow {
  std::string_view label;
  std::string_view shortName;
  std::string_view longName;
  size_t shortPressByte;
};

struct PanelRow {
  std::string_view name;
  int functionList;  // 0-3
  std::vector<KeyRow> keys;
};

const PanelRow kPanels[] = {
    {"RadioType1Panel", 0,
     {{"Upper Side Button", "Type1P1ShortPressComboBox", "Type1P1LongPressComboBox", 2},
      {"Lower Side Button", "Type1P2ShortPressComboBox", "Type1P2LongPressComboBox", 4}}},
    {"RadioType2Panel", 1,
     {{"Upper Side Button", "Type2P1ShortPressComboBox", "Type2P1LongPressComboBox", 2},
      {"Lower Side Button", "Type2P2ShortPressComboBox", "Type2P2LongPressComboBox", 4}}},
    {"RadioType3Panel", 2,
     {{"P1 ", "Type3P1ShortPressComboBox", "Type3P1LongPressComboBox", 8},
      {"P2 ", "Type3P2ShortPressComboBox", "Type3P2LongPressComboBox", 10},
      {"P3 ", "Type3P3ShortPressComboBox", "Type3P3LongPressComboBox", 12},
      {"P4 ", "Type3P4ShortPressComboBox", "Type3P4LongPressComboBox", 14}}},
    {"RadioType4Panel", 3,
     {{"Top Button ", "Type4P1ShortPressComboBox", "Type4P1LongPressComboBox", 0},
      {"Side Button 1 ", "Type4P2ShortPressComboBox", "Type4P2LongPressComboBox", 2},
      {"Side Button 2 ", "Type4P3ShortPressComboBox", "Type4P3LongPressComboBox", 4},
      {"Side Button 3 ", "Type4P4ShortPressComboBox", "Type4P4LongPressComboBox", 6},
      {"P1 ", "Type4P5ShortPressComboBox", "Type4P5LongPressComboBox", 8},
      {"P2 ", "Type4P6ShortPressComboBox", "Type4P6LongPressComboBox", 10}}},
};
// clang-format on

std::vector<ChoiceItem> functionList(int list) {
  std::vector<ChoiceItem> items;
  for (const FunctionRow& row : kFunctions) {
    if (row.text[static_cast<size_t>(list)] != nullptr)
      items.push_back({row.text[static_cast<size_t>(list)], row.code});
  }
  return items;
}

ChoiceSetting keyBox(std::string_view name, size_t blockByte, const std::vector<ChoiceItem>& functions) {
  return {name, "", "", {{layout::kButtons + kKeyFunctions + blockByte, 0xFF}, functions}};
}

std::vector<KeyPanel> buildPanels() {
  std::vector<KeyPanel> panels;
  for (const PanelRow& row : kPanels) {
    const std::vector<ChoiceItem> functions = functionList(row.functionList);
    KeyPanel panel{row.name, {}};
    for (const KeyRow& key : row.keys) {
      panel.keys.push_back({key.label, keyBox(key.shortName, key.shortPressByte, functions),
                            keyBox(key.longName, key.shortPressByte + 1, functions)});
    }
    panels.push_back(std::move(panel));
  }
  return panels;
}

bool offers(const std::vector<ChoiceItem>& choices, int value) {
  return std::any_of(choices.begin(), choices.end(),
                     [value](const ChoiceItem& c) { return c.value == value; });
}

int modeBits(std::span<const uint8_t> entry) { return (entry[0] & kModeBits) >> kModeShift; }

// The DTMF code an analogue entry sends: 0 reads as code 1, numbers past the
// last code as the last.
int shownDtmfCode(std::span<const uint8_t> entry) {
  return std::clamp<int>(entry[kNumberByte], 1, kDtmfEncodeCount);
}

}  // namespace

std::span<uint8_t> buttonsBlock(c_codeplug& slot) {
  if (slot.sections.buttons == 0) return {};
  return slot.bytes(slot.sections.buttons, kBlockSize);
}

std::span<const uint8_t> buttonsBlock(const c_codeplug& slot) {
  if (slot.sections.buttons == 0) return {};
  return slot.bytes(slot.sections.buttons, kBlockSize);
}

std::span<uint8_t> oneTouchEntry(c_codeplug& slot, int i) {
  const std::span<uint8_t> block = buttonsBlock(slot);
  if (block.empty() || i < 0 || i >= kOneTouchCount) return {};
  return block.subspan(kOneTouch + kOneTouchSize * static_cast<size_t>(i), kOneTouchSize);
}

std::span<const uint8_t> oneTouchEntry(const c_codeplug& slot, int i) {
  const std::span<const uint8_t> block = buttonsBlock(slot);
  if (block.empty() || i < 0 || i >= kOneTouchCount) return {};
  return block.subspan(kOneTouch + kOneTouchSize * static_cast<size_t>(i), kOneTouchSize);
}

OneTouchMode oneTouchMode(std::span<const uint8_t> entry) {
  if (entry.size() < kOneTouchSize) return OneTouchMode::None;
  const int mode = modeBits(entry);
  return mode == 1 ? OneTouchMode::Digital : mode == 2 ? OneTouchMode::Analogue : OneTouchMode::None;
}

bool oneTouchSendsText(std::span<const uint8_t> entry) {
  // The message editor renumbers entries by bits 0-1; the list agrees with it.
  return oneTouchMode(entry) == OneTouchMode::Digital && (entry[0] & 0x03) == 1;
}

uint16_t oneTouchContact(std::span<const uint8_t> entry) {
  if (entry.size() < kOneTouchSize) return 0;
  return readLe16(entry, kContactBytes);
}

void setOneTouchContact(std::span<uint8_t> entry, uint16_t contact) {
  if (entry.size() < kOneTouchSize) return;
  writeLe16(entry, kContactBytes, contact);
}

void clearOneTouchEntry(std::span<uint8_t> entry) { std::fill(entry.begin(), entry.end(), uint8_t{0}); }

uint16_t quickContact(const c_codeplug& slot, int j) {
  const std::span<const uint8_t> block = buttonsBlock(slot);
  if (block.empty() || j < 0 || j >= kNumberKeyCount) return 0;
  return readLe16(block, kQuickContacts + 2 * static_cast<size_t>(j));
}

void setQuickContact(c_codeplug& slot, int j, uint16_t contact) {
  const std::span<uint8_t> block = buttonsBlock(slot);
  if (block.empty() || j < 0 || j >= kNumberKeyCount) return;
  writeLe16(block, kQuickContacts + 2 * static_cast<size_t>(j), contact);
}

const std::vector<KeyPanel>& keyPanels() {
  static const std::vector<KeyPanel> panels = buildPanels();
  return panels;
}

const KeyPanel* keyPanelForModel(int modelCode) {
  switch (modelCode) {
    case kModelMd380:
    case kModelMd390:
    case kModelTp660: return &keyPanels()[0];
    case kModelUv380:
    case kModelUv390: return &keyPanels()[1];
    case kModelMd9600: return &keyPanels()[2];
    case kModelMd2017:
    case kModelDm1701: return &keyPanels()[3];
    default: return nullptr;
  }
}

const ChoiceSetting& longPressDurationSetting() {
  static const ChoiceSetting setting = {
      "LongPressDurationComboBox",
      "Long Press Duration ",
      "The required time for your side button long presses",
      {{layout::kButtons + kLongPressDuration, 0xFF}, scaledChoices(4, 15, 1, 250, " ms")}};
  return setting;
}

const std::vector<std::string_view>& oneTouchHeaders() {
  static const std::vector<std::string_view> headers = {"No.", "Mode", "Contact", "Call Type",
                                                        "Message / DTMF Encode"};
  return headers;
}

const std::vector<std::string_view>& numberKeyHeaders() {
  static const std::vector<std::string_view> headers = {"Num Key", "Contact"};
  return headers;
}

const KeyPanel* ButtonsSettings::panel() const { return keyPanelForModel(modelCode()); }

void ButtonsSettings::chooseKey(const ChoiceSetting& box, size_t index) {
  const KeyPanel* shown = panel();
  if (shown == nullptr) return;
  const bool onPanel = std::any_of(
      shown->keys.begin(), shown->keys.end(),
      [&box](const ProgrammableKey& key) { return &key.shortPress == &box || &key.longPress == &box; });
  if (onPanel) writeChoice(buffer(), box.field, index);
}

void ButtonsSettings::chooseLongPressDuration(size_t index) {
  writeChoice(buffer(), longPressDurationSetting().field, index);
}

int ButtonsSettings::contactCount() const {
  if (!active()) return 0;
  return usedCount(slot(), listSectionLayout(slot().sections, ListSectionId::Contacts));
}

std::string ButtonsSettings::contactName(int number) const {
  const std::span<const uint8_t> record = slot().contact(number - 1);
  if (record.size() < kContactRecordSize) return {};
  return utf16ToUtf8(decodeTextField(record.subspan(kContactName), kNameUnits, number));
}

std::string ButtonsSettings::messageText(int number) const {
  return utf16ToUtf8(decodeTextField(slot().textMessage(number - 1), kTextMessageUnits));
}

std::string ButtonsSettings::dtmfCodeText(int number) const {
  return dtmfEncodeDigits(dtmfEncodeEntry(std::as_const(slot()), number - 1));
}

std::string ButtonsSettings::oneTouchText(int i, OneTouchColumn column) const {
  if (!active()) return {};
  const std::span<const uint8_t> entry = oneTouchEntry(std::as_const(slot()), i);
  if (entry.empty()) return {};
  const OneTouchMode mode = oneTouchMode(entry);
  switch (column) {
    case OneTouchColumn::Number: return std::to_string(i + 1);
    case OneTouchColumn::Mode:
      return mode == OneTouchMode::Digital ? "Digital" : mode == OneTouchMode::Analogue ? "Analogue" : "None";
    case OneTouchColumn::Contact: {
      const int contact = oneTouchContact(entry);
      if (mode != OneTouchMode::Digital || contact < 1 || contact > contactCount()) return {};
      return contactName(contact);
    }
    case OneTouchColumn::CallType:
      if (mode == OneTouchMode::Digital) return oneTouchSendsText(entry) ? "Text Message" : "Call";
      if (mode == OneTouchMode::Analogue) return "DTMF-" + std::to_string((entry[0] & 0x03) + 1);
      return {};
    case OneTouchColumn::Message:
      if (oneTouchSendsText(entry)) {
        const int message = entry[kNumberByte];
        return message >= 1 && message <= kTextMessageCount ? messageText(message) : std::string();
      }
      if (mode == OneTouchMode::Analogue) return dtmfCodeText(shownDtmfCode(entry));
      return {};
  }
  return {};
}

std::string ButtonsSettings::numberKeyText(int j, NumberKeyColumn column) const {
  if (!active() || j < 0 || j >= kNumberKeyCount) return {};
  if (column == NumberKeyColumn::Key) return "Key " + std::to_string(j);
  const int contact = quickContact(slot(), j);
  return contact >= 1 && contact <= contactCount() ? contactName(contact) : "None";
}

std::vector<ChoiceItem> ButtonsSettings::oneTouchChoices(int i, OneTouchColumn column) const {
  if (!active()) return {};
  const std::span<const uint8_t> entry = oneTouchEntry(std::as_const(slot()), i);
  if (entry.empty()) return {};
  const OneTouchMode mode = oneTouchMode(entry);
  std::vector<ChoiceItem> choices;
  switch (column) {
    case OneTouchColumn::Number: break;
    case OneTouchColumn::Mode: choices = {{"None", 0}, {"Digital", 1}, {"Analogue", 2}}; break;
    case OneTouchColumn::Contact:
      if (mode != OneTouchMode::Digital) break;
      for (int number = 1, count = contactCount(); number <= count; ++number) {
        choices.push_back({contactName(number), number});
      }
      break;
    case OneTouchColumn::CallType:
      if (mode == OneTouchMode::Digital) choices = {{"Call", 0}, {"Text Message", 1}};
      if (mode == OneTouchMode::Analogue) {
        for (int k = 0; k < kDtmfSystems; ++k)
          choices.push_back({"DTMF-" + std::to_string(k + 1), kAnalogueCallType + k});
      }
      break;
    case OneTouchColumn::Message:
      // Each item stores its own number, so a gap in the list cannot shift the
      // choice onto another message or code.
      if (oneTouchSendsText(entry)) {
        for (int number = 1; number <= kTextMessageCount; ++number) {
          std::string text = messageText(number);
          if (!text.empty()) choices.push_back({std::move(text), number});
        }
      } else if (mode == OneTouchMode::Analogue) {
        for (int number = 1; number <= kDtmfEncodeCount; ++number) {
          const std::span<const uint8_t> code = dtmfEncodeEntry(std::as_const(slot()), number - 1);
          if (!dtmfEncodeIsEmpty(code)) choices.push_back({dtmfEncodeDigits(code), number});
        }
      }
      break;
  }
  return choices;
}

int ButtonsSettings::oneTouchValue(int i, OneTouchColumn column) const {
  if (!active()) return -1;
  const std::span<const uint8_t> entry = oneTouchEntry(std::as_const(slot()), i);
  if (entry.empty()) return -1;
  switch (column) {
    case OneTouchColumn::Number: return i + 1;
    case OneTouchColumn::Mode: return modeBits(entry);
    case OneTouchColumn::Contact: return oneTouchContact(entry);
    case OneTouchColumn::CallType:
      if (oneTouchMode(entry) == OneTouchMode::Digital) return oneTouchSendsText(entry) ? 1 : 0;
      if (oneTouchMode(entry) == OneTouchMode::Analogue) return kAnalogueCallType + (entry[0] & 0x03);
      return -1;
    case OneTouchColumn::Message: return entry[kNumberByte];
  }
  return -1;
}

void ButtonsSettings::chooseOneTouch(int i, OneTouchColumn column, int value) {
  if (!offers(oneTouchChoices(i, column), value)) return;
  const std::span<uint8_t> entry = oneTouchEntry(slot(), i);
  switch (column) {
    case OneTouchColumn::Number: break;
    case OneTouchColumn::Mode:
      // Choosing the mode the entry already has keeps its contact and message.
      if (modeBits(entry) == value) break;
      entry[0] =
          static_cast<uint8_t>((entry[0] & kKeptBits) | (value << kModeShift) |
                               (value == static_cast<int>(OneTouchMode::Analogue) ? kAnalogueCallType : 0));
      entry[kNumberByte] = 1;
      setOneTouchContact(entry, value == static_cast<int>(OneTouchMode::Digital) ? 1 : 0);
      break;
    case OneTouchColumn::Contact: setOneTouchContact(entry, static_cast<uint16_t>(value)); break;
    case OneTouchColumn::CallType:
      entry[0] = static_cast<uint8_t>((entry[0] & ~kCallTypeBits) | value);
      break;
    case OneTouchColumn::Message: entry[kNumberByte] = static_cast<uint8_t>(value); break;
  }
}

std::vector<ChoiceItem> ButtonsSettings::numberKeyChoices() const {
  if (!active()) return {};
  std::vector<ChoiceItem> choices = {{"None", 0}};
  for (int number = 1, count = contactCount(); number <= count; ++number) {
    choices.push_back({contactName(number), number});
  }
  return choices;
}

int ButtonsSettings::numberKeyValue(int j) const { return active() ? quickContact(slot(), j) : -1; }

void ButtonsSettings::chooseNumberKey(int j, int value) {
  if (!active()) return;
  setQuickContact(slot(), j, static_cast<uint16_t>(value >= 1 && value <= contactCount() ? value : 0));
}

}  // namespace tamberlin
