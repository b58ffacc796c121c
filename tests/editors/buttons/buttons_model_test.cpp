#include "editors/buttons/buttons_model.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/packed_dtmf.h"
#include "codeplug/text_field.h"
#include "editors/contacts/contacts_model.h"
#include "editors/text_messages/text_messages_model.h"
#include "support/scripted_prompt.h"

namespace tamberlin {
namespace {

constexpr size_t kBlock = layout::kButtons;
constexpr size_t kOneTouch1 = kBlock + 20;
constexpr size_t kQuickContacts = kBlock + 44;
constexpr size_t kDtmfEncodes = layout::kDtmf + 192;

class ButtonsModelTest : public ::testing::Test {
 protected:
  void useModel(int model) { ASSERT_EQ(common.newCodeplug(0, model, prompt), 0); }
  void SetUp() override { useModel(kModelMd380); }

  c_codeplug& slot() { return *common.slot(0); }
  std::vector<uint8_t>& buffer() { return slot().buffer; }
  ButtonsSettings settings() { return ButtonsSettings(&slot()); }
  std::vector<uint8_t> bytesAt(size_t offset, size_t length) {
    return std::vector<uint8_t>(buffer().begin() + offset, buffer().begin() + offset + length);
  }
  void setBytes(size_t offset, std::vector<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), buffer().begin() + offset);
  }
  // Names are written as given, so a name of blanks makes an unreadable contact.
  void addContacts(std::initializer_list<std::u16string> names) {
    int i = 0;
    for (const std::u16string& name : names) {
      const std::span<uint8_t> record = slot().contact(i++);
      initContactRecord(record, u"x");
      encodeTextField(record.subspan(4), 16, name);
    }
  }
  void addMessages(std::initializer_list<std::u16string> texts) {
    int i = 0;
    for (const std::u16string& text : texts) initTextMessageRecord(slot().textMessage(i++), text);
  }
  void setDtmfCode(int number, std::string_view digits) {
    std::span<uint8_t> entry(buffer().data() + kDtmfEncodes + 16 * (number - 1), 16);
    entry[0] = static_cast<uint8_t>(packDtmf(entry.subspan(1), digits, 30));
  }
  // The item of a box with that text, as the box lists it.
  static size_t itemIndex(const ChoiceSetting& box, std::string_view text) {
    const auto& items = box.field.items;
    const auto it =
        std::find_if(items.begin(), items.end(), [text](const ChoiceItem& i) { return i.text == text; });
    EXPECT_NE(it, items.end()) << text;
    return static_cast<size_t>(it - items.begin());
  }
  static std::vector<std::string> texts(const std::vector<ChoiceItem>& items) {
    std::vector<std::string> all;
    for (const ChoiceItem& item : items) all.push_back(item.text);
    return all;
  }
  static std::vector<int> values(const std::vector<ChoiceItem>& items) {
    std::vector<int> all;
    for (const ChoiceItem& item : items) all.push_back(item.value);
    return all;
  }

  CCommon common;
  test::ScriptedPrompt prompt;
};

// Model code, panel, and per key the label, box names and the two bytes.
struct PanelCase {
  int model;
  std::string_view panel;
  std::vector<std::tuple<std::string_view, std::string_view, size_t>> keys;  // label, short box, short byte
};

