#include "codeplug/list_engine.h"

#include <gtest/gtest.h>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/clipboard_block.h"
#include "codeplug/text_field.h"
#include "editors/channels/channels_model.h"
#include "support/codeplug_fixtures.h"
#include "support/endian.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

// A ten-record section of 34-byte records (a 16-unit name and two data bytes)
// and eight 16-bit references to it kept elsewhere in the buffer.
constexpr size_t kOffset = 16;
constexpr size_t kRecordSize = 34;
constexpr int kCapacity = 10;
constexpr size_t kHolders = 800;
constexpr int kHolderCount = 8;

class ArrayReferences final : public ListReferences {
 public:
  std::vector<HolderCount> holders(c_codeplug& slot, int number) override {
    int count = 0;
    for (int k = 0; k < kHolderCount; ++k) count += ref(slot, k) == number;
    return {{" holders ", count}};
  }
  void clearHolders(c_codeplug& slot, int number) override {
    for (int k = 0; k < kHolderCount; ++k) {
      if (ref(slot, k) == number) setRef(slot, k, 0);
    }
  }
  void renumberAfterInsert(c_codeplug& slot, int position) override {
    for (int k = 0; k < kHolderCount; ++k) {
      if (ref(slot, k) > position) setRef(slot, k, ref(slot, k) + 1);
    }
  }
  void renumberAfterDelete(c_codeplug& slot, int number) override {
    for (int k = 0; k < kHolderCount; ++k) {
      if (ref(slot, k) > number) setRef(slot, k, ref(slot, k) - 1);
    }
  }
  void renumberAfterMove(c_codeplug& slot, int from, int to) override {
    for (int k = 0; k < kHolderCount; ++k) {
      const int n = ref(slot, k);
      if (n == from + 1) {
        setRef(slot, k, to + 1);
      } else if (n >= std::min(from, to) + 1 && n <= std::max(from, to) + 1) {
        setRef(slot, k, from < to ? n - 1 : n + 1);
      }
    }
  }

  static int ref(c_codeplug& slot, int k) { return readLe16(slot.buffer, kHolders + 2 * k); }
  static void setRef(c_codeplug& slot, int k, int n) {
    writeLe16(slot.buffer, kHolders + 2 * k, static_cast<uint16_t>(n));
  }
};

class ListEngineTest : public ::testing::Test {
 protected:
  ListEngineTest() {
    slot.modelCode = kModelMd390;
    slot.buffer.assign(1024, 0);
    section.layout = {ListSectionId::GroupLists, "test", kOffset, kRecordSize, kCapacity, 0, kNameUnits};
    section.counterText = "Groups  used ";
    section.upToText = "Groups .. up to ";
    section.newName = u"New group";
    section.lastName = u"Group 1";
    section.singular = "group";
    section.formatName = "tyt_code_plug_group_entry";
    section.initialise = [](c_codeplug& s, int index, std::u16string_view name) {
      auto r = s.bytes(kOffset + kRecordSize * index, kRecordSize);
      std::fill(r.begin(), r.end(), uint8_t{0});
      encodeTextField(r, kNameUnits, trimmed(name));
    };
    section.references = &references;
  }

  // Records named "R1".."Rn"; data byte 32 holds the original number.
  void fill(int n) {
    for (int i = 0; i < n; ++i) {
      section.initialise(slot, i, utf8ToUtf16("R" + std::to_string(i + 1)));
      slot.buffer[kOffset + kRecordSize * i + 32] = static_cast<uint8_t>(i + 1);
    }
  }
  std::string name(int index) {
    return utf16ToUtf8(decodeTextField(slot.bytes(kOffset + kRecordSize * index, 32), kNameUnits, -1));
  }
  std::vector<std::string> names() {
    std::vector<std::string> all;
    for (int i = 0; i < engine.used(); ++i) all.push_back(name(i));
    return all;
  }

  c_codeplug slot;
  ArrayReferences references;
  ListSection section;
  ListEngine engine{slot, section};
  test::ScriptedPrompt prompt;
};

