#include "editors/buttons/buttons_form.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QTest>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/packed_dtmf.h"
#include "codeplug/text_field.h"
#include "editors/contacts/contacts_model.h"
#include "editors/text_messages/text_messages_model.h"
#include "support/combo_box_input.h"
#include "support/editor_form_fixture.h"
#include "support/scripted_prompt.h"
#include "ui/list_view.h"

namespace tamberlin {
namespace {

constexpr size_t kBlock = layout::kButtons;
constexpr size_t kOneTouch1 = kBlock + 20;
constexpr size_t kQuickContacts = kBlock + 44;

class ButtonsFormTest : public test::EditorFormFixture<TButtonsForm> {
 protected:
  void SetUp() override { showWithModel(1200, 700, kModelMd380); }
  void addContacts(std::initializer_list<std::u16string> names) {
    int i = 0;
    for (const std::u16string& name : names) initContactRecord(common.slot(0)->contact(i++), name);
  }
  std::vector<std::string> visiblePanels() {
    std::vector<std::string> shown;
    for (const char* name : {"RadioType1Panel", "RadioType2Panel", "RadioType3Panel", "RadioType4Panel"}) {
      if (find<QWidget>(name)->isVisible()) shown.push_back(name);
    }
    return shown;
  }
  static void choose(QComboBox* box, const QString& text) { test::chooseWithKeyboard(box, text); }
  ListView* oneTouchList() { return find<ListView>("OneTouchAccessListView"); }
  ListView* numberKeyList() { return find<ListView>("NumberKeyQuickContactAccessListView"); }
  static QString cell(ListView* list, int row, int column) {
    return list->model()->index(row, column).data().toString();
  }
  // Double-clicks a cell; the drop-down it opened, or nullptr.
  QComboBox* openCell(ListView* list, int row, int column) {
    const QModelIndex index = list->model()->index(row, column);
    // A double-click edits the item the first click pressed.
    const QPoint centre = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QCoreApplication::processEvents();
    return list->findChild<QComboBox*>("InPlaceComboBox");
  }
  // Clicks the item in the open drop-down's list.
  static void pick(QComboBox* box, const QString& text) {
    const int item = box->findText(text);
    ASSERT_GE(item, 0) << text.toStdString();
    ASSERT_TRUE(box->view()->isVisible());
    QAbstractItemView* items = box->view();
    const QRect rect = items->visualRect(items->model()->index(item, 0));
    QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, rect.center());
    QCoreApplication::processEvents();
    // The closed box goes now, so the next cell's box is the only one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void chooseInCell(ListView* list, int row, int column, const QString& text) {
    QComboBox* box = openCell(list, row, column);
    ASSERT_NE(box, nullptr) << row << " " << column;
    pick(box, text);
    QCoreApplication::processEvents();
  }
};

TEST_F(ButtonsFormTest, AnMd380AndATp660ShowTheSideButtonPanelAndWriteItsBytes) {
  for (int model : {kModelMd380, kModelTp660}) {
    SCOPED_TRACE(model);
    useModel(model);
    EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"RadioType1Panel"}));
    QComboBox* lowerLong = find<QComboBox>("Type1P2LongPressComboBox");
    EXPECT_EQ(lowerLong->currentText(), "Zone Select");  // what the template holds
    EXPECT_EQ(find<QComboBox>("Type1P1ShortPressComboBox")->currentText(), "Monitor");
    const std::vector<uint8_t> before = buffer();
    choose(lowerLong, "Zone Toggle");
    EXPECT_EQ(buffer()[0x232A], 25);
    choose(find<QComboBox>("Type1P1ShortPressComboBox"), "Nuisense Delete");
    EXPECT_EQ(buffer()[0x2327], 6);
    std::vector<uint8_t> expected = before;
    expected[0x232A] = 25;
    expected[0x2327] = 6;
    EXPECT_EQ(buffer(), expected);
  }
}

