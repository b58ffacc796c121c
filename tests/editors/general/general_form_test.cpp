#include "editors/general/general_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include "codeplug/ccommon.h"
#include "editors/general/general_model.h"
#include "support/combo_box_input.h"
#include "support/editor_form_fixture.h"
#include "support/scripted_prompt.h"
#include "ui/toggle_switch.h"

namespace tamberlin {
namespace {

using namespace general_layout;

class GeneralFormTest : public test::EditorFormFixture<TGeneralForm> {
 protected:
  void SetUp() override { showWithModel(1200, 760, kModelUv390); }
  QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
  static void choose(QComboBox* box, const QString& text) { test::chooseWithKeyboard(box, text); }
  static void replaceText(QLineEdit* line, const QString& text) {
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, text);
  }
};

TEST_F(GeneralFormTest, RefreshShowsTheTemplateAndWritesNothing) {
  const std::vector<uint8_t> before = buffer();
  form.refreshShown();
  EXPECT_EQ(buffer(), before);
  EXPECT_EQ(edit("RadioIDEdit")->text(), "1234");
  EXPECT_EQ(edit("RadioNameEdit")->text(), "My Radio");
  EXPECT_EQ(edit("IntroScreenTextLine1Edit")->text(), "Welcome");
  EXPECT_EQ(edit("PowerOnPasswordEdit")->text(), "");
  EXPECT_EQ(find<QComboBox>("TxPreambleDurationComboBox")->currentText(), "600 ms");
  EXPECT_EQ(find<QComboBox>("TimeZoneComboBox")->currentText(), "utc");
  EXPECT_EQ(find<QSlider>("MicLevelTrackBar")->value(), 2);
  EXPECT_TRUE(find<ToggleSwitch>("MonitorTypeToggleSwitch")->isChecked());
  EXPECT_EQ(find<ToggleSwitch>("MonitorTypeToggleSwitch")->caption(), "Open Squelch");
  EXPECT_EQ(edit("RadioNameEdit")->toolTip(), "Name your radio");
}

// Values no control can show must survive a refresh: the form only reads.
TEST_F(GeneralFormTest, RefreshKeepsValuesTheControlsCannotShow) {
  buffer()[kVoxSensitivity] = 0;
  buffer()[kTimeZoneCallMatch] = 0xFF;
  buffer()[kEditIdMicLevel] = 0x3F;  // mic level 7
  buffer()[kFrequencyChannelMode] = 0x42;
  buffer()[kPcProgramPassword] = 0x05;
  const std::vector<uint8_t> before = buffer();
  form.refreshAll();
  form.refreshShown();
  EXPECT_EQ(buffer(), before);
  EXPECT_EQ(find<QComboBox>("VOXSensitivityComboBox")->currentIndex(), -1);
  EXPECT_EQ(find<QComboBox>("TimeZoneComboBox")->currentIndex(), -1);
  EXPECT_EQ(edit("PCProgrammingPasswordEdit")->text(), "?");
}

TEST_F(GeneralFormTest, The256KibTemplateShowsItsIdAndNoUvPanel) {
  useModel(kModelMd390);
  EXPECT_EQ(edit("RadioIDEdit")->text(), "1234");
  EXPECT_FALSE(find<QWidget>("Panel1")->isVisible());
  EXPECT_TRUE(find<ToggleSwitch>("BatterySaverSavePreambleToggleSwitch")->isEnabled());
  EXPECT_TRUE(find<ToggleSwitch>("BatterySaverSaveModeRxToggleSwitch")->isEnabled());

  // Even keys sent straight to the hidden panel's boxes write nothing.
  const std::vector<uint8_t> before = buffer();
  QTest::keyClicks(edit("RadioID1Edit"), "777");
  QTest::keyClick(find<QSlider>("MicLevelTrackBar"), Qt::Key_Right);
  find<ToggleSwitch>("PublicZoneToggleSwitch")->click();
  EXPECT_EQ(buffer(), before);

  useModel(kModelUv390);
  EXPECT_TRUE(find<QWidget>("Panel1")->isVisible());
  EXPECT_FALSE(find<ToggleSwitch>("BatterySaverSavePreambleToggleSwitch")->isEnabled());
  QTest::keyClicks(edit("RadioID1Edit"), "777");
  EXPECT_EQ(bytesAt(kRadioId1, 4), (std::vector<uint8_t>{0x09, 0x03, 0x00, 0x00}));
}

TEST_F(GeneralFormTest, TypedIdIsStoredAndClamped) {
  replaceText(edit("RadioIDEdit"), "1234");
  EXPECT_EQ(bytesAt(kRadioId, 4), (std::vector<uint8_t>{0xD2, 0x04, 0x00, 0x00}));
  replaceText(edit("RadioIDEdit"), "99999999");
  EXPECT_EQ(bytesAt(kRadioId, 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(edit("RadioIDEdit")->text(), "16777215");
  // Only digits get in.
  replaceText(edit("RadioIDEdit"), "12x3");
  EXPECT_EQ(edit("RadioIDEdit")->text(), "123");
}

TEST_F(GeneralFormTest, PowerOnPasswordTypedDigitByDigit) {
  QLineEdit* password = edit("PowerOnPasswordEdit");
  password->setFocus();
  for (const char digit : std::string("1234567")) {
    QTest::keyClick(password, digit);
    EXPECT_TRUE(buffer()[kTonesPasswordSaver] & 0x20) << password->text().toStdString();
    EXPECT_EQ(bytesAt(kPowerOnPassword, 4), std::vector<uint8_t>(4, 0x00));
  }
  QTest::keyClick(password, '8');
  EXPECT_FALSE(buffer()[kTonesPasswordSaver] & 0x20);
  EXPECT_EQ(bytesAt(kPowerOnPassword, 4), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}));
  QTest::keyClick(password, Qt::Key_Backspace);
  EXPECT_TRUE(buffer()[kTonesPasswordSaver] & 0x20);
  EXPECT_EQ(bytesAt(kPowerOnPassword, 4), std::vector<uint8_t>(4, 0x00));
}

TEST_F(GeneralFormTest, PasswordOfTheWrongLengthIsRefusedWithAnError) {
  QLineEdit* password = edit("PowerOnPasswordEdit");
  replaceText(password, "123");
  QTest::keyClick(password, Qt::Key_Return);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Power-On-Password must be 8 characters in length, or empty");
  EXPECT_EQ(prompt.shown[0].title, "Error");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);

  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(password, &leave);
  QCoreApplication::processEvents();
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[1].text, "Power-On password must be 8 characters in length, or empty");

  QLineEdit* radio = edit("RadioProgramPasswordEdit");
  replaceText(radio, "87654321");
  EXPECT_EQ(bytesAt(kRadioProgramPassword, 4), (std::vector<uint8_t>{0x87, 0x65, 0x43, 0x21}));
  QTest::keyClick(radio, Qt::Key_Backspace);
  QTest::keyClick(radio, Qt::Key_Escape);
  ASSERT_EQ(prompt.shown.size(), 3u);
  EXPECT_EQ(prompt.shown[2].text, "Radio-Program password must be 8 characters in length, or empty");
  EXPECT_EQ(bytesAt(kRadioProgramPassword, 4), std::vector<uint8_t>(4, 0xFF));

  // Eight digits or nothing pass silently; the PC password box is not checked.
  replaceText(radio, "87654321");
  QTest::keyClick(radio, Qt::Key_Return);
  replaceText(edit("PCProgrammingPasswordEdit"), "12");
  QTest::keyClick(edit("PCProgrammingPasswordEdit"), Qt::Key_Return);
  EXPECT_EQ(prompt.shown.size(), 3u);
  EXPECT_EQ(bytesAt(kPcProgramPassword, 3), (std::vector<uint8_t>{'1', '2', 0x00}));
}

