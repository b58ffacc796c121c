#include "editors/text_messages/text_messages_model.h"

#include <gtest/gtest.h>

#include <array>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "editors/buttons/buttons_model.h"
#include "editors/text_messages/one_touch_references.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

using Entry = std::array<uint8_t, 4>;
constexpr uint8_t kDigitalMessage = 0x11;
constexpr uint8_t kDigitalCall = 0x10;
constexpr uint8_t kAnalogueDtmf = 0x28;

class TextMessagesModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, kModelUv390, silent), 0);
    slot = common.slot(0);
    section = textMessageSection(*slot);
  }
  void addMessages(int n) {
    for (int i = 0; i < n; ++i) initialiseTextMessage(*slot, i, utf8ToUtf16("Text " + std::to_string(i + 1)));
    for (int i = n; i < kTextMessageCount; ++i) initialiseTextMessage(*slot, i, u"");
  }
  void setEntry(int k, Entry bytes) {
    std::copy(bytes.begin(), bytes.end(), oneTouchEntry(*slot, k).begin());
  }
  Entry entry(int k) {
    Entry bytes{};
    const auto e = oneTouchEntry(*slot, k);
    std::copy(e.begin(), e.end(), bytes.begin());
    return bytes;
  }

  CCommon common;
  c_codeplug* slot = nullptr;
  ListSection section;
  test::ScriptedPrompt prompt;
};

TEST_F(TextMessagesModelTest, DeletingAMessageAOneTouchEntrySendsClearsTheEntry) {
  addMessages(6);
  setEntry(0, {kDigitalMessage, 5, 2, 0});
  setEntry(1, {kDigitalMessage, 3, 1, 0});
  setEntry(2, {kDigitalCall, 5, 3, 0});   // a call: byte 1 is no message number
  setEntry(3, {kAnalogueDtmf, 5, 0, 0});  // a DTMF code number
  ListEngine engine(*slot, section);
  prompt.answerNext(PromptAnswer::Yes);
  EXPECT_EQ(engine.deleteRecord(3, true, prompt), 0);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text,
            "\"Text 3\" is used in .. \n\n1 one touch button accesses \n\nDelete the text message ? ");
  EXPECT_EQ(entry(1), (Entry{0, 0, 0, 0}));
  EXPECT_EQ(entry(0), (Entry{kDigitalMessage, 4, 2, 0}));
  EXPECT_EQ(entry(2), (Entry{kDigitalCall, 5, 3, 0}));
  EXPECT_EQ(entry(3), (Entry{kAnalogueDtmf, 5, 0, 0}));
  EXPECT_EQ(textMessageText(*slot, 2), u"Text 4");
  EXPECT_EQ(engine.used(), 5);
}

TEST_F(TextMessagesModelTest, ADeclinedQuestionEndsTheWholeDeletion) {
  addMessages(4);
  setEntry(0, {kDigitalMessage, 3, 1, 0});
  ListEngine engine(*slot, section);
  prompt.answerNext(PromptAnswer::No);
  // Rows 1 and 2 are messages 2 and 3; message 3 is asked about first.
  const auto result = engine.deleteSelection({1, 2}, true, prompt);
  EXPECT_EQ(result.deleted, 0);
  EXPECT_EQ(engine.used(), 4);
  EXPECT_EQ(entry(0), (Entry{kDigitalMessage, 3, 1, 0}));
}

TEST_F(TextMessagesModelTest, DeletingTheOnlyMessageLeavesHello) {
  addMessages(1);
  ListEngine engine(*slot, section);
  EXPECT_EQ(engine.deleteSelection({0}, true, prompt).selectRow, 0);
  EXPECT_EQ(engine.used(), 1);
  EXPECT_EQ(textMessageText(*slot, 0), u"Hello");
}

TEST_F(TextMessagesModelTest, InsertingAtTheTopRenumbersTheEntries) {
  addMessages(3);
  setEntry(4, {kDigitalMessage, 1, 1, 0});
  ListEngine engine(*slot, section);
  EXPECT_EQ(engine.insert(0), 0);
  EXPECT_EQ(textMessageText(*slot, 0), u"New text message");
  EXPECT_EQ(textMessageText(*slot, 1), u"Text 1");
  EXPECT_EQ(entry(4), (Entry{kDigitalMessage, 2, 1, 0}));
  // Appending renumbers nothing.
  EXPECT_EQ(engine.insert(-1), 4);
  EXPECT_EQ(entry(4), (Entry{kDigitalMessage, 2, 1, 0}));
}

TEST_F(TextMessagesModelTest, ACommittedEditIsTrimmedAndAnEmptyOneNamedByItsNumber) {
  addMessages(8);
  struct Case {
    std::u16string typed;
    std::u16string stored;
  };
  const Case cases[] = {
      {u"", u"Message 7"}, {u"   ", u"Message 7"}, {u"  QRV on 145.500 ", u"QRV on 145.500"}};
  for (const Case& c : cases) {
    EXPECT_TRUE(commitTextMessage(*slot, 6, c.typed));
    EXPECT_EQ(textMessageText(*slot, 6), c.stored);
  }
  const std::u16string long_text(200, u'x');
  EXPECT_TRUE(commitTextMessage(*slot, 0, long_text));
  EXPECT_EQ(textMessageText(*slot, 0), std::u16string(144, u'x'));
  EXPECT_EQ(textMessageText(*slot, 1), u"Text 2");
  EXPECT_FALSE(commitTextMessage(*slot, 8, u"behind the list"));
}

}  // namespace
}  // namespace tamberlin
