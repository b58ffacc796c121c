#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/settings_fields.h"
#include "codeplug/slot_settings.h"

namespace tamberlin {

// The radio-wide settings block: the same file offsets in every model. The
// menu settings follow it up to the buttons block.
namespace general_layout {
inline constexpr size_t kBlock = 0x2265;
inline constexpr size_t kBlockEnd = 0x2325;
inline constexpr size_t kIntroLine1 = 0x2265;
inline constexpr size_t kIntroLine2 = 0x2279;
inline constexpr size_t kTxModeMonitorLeds = 0x22A5;
inline constexpr size_t kTonesPasswordSaver = 0x22A6;
inline constexpr size_t kScreenVoice = 0x22A7;
inline constexpr size_t kModeSelect = 0x22A8;
inline constexpr size_t kRadioId = 0x22A9;
inline constexpr size_t kTxPreamble = 0x22AD;
inline constexpr size_t kGroupCallHangTime = 0x22AE;
inline constexpr size_t kPrivateCallHangTime = 0x22AF;
inline constexpr size_t kVoxSensitivity = 0x22B0;
inline constexpr size_t kRxLowBatteryInterval = 0x22B3;
inline constexpr size_t kCallAlertToneDuration = 0x22B4;
inline constexpr size_t kLoneWorkerResponse = 0x22B5;
inline constexpr size_t kLoneWorkerReminder = 0x22B6;
inline constexpr size_t kScanDigitalHangTime = 0x22B8;
inline constexpr size_t kScanAnalogueHangTime = 0x22B9;
inline constexpr size_t kBacklightTime = 0x22BA;
inline constexpr size_t kKeypadLockTime = 0x22BB;
inline constexpr size_t kFrequencyChannelMode = 0x22BC;
inline constexpr size_t kPowerOnPassword = 0x22BD;
inline constexpr size_t kRadioProgramPassword = 0x22C1;
inline constexpr size_t kPcProgramPassword = 0x22C5;
inline constexpr size_t kTimeZoneCallMatch = 0x22D0;
inline constexpr size_t kRadioName = 0x22D5;
inline constexpr size_t kChannelsHangTime = 0x22F5;
inline constexpr size_t kPublicZone = 0x22F7;
inline constexpr size_t kRadioId1 = 0x22F9;
inline constexpr size_t kRadioId2 = 0x22FD;
inline constexpr size_t kRadioId3 = 0x2301;
inline constexpr size_t kEditIdMicLevel = 0x2305;
}  // namespace general_layout

// A text of the block: the radio name or a boot-up line.
struct TextSetting {
  std::string_view name;
  std::string_view label;
  std::string_view hint;
  size_t offset;
  int units;
};

// One of the radio's own DMR IDs.
struct RadioIdSetting {
  std::string_view name;
  std::string_view label;
  std::string_view hint;
  size_t offset;
  bool uvFamilyOnly;
};

// Every control of the General tab, in the order the tab shows them.
const std::vector<TextSetting>& generalTexts();
const std::vector<RadioIdSetting>& generalRadioIds();
const std::vector<ChoiceSetting>& generalChoices();
const std::vector<SwitchSetting>& generalSwitches();
// The setting of that component name; nullptr when there is none.
const ChoiceSetting* generalChoice(std::string_view name);
const SwitchSetting* generalSwitch(std::string_view name);

inline constexpr int kMicLevelMax = 5;
inline constexpr int kRadioIdDigits = 8;
inline constexpr int kPasswordLength = 8;

// Characters the radio name and boot-up lines accept as typed.
bool acceptsTextCharacter(char16_t c);

// How a password box was left with a text of the wrong length.
enum class PasswordExit { EnterOrEscape, FocusLost };

inline constexpr std::string_view kPasswordErrorTitle = "Error";

// The general settings of one slot.
class GeneralSettings : public SlotSettings {
 public:
  using SlotSettings::SlotSettings;

  // The UV-family panel exists only for models 3 to 7; it is never written for others.
  bool showsUvPanel() const;
  // The battery saver switches apply to the 256 KiB radios only.
  bool batterySaverEnabled() const;
  bool switchEnabled(const SwitchSetting& setting) const;

  void choose(const ChoiceSetting& setting, size_t index);
  void setSwitch(const SwitchSetting& setting, bool on);

  std::u16string text(const TextSetting& setting) const;
  void setText(const TextSetting& setting, std::u16string_view text);

  // The ID as the box shows it: empty when the stored value is not an ID.
  std::string radioIdText(const RadioIdSetting& setting) const;
  // Writes a typed ID; a text that is no number writes nothing. Returns the
  // text the box must show instead when the value was clamped.
  std::optional<std::string> enterRadioId(const RadioIdSetting& setting, std::string_view text);

  int micLevel() const;
  void setMicLevel(int level);

  std::string powerOnPasswordText() const;
  void enterPowerOnPassword(std::string_view text);
  std::string radioProgramPasswordText() const;
  void enterRadioProgramPassword(std::string_view text);
  std::string pcProgramPasswordText() const;
  void enterPcProgramPassword(std::string_view text);

  // A password box left holding neither nothing nor 8 digits: disables the
  // password and returns the error to show. Nothing when the length is right.
  std::optional<std::string> checkPowerOnPasswordLength(std::string_view text, PasswordExit exit);
  std::optional<std::string> checkRadioProgramPasswordLength(std::string_view text);

 private:
  bool writable(bool uvFamilyOnly) const;
  void disablePowerOnPassword();
  void clearRadioProgramPassword();
};

}  // namespace tamberlin