TEST_F(ButtonsModelTest, EachModelShowsItsPanelAndEachBoxWritesItsOwnByte) {
  const std::vector<PanelCase> cases = {
      {kModelMd380,
       "RadioType1Panel",
       {{"Upper Side Button", "Type1P1ShortPressComboBox", 2},
        {"Lower Side Button", "Type1P2ShortPressComboBox", 4}}},
      {kModelMd390,
       "RadioType1Panel",
       {{"Upper Side Button", "Type1P1ShortPressComboBox", 2},
        {"Lower Side Button", "Type1P2ShortPressComboBox", 4}}},
      {kModelTp660,
       "RadioType1Panel",
       {{"Upper Side Button", "Type1P1ShortPressComboBox", 2},
        {"Lower Side Button", "Type1P2ShortPressComboBox", 4}}},
      {kModelUv380,
       "RadioType2Panel",
       {{"Upper Side Button", "Type2P1ShortPressComboBox", 2},
        {"Lower Side Button", "Type2P2ShortPressComboBox", 4}}},
      {kModelUv390,
       "RadioType2Panel",
       {{"Upper Side Button", "Type2P1ShortPressComboBox", 2},
        {"Lower Side Button", "Type2P2ShortPressComboBox", 4}}},
      {kModelMd9600,
       "RadioType3Panel",
       {{"P1 ", "Type3P1ShortPressComboBox", 8},
        {"P2 ", "Type3P2ShortPressComboBox", 10},
        {"P3 ", "Type3P3ShortPressComboBox", 12},
        {"P4 ", "Type3P4ShortPressComboBox", 14}}},
      {kModelMd2017,
       "RadioType4Panel",
       {{"Top Button ", "Type4P1ShortPressComboBox", 0},
        {"Side Button 1 ", "Type4P2ShortPressComboBox", 2},
        {"Side Button 2 ", "Type4P3ShortPressComboBox", 4},
        {"Side Button 3 ", "Type4P4ShortPressComboBox", 6},
        {"P1 ", "Type4P5ShortPressComboBox", 8},
        {"P2 ", "Type4P6ShortPressComboBox", 10}}},
      {kModelDm1701,
       "RadioType4Panel",
       {{"Top Button ", "Type4P1ShortPressComboBox", 0},
        {"Side Button 1 ", "Type4P2ShortPressComboBox", 2},
        {"Side Button 2 ", "Type4P3ShortPressComboBox", 4},
        {"Side Button 3 ", "Type4P4ShortPressComboBox", 6},
        {"P1 ", "Type4P5ShortPressComboBox", 8},
        {"P2 ", "Type4P6ShortPressComboBox", 10}}},
  };
  for (const PanelCase& c : cases) {
    SCOPED_TRACE(c.model);
    useModel(c.model);
    const KeyPanel* panel = settings().panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->name, c.panel);
    ASSERT_EQ(panel->keys.size(), c.keys.size());
    for (size_t k = 0; k < c.keys.size(); ++k) {
      const auto& [label, shortName, shortByte] = c.keys[k];
      const ProgrammableKey& key = panel->keys[k];
      EXPECT_EQ(key.label, label);
      EXPECT_EQ(key.shortPress.name, shortName);
      std::string longName(shortName);
      longName.replace(longName.find("Short"), 5, "Long");
      EXPECT_EQ(key.longPress.name, longName);
      // Both presses write exactly their byte and nothing else.
      for (const auto& [box, byte] :
           {std::pair{&key.shortPress, shortByte}, std::pair{&key.longPress, shortByte + 1}}) {
        const std::vector<uint8_t> before = buffer();
        settings().chooseKey(*box, itemIndex(*box, "Lone Work On/Off"));
        std::vector<uint8_t> expected = before;
        expected[kBlock + byte] = 31;
        EXPECT_EQ(buffer(), expected) << box->name;
        EXPECT_EQ(settings().shownChoice(*box), itemIndex(*box, "Lone Work On/Off"));
      }
    }
  }
}

TEST_F(ButtonsModelTest, ZoneToggleOnTheLowerSideButtonsLongPressWritesByteFive) {
  for (int model : {kModelMd380, kModelTp660}) {
    SCOPED_TRACE(model);
    useModel(model);
    const ChoiceSetting& box = settings().panel()->keys[1].longPress;
    const std::vector<uint8_t> before = buffer();
    settings().chooseKey(box, itemIndex(box, "Zone Toggle"));
    EXPECT_EQ(buffer()[0x232A], 25);
    buffer()[0x232A] = before[0x232A];
    EXPECT_EQ(buffer(), before);
  }
}

