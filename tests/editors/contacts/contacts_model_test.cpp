#include "editors/contacts/contacts_model.h"

#include <gtest/gtest.h>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "editors/contacts/contact_record.h"
#include "editors/gps/gps_model.h"
#include "support/endian.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

// An MD390 codeplug with contacts "K1".."Kn" and the places that name them.
class ContactsTest : public ::testing::Test {
 protected:
  void SetUp() override { makeCodeplug(kModelMd390, 5); }

  void makeCodeplug(int model, int contacts) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, model, silent), 0);
    slot = common.slot(0);
    section = contactListSection(*slot);
    for (int i = 0; i < contacts; ++i) initialiseContact(*slot, i, utf8ToUtf16("K" + std::to_string(i + 1)));
  }
  ListEngine engine() { return ListEngine(*slot, section); }
  int used() { return engine().used(); }
  std::string name(int index) { return utf16ToUtf8(contactCellText(*slot, index, ContactColumn::Name)); }

  std::span<uint8_t> oneTouch(int i) { return slot->bytes(layout::kButtons + 20 + 4 * i, 4); }
  void setOneTouch(int i, int mode, uint16_t contact) {
    oneTouch(i)[0] = static_cast<uint8_t>(mode << 4);
    writeLe16(oneTouch(i), 2, contact);
  }
  uint16_t oneTouchContact(int i) { return readLe16(oneTouch(i), 2); }
  std::span<uint8_t> keyPad(int j) { return slot->bytes(layout::kButtons + 44 + 2 * j, 2); }
  void setGroupList(int list, bool named, std::vector<uint16_t> members) {
    std::span<uint8_t> record = slot->groupList(list);
    std::fill(record.begin(), record.end(), uint8_t{0});
    if (named) encodeTextField(record, kNameUnits, u"G");
    for (size_t k = 0; k < members.size(); ++k) writeLe16(record, 32 + 2 * k, members[k]);
  }
  std::vector<uint16_t> members(int list, int count = 4) {
    std::vector<uint16_t> out;
    for (int k = 0; k < count; ++k) out.push_back(readLe16(slot->groupList(list), 32 + 2 * k));
    return out;
  }
  void setChannel(int index, bool named, bool digital, uint16_t contact) {
    ChannelRecord channel(slot->channel(index));
    std::fill(channel.name().begin(), channel.name().end(), uint8_t{0});
    if (named) encodeTextField(channel.name(), kNameUnits, u"C");
    channel.bytes()[0] = static_cast<uint8_t>((channel.bytes()[0] & ~3) | (digital ? 2 : 1));
    channel.setContact(contact);
  }
  uint16_t channelContact(int index) { return ChannelRecord(slot->channel(index)).contact(); }
  uint16_t gps(int k) { return gpsDestinationContact(gpsSystem(*slot, k)); }

  CCommon common;
  c_codeplug* slot = nullptr;
  ListSection section = contactListSection(c_codeplug{});
  test::ScriptedPrompt prompt;
};

TEST_F(ContactsTest, SectionLiesWhereTheFamilyKeepsIt) {
  EXPECT_EQ(section.layout.offset, 0x61A5u);
  EXPECT_EQ(section.layout.capacity, 1000);
  makeCodeplug(kModelUv390, 0);
  EXPECT_EQ(section.layout.offset, 0x70235u);
  EXPECT_EQ(section.layout.capacity, 10000);
}

TEST_F(ContactsTest, CellsShowTheRecord) {
  struct Case {
    uint8_t flags;
    const char* type;
    const char* tone;
  } cases[] = {
      {0xC0, "-", ""},        {0xC1, "Group call", ""},     {0xE2, "Private call", "Yes"},
      {0xC3, "All call", ""}, {0xC4, "Displatch call", ""}, {0xC5, "PC call", ""},
      {0xC6, "Unknown", ""},  {0xFF, "Unknown", "Yes"},
  };
  t_contact_entry contact(slot->contact(1));
  contact.setCallId(3100123);
  for (const Case& c : cases) {
    slot->contact(1)[3] = c.flags;
    EXPECT_EQ(utf16ToUtf8(contactCellText(*slot, 1, ContactColumn::Type)), c.type) << int(c.flags);
    EXPECT_EQ(utf16ToUtf8(contactCellText(*slot, 1, ContactColumn::RxTone)), c.tone) << int(c.flags);
  }
  EXPECT_EQ(utf16ToUtf8(contactCellText(*slot, 1, ContactColumn::Number)), "2");
  EXPECT_EQ(utf16ToUtf8(contactCellText(*slot, 1, ContactColumn::DmrId)), "3100123");
  encodeTextField(contact.name(), kNameUnits, u"   ");
  EXPECT_EQ(name(1), "no_name-2");
}