TEST_F(ListEngineTest, AFullListRefusesAddInsertAndPaste) {
  fill(kCapacity);
  EXPECT_EQ(engine.insert(-1), -2);
  EXPECT_EQ(engine.insert(3), -2);
  const ListMenuState menu = listMenuState(true, engine.used(), kCapacity, 1, true);
  EXPECT_FALSE(menu.add);
  EXPECT_FALSE(menu.insert);
  EXPECT_FALSE(menu.paste);
  const std::vector<uint8_t> block = engine.copyBlock({0});
  EXPECT_EQ(engine.paste(block, prompt).count, 0);
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Error: no free space. "});
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
}

TEST_F(ListEngineTest, InsertShiftsAndRenumbersOrAppends) {
  fill(4);
  ArrayReferences::setRef(slot, 0, 2);
  ArrayReferences::setRef(slot, 1, 3);
  EXPECT_EQ(engine.insert(1), 1);
  EXPECT_EQ(names(), (std::vector<std::string>{"R1", "New group", "R2", "R3", "R4"}));
  EXPECT_EQ(ArrayReferences::ref(slot, 0), 3);
  EXPECT_EQ(ArrayReferences::ref(slot, 1), 4);
  // Positions past the list append without renumbering.
  for (int position : {-1, 7, 99}) {
    const int end = engine.used();
    EXPECT_EQ(engine.insert(position), end) << position;
  }
  EXPECT_EQ(engine.used(), 8);
  EXPECT_EQ(ArrayReferences::ref(slot, 1), 4);
}

TEST_F(ListEngineTest, DeletingTheOnlyRecordLeavesTheLastRecordName) {
  fill(1);
  EXPECT_EQ(engine.deleteRecord(1, true, prompt), 0);
  EXPECT_EQ(names(), std::vector<std::string>{"Group 1"});
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ListEngineTest, DeleteAsksAboutHoldersAndRenumbers) {
  fill(5);
  ArrayReferences::setRef(slot, 0, 2);
  ArrayReferences::setRef(slot, 1, 2);
  ArrayReferences::setRef(slot, 2, 4);
  prompt.answerNext(PromptAnswer::No);
  EXPECT_EQ(engine.deleteRecord(2, true, prompt), -3);
  EXPECT_EQ(engine.used(), 5);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "\"R2\" is used in .. \n\n2 holders \n\nDelete the group ? ");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompt.shown[0].defaultAnswer, PromptAnswer::No);

  prompt.answerNext(PromptAnswer::Yes);
  EXPECT_EQ(engine.deleteRecord(2, true, prompt), 0);
  EXPECT_EQ(names(), (std::vector<std::string>{"R1", "R3", "R4", "R5"}));
  EXPECT_EQ(ArrayReferences::ref(slot, 0), 0);
  EXPECT_EQ(ArrayReferences::ref(slot, 1), 0);
  EXPECT_EQ(ArrayReferences::ref(slot, 2), 3);
  // The record behind the list is blank again.
  EXPECT_EQ(slot.buffer[kOffset + kRecordSize * 4 + 32], 0);
  EXPECT_EQ(engine.deleteRecord(0, true, prompt), -1);
  EXPECT_EQ(engine.deleteRecord(kCapacity + 1, true, prompt), -1);
}

TEST_F(ListEngineTest, SelectionDeleteGoesOnOrStopsAfterADecline) {
  struct Case {
    bool stopOnDecline;
    std::vector<std::string> left;
    int selectRow;
  };
  const Case cases[] = {
      {false, {"R1", "R2", "R4", "R6"}, 3},
      {true, {"R1", "R2", "R3", "R4", "R6"}, 4},
  };
  for (const Case& c : cases) {
    slot.buffer.assign(1024, 0);
    fill(6);
    ArrayReferences::setRef(slot, 0, 4);  // R4 is held; the question for it is declined
    test::ScriptedPrompt answers;
    answers.answerNext(PromptAnswer::No);
    const auto result = engine.deleteSelection({2, 3, 4}, c.stopOnDecline, answers);
    EXPECT_EQ(names(), c.left) << c.stopOnDecline;
    EXPECT_EQ(result.selectRow, c.selectRow) << c.stopOnDecline;
  }
}