TEST_F(ButtonsModelTest, FunctionListsDifferPerPanel) {
  struct ListCase {
    int model;
    size_t items;
    std::string_view txPower;  // code 4
    std::string_view zone;     // code 24
    bool battery;              // code 26
    bool zoneToggle;           // code 25, and the other first-list-only items
    bool firmware;             // codes 34-36, 47-49, 55
  };
  const ListCase cases[] = {
      {kModelMd390, 24, "High/Low Tx Power", "Zone Select", true, true, false},
      {kModelUv390, 28, "Tx Power Select", "Zone +", true, false, true},
      {kModelMd9600, 27, "Tx Power Seleect", "Zone +", false, false, true},
      {kModelDm1701, 28, "High/Low Tx Power", "Zone +", true, false, true},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.model);
    useModel(c.model);
    const std::vector<ChoiceItem>& items = settings().panel()->keys[0].shortPress.field.items;
    EXPECT_EQ(items.size(), c.items);
    const auto textOf = [&items](int code) -> std::string {
      for (const ChoiceItem& item : items) {
        if (item.value == code) return item.text;
      }
      return "";
    };
    EXPECT_EQ(textOf(0), "Unassigned (Default)");
    EXPECT_EQ(textOf(4), c.txPower);
    EXPECT_EQ(textOf(24), c.zone);
    EXPECT_EQ(textOf(26).empty(), !c.battery);
    EXPECT_EQ(textOf(6).empty(), !c.zoneToggle);
    EXPECT_EQ(textOf(25).empty(), !c.zoneToggle);
    EXPECT_EQ(textOf(30).empty(), !c.zoneToggle);
    EXPECT_EQ(textOf(55).empty(), !c.firmware);
    EXPECT_EQ(textOf(36).empty(), !c.firmware);
    EXPECT_EQ(textOf(12), "One Touch Access 6");
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(),
                               [](const ChoiceItem& a, const ChoiceItem& b) { return a.value < b.value; }));
    // Every box of a panel offers the same list.
    for (const ProgrammableKey& key : settings().panel()->keys) {
      EXPECT_EQ(texts(key.shortPress.field.items), texts(items));
      EXPECT_EQ(texts(key.longPress.field.items), texts(items));
    }
  }
}

TEST_F(ButtonsModelTest, BlankTemplatesHoldOnlyFunctionsTheirPanelOffers) {
  for (int model : {kModelMd390, kModelUv390, kModelMd9600, kModelMd2017, kModelDm1701}) {
    SCOPED_TRACE(model);
    useModel(model);
    for (const ProgrammableKey& key : settings().panel()->keys) {
      EXPECT_TRUE(settings().shownChoice(key.shortPress).has_value()) << key.shortPress.name;
      EXPECT_TRUE(settings().shownChoice(key.longPress).has_value()) << key.longPress.name;
    }
    EXPECT_EQ(settings().shownChoice(longPressDurationSetting()), 0u);
  }
}

TEST_F(ButtonsModelTest, AnUnknownCodeSelectsNothingAndOtherPanelsWriteNothing) {
  buffer()[kBlock + 2] = 15;
  EXPECT_FALSE(settings().shownChoice(settings().panel()->keys[0].shortPress).has_value());
  const std::vector<uint8_t> before = buffer();
  const ChoiceSetting& mobileBox = keyPanels()[2].keys[0].shortPress;
  settings().chooseKey(mobileBox, itemIndex(mobileBox, "Monitor"));
  EXPECT_EQ(buffer(), before);
}

TEST_F(ButtonsModelTest, LongPressDurationCountsQuarterSeconds) {
  const ChoiceSetting& duration = longPressDurationSetting();
  ASSERT_EQ(duration.field.items.size(), 12u);
  EXPECT_EQ(duration.field.items.front().text, "1000 ms");
  EXPECT_EQ(duration.field.items.back().text, "3750 ms");
  settings().chooseLongPressDuration(itemIndex(duration, "1250 ms"));
  EXPECT_EQ(buffer()[kBlock + 17], 5);
  buffer()[kBlock + 17] = 15;
  EXPECT_EQ(duration.field.items[*settings().shownChoice(duration)].text, "3750 ms");
  buffer()[kBlock + 17] = 3;
  EXPECT_FALSE(settings().shownChoice(duration).has_value());
}

