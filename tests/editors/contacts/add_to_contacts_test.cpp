#include "editors/contacts/add_to_contacts.h"

#include <gtest/gtest.h>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/list_engine.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "editors/contacts/contacts_model.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

struct Entry {
  int32_t id;
  const char* callSign;
  const char* name;
};

// Database records to add, each in bytes of its own.
class Entries {
 public:
  explicit Entries(const std::vector<Entry>& entries)
      : bytes_(entries.size() * t_database_file_entry::kSize) {
    for (size_t i = 0; i < entries.size(); ++i) {
      t_database_file_entry record(
          std::span<uint8_t>(bytes_).subspan(i * t_database_file_entry::kSize, t_database_file_entry::kSize));
      record.setRadioId(entries[i].id);
      record.setCallSign(entries[i].callSign);
      record.setName(entries[i].name);
      views_.push_back(record);
    }
  }
  const std::vector<DatabaseEntryView>& views() const { return views_; }

 private:
  std::vector<uint8_t> bytes_;
  std::vector<DatabaseEntryView> views_;
};

std::string nameOf(std::span<uint8_t> record) {
  return utf16ToUtf8(decodeTextField(t_contact_entry(record).name(), 16));
}

TEST(AddToContacts, BuildsAPrivateCallNamedByCallSignAndFirstName) {
  struct Case {
    Entry entry;
    uint32_t id;
    const char* name;
  };
  const Case cases[] = {
      {{1234567, "DL1ABC", "  Anna Maria "}, 1234567, "DL1ABC Anna"},
      {{0x1000005, "G4BOB", "Bob"}, 5, "G4BOB Bob"},  // IDs keep their low 24 bits
      {{7, "K7", ""}, 7, "K7"},
      {{8, "VERYLONGCALL", "Maximilian"}, 8, "VERYLONGCALL Max"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto record = databaseContactRecord(c.entry.id, c.entry.callSign, c.entry.name);
    const t_contact_entry contact(record);
    EXPECT_EQ(contact.callId(), c.id);
    EXPECT_EQ(record[t_contact_entry::kFlags], 0xC2);
    EXPECT_EQ(nameOf(record), c.name);
  }
}

// An MD390 codeplug whose contacts K1..K5 have the IDs 101, 102, 103, 102, 105.
class AddToContactsList : public ::testing::Test {
 protected:
  void SetUp() override {
    SilentPrompt silent;
    slot = common.newCodeplug(0, kModelMd390, silent) == 0 ? common.slot(0) : nullptr;
    ASSERT_NE(slot, nullptr);
    for (int i = 0; const uint32_t id : {101, 102, 103, 102, 105}) {
      initialiseContact(*slot, i, utf8ToUtf16("K" + std::to_string(i + 1)));
      t_contact_entry(slot->contact(i++)).setCallId(id);
    }
  }
  std::vector<std::string> names(int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(nameOf(slot->contact(i)));
    return out;
  }

  CCommon common;
  c_codeplug* slot = nullptr;
};

TEST_F(AddToContactsList, AnIdAlreadyInTheListGoesInFrontOfItsFirstContact) {
  struct Case {
    std::vector<Entry> entries;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {{{103, "N3", "x"}}, {"K1", "K2", "N3 x", "K3", "K4", "K5"}},
      {{{102, "N2", "x"}}, {"K1", "N2 x", "K2", "K3", "K4", "K5"}},
      {{{999, "NEW", "x"}}, {"K1", "K2", "K3", "K4", "K5", "NEW x"}},
      // The second entry finds the contact the first one added.
      {{{999, "A", "x"}, {999, "B", "x"}}, {"K1", "K2", "K3", "K4", "K5", "B x", "A x"}},
      {{{0x1000000 + 101, "HI", "x"}}, {"HI x", "K1", "K2", "K3", "K4", "K5"}},
  };
  for (const Case& c : cases) {
    SetUp();
    const Entries entries(c.entries);
    EXPECT_EQ(addToContacts(*slot, entries.views()), static_cast<int>(c.entries.size()));
    EXPECT_EQ(names(static_cast<int>(c.names.size())), c.names);
    EXPECT_TRUE(textFieldIsEmpty(t_contact_entry(slot->contact(static_cast<int>(c.names.size()))).name()));
  }
}

TEST_F(AddToContactsList, AChannelKeepsItsContactWhenAnotherGoesInFront) {
  ChannelRecord(slot->channel(0)).setContact(3);  // K3, ID 103
  const Entries entries({{103, "N3", "x"}});
  ASSERT_EQ(addToContacts(*slot, entries.views()), 1);
  EXPECT_EQ(ChannelRecord(slot->channel(0)).contact(), 4);
}

TEST_F(AddToContactsList, AFullListTakesNoMore) {
  const ListSection section = contactListSection(*slot);
  const int capacity = ListEngine(*slot, section).capacity();
  for (int i = 5; i < capacity - 1; ++i) initialiseContact(*slot, i, u"F");
  const Entries entries({{1, "A", ""}, {2, "B", ""}, {3, "C", ""}});
  EXPECT_EQ(addToContacts(*slot, entries.views()), 1);
  EXPECT_EQ(nameOf(slot->contact(capacity - 1)), "A");
  EXPECT_EQ(addToContacts(*slot, entries.views()), 0);
}

}  // namespace
}  // namespace tamberlin