TEST_F(ContactsTest, DeletingTheOnlyContactLeavesContact1) {
  makeCodeplug(kModelMd390, 1);
  slot->contact(0)[3] = 0xE2;
  EXPECT_EQ(deleteContact(*slot, 1, true, prompt), 0);
  EXPECT_EQ(used(), 1);
  EXPECT_EQ(name(0), "Contact 1");
  t_contact_entry first(slot->contact(0));
  EXPECT_EQ(first.callId(), 0u);
  EXPECT_EQ(slot->contact(0)[3], 0xC1);
  // The freed record is the cleared one.
  const std::span<uint8_t> last = slot->contact(999);
  EXPECT_EQ(last[3], 0xC0);
  EXPECT_EQ(readLe24(last, 0), 0xFFFFFFu);
}

TEST_F(ContactsTest, DeleteAsksWithEveryHolderAndClearsThem) {
  setOneTouch(0, 1, 3);
  setOneTouch(1, 2, 3);  // analogue: neither counted nor cleared
  writeLe16(keyPad(4), 0, 3);
  setGroupList(0, true, {3, 4, 5, 1});
  setGroupList(1, false, {1, 3, 3, 2});  // not in use, still counted
  setChannel(0, true, true, 5);
  setChannel(1, false, true, 3);  // not in use, still counted
  setChannel(2, true, false, 3);  // analogue
  setGpsDestinationContact(gpsSystem(*slot, 2), 3);
  prompt.answerNext(PromptAnswer::Yes);

  EXPECT_EQ(deleteContact(*slot, 3, true, prompt), 0);

  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text,
            "\"K3\" is used in .. \n\n1 side buttons \n1 key pad contacts \n2 groups \n1 channels \n"
            "1 GPS settings \n\nDelete the contact ? ");
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompt.shown[0].defaultAnswer, PromptAnswer::No);
  EXPECT_EQ(used(), 4);
  EXPECT_EQ(name(2), "K4");
  EXPECT_EQ(readLe32(oneTouch(0)), 0u);
  EXPECT_EQ(oneTouchContact(1), 3);  // the analogue entry's number is not used
  EXPECT_EQ(readLe16(keyPad(4)), 0);
  EXPECT_EQ(members(0), (std::vector<uint16_t>{3, 4, 1, 0}));  // 4 and 5 now 3 and 4
  EXPECT_EQ(members(1), (std::vector<uint16_t>{1, 2, 0, 0}));
  EXPECT_EQ(channelContact(0), 4);
  EXPECT_EQ(channelContact(1), 0);
  EXPECT_EQ(channelContact(2), 0);  // would otherwise name K4
  const std::span<uint8_t> system = gpsSystem(*slot, 2);
  EXPECT_EQ(readLe16(system, 0), 0);
  EXPECT_EQ(system[2], 0);
  EXPECT_EQ(system[3], 0xFF);
  EXPECT_EQ(gps(2), 0);
}

TEST_F(ContactsTest, DeclinedOrInvalidDeleteChangesNothing) {
  setGroupList(0, true, {2});
  const std::vector<uint8_t> before = slot->buffer;
  prompt.answerNext(PromptAnswer::No);
  EXPECT_EQ(deleteContact(*slot, 2, true, prompt), -3);
  EXPECT_EQ(deleteContact(*slot, 0, true, prompt), -2);
  EXPECT_EQ(deleteContact(*slot, 1001, true, prompt), -1);
  EXPECT_EQ(slot->buffer, before);
  c_codeplug empty;
  EXPECT_EQ(deleteContact(empty, 1, true, prompt), -1);
}

TEST_F(ContactsTest, DecliningTheSecondOfThreeSelectedKeepsItAndTheOneAbove) {
  setChannel(0, true, true, 2);
  prompt.answerNext(PromptAnswer::No);
  const auto result = engine().deleteSelection({0, 1, 2}, true, prompt);
  EXPECT_EQ(result.deleted, 1);
  EXPECT_EQ(used(), 4);
  EXPECT_EQ(name(0), "K1");
  EXPECT_EQ(name(1), "K2");
  EXPECT_EQ(name(2), "K4");
  EXPECT_EQ(channelContact(0), 2);
}