TEST_F(ButtonsModelTest, SwitchingTheModeResetsTheEntry) {
  addContacts({u"Local", u"World"});
  setDtmfCode(1, "123");
  setBytes(kOneTouch1, {0xC0, 0, 0, 0});  // bits 6-7 belong to no field and stay

  settings().chooseOneTouch(0, OneTouchColumn::Mode, 1);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0xD0, 1, 1, 0}));
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Mode), "Digital");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Contact), "Local");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::CallType), "Call");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Message), "");

  settings().chooseOneTouch(0, OneTouchColumn::Contact, 2);
  settings().chooseOneTouch(0, OneTouchColumn::Mode, 2);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0xE8, 1, 0, 0}));
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Mode), "Analogue");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Contact), "");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::CallType), "DTMF-1");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Message), "123");

  settings().chooseOneTouch(0, OneTouchColumn::Mode, 0);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0xC0, 1, 0, 0}));
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::Mode), "None");
  EXPECT_EQ(settings().oneTouchText(0, OneTouchColumn::CallType), "");
}

TEST_F(ButtonsModelTest, ChoosingTheModeAnEntryHasKeepsIt) {
  addContacts({u"Local", u"World"});
  setBytes(kOneTouch1, {0x11, 2, 2, 0});
  settings().chooseOneTouch(0, OneTouchColumn::Mode, 1);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0x11, 2, 2, 0}));
}

TEST_F(ButtonsModelTest, OneTouchRowsShowWhatTheEntriesName) {
  addContacts({u"Local", u"World", u"   "});
  addMessages({u"On my way", u"QRT"});
  setDtmfCode(1, "1#");
  setDtmfCode(3, "*99");
  setDtmfCode(32, "ABCD");
  struct Case {
    std::vector<uint8_t> entry;
    std::vector<std::string> row;  // No. left out
  };
  const Case cases[] = {
      {{0x00, 0, 0, 0}, {"None", "", "", ""}},
      {{0x30, 1, 1, 0}, {"None", "", "", ""}},  // mode 3 is no mode
      {{0x10, 0, 2, 0}, {"Digital", "World", "Call", ""}},
      {{0x10, 0, 3, 0}, {"Digital", "no_name-3", "Call", ""}},
      {{0x10, 0, 4, 0}, {"Digital", "", "Call", ""}},  // past the contacts
      {{0x11, 2, 1, 0}, {"Digital", "Local", "Text Message", "QRT"}},
      {{0x11, 5, 1, 0}, {"Digital", "Local", "Text Message", ""}},
      {{0x11, 51, 1, 0}, {"Digital", "Local", "Text Message", ""}},
      {{0x2A, 3, 0, 0}, {"Analogue", "", "DTMF-3", "*99"}},
      {{0x28, 0, 0, 0}, {"Analogue", "", "DTMF-1", "1#"}},      // 0 sends code 1
      {{0x2B, 200, 0, 0}, {"Analogue", "", "DTMF-4", "ABCD"}},  // past the codes sends the last
      {{0x28, 2, 0, 0}, {"Analogue", "", "DTMF-1", ""}},
  };
  for (const Case& c : cases) {
    setBytes(kOneTouch1 + 4 * 5, c.entry);
    const std::vector<std::string> row = {settings().oneTouchText(5, OneTouchColumn::Mode),
                                          settings().oneTouchText(5, OneTouchColumn::Contact),
                                          settings().oneTouchText(5, OneTouchColumn::CallType),
                                          settings().oneTouchText(5, OneTouchColumn::Message)};
    EXPECT_EQ(row, c.row) << int(c.entry[0]) << " " << int(c.entry[1]) << " " << int(c.entry[2]);
  }
  EXPECT_EQ(settings().oneTouchText(5, OneTouchColumn::Number), "6");
  EXPECT_EQ(settings().oneTouchText(6, OneTouchColumn::Number), "");
}

