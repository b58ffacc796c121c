#include "editors/menus/menus_model.h"

#include <algorithm>

namespace tamberlin {

namespace {

using namespace menus_layout;

constexpr BitsField kHangTimeByte = {kHangTime, 0xFF};

SwitchSetting shown(std::string_view name, std::string_view label, SwitchField field) {
  return {name, label, "", "On", "Off", field};
}

const std::vector<MenuGroup> kGroups = {
    {"", {shown("TextMessageToggleSwitch", "Text Message ", flagBit(kContactsMenu, 0))}},
    {" Contacts ",
     {
         shown("ContactsCallAlertToggleSwitch", "Call Alert ", flagBit(kContactsMenu, 1)),
         shown("ContactsEditToggleSwitch", "Edit ", flagBit(kContactsMenu, 2)),
         shown("ContactsManualDialToggleSwitch", "Manual Dial ", flagBit(kContactsMenu, 3)),
         shown("ContactsRadioCheckToggleSwitch", "Radio Check ", flagBit(kContactsMenu, 4)),
         shown("ContactsRemoteMonitorToggleSwitch", "Remote Monitor ", flagBit(kContactsMenu, 5)),
         shown("ContactsRadioEnableToggleSwitch", "Radio Enable ", flagBit(kContactsMenu, 6)),
         shown("ContactsRadioDisableToggleSwitch", "Radio Disable ", flagBit(kContactsMenu, 7)),
         shown("ContactsProgramKeyToggleSwitch", "Program Key ", flagBit(kScanAndLogMenu, 0)),
     }},
    {" Call Log ",
     {
         shown("CallLogMissedToggleSwitch", "Log Missed ", flagBit(kScanAndLogMenu, 3)),
         shown("CallLogAnsweredToggleSwitch", "Log Answered ", flagBit(kScanAndLogMenu, 4)),
         shown("CallLogOutgoingRadioToggleSwitch", "Outgoing Radio ", flagBit(kScanAndLogMenu, 5)),
     }},
    {" Utilities ",
     {
         shown("UtilitiesTalkAroundToggleSwitch", "Talk Around ", flagBit(kScanAndLogMenu, 6)),
         shown("UtilitiesToneOrAlertToggleSwitch", "Tone or Alert ", flagBit(kScanAndLogMenu, 7)),
         shown("UtilitiesPowerToggleSwitch", "Power ", flagBit(kUtilitiesMenu, 0)),
         shown("UtilitiesBackLightToggleSwitch", "BackLight ", flagBit(kUtilitiesMenu, 1)),
         shown("UtilitiesIntroScreenToggleSwitch", "Intro Screen ", flagBit(kUtilitiesMenu, 2)),
         shown("UtilitiesKeyPadLockToggleSwitch", "Key PadLock ", flagBit(kUtilitiesMenu, 3)),
         shown("UtilitiesLEDIndicatorToggleSwitch", "LED Indicator ", flagBit(kUtilitiesMenu, 4)),
         shown("UtilitiesSquelchToggleSwitch", "Squelch ", flagBit(kUtilitiesMenu, 5)),
         shown("UtilitiesVOXToggleSwitch", "VOX ", flagBit(kUtilitiesMenu, 7)),
         shown("UtilitiesPasswordAndLockToggleSwitch", "Password and Lock ", flagBit(kMoreUtilitiesMenu, 0)),
         shown("UtilitiesDisplayModeToggleSwitch", "Display Mode ", flagBit(kMoreUtilitiesMenu, 1)),
         shown("UtilitiesProgramRadioToggleSwitch", "Program Radio ", invertedFlagBit(kMoreUtilitiesMenu, 2)),
         shown("UtilitiesGPSToggleSwitch", "GPS ", invertedFlagBit(kMoreUtilitiesMenu, 3)),
     }},
    {" Scan ",
     {
         shown("ScanScanToggleSwitch", "Scan ", flagBit(kScanAndLogMenu, 1)),
         shown("ScanEditListToggleSwitch", "Edit List ", flagBit(kScanAndLogMenu, 2)),
     }},
};

}  // namespace

const std::vector<MenuGroup>& menuGroups() { return kGroups; }

const SwitchSetting* menuSwitch(std::string_view name) {
  for (const MenuGroup& group : kGroups) {
    for (const SwitchSetting& setting : group.switches) {
      if (setting.name == name) return &setting;
    }
  }
  return nullptr;
}

std::string menuHangTimeText(int seconds) {
  return seconds == 0 ? "Hang " : std::to_string(seconds) + " secs ";
}

int MenuSettings::hangTime() const { return readBits(buffer(), kHangTimeByte).value_or(0); }

void MenuSettings::setHangTime(int seconds) {
  writeBits(buffer(), kHangTimeByte, std::clamp(seconds, 0, kMenuHangTimeMax));
}

void MenuSettings::setSwitch(const SwitchSetting& setting, bool on) {
  writeSwitch(buffer(), setting.field, on);
}

}  // namespace tamberlin
