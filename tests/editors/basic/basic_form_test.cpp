#include "editors/basic/basic_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "support/prompt.h"

namespace tamberlin {
namespace {

class BasicFormTest : public ::testing::Test {
 protected:
  void useModel(int model) {
    ASSERT_EQ(common.newCodeplug(0, model, prompt), 0);
    form.refreshAll();
  }
  QComboBox* box(const char* name) { return form.findChild<QComboBox*>(name); }
  QString edit(const char* name) {
    auto* line = form.findChild<QLineEdit*>(name);
    return line ? line->text() : "missing";
  }
  std::vector<uint8_t>& buffer() { return common.slot(0)->buffer; }

  CCommon common;
  SilentPrompt prompt;
  TBasicForm form{EditorContext{common, prompt}, nullptr};
};

TEST_F(BasicFormTest, TemplateBandsOfBothFamilies) {
  useModel(kModelMd390);
  EXPECT_EQ(box("ModelNameComboBox")->currentText(), "MD390 (MD-390)");
  EXPECT_FALSE(box("ModelNameComboBox")->isEnabled());
  EXPECT_EQ(box("FrequencyRangeAComboBox")->currentText(), "400MHz .. 480MHz ");
  EXPECT_TRUE(box("FrequencyRangeAComboBox")->isEnabled());
  EXPECT_EQ(box("FrequencyRangeBComboBox")->currentText(), "");
  EXPECT_FALSE(box("FrequencyRangeBComboBox")->isEnabled());

  useModel(kModelUv390);
  EXPECT_EQ(box("ModelNameComboBox")->currentText(), "UV390 (MD-UV390)");
  EXPECT_EQ(box("FrequencyRangeAComboBox")->currentText(), "400MHz .. 480MHz ");
  EXPECT_EQ(box("FrequencyRangeBComboBox")->currentText(), "136MHz .. 174MHz ");
  EXPECT_TRUE(box("FrequencyRangeBComboBox")->isEnabled());
  EXPECT_EQ(edit("LastProgrammedDateEdit"), "2018.08.12  14:34:05");
  EXPECT_EQ(edit("CPSSoftwareVersionEdit"), "V01.37");
}

TEST_F(BasicFormTest, RadioInfoFieldsFromTheirBytes) {
  ASSERT_EQ(common.newCodeplug(0, kModelMd380, prompt), 0);
  const uint8_t identity[] = {0x15, 0xCD, 0x5B, 0x07, 0x00, 'A', 'B', 'C', 'D', 'E', 'F', 'G'};
  std::copy(std::begin(identity), std::end(identity), buffer().begin() + layout::kDeviceIdentity);
  std::fill_n(buffer().begin() + layout::kSerialNumber, 16, 0xFF);
  const uint8_t hardware[] = {0, 1, 0, 2};
  std::copy(std::begin(hardware), std::end(hardware), buffer().begin() + layout::kHardwareVersion);
  const uint8_t mcu[] = {'S', 0x01, 0x23, 0x45};
  std::copy(std::begin(mcu), std::end(mcu), buffer().begin() + layout::kMcuVersion);
  const std::vector<uint8_t> before = buffer();
  form.refreshAll();

  EXPECT_EQ(box("ModelNameComboBox")->currentText(), "DR780 (MD-380)");
  EXPECT_EQ(edit("UniqueDeviceIDEdit"), "GFEDCBA0000123456789");
  EXPECT_EQ(edit("SerialNumberEdit"), "");
  EXPECT_EQ(edit("HardwareVersionEdit"), "V01.02");
  EXPECT_EQ(edit("MCUVersionEdit"), "S012.345");
  EXPECT_EQ(form.findChild<QLineEdit*>("SerialNumberEdit")->toolTip(),
            "The serial number on the back of your radio");

  // A band picked by the user is only shown; nothing is stored.
  QComboBox* bandA = box("FrequencyRangeAComboBox");
  bandA->show();
  QTest::keyClick(bandA, Qt::Key_Down);
  EXPECT_EQ(bandA->currentText(), "450MHz .. 520MHz ");
  EXPECT_EQ(buffer(), before);
  form.refreshShown();
  EXPECT_EQ(bandA->currentText(), "400MHz .. 480MHz ");
}

TEST_F(BasicFormTest, EmptySlotDisablesTheTabAndBlanksEverything) {
  useModel(kModelUv390);
  EXPECT_TRUE(form.isEnabled());
  common.place(0, 0, "", {});
  form.refreshAll();
  EXPECT_FALSE(form.isEnabled());
  for (const char* name : {"ModelNameComboBox", "FrequencyRangeAComboBox", "FrequencyRangeBComboBox"}) {
    EXPECT_EQ(box(name)->currentIndex(), -1) << name;
  }
  for (const char* name : {"SerialNumberEdit", "LastProgrammedDateEdit", "CPSSoftwareVersionEdit",
                           "HardwareVersionEdit", "MCUVersionEdit", "UniqueDeviceIDEdit"}) {
    EXPECT_EQ(edit(name), "") << name;
  }
}

}  // namespace
}  // namespace tamberlin