TEST_F(GeneralFormTest, DesignedChannelWritesOnlyTheTxModeBits) {
  buffer()[kTxModeMonitorLeds] = 0x14;  // open squelch, LEDs on, Tx mode 0
  form.refreshAll();
  choose(find<QComboBox>("TxModeComboBox"), "Designed CH");
  EXPECT_EQ(buffer()[kTxModeMonitorLeds], 0x94);

  choose(find<QComboBox>("TalkPermitToneComboBox"), "Digital");
  EXPECT_EQ(buffer()[kTonesPasswordSaver] >> 6, 1);
  EXPECT_EQ(buffer()[kTonesPasswordSaver] & 0x3F, 0x2F);
}

TEST_F(GeneralFormTest, SwitchesAndMicLevelWriteTheirBits) {
  const uint8_t leds = buffer()[kTxModeMonitorLeds];
  auto* monitor = find<ToggleSwitch>("MonitorTypeToggleSwitch");
  QTest::mouseClick(monitor, Qt::LeftButton);
  EXPECT_EQ(monitor->caption(), "Silent");
  EXPECT_EQ(buffer()[kTxModeMonitorLeds], leds & ~0x10);

  auto* channelFree = find<ToggleSwitch>("MonitorTypeChannelFreeIndicationToneToggleSwitch");
  ASSERT_TRUE(channelFree->isChecked());
  QTest::mouseClick(channelFree, Qt::LeftButton);
  EXPECT_TRUE(buffer()[kTonesPasswordSaver] & 0x10);

  auto* mic = find<QSlider>("MicLevelTrackBar");
  mic->setFocus();
  QTest::keyClick(mic, Qt::Key_End);
  EXPECT_EQ((buffer()[kEditIdMicLevel] >> 3) & 0x07, 5);
  EXPECT_EQ(buffer()[kEditIdMicLevel] & 0xC7, 0xC7 & 0xD7);
}