TEST_F(ButtonsFormTest, AnMd9600ShowsP1ToP4WithoutBatteryIndicator) {
  useModel(kModelMd9600);
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"RadioType3Panel"}));
  const char* boxes[] = {"Type3P1ShortPressComboBox", "Type3P1LongPressComboBox",
                         "Type3P2ShortPressComboBox", "Type3P2LongPressComboBox",
                         "Type3P3ShortPressComboBox", "Type3P3LongPressComboBox",
                         "Type3P4ShortPressComboBox", "Type3P4LongPressComboBox"};
  for (size_t k = 0; k < std::size(boxes); ++k) {
    QComboBox* box = find<QComboBox>(boxes[k]);
    EXPECT_EQ(box->findText("Battery Indicator"), -1);
    choose(box, "Right Key");
    EXPECT_EQ(buffer()[kBlock + 8 + k], 48) << boxes[k];
  }
  EXPECT_EQ(bytesAt(kBlock, 8), std::vector<uint8_t>(8, 0));
}

TEST_F(ButtonsFormTest, EveryModelShowsOnlyItsOwnPanel) {
  const std::pair<int, const char*> cases[] = {{kModelMd390, "RadioType1Panel"},
                                               {kModelUv380, "RadioType2Panel"},
                                               {kModelUv390, "RadioType2Panel"},
                                               {kModelMd2017, "RadioType4Panel"},
                                               {kModelDm1701, "RadioType4Panel"}};
  for (const auto& [model, panel] : cases) {
    useModel(model);
    EXPECT_EQ(visiblePanels(), (std::vector<std::string>{panel})) << model;
  }
  EXPECT_EQ(find<QComboBox>("Type4P1ShortPressComboBox")->currentText(), "Zone +");
}

TEST_F(ButtonsFormTest, ALongPressOf1250MsStoresFive) {
  QComboBox* duration = find<QComboBox>("LongPressDurationComboBox");
  EXPECT_EQ(duration->currentText(), "1000 ms");
  EXPECT_EQ(duration->toolTip(), "The required time for your side button long presses");
  choose(duration, "1250 ms");
  EXPECT_EQ(buffer()[kBlock + 17], 5);
  buffer()[kBlock + 17] = 0;
  form.refreshShown();
  EXPECT_EQ(duration->currentIndex(), -1);
}

TEST_F(ButtonsFormTest, OneTouchModeSwitchesWriteTheEntry) {
  addContacts({u"Local", u"World"});
  form.refreshShown();
  ListView* list = oneTouchList();
  ASSERT_EQ(list->model()->rowCount(), 6);
  EXPECT_EQ(cell(list, 2, 0), "3");
  EXPECT_EQ(cell(list, 2, 1), "None");

  chooseInCell(list, 2, 1, "Digital");
  EXPECT_EQ(bytesAt(kOneTouch1 + 8, 4), (std::vector<uint8_t>{0x10, 1, 1, 0}));
  EXPECT_EQ(cell(list, 2, 1), "Digital");
  EXPECT_EQ(cell(list, 2, 2), "Local");
  EXPECT_EQ(cell(list, 2, 3), "Call");

  chooseInCell(list, 2, 2, "World");
  EXPECT_EQ(bytesAt(kOneTouch1 + 8, 4), (std::vector<uint8_t>{0x10, 1, 2, 0}));
  EXPECT_EQ(cell(list, 2, 2), "World");

  chooseInCell(list, 2, 1, "Analogue");
  EXPECT_EQ(bytesAt(kOneTouch1 + 8, 4), (std::vector<uint8_t>{0x28, 1, 0, 0}));
  EXPECT_EQ(cell(list, 2, 2), "");
  EXPECT_EQ(cell(list, 2, 3), "DTMF-1");

  chooseInCell(list, 2, 3, "DTMF-3");
  EXPECT_EQ(buffer()[kOneTouch1 + 8], 0x2A);
  EXPECT_EQ(cell(list, 2, 3), "DTMF-3");
}

