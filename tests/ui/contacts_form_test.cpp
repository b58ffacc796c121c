#include "editors/contacts/contacts_form.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "editors/contacts/contact_record.h"
#include "editors/contacts/contacts_model.h"
#include "support/endian.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"
#include "ui/list_popup_menu.h"
#include "ui/list_view.h"

namespace tamberlin {
namespace {

constexpr int kIdColumn = 2;
constexpr int kTypeColumn = 3;
constexpr int kRxToneColumn = 4;

class ContactsFormTest : public ::testing::Test {
 protected:
  void open(int model, int contacts) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, model, silent), 0);
    slot = common.slot(0);
    for (int i = 0; i < contacts; ++i) initialiseContact(*slot, i, utf8ToUtf16("K" + std::to_string(i + 1)));
    form = std::make_unique<TDigitalContactsForm>(EditorContext{common, prompt}, nullptr);
    form->resize(1100, 720);
    form->show();
    form->refreshAll();
    list = form->findChild<ListView*>("ListView");
    ASSERT_NE(list, nullptr);
  }

  QPoint cell(int row, int column) { return list->visualRect(list->model()->index(row, column)).center(); }
  void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell(row, 1));
  }
  void doubleClick(int row, int column) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell(row, column));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell(row, column));
  }
  QString cellText(int row, int column) { return list->model()->index(row, column).data().toString(); }

  template <typename T>
  T* find(const char* name) {
    T* widget = form->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  bool enabled(const char* name) { return find<QWidget>(name)->isEnabled(); }
  QString title() { return find<QLabel>("TitleLabel")->text(); }
  ListPopupMenu* menu() { return form->findChild<ListPopupMenu*>("PopupMenu"); }
  QAction* menuItem(const QString& text) {
    for (QAction* action : menu()->actions()) {
      if (action->text() == text) return action;
    }
    ADD_FAILURE() << text.toStdString();
    return nullptr;
  }
  // Opens the pop-up menu as a right click does, so its entries take their
  // state, then closes it.
  void refreshMenu() {
    emit list->menuRequested(QPoint(10, 10));
    menu()->hide();
  }
  std::span<uint8_t> keyPad(int j) { return slot->bytes(layout::kButtons + 44 + 2 * j, 2); }

  CCommon common;
  test::ScriptedPrompt prompt;
  c_codeplug* slot = nullptr;
  std::unique_ptr<TDigitalContactsForm> form;
  ListView* list = nullptr;
};

TEST_F(ContactsFormTest, TitleAndButtonsFollowReloadsAndSelections) {
  open(kModelUv390, 5);
  EXPECT_EQ(title(), "Contacts   used 5 of 10000 ");
  EXPECT_TRUE(enabled("AddBitBtn"));
  EXPECT_TRUE(enabled("InsertBitBtn"));
  EXPECT_FALSE(enabled("DeleteBitBtn"));
  EXPECT_FALSE(enabled("MoveUpBitBtn"));
  clickRow(0);
  EXPECT_EQ(title(), "Contacts  used 5 of 10000  1 selected ");
  EXPECT_TRUE(enabled("DeleteBitBtn"));
  EXPECT_FALSE(enabled("MoveUpBitBtn"));
  EXPECT_FALSE(enabled("MoveUp10BitBtn"));
  EXPECT_TRUE(enabled("MoveDownBitBtn"));
  EXPECT_TRUE(enabled("MoveDown10BitBtn"));
  clickRow(4, Qt::ShiftModifier);
  EXPECT_EQ(title(), "Contacts  used 5 of 10000  5 selected ");
  EXPECT_FALSE(enabled("MoveDownBitBtn"));
  refreshMenu();
  EXPECT_FALSE(menu()->selectAllItem->isEnabled());
  EXPECT_TRUE(menuItem("Set Selected to Rx Tone")->isEnabled());
  menu()->unselectAllItem->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(title(), "Contacts  used 5 of 10000 ");
  // After a change of selection Add and Insert want a row; the menu does not.
  EXPECT_FALSE(enabled("AddBitBtn"));
  EXPECT_FALSE(enabled("InsertBitBtn"));
  refreshMenu();
  EXPECT_TRUE(menu()->addItem->isEnabled());
  EXPECT_FALSE(menuItem("Move Selected Up")->isEnabled());
  EXPECT_FALSE(menuItem("Set Selected to Group Call")->isEnabled());
}

TEST_F(ContactsFormTest, DoubleClicksCycleTheTypeAndToggleTheTone) {
  open(kModelUv390, 3);
  slot->contact(1)[3] = 0xC6;
  form->refreshAll();
  EXPECT_EQ(cellText(1, kTypeColumn), "Unknown");
  doubleClick(1, kTypeColumn);
  EXPECT_EQ(slot->contact(1)[3], 0xC1);
  EXPECT_EQ(cellText(1, kTypeColumn), "Group call");
  doubleClick(1, kTypeColumn);
  EXPECT_EQ(cellText(1, kTypeColumn), "Private call");
  doubleClick(2, kRxToneColumn);
  EXPECT_EQ(slot->contact(2)[3], 0xE1);
  EXPECT_EQ(cellText(2, kRxToneColumn), "Yes");
  doubleClick(2, kRxToneColumn);
  EXPECT_EQ(cellText(2, kRxToneColumn), "");
}

