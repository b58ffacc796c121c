#include "editors/menus/menus_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSlider>
#include <QTest>

#include "codeplug/ccommon.h"
#include "editors/menus/menus_model.h"
#include "support/prompt.h"
#include "ui/toggle_switch.h"

namespace tamberlin {
namespace {

using namespace menus_layout;

class MenusFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
    form.show();
    form.refreshAll();
  }
  std::vector<uint8_t>& buffer() { return common.slot(0)->buffer; }
  ToggleSwitch* toggle(const char* name) { return form.findChild<ToggleSwitch*>(name); }

  CCommon common;
  SilentPrompt prompt;
  TMenusForm form{EditorContext{common, prompt}, nullptr};
};

TEST_F(MenusFormTest, ProgramRadioOffSetsItsInvertedBit) {
  ToggleSwitch* programRadio = toggle("UtilitiesProgramRadioToggleSwitch");
  ASSERT_NE(programRadio, nullptr);
  ASSERT_TRUE(programRadio->isChecked());
  const uint8_t others = buffer()[kMoreUtilitiesMenu] & ~0x04;
  QTest::mouseClick(programRadio, Qt::LeftButton);
  EXPECT_EQ(buffer()[kMoreUtilitiesMenu], others | 0x04);
  QTest::mouseClick(programRadio, Qt::LeftButton);
  EXPECT_EQ(buffer()[kMoreUtilitiesMenu], others);

  QTest::mouseClick(toggle("ScanEditListToggleSwitch"), Qt::LeftButton);
  EXPECT_EQ(buffer()[kScanAndLogMenu], 0xFB);
}

TEST_F(MenusFormTest, HangTimeTrackBarAndLabel) {
  auto* bar = form.findChild<QSlider*>("MenuHangTimeTrackBar");
  auto* label = form.findChild<QLabel*>("MenuHangTimeLabel");
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "10 secs ");

  buffer()[kHangTime] = 0;
  form.refreshShown();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(label->text(), "Hang ");
  EXPECT_EQ(buffer()[kHangTime], 0);

  bar->setFocus();
  for (int i = 0; i < 12; ++i) QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(buffer()[kHangTime], 12);
  EXPECT_EQ(label->text(), "12 secs ");
  QTest::keyClick(bar, Qt::Key_End);
  EXPECT_EQ(buffer()[kHangTime], 30);
}

TEST_F(MenusFormTest, RefreshWritesNothingAndAnEmptySlotTurnsEverythingOff) {
  buffer()[kUtilitiesMenu] = 0x40;  // only the untouched bit 6
  buffer()[kHangTime] = 200;         // beyond the track bar
  const std::vector<uint8_t> before = buffer();
  form.refreshAll();
  EXPECT_EQ(buffer(), before);
  EXPECT_FALSE(toggle("UtilitiesVOXToggleSwitch")->isChecked());
  EXPECT_TRUE(toggle("TextMessageToggleSwitch")->isChecked());
  EXPECT_EQ(form.findChild<QLabel*>("MenuHangTimeLabel")->text(), "200 secs ");

  common.place(0, 0, "", {});
  form.refreshAll();
  EXPECT_FALSE(form.isEnabled());
  for (ToggleSwitch* each : form.findChildren<ToggleSwitch*>()) {
    EXPECT_FALSE(each->isChecked()) << each->objectName().toStdString();
  }
}

}  // namespace
}  // namespace tamberlin