TEST_F(GeneralFormTest, ScrollingPastADropDownChangesNothing) {
  auto* box = find<QComboBox>("TxPreambleDurationComboBox");
  auto* mic = find<QSlider>("MicLevelTrackBar");
  edit("RadioNameEdit")->setFocus();
  const std::vector<uint8_t> before = buffer();
  for (QWidget* control : {static_cast<QWidget*>(box), static_cast<QWidget*>(mic)}) {
    const QPointF centre(control->width() / 2.0, control->height() / 2.0);
    QWheelEvent wheel(centre, control->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(control, &wheel);
  }
  EXPECT_EQ(box->currentText(), "600 ms");
  EXPECT_EQ(buffer(), before);
}

TEST_F(GeneralFormTest, TextBoxesTakeOnlyWhatTheRadioShows) {
  QLineEdit* name = edit("RadioNameEdit");
  replaceText(name, "Ab");
  QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
  QCoreApplication::sendEvent(name, &accented);
  QTest::keyClicks(name, " cdefghijklmnopq");
  EXPECT_EQ(name->text(), "Ab cdefghijklmno");
  EXPECT_EQ(name->maxLength(), 16);
  EXPECT_EQ(bytesAt(kRadioName, 6), (std::vector<uint8_t>{'A', 0, 'b', 0, ' ', 0}));
  EXPECT_EQ(edit("IntroScreenTextLine2Edit")->maxLength(), 10);
}

TEST_F(GeneralFormTest, EmptySlotDisablesAndClearsTheTab) {
  common.place(0, 0, "", {});
  form.refreshAll();
  EXPECT_FALSE(form.isEnabled());
  EXPECT_FALSE(find<QWidget>("Panel1")->isVisible());
  EXPECT_EQ(edit("RadioIDEdit")->text(), "");
  EXPECT_EQ(edit("RadioNameEdit")->text(), "");
  EXPECT_EQ(find<QComboBox>("VOXSensitivityComboBox")->currentIndex(), -1);
  EXPECT_FALSE(find<ToggleSwitch>("LEDsToggleSwitch")->isChecked());
}

}  // namespace
}  // namespace tamberlin
