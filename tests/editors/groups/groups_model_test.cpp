#include "editors/groups/groups_model.h"

#include <gtest/gtest.h>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/radio_id.h"
#include "editors/channels/channel_record.h"
#include "editors/channels/channels_model.h"
#include "editors/contacts/contacts_model.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

constexpr int kPrivateCall = 2;
constexpr int kAllCall = 3;

class GroupsModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, kModelMd390, silent), 0);
    slot = common.slot(0);
    section = groupListSection(*slot);
  }

  // Contacts 1..n, all group calls with ID 9000 + number unless set otherwise.
  void addContacts(int n) {
    for (int i = 0; i < n; ++i) {
      initContactRecord(slot->contact(i), utf8ToUtf16("TG " + std::to_string(i + 1)));
      writeRadioId3(slot->contact(i), static_cast<uint32_t>(9001 + i));
    }
  }
  void setCallType(int contact, int type) {
    uint8_t& flags = slot->contact(contact - 1)[3];
    flags = static_cast<uint8_t>((flags & ~0x07) | type);
  }
  void addLists(int n) {
    for (int i = 0; i < n; ++i) initialiseGroupList(*slot, i, utf8ToUtf16("Group " + std::to_string(i + 1)));
  }
  void setMembers(int list, const std::vector<uint16_t>& contacts) {
    for (size_t k = 0; k < contacts.size(); ++k)
      setGroupListMember(slot->groupList(list), static_cast<int>(k), contacts[k]);
  }
  std::vector<uint16_t> entries(int list) {
    std::vector<uint16_t> all;
    for (int k = 0; k < kGroupListMembers; ++k) all.push_back(groupListMember(slot->groupList(list), k));
    return all;
  }
  // Channel i: named, digital or analogue, with a group list number.
  void setChannel(int i, bool digital, uint8_t groupList, bool named = true) {
    initialiseChannel(*slot, i, named ? u"Ch" : u"");
    ChannelRecord channel(slot->channel(i));
    channel.bytes()[0] = static_cast<uint8_t>((channel.bytes()[0] & ~0x03) | (digital ? 2 : 1));
    channel.setRxGroupList(groupList);
  }
  uint8_t groupOf(int channel) { return ChannelRecord(slot->channel(channel)).rxGroupList(); }

  CCommon common;
  c_codeplug* slot = nullptr;
  ListSection section;
  test::ScriptedPrompt prompt;
};

std::vector<uint16_t> padded(std::vector<uint16_t> front) {
  front.resize(kGroupListMembers, 0);
  return front;
}

TEST_F(GroupsModelTest, AddingFollowsTheCapacityAndSkipsWhatIsHeld) {
  addContacts(40);
  addLists(1);
  struct Case {
    const char* what;
    int memberCount;
    std::vector<int> added;
    int expectAdded;
  };
  const Case cases[] = {
      {"a full list takes none", 32, {33}, 0},
      {"31 members take one more", 31, {33, 34}, 1},
      {"a held contact is skipped", 3, {2, 3}, 0},
      {"numbers outside the contacts are refused", 0, {0, 1001}, 0},
      {"two into an empty list", 0, {7, 5}, 2},
  };
  for (const Case& c : cases) {
    initialiseGroupList(*slot, 0, u"Group 1");
    std::vector<uint16_t> start;
    for (int k = 0; k < c.memberCount; ++k) start.push_back(static_cast<uint16_t>(k + 1));
    setMembers(0, start);
    auto list = groupListMembers(*slot, 0);
    EXPECT_EQ(addMembers(*list, c.added), c.expectAdded) << c.what;
    EXPECT_EQ(static_cast<int>(members(*list).size()), c.memberCount + c.expectAdded) << c.what;
  }
  EXPECT_EQ(members(*groupListMembers(*slot, 0)), (std::vector<int>{7, 5}));
}

TEST_F(GroupsModelTest, OnlyGroupCallContactsThatAreNotMembersAreCandidates) {
  addContacts(6);
  setCallType(2, kPrivateCall);
  setCallType(4, kAllCall);
  initContactRecord(slot->contact(5), u"");  // contact 6 is free: the list ends at 5
  addLists(1);
  setMembers(0, {3});
  auto list = groupListMembers(*slot, 0);
  EXPECT_EQ(availableRecords(*list), (std::vector<int>{1, 5}));
  EXPECT_EQ(list->cells(5), (std::vector<std::u16string>{u"5", u"TG 5", u"9005"}));
}