TEST_F(ContactsFormTest, IdsTypedInPlace) {
  open(kModelUv390, 2);
  t_contact_entry(slot->contact(0)).setCallId(2620001);
  struct Case {
    const char* typed;
    uint32_t stored;
  } cases[] = {{"16777216", 2620001}, {"16777215", 16777215}, {"31x2", 312}, {"123456789", 12345678}};
  for (const Case& c : cases) {
    t_contact_entry(slot->contact(0)).setCallId(2620001);
    doubleClick(0, kIdColumn);
    auto* edit = list->findChild<QLineEdit*>("InPlaceEdit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->selectedText(), "2620001");
    QTest::keyClicks(edit, c.typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed box goes
    EXPECT_EQ(t_contact_entry(slot->contact(0)).callId(), c.stored) << c.typed;
    EXPECT_EQ(cellText(0, kIdColumn).toUInt(), c.stored) << c.typed;
  }
}

TEST_F(ContactsFormTest, NamesTypedInPlaceRefuseBarsAndQuotes) {
  open(kModelUv390, 2);
  doubleClick(1, 1);
  auto* edit = list->findChild<QLineEdit*>("InPlaceEdit");
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, "TG \"91|\" World wide");
  EXPECT_EQ(edit->text(), "TG 91 World wide");
  QTest::keyClick(edit, Qt::Key_Escape);
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(cellText(1, 1), "K2");
  doubleClick(1, 1);
  edit = list->findChild<QLineEdit*>("InPlaceEdit");
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, "TG 91");
  QTest::keyClick(edit, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(cellText(1, 1), "TG 91");
}

TEST_F(ContactsFormTest, SetSelectedToPrivateCallChangesOnlyThatRow) {
  open(kModelUv390, 6);
  const std::vector<uint8_t> before = slot->buffer;
  clickRow(3);
  menuItem("Set Selected to Private Call")->trigger();
  EXPECT_EQ(cellText(3, kTypeColumn), "Private call");
  EXPECT_EQ(slot->contact(3)[3], 0xC2);
  slot->contact(3)[3] = 0xC1;
  EXPECT_EQ(slot->buffer, before);
  clickRow(4, Qt::ShiftModifier);
  menuItem("Set Selected to Rx Tone")->trigger();
  EXPECT_EQ(cellText(3, kRxToneColumn), "Yes");
  EXPECT_EQ(cellText(4, kRxToneColumn), "Yes");
  EXPECT_EQ(cellText(5, kRxToneColumn), "");
}

TEST_F(ContactsFormTest, DeleteAsksAndSelectsTheRowThatTookItsPlace) {
  open(kModelUv390, 5);
  writeLe16(keyPad(2), 0, 3);
  writeLe16(keyPad(3), 0, 5);
  clickRow(2);
  prompt.answerNext(PromptAnswer::Yes);
  QTest::mouseClick(find<QPushButton>("DeleteBitBtn"), Qt::LeftButton);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "\"K3\" is used in .. \n\n1 key pad contacts \n\nDelete the contact ? ");
  EXPECT_EQ(list->model()->rowCount(), 4);
  EXPECT_EQ(cellText(2, 1), "K4");
  EXPECT_EQ(list->selectedRows(), std::vector<int>{2});
  EXPECT_EQ(readLe16(keyPad(2)), 0);
  EXPECT_EQ(readLe16(keyPad(3)), 4);
  EXPECT_EQ(title(), "Contacts  used 4 of 10000  1 selected ");
  // Del in the list deletes too; the last row leaves the new last one selected.
  clickRow(3);
  prompt.answerNext(PromptAnswer::Yes);
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(list->model()->rowCount(), 3);
  EXPECT_EQ(list->selectedRows(), std::vector<int>{2});
}

TEST_F(ContactsFormTest, InsertGoesThroughTheRenumberingRoutine) {
  open(kModelUv390, 3);
  writeLe16(keyPad(0), 0, 1);
  clickRow(0);
  QTest::mouseClick(find<QPushButton>("InsertBitBtn"), Qt::LeftButton);
  EXPECT_EQ(cellText(0, 1), "New contact");
  EXPECT_EQ(readLe16(keyPad(0)), 2);
  EXPECT_EQ(list->selectedRows(), std::vector<int>{0});
  EXPECT_EQ(title(), "Contacts  used 4 of 10000  1 selected ");

  std::vector<uint8_t> source(36, 0);
  writeLe24(source, 0, 91);
  source[3] = 0xC1;
  source[4] = 'W';
  EXPECT_EQ(form->addContact(-1, source, true), 4);
  EXPECT_EQ(cellText(4, 1), "W");
  EXPECT_EQ(cellText(4, kIdColumn), "91");
  EXPECT_EQ(list->selectedRows(), std::vector<int>{4});
}

