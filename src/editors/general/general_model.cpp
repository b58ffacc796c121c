#include "editors/general/general_model.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "codeplug/c_codeplug.h"
#include "codeplug/radio_id.h"
#include "codeplug/radio_models.h"
#include "support/cp1252.h"
#include "support/endian.h"

namespace tamberlin {

namespace {

using namespace general_layout;

constexpr uint8_t kBits67 = 0xC0;
constexpr uint8_t kWholeByte = 0xFF;
constexpr int kPowerOnPasswordDisabledBit = 5;
constexpr size_t kPasswordBytes = 4;
constexpr size_t kPcPasswordBytes = 8;
constexpr BitsField kMicLevel = {kEditIdMicLevel, 0x38};
constexpr SwitchField kNoPowerOnPassword = flagBit(kTonesPasswordSaver, kPowerOnPasswordDisabledBit);

std::vector<ChoiceItem> voxSensitivityChoices() {
  std::vector<ChoiceItem> items = {{"1 .. high sensitivity", 1}};
  for (int n = 2; n <= 9; ++n) items.push_back({std::to_string(n), n});
  items.push_back({"10 .. low sensitivity", 10});
  return items;
}

std::vector<ChoiceItem> withFirst(ChoiceItem first, std::vector<ChoiceItem> rest) {
  rest.insert(rest.begin(), std::move(first));
  return rest;
}

std::vector<ChoiceItem> channelsHangTimeChoices() {
  std::vector<ChoiceItem> items = {{"0 sec", 0}};
  for (int n = 5; n <= 70; n += 5) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d sec", n / 10, n % 10);
    items.push_back({text, n});
  }
  return items;
}

std::vector<ChoiceItem> timeZoneChoices() {
  std::vector<ChoiceItem> items;
  for (int hours = -12; hours <= 12; ++hours) {
    char text[20];
    if (hours == 0) {
      std::snprintf(text, sizeof text, "utc");
    } else {
      std::snprintf(text, sizeof text, "utc %+3d hour", hours);
    }
    items.push_back({text, hours + 12});
  }
  return items;
}

std::vector<ChoiceItem> unitChoices(std::string_view one, std::string_view many) {
  std::vector<ChoiceItem> items = {{"1" + std::string(one), 1}};
  for (int n = 2; n <= 255; ++n) items.push_back({std::to_string(n) + std::string(many), n});
  return items;
}

// clang-format off
const std::vector<ChoiceSetting> kChoices = {
    {"VOXSensitivityComboBox", "VOX Sensitivity ", "", {{kVoxSensitivity, kWholeByte}, voxSensitivityChoices()}},
    {"TxPreambleDurationComboBox", "Tx Preamble Duration ", "",
     {{kTxPreamble, kWholeByte}, scaledChoices(0, 144, 1, 60, " ms")}},
    {"RxLowBatteryIntervalComboBox", "Rx Low Battery Alarm Interval ", "",
     {{kRxLowBatteryInterval, kWholeByte}, scaledChoices(0, 127, 1, 5, " secs")}},
    {"BacklightTimeComboBox", "Backlight Time ", "",
     {{kBacklightTime, 0x03}, {{"Always", 0}, {"5 secs", 1}, {"10 secs", 2}, {"15 secs", 3}}}},
    {"KeyPadLockTimeComboBox", "Keypad Auto Lock Time ", "",
     {{kKeypadLockTime, kWholeByte}, {{"Manual", 255}, {"5 secs", 1}, {"10 secs", 2}, {"15 secs", 3}}}},
    {"TalkPermitToneComboBox", "Talk Permit Tone  ", "Beeps when you can start transmitting",
     {{kTonesPasswordSaver, kBits67}, {{"None", 0}, {"Digital", 1}, {"Analogue", 2}, {"Digital & Analogue", 3}}}},
    {"CallAlertToneDurationComboBox", "Call Alert Tone Duration  ", "Beeps if you receive a call alert",
     {{kCallAlertToneDuration, kWholeByte}, withFirst({"Continuous", 0}, scaledChoices(1, 240, 1, 5, " secs"))}},
    {"ScanDigitalHangTimeComboBox", "Digital Hang Time  ", "",
     {{kScanDigitalHangTime, kWholeByte}, scaledChoices(5, 100, 5, 100, " ms")}},
    {"ScanAnalogueHangTimeComboBox", "Analogue Hang Time  ", "",
     {{kScanAnalogueHangTime, kWholeByte}, scaledChoices(0, 100, 5, 100, " ms")}},
    {"LoneWorkerResponseTimeComboBox", "Response Time  ", "",
     {{kLoneWorkerResponse, kWholeByte}, unitChoices(" min", " mins")}},
    {"LoneWorkerReminderTimeComboBox", "Reminder Time  ", "",
     {{kLoneWorkerReminder, kWholeByte}, unitChoices(" sec", " secs")}},
    {"GroupCallHangTimeComboBox", "Group Call Hang Time ", "",
     {{kGroupCallHangTime, kWholeByte}, scaledChoices(0, 70, 5, 100, " ms")}},
    {"PrivateCallHangTimeComboBox", "Private Call Hang Time ", "",
     {{kPrivateCallHangTime, kWholeByte}, scaledChoices(0, 70, 5, 100, " ms")}},
    // The UV-family panel
    {"CHVoiceAnnouncementComboBox", "CH Voice Announcement  ", "",
     {{kScreenVoice, 0x02}, {{"Off", 0}, {"English", 1}}}, true},
    {"ChannelsHangTimeComboBox", "Channels Hang Time ", "",
     {{kChannelsHangTime, kWholeByte}, channelsHangTimeChoices()}, true},
    {"TimeZoneComboBox", "Time Zone ", "", {{kTimeZoneCallMatch, 0xF8}, timeZoneChoices()}, true},
    {"TxModeComboBox", "Tx Mode ", "",
     {{kTxModeMonitorLeds, kBits67},
      {{"Last Call CH", 0}, {"Last Call CH + Hand CH", 1}, {"Designed CH", 2}, {"Designed CH + Hand CH", 3}}},
     true},
};

const std::vector<SwitchSetting> kSwitches = {
    {"MonitorTypeToggleSwitch", "Monitor Type ", "", "Open Squelch", "Silent", flagBit(kTxModeMonitorLeds, 4)},
    {"LEDsToggleSwitch", "LED's ", "", "Enabled", "Disabled", flagBit(kTxModeMonitorLeds, 2)},
    {"BatterySaverSavePreambleToggleSwitch", "Save Preamble ",
     "Sends a synchronizing preamble to the receiving radio ", "On", "Off", flagBit(kTonesPasswordSaver, 0)},
    {"BatterySaverSaveModeRxToggleSwitch", "Save Mode Rx ", "Enable the battery saver when in receive mode", "On",
     "Off", flagBit(kTonesPasswordSaver, 1)},
    {"IntroScreenTypeToggleSwitch", "Type ", "", "Text", "Logo", flagBit(kScreenVoice, 4)},
    {"MonitorTypeAllTonesToggleSwitch", "All Tones ", "Alert tones", "Enabled", "Disabled",
     flagBit(kTonesPasswordSaver, 2)},
    {"MonitorTypeChannelFreeIndicationToneToggleSwitch", "Channel Free Tone ",
     "Sounds an alert tone when a voice call ends", "Enabled", "Disabled", invertedFlagBit(kTonesPasswordSaver, 4)},
    // The UV-family panel
    {"FCModeToggleSwitch", "Freq/Channel Mode ", "", "Channel", "Frequency",
     {{kFrequencyChannelMode, kWholeByte}, 0xFF, 0x00}, true},
    {"ModeSelectAToggleSwitch", "Mode Select A ", "", "Memory", "VFO", flagBit(kModeSelect, 2), true},
    {"ModeSelectBToggleSwitch", "Mode Select B ", "", "Memory", "VFO", flagBit(kModeSelect, 7), true},
    {"GroupCallMatchToggleSwitch", "Group Call Match ", "", "On", "Off", flagBit(kTimeZoneCallMatch, 0), true},
    {"PrivateCallMatchToggleSwitch", "Private Call Match ", "", "On", "Off", flagBit(kTimeZoneCallMatch, 1), true},
    {"EditRadioIDToggleSwitch", "Edit Radio ID ", "", "On", "Off", invertedFlagBit(kEditIdMicLevel, 6), true},
    {"PublicZoneToggleSwitch", "Public Zone ", "", "On", "Off", flagBit(kPublicZone, 2), true},
};

const std::vector<TextSetting> kTexts = {
    {"RadioNameEdit", "Radio Name ", "Name your radio", kRadioName, 16},
    {"IntroScreenTextLine1Edit", "Text Line 1 ", "", kIntroLine1, 10},
    {"IntroScreenTextLine2Edit", "Text Line 2 ", "", kIntroLine2, 10},
};

const std::vector<RadioIdSetting> kRadioIds = {
    {"RadioIDEdit", "Your DMR ID Number ", "Your DMR ID number", kRadioId, false},
    {"RadioID1Edit", "DMR ID Number 1 ", "", kRadioId1, true},
    {"RadioID2Edit", "DMR ID Number 2 ", "", kRadioId2, true},
    {"RadioID3Edit", "DMR ID Number 3 ", "", kRadioId3, true},
};

// clang-format on

std::string_view trimmedAscii(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

bool isEightDigits(std::string_view text) {
  return text.size() == kPasswordLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Eight BCD digits, first digit in the high nibble of the first byte.
void writeBcdPassword(std::span<uint8_t> bytes, std::string_view digits) {
  for (size_t i = 0; i < kPasswordBytes; ++i) {
    bytes[i] = static_cast<uint8_t>(((digits[2 * i] - '0') << 4) | (digits[2 * i + 1] - '0'));
  }
}

std::string bcdPasswordText(std::span<const uint8_t> bytes) {
  std::string text;
  for (uint8_t b : bytes) {
    for (const int nibble : {b >> 4, b & 0x0F}) text += nibble > 9 ? '?' : static_cast<char>('0' + nibble);
  }
  return text;
}

}  // namespace

const std::vector<TextSetting>& generalTexts() { return kTexts; }
const std::vector<RadioIdSetting>& generalRadioIds() { return kRadioIds; }
const std::vector<ChoiceSetting>& generalChoices() { return kChoices; }
const std::vector<SwitchSetting>& generalSwitches() { return kSwitches; }

const ChoiceSetting* generalChoice(std::string_view name) {
  for (const ChoiceSetting& setting : kChoices) {
    if (setting.name == name) return &setting;
  }
  return nullptr;
}

const SwitchSetting* generalSwitch(std::string_view name) {
  for (const SwitchSetting& setting : kSwitches) {
    if (setting.name == name) return &setting;
  }
  return nullptr;
}

bool acceptsTextCharacter(char16_t c) { return (c & 0xFF) >= 0x20 && (c & 0x80) == 0; }

bool GeneralSettings::showsUvPanel() const { return modelFamily(modelCode()) == ModelFamily::Uv; }

bool GeneralSettings::batterySaverEnabled() const { return modelFamily(modelCode()) == ModelFamily::Kib256; }

bool GeneralSettings::switchEnabled(const SwitchSetting& setting) const {
  const bool batterySaver = setting.name == "BatterySaverSavePreambleToggleSwitch" ||
                            setting.name == "BatterySaverSaveModeRxToggleSwitch";
  return batterySaver ? batterySaverEnabled() : true;
}

bool GeneralSettings::writable(bool uvFamilyOnly) const { return uvFamilyOnly ? showsUvPanel() : active(); }

void GeneralSettings::choose(const ChoiceSetting& setting, size_t index) {
  if (writable(setting.uvFamilyOnly)) writeChoice(buffer(), setting.field, index);
}

void GeneralSettings::setSwitch(const SwitchSetting& setting, bool on) {
  if (writable(setting.uvFamilyOnly)) writeSwitch(buffer(), setting.field, on);
}

std::u16string GeneralSettings::text(const TextSetting& setting) const {
  if (!active()) return {};
  const std::span<const uint8_t> field = slot().bytes(setting.offset, 2 * static_cast<size_t>(setting.units));
  std::u16string text;
  for (size_t i = 0; i + 1 < field.size(); i += 2) {
    const uint16_t unit = readLe16(field, i);
    if (unit == 0x0000 || unit == 0xFFFF) break;
    text += static_cast<char16_t>(unit);
  }
  return text;
}

// The radio shows 8-bit characters: each unit holds one code page byte.
void GeneralSettings::setText(const TextSetting& setting, std::u16string_view text) {
  if (!active()) return;
  const std::span<uint8_t> field = slot().bytes(setting.offset, 2 * static_cast<size_t>(setting.units));
  std::fill(field.begin(), field.end(), uint8_t{0});
  for (size_t i = 0; i < text.size() && 2 * i + 1 < field.size(); ++i) {
    writeLe16(field, 2 * i, unicodeToCp1252(text[i]));
  }
}

std::string GeneralSettings::radioIdText(const RadioIdSetting& setting) const {
  if (!active()) return {};
  const std::span<const uint8_t> bytes = slot().bytes(setting.offset, 4);
  if (bytes.empty()) return {};
  const std::optional<uint32_t> id = readRadioId4(bytes);
  return id ? std::to_string(*id) : std::string();
}

std::optional<std::string> GeneralSettings::enterRadioId(const RadioIdSetting& setting,
                                                         std::string_view text) {
  if (!writable(setting.uvFamilyOnly)) return std::nullopt;
  const std::span<uint8_t> bytes = slot().bytes(setting.offset, 4);
  const std::string_view number = trimmedAscii(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (bytes.empty() || number.empty() || error != std::errc() || end != number.data() + number.size()) {
    return std::nullopt;
  }
  writeRadioId4(bytes, value);
  if (value < 0) return "0";
  if (value > kMaxRadioId) return std::to_string(kMaxRadioId);
  return std::nullopt;
}

int GeneralSettings::micLevel() const { return readBits(buffer(), kMicLevel).value_or(0); }

void GeneralSettings::setMicLevel(int level) {
  if (writable(true)) writeBits(buffer(), kMicLevel, std::clamp(level, 0, kMicLevelMax));
}

std::string GeneralSettings::powerOnPasswordText() const {
  if (!active() || tamberlin::switchIsOn(buffer(), kNoPowerOnPassword)) return {};
  return bcdPasswordText(slot().bytes(kPowerOnPassword, kPasswordBytes));
}

void GeneralSettings::disablePowerOnPassword() {
  writeSwitch(buffer(), kNoPowerOnPassword, true);
  const std::span<uint8_t> digits = slot().bytes(kPowerOnPassword, kPasswordBytes);
  std::fill(digits.begin(), digits.end(), uint8_t{0x00});
}

// The password counts only while the box holds all eight digits.
void GeneralSettings::enterPowerOnPassword(std::string_view text) {
  if (!active()) return;
  const std::string_view password = trimmedAscii(text);
  const std::span<uint8_t> digits = slot().bytes(kPowerOnPassword, kPasswordBytes);
  if (!isEightDigits(password) || digits.empty()) {
    disablePowerOnPassword();
    return;
  }
  writeBcdPassword(digits, password);
  writeSwitch(buffer(), kNoPowerOnPassword, false);
}

std::string GeneralSettings::radioProgramPasswordText() const {
  if (!active()) return {};
  const std::span<const uint8_t> digits = slot().bytes(kRadioProgramPassword, kPasswordBytes);
  if (std::all_of(digits.begin(), digits.end(), [](uint8_t b) { return b == 0xFF; })) return {};
  return bcdPasswordText(digits);
}

void GeneralSettings::clearRadioProgramPassword() {
  const std::span<uint8_t> digits = slot().bytes(kRadioProgramPassword, kPasswordBytes);
  std::fill(digits.begin(), digits.end(), uint8_t{0xFF});
}

void GeneralSettings::enterRadioProgramPassword(std::string_view text) {
  if (!active()) return;
  const std::string_view password = trimmedAscii(text);
  const std::span<uint8_t> digits = slot().bytes(kRadioProgramPassword, kPasswordBytes);
  if (isEightDigits(password) && !digits.empty()) {
    writeBcdPassword(digits, password);
  } else {
    clearRadioProgramPassword();
  }
}

std::string GeneralSettings::pcProgramPasswordText() const {
  if (!active()) return {};
  std::string text;
  for (uint8_t b : slot().bytes(kPcProgramPassword, kPcPasswordBytes)) {
    if (b == 0xFF || b == 0x00) break;
    text += (b < 0x20 || b > 0x7F) ? '?' : static_cast<char>(b);
  }
  return text;
}

void GeneralSettings::enterPcProgramPassword(std::string_view text) {
  if (!active()) return;
  const std::span<uint8_t> bytes = slot().bytes(kPcProgramPassword, kPcPasswordBytes);
  std::fill(bytes.begin(), bytes.end(), uint8_t{0xFF});
  const size_t length = std::min(text.size(), bytes.size());
  std::copy_n(text.begin(), length, bytes.begin());
  if (length > 0 && length < bytes.size()) bytes[length] = 0x00;
}

std::optional<std::string> GeneralSettings::checkPowerOnPasswordLength(std::string_view text,
                                                                       PasswordExit exit) {
  if (!active() || text.empty() || text.size() == kPasswordLength) return std::nullopt;
  disablePowerOnPassword();
  return exit == PasswordExit::EnterOrEscape ? "Power-On-Password must be 8 characters in length, or empty"
                                             : "Power-On password must be 8 characters in length, or empty";
}

std::optional<std::string> GeneralSettings::checkRadioProgramPasswordLength(std::string_view text) {
  if (!active() || text.empty() || text.size() == kPasswordLength) return std::nullopt;
  clearRadioProgramPassword();
  return "Radio-Program password must be 8 characters in length, or empty";
}

}  // namespace tamberlin
