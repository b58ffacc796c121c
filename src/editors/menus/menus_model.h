#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/settings_fields.h"
#include "codeplug/slot_settings.h"

namespace tamberlin {

namespace menus_layout {
inline constexpr size_t kHangTime = 0x2315;
inline constexpr size_t kContactsMenu = 0x2316;
inline constexpr size_t kScanAndLogMenu = 0x2317;
inline constexpr size_t kUtilitiesMenu = 0x2318;
inline constexpr size_t kMoreUtilitiesMenu = 0x2319;
}  // namespace menus_layout

inline constexpr int kMenuHangTimeMax = 30;

// The switches of one group box of the Menus tab; an empty title for the
// switches outside any group.
struct MenuGroup {
  std::string_view title;
  std::vector<SwitchSetting> switches;
};
const std::vector<MenuGroup>& menuGroups();
const SwitchSetting* menuSwitch(std::string_view name);

// "Hang " for a menu that stays open, else the seconds.
std::string menuHangTimeText(int seconds);

// The menu settings of one slot.
class MenuSettings : public SlotSettings {
 public:
  using SlotSettings::SlotSettings;

  int hangTime() const;
  // Limits the time to 0..30 before storing it.
  void setHangTime(int seconds);
  void setSwitch(const SwitchSetting& setting, bool on);
};

}  // namespace tamberlin