TEST_F(ContactsFormTest, MovesFromButtonsAndMenu) {
  open(kModelUv390, 20);
  writeLe16(keyPad(0), 0, 15);
  clickRow(14);
  QTest::mouseClick(find<QWidget>("MoveUp10BitBtn"), Qt::LeftButton);
  EXPECT_EQ(list->selectedRows(), std::vector<int>{4});
  EXPECT_EQ(readLe16(keyPad(0)), 5);
  QTest::mouseClick(find<QWidget>("MoveUpBitBtn"), Qt::LeftButton, Qt::ShiftModifier);  // Shift: by 10
  EXPECT_EQ(list->selectedRows(), std::vector<int>{0});
  EXPECT_FALSE(enabled("MoveUpBitBtn"));
  menuItem("Move Selected Down")->trigger();
  EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
  EXPECT_EQ(cellText(1, 1), "K15");
  EXPECT_EQ(readLe16(keyPad(0)), 2);
  EXPECT_EQ(title(), "Contacts  used 20 of 10000  1 selected ");
}

TEST_F(ContactsFormTest, CopyAndPasteAppend) {
  open(kModelMd390, 4);
  clickRow(1);
  clickRow(3, Qt::ControlModifier);
  menu()->copyItem->trigger();
  EXPECT_TRUE(
      QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-tyt-code-plug-contact-entry"));
  clickRow(0);
  menu()->pasteItem->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(list->model()->rowCount(), 6);
  EXPECT_EQ(cellText(4, 1), "K2");
  EXPECT_EQ(cellText(5, 1), "K4");
  EXPECT_EQ(title(), "Contacts   used 6 of 1000 ");
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ContactsFormTest, AFailedPasteDropsTheBlockButAFullListKeepsIt) {
  open(kModelMd390, 1000);
  clickRow(0);
  menu()->copyItem->trigger();
  menu()->pasteItem->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Error: no free space. "});
  EXPECT_TRUE(
      QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-tyt-code-plug-contact-entry"));

  auto* data = new QMimeData;
  data->setData("application/x-tyt-code-plug-contact-entry", QByteArray(9 + 35, '\x01'));
  QGuiApplication::clipboard()->setMimeData(data);
  form->refreshAll();
  clickRow(0);
  QTest::keyClick(list, Qt::Key_Delete);
  menu()->pasteItem->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(prompt.texts().back(), "Error: incorrect clipboard format. ");
  EXPECT_EQ(list->model()->rowCount(), 999);
  const QMimeData* left = QGuiApplication::clipboard()->mimeData();
  EXPECT_TRUE(!left || !left->hasFormat("application/x-tyt-code-plug-contact-entry"));
}

TEST_F(ContactsFormTest, SearchSelectsMatchesOnEnterAndAfterTwoTicks) {
  open(kModelUv390, 30);
  t_contact_entry(slot->contact(20)).setCallId(3100);
  t_contact_entry(slot->contact(25)).setCallId(31001);
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  auto* box = find<QLineEdit>("SearchBox1");
  box->setFocus();
  QTest::keyClicks(box, "310");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(list->selectedRows(), (std::vector<int>{20, 25}));
  EXPECT_TRUE(list->hasFocus());
  QTest::keyClick(box, Qt::Key_Escape);  // swallowed: nothing changes
  EXPECT_EQ(box->text(), "310");
  box->clear();
  QTest::keyClicks(box, "k2");
  QTest::qWait(200);
  EXPECT_EQ(list->selectedRows(), (std::vector<int>{20, 25}));
  QTRY_COMPARE_WITH_TIMEOUT(list->selectedRows(),
                            (std::vector<int>{1, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}), 3000);
}

TEST_F(ContactsFormTest, WithoutACodeplugEverythingIsDisabled) {
  open(kModelUv390, 2);
  common.place(0, 0, "", {});
  form->refreshAll();
  EXPECT_EQ(title(), "Contacts .. up to 10000 ");
  EXPECT_EQ(list->model()->rowCount(), 0);
  EXPECT_FALSE(enabled("AddBitBtn"));
  EXPECT_FALSE(enabled("ListView"));
  EXPECT_EQ(form->addContact(-1, {}, true), -1);
}

TEST_F(ContactsFormTest, DISABLED_Grab) {
  open(kModelUv390, 40);
  slot->contact(2)[3] = 0xE2;
  t_contact_entry(slot->contact(1)).setCallId(2620001);
  clickRow(1);
  clickRow(2, Qt::ControlModifier);
  QTest::qWait(50);
  form->grab().save("/tmp/contacts_form.png");
}

}  // namespace
}  // namespace tamberlin
