#include "editors/channels/channels_form.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_fields.h"
#include "editors/channels/channels_model.h"
#include "editors/zones/zones_model.h"
#include "support/scripted_prompt.h"
#include "support/unicode.h"
#include "ui/list_popup_menu.h"
#include "ui/list_view.h"
#include "ui/move_button.h"
#include "ui/toggle_switch.h"

namespace tamberlin {
namespace {

class ChannelsFormTest : public ::testing::Test {
 protected:
  void open(int model, int channels) {
    SilentPrompt silent;
    ASSERT_EQ(common.newCodeplug(0, model, silent), 0);
    slot = common.slot(0);
    for (int i = 0; i < channels; ++i) initialiseChannel(*slot, i, utf8ToUtf16("Ch " + std::to_string(i + 1)));
    form = std::make_unique<TChannelsForm>(EditorContext{common, prompt}, nullptr);
    form->resize(1100, 720);
    form->show();
    form->refreshShown();
    list = form->findChild<ListView*>("ListView");
    ASSERT_NE(list, nullptr);
  }

  void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect rect = list->visualRect(list->model()->index(row, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
  }

  template <typename T>
  T* find(const char* name) {
    T* widget = form->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }

  int field(int index, ChannelField f) {
    return readChannelField(slot->channel(index), modelFamily(slot->modelCode), f).value_or(-1);
  }

  CCommon common;
  test::ScriptedPrompt prompt;
  c_codeplug* slot = nullptr;
  std::unique_ptr<TChannelsForm> form;
  ListView* list = nullptr;
};

TEST_F(ChannelsFormTest, AColourCodeChosenWithTwoChannelsSelectedGoesIntoBoth) {
  open(kModelUv390, 4);
  clickRow(1);
  clickRow(2, Qt::ControlModifier);
  EXPECT_EQ(find<QLabel>("TitleLabel")->text(), "Channels  used 4 of 3000  2 selected ");
  choose(find<QComboBox>("ColourCodeComboBox"), "7 ");
  EXPECT_EQ(field(1, ChannelField::ColourCode), 7);
  EXPECT_EQ(field(2, ChannelField::ColourCode), 7);
  EXPECT_EQ(field(0, ChannelField::ColourCode), 1);
  EXPECT_EQ(field(3, ChannelField::ColourCode), 1);
}

TEST_F(ChannelsFormTest, AMixedFieldShowsNothing) {
  open(kModelUv390, 3);
  writeChannelField(slot->channel(1), ModelFamily::Uv, ChannelField::TxPower, 2);
  writeChannelField(slot->channel(1), ModelFamily::Uv, ChannelField::Mode, 1);
  writeChannelField(slot->channel(1), ModelFamily::Uv, ChannelField::ColourCode, 9);
  clickRow(0);
  EXPECT_EQ(find<QLabel>("TxPowerLabel")->text(), "Mid");
  EXPECT_EQ(find<QComboBox>("ColourCodeComboBox")->currentText(), "1 ");
  EXPECT_EQ(find<ToggleSwitch>("ModeToggleSwitch")->text(), "Analogue");
  clickRow(1, Qt::ControlModifier);
  EXPECT_EQ(find<QLabel>("TxPowerLabel")->text(), "---- ");
  EXPECT_EQ(find<QComboBox>("ColourCodeComboBox")->currentIndex(), -1);
  auto* mode = find<ToggleSwitch>("ModeToggleSwitch");
  EXPECT_FALSE(mode->isOn());
  EXPECT_EQ(mode->text(), "");
  EXPECT_EQ(find<QComboBox>("AdmitCriteriaComboBox")->count(), 4);
  // Showing writes nothing.
  EXPECT_EQ(field(1, ChannelField::ColourCode), 9);
}

TEST_F(ChannelsFormTest, DeleteAsksWithTheCountsOfTheHolders) {
  open(kModelUv390, 5);
  for (int z = 0; z < 2; ++z) {
    initZoneRecords(slot->zone(z), slot->zoneExtension(z), u"Zone");
    ZoneBankView(*slot, z, ZoneBank::A).setMember(0, 3);
  }
  clickRow(2);
  prompt.answerNext(PromptAnswer::No);
  QTest::mouseClick(find<QPushButton>("DeleteBitBtn"), Qt::LeftButton);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "\"Ch 3\" is used in .. \n\n2 zones \n\nDelete the channel ? ");
  EXPECT_EQ(list->model()->rowCount(), 5);