TEST_F(ButtonsFormTest, AMessageIsChosenFromTheMessagesThatHaveText) {
  addContacts({u"Local"});
  initTextMessageRecord(common.slot(0)->textMessage(0), u"On my way");
  initTextMessageRecord(common.slot(0)->textMessage(1), u"QRT");
  form.refreshShown();
  ListView* list = oneTouchList();
  chooseInCell(list, 0, 1, "Digital");
  // A call sends no message: the cell has nothing to offer and opens nothing.
  EXPECT_EQ(openCell(list, 0, 4), nullptr);
  chooseInCell(list, 0, 3, "Text Message");
  QComboBox* messages = openCell(list, 0, 4);
  ASSERT_NE(messages, nullptr);
  EXPECT_EQ(messages->count(), 2);
  EXPECT_EQ(messages->currentText(), "On my way");
  pick(messages, "QRT");
  EXPECT_EQ(bytesAt(kOneTouch1, 4), (std::vector<uint8_t>{0x11, 2, 1, 0}));
  EXPECT_EQ(cell(list, 0, 4), "QRT");
  EXPECT_EQ(cell(list, 0, 3), "Text Message");
}

TEST_F(ButtonsFormTest, AnAnalogueEntryOffersTheDtmfCodesInUse) {
  std::span<uint8_t> code4(buffer().data() + layout::kDtmf + 192 + 16 * 3, 16);
  code4[0] = static_cast<uint8_t>(packDtmf(code4.subspan(1), "*55#", 30));
  form.refreshShown();
  ListView* list = oneTouchList();
  chooseInCell(list, 1, 1, "Analogue");
  EXPECT_EQ(cell(list, 1, 4), "");  // code 1 is empty
  QComboBox* codes = openCell(list, 1, 4);
  ASSERT_NE(codes, nullptr);
  EXPECT_EQ(codes->count(), 1);
  pick(codes, "*55#");
  EXPECT_EQ(buffer()[kOneTouch1 + 4 + 1], 4);
  EXPECT_EQ(cell(list, 1, 4), "*55#");
}

TEST_F(ButtonsFormTest, ANumberKeyPastTheContactsShowsNoneAndKeepsItsNumber) {
  addContacts({u"Local", u"World"});
  buffer()[kQuickContacts + 2 * 3] = 7;
  buffer()[kQuickContacts + 2 * 4] = 2;
  form.refreshAll();
  ListView* list = numberKeyList();
  ASSERT_EQ(list->model()->rowCount(), 10);
  EXPECT_EQ(cell(list, 3, 0), "Key 3");
  EXPECT_EQ(cell(list, 3, 1), "None");
  EXPECT_EQ(cell(list, 4, 1), "World");
  form.refreshShown();
  EXPECT_EQ(buffer()[kQuickContacts + 2 * 3], 7);

  QComboBox* contacts = openCell(list, 3, 1);
  ASSERT_NE(contacts, nullptr);
  EXPECT_EQ(contacts->count(), 3);
  EXPECT_EQ(contacts->itemText(0), "None");
  EXPECT_EQ(contacts->currentIndex(), -1);  // 7 is no choice
  pick(contacts, "Local");
  EXPECT_EQ(bytesAt(kQuickContacts + 2 * 3, 2), (std::vector<uint8_t>{1, 0}));
  EXPECT_EQ(cell(list, 3, 1), "Local");

  chooseInCell(list, 4, 1, "None");
  EXPECT_EQ(bytesAt(kQuickContacts + 2 * 4, 2), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(cell(list, 4, 1), "None");
}

TEST_F(ButtonsFormTest, AnEmptySlotDisablesTheTab) {
  common.setSelectedSlot(2);
  form.refreshAll();
  EXPECT_FALSE(form.isEnabled());
  EXPECT_TRUE(visiblePanels().empty());
  EXPECT_EQ(oneTouchList()->model()->rowCount(), 0);
  EXPECT_EQ(numberKeyList()->model()->rowCount(), 0);
  common.setSelectedSlot(0);
  form.refreshAll();
  EXPECT_TRUE(form.isEnabled());
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"RadioType1Panel"}));
}

}  // namespace
}  // namespace tamberlin