TEST_F(ListEngineTest, MovingTwoAndThreeUpByTenStopsAtTheTop) {
  fill(10);
  ArrayReferences::setRef(slot, 0, 1);
  ArrayReferences::setRef(slot, 1, 3);
  ArrayReferences::setRef(slot, 2, 10);
  const std::vector<int> rows = engine.moveSelection({1, 2}, 10);
  EXPECT_EQ(rows, (std::vector<int>{0, 1}));
  EXPECT_EQ(names(), (std::vector<std::string>{"R2", "R3", "R1", "R4", "R5", "R6", "R7", "R8", "R9", "R10"}));
  EXPECT_EQ(ArrayReferences::ref(slot, 0), 3);
  EXPECT_EQ(ArrayReferences::ref(slot, 1), 2);
  EXPECT_EQ(ArrayReferences::ref(slot, 2), 10);
}

TEST_F(ListEngineTest, MovesAreLimitedToTheList) {
  struct Case {
    std::vector<int> rows;
    int distance;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {{4}, 10, {0}},          // only four above
      {{4}, -10, {5}},         // the last used record is row 5
      {{5}, -1, {5}},          // the last item selected: nothing moves
      {{0, 3}, 1, {0, 3}},     // the first item selected: nothing moves
      {{1, 3}, -1, {2, 4}},
  };
  for (const Case& c : cases) {
    slot.buffer.assign(1024, 0);
    fill(6);
    EXPECT_EQ(engine.moveSelection(c.rows, c.distance), c.expected) << c.distance;
    EXPECT_EQ(engine.used(), 6);
  }
}

TEST_F(ListEngineTest, RenamingToBlanksChangesNothing) {
  fill(3);
  const std::vector<uint8_t> before = slot.buffer;
  EXPECT_FALSE(engine.rename(1, u"   "));
  EXPECT_FALSE(engine.rename(1, u""));
  EXPECT_EQ(slot.buffer, before);
  EXPECT_TRUE(engine.rename(1, u"  Home  "));
  EXPECT_EQ(name(1), "Home");
  EXPECT_TRUE(engine.rename(1, u"A"));
  EXPECT_EQ(name(1), "A");  // the field is cleared before writing
}

TEST_F(ListEngineTest, PasteAppendsWhateverIsSelectedAndCutsToTheFreeRecords) {
  fill(8);
  const std::vector<uint8_t> block = engine.copyBlock({6, 0, 2});
  const ListEngine::PasteResult result = engine.paste(block, prompt);
  EXPECT_EQ(result.first, 8);
  EXPECT_EQ(result.count, 2);
  EXPECT_EQ(names().back(), "R3");
  EXPECT_EQ(name(8), "R1");
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ListEngineTest, ForeignOrTruncatedBlocksAreRefused) {
  fill(2);
  std::vector<uint8_t> good = engine.copyBlock({0, 1});
  std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
  std::vector<uint8_t> otherFormat = good;
  otherFormat[0] ^= 1;
  std::vector<uint8_t> hugeCount = good;
  writeLe32(hugeCount, 4, 0xFFFFFFFFu);
  const std::vector<uint8_t> shortHeader(good.begin(), good.begin() + 8);
  for (const auto& block : {truncated, otherFormat, hugeCount, shortHeader}) {
    test::ScriptedPrompt p;
    EXPECT_EQ(engine.paste(block, p).count, 0);
    EXPECT_EQ(p.texts(), std::vector<std::string>{"Error: incorrect clipboard format. "});
  }
  EXPECT_EQ(engine.used(), 2);
}

TEST(ListEngineClipboard, ThreeUvChannelsPasteByteForByteIntoA256KibSlot) {
  CCommon common;
  SilentPrompt silent;
  ASSERT_EQ(common.newCodeplug(0, kModelUv390, silent), 0);
  ASSERT_EQ(common.newCodeplug(1, kModelMd390, silent), 0);
  c_codeplug& uv = *common.slot(0);
  c_codeplug& small = *common.slot(1);
  const ListSection uvChannels = channelListSection(uv);
  const ListSection smallChannels = channelListSection(small);
  ListEngine source(uv, uvChannels);
  ListEngine target(small, smallChannels);
  for (int i = 0; i < 4; ++i) {
    initialiseChannel(uv, i, utf8ToUtf16("UV " + std::to_string(i + 1)));
    uv.channel(i)[1] = static_cast<uint8_t>(0x20 + i);
  }
  target.insert(-1);
  const std::vector<uint8_t> block = source.copyBlock({1, 2, 3});
  EXPECT_EQ(block.size(), kClipboardHeaderSize + 3 * kChannelRecordSize);
  EXPECT_EQ(block[8], kModelUv390);
  EXPECT_EQ(target.paste(block, silent).count, 3);
  EXPECT_EQ(target.used(), 4);
  for (int i = 0; i < 3; ++i) {
    const auto from = uv.channel(i + 1);
    const auto to = small.channel(i + 1);
    EXPECT_TRUE(std::equal(from.begin(), from.end(), to.begin())) << i;
  }
}