TEST_F(ContactsTest, InsertAtRow0RenumbersEveryPlace) {
  setOneTouch(0, 1, 1);
  setOneTouch(1, 2, 2);  // analogue
  setOneTouch(2, 0, 4);  // no mode
  writeLe16(keyPad(0), 0, 5);
  setGroupList(0, true, {1, 5});
  setGroupList(7, false, {2, 3});  // not in use
  setChannel(0, true, true, 3);
  setChannel(999, false, false, 1);
  setGpsDestinationContact(gpsSystem(*slot, 0), 2);
  setGpsDestinationContact(gpsSystem(*slot, 1), 0xFFFF);  // "none" above the capacity

  EXPECT_EQ(insertContact(*slot, 0), 0);

  EXPECT_EQ(name(0), "New contact");
  EXPECT_EQ(name(1), "K1");
  EXPECT_EQ(used(), 6);
  EXPECT_EQ(oneTouchContact(0), 2);
  EXPECT_EQ(oneTouchContact(1), 3);
  EXPECT_EQ(oneTouchContact(2), 5);
  EXPECT_EQ(readLe16(keyPad(0)), 6);
  EXPECT_EQ(readLe16(keyPad(1)), 0);
  EXPECT_EQ(members(0, 3), (std::vector<uint16_t>{2, 6, 0}));
  EXPECT_EQ(members(7, 2), (std::vector<uint16_t>{3, 4}));
  EXPECT_EQ(channelContact(0), 4);
  EXPECT_EQ(channelContact(999), 2);
  EXPECT_EQ(gps(0), 3);
  EXPECT_EQ(gps(1), 0xFFFF);
}

TEST_F(ContactsTest, InsertPositionsAndSources) {
  writeLe16(keyPad(0), 0, 6);  // names the free record just past the list
  writeLe16(keyPad(1), 0, 5);
  EXPECT_EQ(insertContact(*slot, 5), 5);
  EXPECT_EQ(readLe16(keyPad(0)), 7);
  EXPECT_EQ(readLe16(keyPad(1)), 5);
  EXPECT_EQ(insertContact(*slot, -1), 6);  // appending renumbers nothing
  EXPECT_EQ(readLe16(keyPad(0)), 7);
  EXPECT_EQ(insertContact(*slot, 500), 7);

  std::vector<uint8_t> source(36, 0);
  writeLe24(source, 0, 2620001);
  source[3] = 0xE2;
  encodeTextField(std::span(source).subspan(4), kNameUnits, u"DL1ABC");
  EXPECT_EQ(insertContact(*slot, 1, source), 1);
  EXPECT_TRUE(std::equal(source.begin(), source.end(), slot->contact(1).begin()));
  // A source without a name would end the list at the new record.
  std::fill(source.begin() + 4, source.end(), uint8_t{0});
  EXPECT_EQ(insertContact(*slot, 0, source), 0);
  EXPECT_EQ(name(0), "New contact");
  EXPECT_EQ(t_contact_entry(slot->contact(0)).callId(), 2620001u);
  EXPECT_EQ(used(), 10);
}

TEST_F(ContactsTest, InsertIntoAFullListOrWithoutCodeplugFails) {
  makeCodeplug(kModelMd390, 1000);
  const std::vector<uint8_t> before = slot->buffer;
  EXPECT_EQ(insertContact(*slot, 0), -2);
  EXPECT_EQ(slot->buffer, before);
  c_codeplug empty;
  EXPECT_EQ(insertContact(empty, 0), -1);
}