TEST_F(ButtonsModelTest, OneTouchDropDownsOfferWhatTheEntryCanUse) {
  addContacts({u"Local", u"World"});
  addMessages({u"On my way", u"QRT"});
  setDtmfCode(2, "12");
  setDtmfCode(5, "345");  // codes 1, 3 and 4 are unused

  setBytes(kOneTouch1, {0x00, 0, 0, 0});
  EXPECT_EQ(texts(settings().oneTouchChoices(0, OneTouchColumn::Mode)),
            (std::vector<std::string>{"None", "Digital", "Analogue"}));
  for (OneTouchColumn column :
       {OneTouchColumn::Number, OneTouchColumn::Contact, OneTouchColumn::CallType, OneTouchColumn::Message}) {
    EXPECT_TRUE(settings().oneTouchChoices(0, column).empty()) << int(column);
  }

  setBytes(kOneTouch1, {0x10, 1, 1, 0});
  EXPECT_EQ(texts(settings().oneTouchChoices(0, OneTouchColumn::Contact)),
            (std::vector<std::string>{"Local", "World"}));
  EXPECT_EQ(values(settings().oneTouchChoices(0, OneTouchColumn::Contact)), (std::vector<int>{1, 2}));
  EXPECT_EQ(texts(settings().oneTouchChoices(0, OneTouchColumn::CallType)),
            (std::vector<std::string>{"Call", "Text Message"}));
  EXPECT_TRUE(settings().oneTouchChoices(0, OneTouchColumn::Message).empty());

  settings().chooseOneTouch(0, OneTouchColumn::CallType, 1);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0x11, 1, 1, 0}));
  EXPECT_EQ(texts(settings().oneTouchChoices(0, OneTouchColumn::Message)),
            (std::vector<std::string>{"On my way", "QRT"}));
  settings().chooseOneTouch(0, OneTouchColumn::Message, 2);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0x11, 2, 1, 0}));
  EXPECT_EQ(settings().oneTouchValue(0, OneTouchColumn::Message), 2);

  setBytes(kOneTouch1, {0x28, 1, 0, 0});
  EXPECT_TRUE(settings().oneTouchChoices(0, OneTouchColumn::Contact).empty());
  EXPECT_EQ(texts(settings().oneTouchChoices(0, OneTouchColumn::CallType)),
            (std::vector<std::string>{"DTMF-1", "DTMF-2", "DTMF-3", "DTMF-4"}));
  settings().chooseOneTouch(0, OneTouchColumn::CallType, 11);
  EXPECT_EQ(buffer()[kOneTouch1], 0x2B);
  EXPECT_EQ(settings().oneTouchValue(0, OneTouchColumn::CallType), 11);
  // The second code offered is code 5, and choosing it stores 5, not 2.
  EXPECT_EQ(texts(settings().oneTouchChoices(0, OneTouchColumn::Message)),
            (std::vector<std::string>{"12", "345"}));
  settings().chooseOneTouch(0, OneTouchColumn::Message, 5);
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0x2B, 5, 0, 0}));
}

TEST_F(ButtonsModelTest, ValuesTheDropDownDoesNotOfferWriteNothing) {
  addContacts({u"Local"});
  setBytes(kOneTouch1, {0x10, 1, 1, 0});
  const std::vector<uint8_t> before = buffer();
  settings().chooseOneTouch(0, OneTouchColumn::Contact, 2);
  settings().chooseOneTouch(0, OneTouchColumn::Mode, 3);
  settings().chooseOneTouch(0, OneTouchColumn::CallType, 9);
  settings().chooseOneTouch(0, OneTouchColumn::Message, 1);  // no messages yet
  settings().chooseOneTouch(6, OneTouchColumn::Mode, 1);
  EXPECT_EQ(buffer(), before);
}