TEST(ListEngineTexts, CounterTexts) {
  ListSection section;
  section.layout.capacity = 3000;
  section.counterText = "Channels  used ";
  section.upToText = "Channels .. up to ";
  EXPECT_EQ(listCounterText(section, true, 12, 0), "Channels  used 12 of 3000 ");
  EXPECT_EQ(listCounterText(section, true, 12, 2), "Channels  used 12 of 3000  2 selected ");
  EXPECT_EQ(listCounterText(section, false, 0, 0), "Channels .. up to 3000. ");
  EXPECT_EQ(memberCounterText("Channel Members  used ", "Channel Members .. up to ", true, 5, 64),
            "Channel Members  used 5 of 64 ");
  EXPECT_EQ(memberCounterText("Channel Members  used ", "Channel Members .. up to ", false, 5, 64),
            "Channel Members .. up to 64 ");
}

TEST(ListEngineTexts, MenuState) {
  struct Case {
    bool codeplug;
    int used, selected;
    bool clip;
    ListMenuState expected;
  };
  const Case cases[] = {
      {false, 5, 2, true, {}},
      {true, 5, 0, false, {false, false, true, true, false, true, false}},
      {true, 5, 5, true, {true, true, true, true, true, false, true}},
      {true, 10, 1, true, {true, false, false, false, true, true, true}},
  };
  for (const Case& c : cases) {
    const ListMenuState s = listMenuState(c.codeplug, c.used, 10, c.selected, c.clip);
    const ListMenuState& e = c.expected;
    EXPECT_EQ(std::tie(s.copy, s.paste, s.add, s.insert, s.remove, s.selectAll, s.unselectAll),
              std::tie(e.copy, e.paste, e.add, e.insert, e.remove, e.selectAll, e.unselectAll))
        << c.used << " " << c.selected;
  }
}

TEST(ListEngineTexts, NameCharacters) {
  EXPECT_TRUE(nameCharacterAccepted(u'a'));
  EXPECT_TRUE(nameCharacterAccepted(u'\b'));
  EXPECT_TRUE(nameCharacterAccepted(u'"'));
  EXPECT_FALSE(nameCharacterAccepted(u'"', u"\"|"));
  EXPECT_FALSE(nameCharacterAccepted(u'|', u"\"|"));
  EXPECT_FALSE(nameCharacterAccepted(u'\t'));
  EXPECT_FALSE(nameCharacterAccepted(u'\u00e9'));  // bit 7 set
  EXPECT_FALSE(nameCharacterAccepted(u'\u0110'));  // low byte below 0x20
  EXPECT_TRUE(nameCharacterAccepted(u'\u0141'));
}

TEST(ListEngineTexts, ScrollTopRow) {
  EXPECT_EQ(scrollTopRow(1, 100, 10), 0);
  EXPECT_EQ(scrollTopRow(50, 100, 10), 49);
  EXPECT_EQ(scrollTopRow(95, 100, 10), 90);
  EXPECT_EQ(scrollTopRow(3, 5, 10), 0);
  EXPECT_EQ(scrollTopRow(1, 0, 10), std::nullopt);
}

TEST(MoveRepeat, FirstRepeatAfterSixteenTicksThenEveryThird) {
  MoveRepeat repeat;
  EXPECT_FALSE(repeat.tick());
  repeat.press();
  std::vector<int> fired;
  for (int t = 1; t <= 25; ++t) {
    if (repeat.tick()) fired.push_back(t);
  }
  EXPECT_EQ(fired, (std::vector<int>{16, 19, 22, 25}));
  repeat.release();
  EXPECT_FALSE(repeat.tick());
  EXPECT_FALSE(repeat.held());
}

}  // namespace
}  // namespace tamberlin
