#include "editors/text_messages/text_messages_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "editors/buttons/buttons_model.h"
#include "editors/text_messages/one_touch_references.h"
#include "editors/text_messages/text_messages_model.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"
#include "ui/list_view.h"

namespace tamberlin {
namespace {

class TextMessagesFormTest : public ::testing::Test {
 protected:
  void open(int messages) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, kModelMd380, silent), 0);
    slot = common.slot(0);
    for (int i = 0; i < kTextMessageCount; ++i) {
      initialiseTextMessage(*slot, i, i < messages ? utf8ToUtf16("Text " + std::to_string(i + 1)) : u"");
    }
    form = std::make_unique<TTextMessageForm>(EditorContext{common, prompt}, nullptr);
    form->resize(800, 500);
    form->show();
    list = form->findChild<ListView*>("ListView");
    ASSERT_NE(list, nullptr);
  }
  QPoint cellCentre(int row) { return list->visualRect(list->model()->index(row, 2)).center(); }
  void doubleClick(QPoint at) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  QLineEdit* editBox() { return list->findChild<QLineEdit*>("InPlaceEdit"); }
  // Commits the open edit box and lets the closed box go.
  void commit() {
    QTest::keyClick(editBox(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::string text(int index) { return utf16ToUtf8(textMessageText(*slot, index)); }

  CCommon common;
  test::ScriptedPrompt prompt;
  c_codeplug* slot = nullptr;
  std::unique_ptr<TTextMessageForm> form;
  ListView* list = nullptr;
};

TEST_F(TextMessagesFormTest, EditingInPlaceRefusesQuotesAndBarsAndNamesAnEmptyText) {
  open(8);
  EXPECT_EQ(form->windowTitle(), "Digital Text Message");
  EXPECT_EQ(form->findChild<QLabel*>("TitleLabel")->text(), "Text Messages   used 8 of 50 ");
  doubleClick(cellCentre(1));
  QLineEdit* edit = editBox();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->maxLength(), 144);
  EXPECT_EQ(edit->text(), "Text 2");
  edit->clear();
  QTest::keyClicks(edit, "QRV \"now\" | 70cm");
  EXPECT_EQ(edit->text(), "QRV now  70cm");
  commit();
  EXPECT_EQ(text(1), "QRV now  70cm");

  doubleClick(cellCentre(6));
  ASSERT_NE(editBox(), nullptr);
  editBox()->clear();
  commit();
  EXPECT_EQ(text(6), "Message 7");
  EXPECT_EQ(list->model()->index(6, 2).data().toString(), "Message 7");
}

TEST_F(TextMessagesFormTest, ADoubleClickBelowTheLastMessageAppendsOneAndEditsIt) {
  open(2);
  doubleClick(QPoint(60, list->viewport()->height() - 5));
  QCoreApplication::processEvents();
  EXPECT_EQ(list->model()->rowCount(), 3);
  EXPECT_EQ(text(2), "New text message");
  QLineEdit* edit = editBox();
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, "73");
  commit();
  EXPECT_EQ(text(2), "73");
}

TEST_F(TextMessagesFormTest, InsertAndDeleteFollowTheOneTouchEntries) {
  open(3);
  const std::span<uint8_t> entry = oneTouchEntry(*slot, 1);
  entry[0] = 0x11;
  entry[1] = 1;
  EXPECT_EQ(form->findChild<QWidget*>("MoveUpBitBtn"), nullptr);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(0));
  QTest::mouseClick(form->findChild<QPushButton*>("InsertBitBtn"), Qt::LeftButton);
  EXPECT_EQ(text(0), "New text message");
  EXPECT_EQ(entry[1], 2);
  EXPECT_EQ(list->selectedRows(), std::vector<int>{0});
  // Messages do not move.
  QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(text(0), "New text message");

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(1));
  prompt.answerNext(PromptAnswer::Yes);
  QTest::mouseClick(form->findChild<QPushButton*>("DeleteBitBtn"), Qt::LeftButton);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text,
            "\"Text 1\" is used in .. \n\n1 one touch button accesses \n\nDelete the text message ? ");
  EXPECT_EQ(entry[0], 0);
  EXPECT_EQ(text(1), "Text 2");
  EXPECT_EQ(list->model()->rowCount(), 3);
}

TEST_F(TextMessagesFormTest, AFullListDisablesAddAndInsert) {
  open(50);
  EXPECT_FALSE(form->findChild<QPushButton*>("AddBitBtn")->isEnabled());
  EXPECT_FALSE(form->findChild<QPushButton*>("InsertBitBtn")->isEnabled());
  EXPECT_FALSE(form->findChild<QPushButton*>("DeleteBitBtn")->isEnabled());
}

}  // namespace
}  // namespace tamberlin