TEST_F(ButtonsModelTest, NumberKeysShowTheirContactOrNone) {
  addContacts({u"Local", u"World", u"  "});
  setBytes(kQuickContacts, {2, 0, 0, 0, 4, 0, 3, 0, 0xE8, 0x03});
  EXPECT_EQ(settings().numberKeyText(0, NumberKeyColumn::Key), "Key 0");
  EXPECT_EQ(settings().numberKeyText(9, NumberKeyColumn::Key), "Key 9");
  const std::vector<std::string> shown = {settings().numberKeyText(0, NumberKeyColumn::Contact),
                                          settings().numberKeyText(1, NumberKeyColumn::Contact),
                                          settings().numberKeyText(2, NumberKeyColumn::Contact),
                                          settings().numberKeyText(3, NumberKeyColumn::Contact),
                                          settings().numberKeyText(4, NumberKeyColumn::Contact)};
  EXPECT_EQ(shown, (std::vector<std::string>{"World", "None", "None", "no_name-3", "None"}));
  // Reading never writes: the numbers past the list stay until the key is edited.
  EXPECT_EQ(bytesAt(kQuickContacts, 10), (std::vector<uint8_t>{2, 0, 0, 0, 4, 0, 3, 0, 0xE8, 0x03}));
  EXPECT_EQ(settings().numberKeyValue(2), 4);
}

TEST_F(ButtonsModelTest, ChoosingANumberKeyContactStoresItsNumber) {
  addContacts({u"Local", u"World"});
  EXPECT_EQ(texts(settings().numberKeyChoices()), (std::vector<std::string>{"None", "Local", "World"}));
  EXPECT_EQ(values(settings().numberKeyChoices()), (std::vector<int>{0, 1, 2}));
  struct Case {
    int chosen;
    uint16_t stored;
  };
  for (const Case c : {Case{2, 2}, Case{0, 0}, Case{1, 1}, Case{3, 0}, Case{-1, 0}}) {
    settings().chooseNumberKey(7, c.chosen);
    EXPECT_EQ(quickContact(slot(), 7), c.stored) << c.chosen;
  }
  EXPECT_EQ(bytesAt(kQuickContacts, 20), std::vector<uint8_t>(20, 0));
}

TEST_F(ButtonsModelTest, WithoutACodeplugNothingShowsAndNothingIsWritten) {
  c_codeplug& empty = *common.slot(1);
  ButtonsSettings none(&empty);
  EXPECT_FALSE(none.active());
  EXPECT_EQ(none.panel(), nullptr);
  EXPECT_EQ(none.oneTouchText(0, OneTouchColumn::Mode), "");
  EXPECT_EQ(none.numberKeyText(0, NumberKeyColumn::Key), "");
  EXPECT_TRUE(none.oneTouchChoices(0, OneTouchColumn::Mode).empty());
  EXPECT_TRUE(none.numberKeyChoices().empty());
  none.chooseOneTouch(0, OneTouchColumn::Mode, 1);
  none.chooseNumberKey(0, 1);
  none.chooseLongPressDuration(1);
  EXPECT_TRUE(empty.buffer.empty());
  EXPECT_EQ(keyPanelForModel(0), nullptr);
  EXPECT_EQ(keyPanelForModel(9), nullptr);
}

TEST(ButtonsBlock, EntriesAndKeysOutsideTheBlockAreRefused) {
  c_codeplug slot;
  slot.sections.buttons = layout::kButtons;
  slot.buffer.assign(layout::kButtons + 40, 0);  // cut short inside the one-touch entries
  EXPECT_TRUE(buttonsBlock(slot).empty());
  EXPECT_TRUE(oneTouchEntry(slot, 0).empty());
  EXPECT_EQ(quickContact(slot, 0), 0);
  setQuickContact(slot, 0, 5);
  EXPECT_EQ(slot.buffer, std::vector<uint8_t>(layout::kButtons + 40, 0));
  slot.buffer.assign(layout::kButtons + 64, 0);
  EXPECT_EQ(oneTouchEntry(slot, 5).size(), 4u);
  EXPECT_TRUE(oneTouchEntry(slot, 6).empty());
  EXPECT_TRUE(oneTouchEntry(slot, -1).empty());
  setQuickContact(slot, 9, 0x1234);
  EXPECT_EQ(slot.buffer[layout::kButtons + 62], 0x34);
  EXPECT_EQ(slot.buffer[layout::kButtons + 63], 0x12);
  setQuickContact(slot, 10, 1);
  EXPECT_EQ(slot.buffer.size(), layout::kButtons + 64);
}

}  // namespace
}  // namespace tamberlin