TEST_F(GroupsModelTest, RemovingPacksTheMembersToTheFront) {
  addContacts(10);
  addLists(1);
  setMembers(0, {5, 7, 9});
  auto list = groupListMembers(*slot, 0);
  removeMembers(*list, {0});
  EXPECT_EQ(entries(0), padded({7, 9}));
  // An entry beyond the contacts ends the members and is packed away with the gap.
  setMembers(0, {5, 1500, 7, 9});
  removeMembers(*list, {0});
  EXPECT_EQ(entries(0), padded({7, 9}));
}

TEST_F(GroupsModelTest, MembersMoveAsABlockAndStopAtTheLastMember) {
  addContacts(10);
  addLists(1);
  setMembers(0, {1, 2, 3, 4, 5});
  auto list = groupListMembers(*slot, 0);
  EXPECT_EQ(moveMembers(*list, {2, 3}, 10), (std::vector<int>{0, 1}));
  EXPECT_EQ(entries(0), padded({3, 4, 1, 2, 5}));
  // Down by 10 from the middle stops at the last member instead of an empty entry.
  EXPECT_EQ(moveMembers(*list, {1}, -10), (std::vector<int>{4}));
  EXPECT_EQ(entries(0), padded({3, 1, 2, 5, 4}));
  EXPECT_EQ(moveMembers(*list, {4}, -1), (std::vector<int>{4}));
  EXPECT_EQ(entries(0), padded({3, 1, 2, 5, 4}));
}

TEST_F(GroupsModelTest, DeletingAListAsksForTheDigitalChannelsOnly) {
  addLists(3);
  setChannel(0, true, 2);
  setChannel(1, true, 2);
  setChannel(2, false, 2);
  setChannel(3, true, 3);
  setChannel(500, true, 3, false);  // unused channels follow the renumbering too
  ListEngine engine(*slot, section);

  prompt.answerNext(PromptAnswer::No);
  EXPECT_EQ(engine.deleteRecord(2, true, prompt), -3);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "\"Group 2\" is used in .. \n\n2 channels \n\nDelete the group ? ");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(prompt.shown[0].defaultAnswer, PromptAnswer::No);
  EXPECT_EQ(engine.used(), 3);
  EXPECT_EQ(groupOf(0), 2);

  prompt.answerNext(PromptAnswer::Yes);
  EXPECT_EQ(engine.deleteRecord(2, true, prompt), 0);
  EXPECT_EQ(engine.used(), 2);
  EXPECT_EQ(engine.displayName(1), u"Group 3");
  EXPECT_EQ(groupOf(0), 0);
  EXPECT_EQ(groupOf(1), 0);
  EXPECT_EQ(groupOf(2), 2);  // the analogue channel keeps its number
  EXPECT_EQ(groupOf(3), 2);
  EXPECT_EQ(groupOf(500), 2);
}

TEST_F(GroupsModelTest, InsertingAndMovingRenumberTheChannels) {
  addLists(4);
  setChannel(0, true, 1);
  setChannel(1, false, 2);
  setChannel(2, true, 4);
  setChannel(3, true, 2, false);
  ListEngine engine(*slot, section);
  EXPECT_EQ(engine.insert(1), 1);
  EXPECT_EQ(engine.displayName(1), u"New group");
  EXPECT_EQ((std::vector<int>{groupOf(0), groupOf(1), groupOf(2), groupOf(3)}),
            (std::vector<int>{1, 3, 5, 3}));

  // Lists 2 and 3 up by 10 land at 1 and 2; unnamed channels are left alone.
  EXPECT_EQ(engine.moveSelection({1, 2}, 10), (std::vector<int>{0, 1}));
  EXPECT_EQ(engine.displayName(0), u"New group");
  EXPECT_EQ(engine.displayName(2), u"Group 1");
  EXPECT_EQ((std::vector<int>{groupOf(0), groupOf(1), groupOf(2), groupOf(3)}),
            (std::vector<int>{3, 2, 5, 3}));
}

TEST_F(GroupsModelTest, DeletingTheOnlyListLeavesGroup1AndClearsTheFreeRecords) {
  addLists(1);
  setMembers(0, {1, 2});
  slot->groupList(5)[40] = 0x77;  // stray bytes behind the list
  ListEngine engine(*slot, section);
  EXPECT_EQ(engine.deleteRecord(1, true, prompt), 0);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(engine.used(), 1);
  EXPECT_EQ(engine.displayName(0), u"Group 1");
  EXPECT_EQ(entries(0), padded({}));
  EXPECT_EQ(slot->groupList(5)[40], 0);
}

}  // namespace
}  // namespace tamberlin