  prompt.answerNext(PromptAnswer::Yes);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(list->model()->rowCount(), 4);
  EXPECT_EQ(utf16ToUtf8(channelName(*slot, 2)), "Ch 4");
  EXPECT_EQ(list->selectedRows(), std::vector<int>{2});
  EXPECT_EQ(ZoneBankView(*slot, 0, ZoneBank::A).member(0), 0);
}

TEST_F(ChannelsFormTest, TypedFrequenciesGoIntoEverySelectedChannel) {
  open(kModelUv390, 3);
  clickRow(0);
  clickRow(2, Qt::ShiftModifier);
  auto* rx = find<QLineEdit>("RxFreqEdit");
  rx->clear();
  QTest::keyClicks(rx, "146.52x5");  // the letter is refused
  EXPECT_EQ(rx->text(), "146.525");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(frequencyFieldText(slot->channel(i).subspan(16, 4)), "146.52500") << i;
  EXPECT_EQ(find<QLabel>("OffsetFreqLabel")->text(), "+283.47500");
  QTest::mouseClick(find<QPushButton>("CopyRxToTxBitBtn"), Qt::LeftButton);
  EXPECT_EQ(frequencyFieldText(slot->channel(1).subspan(20, 4)), "146.52500");
  EXPECT_EQ(find<QLabel>("OffsetFreqLabel")->text(), "");
  rx->clear();
  QTest::keyClicks(rx, "999");
  QTest::keyClick(rx, Qt::Key_Return);
  EXPECT_EQ(rx->text(), "480.00000");  // above both bands: band A's top
}

TEST_F(ChannelsFormTest, TheControlSetFollowsTheFamily) {
  open(kModelMd390, 2);
  clickRow(0);
  EXPECT_EQ(find<QSlider>("TxPowerTrackBar")->maximum(), 1);
  EXPECT_EQ(find<QSlider>("SquelchTrackBar")->maximum(), 1);
  EXPECT_FALSE(find<QComboBox>("DcdmComboBox")->isVisible());
  EXPECT_FALSE(find<QComboBox>("NonQtTurnOffComboBox")->isVisible());
  EXPECT_EQ(find<QComboBox>("InCallCriteriaComboBox")->count(), 2);
  EXPECT_EQ(find<QComboBox>("TailReversalComboBox")->count(), 2);
  EXPECT_EQ(find<QLabel>("SquelchLabel")->text(), "Normal ");
  find<QSlider>("SquelchTrackBar")->setValue(1);
  EXPECT_EQ(slot->channel(0)[0] & 0x20, 0);  // "Hard "
  EXPECT_EQ(find<QLabel>("SquelchLabel")->text(), "Hard ");
  EXPECT_FALSE(find<QPushButton>("ImportBitBtn")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("ExportBitBtn")->isEnabled());
}

TEST_F(ChannelsFormTest, MovesKeepTheSelectionAndDisableAtTheEnds) {
  open(kModelUv390, 4);
  clickRow(0);
  EXPECT_FALSE(find<QWidget>("MoveUpBitBtn")->isEnabled());
  EXPECT_TRUE(find<QWidget>("MoveDownBitBtn")->isEnabled());
  QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(utf16ToUtf8(channelName(*slot, 1)), "Ch 1");
  EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
  QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(list->selectedRows(), std::vector<int>{3});
  EXPECT_EQ(utf16ToUtf8(channelName(*slot, 3)), "Ch 1");
  EXPECT_FALSE(find<QWidget>("MoveDownBitBtn")->isEnabled());
}

TEST_F(ChannelsFormTest, SearchSelectsTheMatchingChannels) {
  open(kModelUv390, 12);
  auto* search = find<QLineEdit>("SearchEdit");
  QTest::keyClicks(search, " CH 1");
  form->search();
  EXPECT_EQ(list->selectedRows(), (std::vector<int>{0, 9, 10, 11}));
  EXPECT_EQ(list->model()->index(9, 1).data().toString(), "*   10");
  EXPECT_EQ(list->model()->index(1, 1).data().toString(), "     2");
  search->clear();
  form->search();
  EXPECT_TRUE(list->selectedRows().empty());
}

TEST_F(ChannelsFormTest, AFullListDisablesAddAndInsert) {
  open(kModelMd390, 1000);
  EXPECT_FALSE(find<QPushButton>("AddBitBtn")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("InsertBitBtn")->isEnabled());
  EXPECT_EQ(list->model()->rowCount(), 1000);
}

TEST_F(ChannelsFormTest, RenamingInPlaceRefusesQuotesAndBars) {
  open(kModelUv390, 2);
  const QModelIndex name = list->model()->index(1, 2);
  list->edit(name);
  auto* edit = list->findChild<QLineEdit*>("InPlaceEdit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->selectedText(), "Ch 2");
  QTest::keyClicks(edit, "Rpt \"A|B\" with a long name");
  EXPECT_EQ(edit->text(), "Rpt AB with a lo");
  QTest::keyClick(edit, Qt::Key_Return);
  QCoreApplication::processEvents();  // the edit box commits through a queued call
  EXPECT_EQ(utf16ToUtf8(channelName(*slot, 1)), "Rpt AB with a lo");
}

TEST_F(ChannelsFormTest, CopyAndPasteThroughTheClipboard) {
  open(kModelUv390, 5);
  writeChannelField(slot->channel(3), ModelFamily::Uv, ChannelField::ColourCode, 11);
  clickRow(1);
  clickRow(3, Qt::ControlModifier);
  auto* menu = form->findChild<ListPopupMenu*>("PopupMenu");
  ASSERT_NE(menu, nullptr);
  menu->copyItem->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-tyt-code-plug-channel-entry"));
  clickRow(0);
  menu->pasteItem->trigger();
  QCoreApplication::processEvents();  // paste refreshes through a queued call
  EXPECT_EQ(list->model()->rowCount(), 7);
  EXPECT_EQ(utf16ToUtf8(channelName(*slot, 5)), "Ch 2");
  EXPECT_EQ(utf16ToUtf8(channelName(*slot, 6)), "Ch 4");
  EXPECT_EQ(field(6, ChannelField::ColourCode), 11);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ChannelsFormTest, AShortClipboardBlockIsRefused) {
  open(kModelUv390, 2);
  auto* data = new QMimeData;
  data->setData("application/x-tyt-code-plug-channel-entry", QByteArray(9 + 63, '\x01'));
  QGuiApplication::clipboard()->setMimeData(data);
  form->findChild<ListPopupMenu*>("PopupMenu")->pasteItem->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Error: incorrect clipboard format. "});
  EXPECT_EQ(list->model()->rowCount(), 2);
}

TEST_F(ChannelsFormTest, AHeldMoveButtonRepeatsAfterSixteenTicks) {
  open(kModelUv390, 30);
  clickRow(29);
  auto* up = find<MoveButton>("MoveUpBitBtn");
  QTest::mousePress(up, Qt::LeftButton);
  for (int t = 0; t < 15; ++t) up->tick();
  EXPECT_EQ(list->selectedRows(), std::vector<int>{29});
  up->tick();
  EXPECT_EQ(list->selectedRows(), std::vector<int>{28});
  for (int t = 0; t < 3; ++t) up->tick();
  EXPECT_EQ(list->selectedRows(), std::vector<int>{27});
  QTest::mouseRelease(up, Qt::LeftButton);  // the release is a click: one move more
  EXPECT_EQ(list->selectedRows(), std::vector<int>{26});
  for (int t = 0; t < 20; ++t) up->tick();
  EXPECT_EQ(list->selectedRows(), std::vector<int>{26});
}

TEST_F(ChannelsFormTest, TypingInTheSearchBoxSearchesAfterAboutASecond) {
  open(kModelUv390, 5);
  QTest::keyClicks(find<QLineEdit>("SearchEdit"), "4");
  QTest::qWait(600);
  EXPECT_TRUE(list->selectedRows().empty());
  QTRY_COMPARE_WITH_TIMEOUT(list->selectedRows(), std::vector<int>{3}, 2000);
}

TEST_F(ChannelsFormTest, WithoutACodeplugTheTabIsDisabled) {
  open(kModelUv390, 2);
  common.place(0, 0, "", {});
  form->refreshAll();
  EXPECT_FALSE(form->isEnabled());
  EXPECT_EQ(find<QLabel>("TitleLabel")->text(), "Channels .. up to 3000. ");
  EXPECT_EQ(list->model()->rowCount(), 0);
}

// Run with --gtest_also_run_disabled_tests to look at the tab.
TEST_F(ChannelsFormTest, DISABLED_Grab) {
  open(kModelUv390, 8);
  clickRow(2);
  QTest::qWait(50);
  form->grab().save("/tmp/channels_form.png");
  list->clearSelection();
  form->resize(900, 600);
  QTest::qWait(50);
  form->grab().save("/tmp/channels_form_none.png");
}

}  // namespace
}  // namespace tamberlin
