#include "editors/menus/menus_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "codeplug/ccommon.h"
#include "support/prompt.h"

namespace tamberlin {
namespace {

using namespace menus_layout;

TEST(MenuSwitches, EachWritesItsBitAndKeepsTheRest) {
  struct Case {
    const char* name;
    size_t offset;
    int bit;
    bool inverted;
  };
  const Case cases[] = {
      {"TextMessageToggleSwitch", kContactsMenu, 0, false},
      {"ContactsCallAlertToggleSwitch", kContactsMenu, 1, false},
      {"ContactsEditToggleSwitch", kContactsMenu, 2, false},
      {"ContactsManualDialToggleSwitch", kContactsMenu, 3, false},
      {"ContactsRadioCheckToggleSwitch", kContactsMenu, 4, false},
      {"ContactsRemoteMonitorToggleSwitch", kContactsMenu, 5, false},
      {"ContactsRadioEnableToggleSwitch", kContactsMenu, 6, false},
      {"ContactsRadioDisableToggleSwitch", kContactsMenu, 7, false},
      {"ContactsProgramKeyToggleSwitch", kScanAndLogMenu, 0, false},
      {"ScanScanToggleSwitch", kScanAndLogMenu, 1, false},
      {"ScanEditListToggleSwitch", kScanAndLogMenu, 2, false},
      {"CallLogMissedToggleSwitch", kScanAndLogMenu, 3, false},
      {"CallLogAnsweredToggleSwitch", kScanAndLogMenu, 4, false},
      {"CallLogOutgoingRadioToggleSwitch", kScanAndLogMenu, 5, false},
      {"UtilitiesTalkAroundToggleSwitch", kScanAndLogMenu, 6, false},
      {"UtilitiesToneOrAlertToggleSwitch", kScanAndLogMenu, 7, false},
      {"UtilitiesPowerToggleSwitch", kUtilitiesMenu, 0, false},
      {"UtilitiesBackLightToggleSwitch", kUtilitiesMenu, 1, false},
      {"UtilitiesIntroScreenToggleSwitch", kUtilitiesMenu, 2, false},
      {"UtilitiesKeyPadLockToggleSwitch", kUtilitiesMenu, 3, false},
      {"UtilitiesLEDIndicatorToggleSwitch", kUtilitiesMenu, 4, false},
      {"UtilitiesSquelchToggleSwitch", kUtilitiesMenu, 5, false},
      {"UtilitiesVOXToggleSwitch", kUtilitiesMenu, 7, false},
      {"UtilitiesPasswordAndLockToggleSwitch", kMoreUtilitiesMenu, 0, false},
      {"UtilitiesDisplayModeToggleSwitch", kMoreUtilitiesMenu, 1, false},
      {"UtilitiesProgramRadioToggleSwitch", kMoreUtilitiesMenu, 2, true},
      {"UtilitiesGPSToggleSwitch", kMoreUtilitiesMenu, 3, true},
  };
  CCommon common;
  SilentPrompt prompt;
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  std::vector<uint8_t>& buffer = common.slot(0)->buffer;
  MenuSettings settings(common.slot(0));
  size_t switchCount = 0;
  for (const MenuGroup& group : menuGroups()) switchCount += group.switches.size();
  EXPECT_EQ(switchCount, std::size(cases));

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SwitchSetting* setting = menuSwitch(c.name);
    ASSERT_NE(setting, nullptr);
    const auto mask = static_cast<uint8_t>(1 << c.bit);
    for (const uint8_t start : {uint8_t{0x00}, uint8_t{0xFF}}) {
      for (const bool on : {true, false}) {
        buffer[c.offset] = start;
        const std::vector<uint8_t> before = buffer;
        settings.setSwitch(*setting, on);
        const bool bitSet = on != c.inverted;
        EXPECT_EQ(buffer[c.offset], bitSet ? (start | mask) : (start & ~mask));
        EXPECT_EQ(settings.switchIsOn(*setting), on);
        buffer[c.offset] = start;
        EXPECT_EQ(buffer, before);
      }
    }
  }
}

TEST(MenuHangTime, TextAndLimits) {
  EXPECT_EQ(menuHangTimeText(0), "Hang ");
  EXPECT_EQ(menuHangTimeText(1), "1 secs ");
  EXPECT_EQ(menuHangTimeText(12), "12 secs ");

  CCommon common;
  SilentPrompt prompt;
  ASSERT_EQ(common.newCodeplug(0, kModelUv390, prompt), 0);
  MenuSettings settings(common.slot(0));
  EXPECT_EQ(settings.hangTime(), 10);  // the template's
  for (const auto& [entered, stored] : {std::pair{12, 12}, {0, 0}, {45, 30}, {-3, 0}}) {
    settings.setHangTime(entered);
    EXPECT_EQ(common.slot(0)->buffer[kHangTime], stored) << entered;
  }
}

TEST(MenuSettingsEmpty, AnEmptySlotShowsEverythingOffAndWritesNothing) {
  CCommon common;
  MenuSettings settings(common.slot(0));
  EXPECT_FALSE(settings.active());
  EXPECT_EQ(settings.hangTime(), 0);
  settings.setHangTime(5);
  settings.setSwitch(*menuSwitch("UtilitiesGPSToggleSwitch"), false);
  EXPECT_FALSE(settings.switchIsOn(*menuSwitch("UtilitiesGPSToggleSwitch")));
  EXPECT_TRUE(common.slot(0)->buffer.empty());
}

}  // namespace
}  // namespace tamberlin