TEST_F(ContactsTest, MovingContact5To2CarriesItsReferences) {
  setOneTouch(0, 1, 5);
  setOneTouch(1, 2, 5);  // analogue: a move leaves it
  writeLe16(keyPad(0), 0, 2);
  setGroupList(0, true, {5, 2, 3, 4, 1});
  setGroupList(1, false, {5, 2});  // not in use: a move leaves it
  setChannel(0, true, true, 4);
  setChannel(1, false, true, 5);  // not in use
  setGpsDestinationContact(gpsSystem(*slot, 0), 3);

  EXPECT_EQ(engine().moveSelection({4}, 3), (std::vector<int>{1}));

  EXPECT_EQ(name(1), "K5");
  EXPECT_EQ(name(4), "K4");
  EXPECT_EQ(oneTouchContact(0), 2);
  EXPECT_EQ(oneTouchContact(1), 5);
  EXPECT_EQ(readLe16(keyPad(0)), 3);
  EXPECT_EQ(members(0, 5), (std::vector<uint16_t>{2, 3, 4, 5, 1}));
  EXPECT_EQ(members(1, 2), (std::vector<uint16_t>{5, 2}));
  EXPECT_EQ(channelContact(0), 5);
  EXPECT_EQ(channelContact(1), 5);
  EXPECT_EQ(gps(0), 4);
}

TEST_F(ContactsTest, MovesStopAtTheEnds) {
  EXPECT_EQ(engine().moveSelection({3}, 10), (std::vector<int>{0}));
  EXPECT_EQ(name(0), "K4");
  EXPECT_EQ(engine().moveSelection({2, 4}, -10), (std::vector<int>{2, 4}));
  EXPECT_EQ(engine().moveSelection({1, 2}, -100), (std::vector<int>{3, 4}));
}

TEST_F(ContactsTest, TypedIdsAreStoredOnlyInRange) {
  struct Case {
    const char16_t* text;
    bool written;
    uint32_t id;
  } cases[] = {
      {u"16777216", false, 1234},
      {u"16777215", true, 0xFFFFFF},
      {u"0", true, 0},
      {u" 42 ", true, 42},
      {u"", false, 1234},
      {u"12a", false, 1234},
      {u"-1", false, 1234},
      {u"99999999", false, 1234},
  };
  for (const Case& c : cases) {
    t_contact_entry contact(slot->contact(2));
    contact.setCallId(1234);
    slot->contact(2)[3] = 0xDA;
    EXPECT_EQ(writeContactIdText(*slot, 2, c.text), c.written) << utf16ToUtf8(c.text);
    EXPECT_EQ(contact.callId(), c.id) << utf16ToUtf8(c.text);
    EXPECT_EQ(slot->contact(2)[3], 0xDA);
  }
}

TEST_F(ContactsTest, SetItemsTouchOnlyTheSelectedRecords) {
  for (int i = 0; i < 5; ++i) slot->contact(i)[3] = 0xD9;  // group call, bits 3, 4, 6, 7 set
  const std::vector<uint8_t> before = slot->buffer;
  setContactsCallType(*slot, {3}, kPrivateCall);
  EXPECT_EQ(slot->contact(3)[3], 0xDA);
  slot->contact(3)[3] = 0xD9;
  EXPECT_EQ(slot->buffer, before);

  setContactsRxTone(*slot, {1, 2}, true);
  EXPECT_EQ(slot->contact(1)[3], 0xF9);
  EXPECT_EQ(slot->contact(2)[3], 0xF9);
  setContactsRxTone(*slot, {2}, false);
  EXPECT_EQ(slot->contact(2)[3], 0xD9);
  setContactsCallType(*slot, {0, 4}, kAllCall);
  EXPECT_EQ(slot->contact(0)[3], 0xDB);
  EXPECT_EQ(slot->contact(4)[3], 0xDB);
}

TEST_F(ContactsTest, TypeCellCyclesAndRxToneToggles) {
  const std::pair<uint8_t, uint8_t> cases[] = {
      {0xC1, 0xC2}, {0xC2, 0xC3}, {0xC3, 0xC1}, {0xC6, 0xC1}, {0xC0, 0xC1}, {0x3F, 0x39}, {0xFD, 0xF9},
  };
  for (const auto& [flags, next] : cases) {
    slot->contact(0)[3] = flags;
    cycleContactCallType(*slot, 0);
    EXPECT_EQ(slot->contact(0)[3], next) << int(flags);
  }
  slot->contact(0)[3] = 0xC6;
  EXPECT_EQ(utf16ToUtf8(contactCellText(*slot, 0, ContactColumn::Type)), "Unknown");
  cycleContactCallType(*slot, 0);
  EXPECT_EQ(utf16ToUtf8(contactCellText(*slot, 0, ContactColumn::Type)), "Group call");
  toggleContactRxTone(*slot, 0);
  EXPECT_EQ(slot->contact(0)[3], 0xE1);
  toggleContactRxTone(*slot, 0);
  EXPECT_EQ(slot->contact(0)[3], 0xC1);
}

TEST_F(ContactsTest, PastingThirtyRecordsIntoTenFreePlaces) {
  makeCodeplug(kModelMd390, 990);
  std::vector<int> rows;
  for (int i = 0; i < 30; ++i) rows.push_back(100 + i);
  const std::vector<uint8_t> block = engine().copyBlock(rows);
  ASSERT_EQ(block.size(), 9u + 30 * 36);
  EXPECT_EQ(block[8], kModelMd390);
  const auto result = engine().paste(block, prompt);
  EXPECT_EQ(result.first, 990);
  EXPECT_EQ(result.count, 10);
  EXPECT_EQ(used(), 1000);
  EXPECT_EQ(name(990), "K101");
  EXPECT_EQ(name(999), "K110");
  EXPECT_TRUE(prompt.shown.empty());
  engine().paste(block, prompt);
  EXPECT_EQ(prompt.texts(), (std::vector<std::string>{"Error: no free space. "}));
}

TEST_F(ContactsTest, SearchMatchesEveryColumn) {
  t_contact_entry(slot->contact(1)).setCallId(2620001);
  slot->contact(2)[3] = 0xE2;  // private call with rx tone
  struct Case {
    const char16_t* text;
    std::vector<int> rows;
  } cases[] = {
      {u"  k4 ", {3}}, {u"262", {1}}, {u"PRIVATE", {2}}, {u"yes", {2}}, {u"group", {0, 1, 3, 4}},
      {u"5", {4}},     {u"", {}},     {u"   ", {}},      {u"zz", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(contactSearchMatches(*slot, c.text), c.rows) << utf16ToUtf8(c.text);
  EXPECT_EQ(contactSearchTopRow(1), 0);
  EXPECT_EQ(contactSearchTopRow(10), 7);
}

TEST(ContactsTitle, BothVariantsAndNoCodeplug) {
  EXPECT_EQ(contactsTitle(ContactsRefresh::Reload, true, 12, 10000, 0), "Contacts   used 12 of 10000 ");
  EXPECT_EQ(contactsTitle(ContactsRefresh::Selection, true, 12, 10000, 2),
            "Contacts  used 12 of 10000  2 selected ");
  EXPECT_EQ(contactsTitle(ContactsRefresh::Reload, true, 12, 1000, 3),
            "Contacts   used 12 of 1000  3 selected ");
  EXPECT_EQ(contactsTitle(ContactsRefresh::Selection, false, 0, 10000, 0), "Contacts .. up to 10000 ");
}

TEST(ContactsControlState, EnablingRules) {
  using R = ContactsRefresh;
  struct Case {
    R when;
    bool codeplug;
    int used, capacity;
    std::vector<int> selected;
    bool add, remove, up, down, import, exportList;
  } cases[] = {
      {R::Reload, true, 5, 1000, {}, true, false, false, false, true, true},
      {R::Selection, true, 5, 1000, {}, false, false, false, false, false, true},
      {R::Selection, true, 5, 1000, {2}, true, true, true, true, true, true},
      {R::Selection, true, 5, 1000, {0, 4}, true, true, false, false, true, true},
      {R::Selection, true, 1000, 1000, {3}, false, true, true, true, true, true},
      {R::Reload, true, 1000, 1000, {}, false, false, false, false, true, true},
      {R::Reload, true, 0, 1000, {}, true, false, false, false, true, false},
      {R::Reload, false, 0, 10000, {}, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    const ContactsControlState s = contactsControlState(c.when, c.codeplug, c.used, c.capacity, c.selected);
    const int line = static_cast<int>(&c - cases);
    EXPECT_EQ(s.add, c.add) << line;
    EXPECT_EQ(s.remove, c.remove) << line;
    EXPECT_EQ(s.moveUp, c.up) << line;
    EXPECT_EQ(s.moveDown, c.down) << line;
    EXPECT_EQ(s.importList, c.import) << line;
    EXPECT_EQ(s.exportList, c.exportList) << line;
    EXPECT_EQ(s.setItems, c.remove) << line;
    EXPECT_EQ(s.moveItems, c.remove) << line;
  }
}

}  // namespace
}  // namespace tamberlin
