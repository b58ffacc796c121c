#include "editors/general/general_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "codeplug/ccommon.h"
#include "support/prompt.h"

namespace tamberlin {
namespace {

using namespace general_layout;

class GeneralSettingsTest : public ::testing::Test {
 protected:
  void useModel(int model) {
    SilentPrompt prompt;
    ASSERT_EQ(common.newCodeplug(0, model, prompt), 0);
  }
  void SetUp() override { useModel(kModelUv390); }
  std::vector<uint8_t>& buffer() { return common.slot(0)->buffer; }
  GeneralSettings settings() { return GeneralSettings(common.slot(0)); }
  std::vector<uint8_t> bytesAt(size_t offset, size_t length) {
    return std::vector<uint8_t>(buffer().begin() + offset, buffer().begin() + offset + length);
  }
  static size_t itemNamed(const ChoiceSetting& setting, const std::string& text) {
    for (size_t i = 0; i < setting.field.items.size(); ++i) {
      if (setting.field.items[i].text == text) return i;
    }
    ADD_FAILURE() << "no item " << text;
    return 0;
  }

  CCommon common;
};

TEST(GeneralChoices, ListTheirItemsAndValues) {
  struct Case {
    const char* name;
    size_t count;
    size_t index;
    const char* text;
    int value;
  };
  const Case cases[] = {
      {"VOXSensitivityComboBox", 10, 0, "1 .. high sensitivity", 1},
      {"VOXSensitivityComboBox", 10, 4, "5", 5},
      {"VOXSensitivityComboBox", 10, 9, "10 .. low sensitivity", 10},
      {"TxPreambleDurationComboBox", 145, 144, "8640 ms", 144},
      {"RxLowBatteryIntervalComboBox", 128, 127, "635 secs", 127},
      {"BacklightTimeComboBox", 4, 0, "Always", 0},
      {"KeyPadLockTimeComboBox", 4, 0, "Manual", 255},
      {"KeyPadLockTimeComboBox", 4, 3, "15 secs", 3},
      {"TalkPermitToneComboBox", 4, 3, "Digital & Analogue", 3},
      {"CallAlertToneDurationComboBox", 241, 0, "Continuous", 0},
      {"CallAlertToneDurationComboBox", 241, 240, "1200 secs", 240},
      {"ScanDigitalHangTimeComboBox", 20, 0, "500 ms", 5},
      {"ScanDigitalHangTimeComboBox", 20, 19, "10000 ms", 100},
      {"ScanAnalogueHangTimeComboBox", 21, 0, "0 ms", 0},
      {"LoneWorkerResponseTimeComboBox", 255, 0, "1 min", 1},
      {"LoneWorkerResponseTimeComboBox", 255, 1, "2 mins", 2},
      {"LoneWorkerReminderTimeComboBox", 255, 0, "1 sec", 1},
      {"LoneWorkerReminderTimeComboBox", 255, 254, "255 secs", 255},
      {"GroupCallHangTimeComboBox", 15, 14, "7000 ms", 70},
      {"PrivateCallHangTimeComboBox", 15, 1, "500 ms", 5},
      {"CHVoiceAnnouncementComboBox", 2, 1, "English", 1},
      {"ChannelsHangTimeComboBox", 15, 0, "0 sec", 0},
      {"ChannelsHangTimeComboBox", 15, 1, "0.5 sec", 5},
      {"ChannelsHangTimeComboBox", 15, 14, "7.0 sec", 70},
      {"TimeZoneComboBox", 25, 0, "utc -12 hour", 0},
      {"TimeZoneComboBox", 25, 3, "utc  -9 hour", 3},
      {"TimeZoneComboBox", 25, 11, "utc  -1 hour", 11},
      {"TimeZoneComboBox", 25, 12, "utc", 12},
      {"TimeZoneComboBox", 25, 13, "utc  +1 hour", 13},
      {"TimeZoneComboBox", 25, 24, "utc +12 hour", 24},
      {"TxModeComboBox", 4, 2, "Designed CH", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ChoiceSetting* setting = generalChoice(c.name);
    ASSERT_NE(setting, nullptr);
    ASSERT_EQ(setting->field.items.size(), c.count);
    EXPECT_EQ(setting->field.items[c.index].text, c.text);
    EXPECT_EQ(setting->field.items[c.index].value, c.value);
  }
}

TEST_F(GeneralSettingsTest, AChoiceWritesOnlyItsOwnBits) {
  struct Case {
    const char* name;
    const char* item;
    size_t offset;
    uint8_t before;
    uint8_t after;
  };
  const Case cases[] = {
      {"TxModeComboBox", "Designed CH", kTxModeMonitorLeds, 0x14, 0x94},
      {"TxModeComboBox", "Last Call CH", kTxModeMonitorLeds, 0xFF, 0x3F},
      {"TalkPermitToneComboBox", "Analogue", kTonesPasswordSaver, 0x3F, 0xBF},
      {"TimeZoneComboBox", "utc", kTimeZoneCallMatch, 0x07, 0x67},
      {"TimeZoneComboBox", "utc +12 hour", kTimeZoneCallMatch, 0x00, 0xC0},
      {"CHVoiceAnnouncementComboBox", "English", kScreenVoice, 0xFD, 0xFF},
      {"CHVoiceAnnouncementComboBox", "Off", kScreenVoice, 0xFF, 0xFD},
      {"BacklightTimeComboBox", "15 secs", kBacklightTime, 0xFC, 0xFF},
      {"BacklightTimeComboBox", "Always", kBacklightTime, 0xFF, 0xFC},
      {"KeyPadLockTimeComboBox", "Manual", kKeypadLockTime, 0x01, 0xFF},
      {"VOXSensitivityComboBox", "10 .. low sensitivity", kVoxSensitivity, 0x03, 0x0A},
      {"ChannelsHangTimeComboBox", "2.5 sec", kChannelsHangTime, 0x00, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.item);
    const ChoiceSetting& setting = *generalChoice(c.name);
    buffer()[c.offset] = c.before;
    const std::vector<uint8_t> before = buffer();
    settings().choose(setting, itemNamed(setting, c.item));
    EXPECT_EQ(buffer()[c.offset], c.after);
    buffer()[c.offset] = c.before;
    EXPECT_EQ(buffer(), before) << "another byte changed";
    buffer()[c.offset] = c.after;
    EXPECT_EQ(settings().shownChoice(setting), itemNamed(setting, c.item));
  }
}

TEST_F(GeneralSettingsTest, AStoredValueWithoutItemSelectsNothing) {
  buffer()[kVoxSensitivity] = 0;
  EXPECT_FALSE(settings().shownChoice(*generalChoice("VOXSensitivityComboBox")));
  buffer()[kTxPreamble] = 145;
  EXPECT_FALSE(settings().shownChoice(*generalChoice("TxPreambleDurationComboBox")));
  buffer()[kScanDigitalHangTime] = 7;
  EXPECT_FALSE(settings().shownChoice(*generalChoice("ScanDigitalHangTimeComboBox")));
  buffer()[kTimeZoneCallMatch] = 0xFF;  // 31 in bits 3-7
  EXPECT_FALSE(settings().shownChoice(*generalChoice("TimeZoneComboBox")));
}

TEST_F(GeneralSettingsTest, SwitchesSetAndClearTheirBitOnly) {
  struct Case {
    const char* name;
    size_t offset;
    uint8_t mask;
    bool setWhenOn;
  };
  const Case cases[] = {
      {"MonitorTypeToggleSwitch", kTxModeMonitorLeds, 0x10, true},
      {"LEDsToggleSwitch", kTxModeMonitorLeds, 0x04, true},
      {"BatterySaverSavePreambleToggleSwitch", kTonesPasswordSaver, 0x01, true},
      {"BatterySaverSaveModeRxToggleSwitch", kTonesPasswordSaver, 0x02, true},
      {"MonitorTypeAllTonesToggleSwitch", kTonesPasswordSaver, 0x04, true},
      {"MonitorTypeChannelFreeIndicationToneToggleSwitch", kTonesPasswordSaver, 0x10, false},
      {"IntroScreenTypeToggleSwitch", kScreenVoice, 0x10, true},
      {"ModeSelectAToggleSwitch", kModeSelect, 0x04, true},
      {"ModeSelectBToggleSwitch", kModeSelect, 0x80, true},
      {"GroupCallMatchToggleSwitch", kTimeZoneCallMatch, 0x01, true},
      {"PrivateCallMatchToggleSwitch", kTimeZoneCallMatch, 0x02, true},
      {"EditRadioIDToggleSwitch", kEditIdMicLevel, 0x40, false},
      {"PublicZoneToggleSwitch", kPublicZone, 0x04, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SwitchSetting& setting = *generalSwitch(c.name);
    for (const uint8_t start : {uint8_t{0x00}, uint8_t{0xFF}}) {
      for (const bool on : {true, false}) {
        buffer()[c.offset] = start;
        settings().setSwitch(setting, on);
        const bool bitSet = on == c.setWhenOn;
        EXPECT_EQ(buffer()[c.offset], bitSet ? (start | c.mask) : (start & ~c.mask));
        EXPECT_EQ(settings().switchIsOn(setting), on);
      }
    }
  }
}

TEST_F(GeneralSettingsTest, FrequencyChannelModeWritesTheWholeByte) {
  const SwitchSetting& mode = *generalSwitch("FCModeToggleSwitch");
  settings().setSwitch(mode, false);
  EXPECT_EQ(buffer()[kFrequencyChannelMode], 0x00);
  EXPECT_FALSE(settings().switchIsOn(mode));
  settings().setSwitch(mode, true);
  EXPECT_EQ(buffer()[kFrequencyChannelMode], 0xFF);
  EXPECT_TRUE(settings().switchIsOn(mode));
}

TEST_F(GeneralSettingsTest, MicLevelKeepsTheEditIdBit) {
  buffer()[kEditIdMicLevel] = 0xC7;
  settings().setMicLevel(5);
  EXPECT_EQ(buffer()[kEditIdMicLevel], 0xEF);
  EXPECT_EQ(settings().micLevel(), 5);
  settings().setMicLevel(9);
  EXPECT_EQ(settings().micLevel(), 5);
}

TEST_F(GeneralSettingsTest, RadioIdIsStoredInFourBytesAndClamped) {
  const RadioIdSetting& id = generalRadioIds()[0];
  EXPECT_FALSE(settings().enterRadioId(id, "1234"));
  EXPECT_EQ(bytesAt(kRadioId, 4), (std::vector<uint8_t>{0xD2, 0x04, 0x00, 0x00}));
  EXPECT_EQ(settings().radioIdText(id), "1234");

  EXPECT_EQ(settings().enterRadioId(id, "99999999"), "16777215");
  EXPECT_EQ(bytesAt(kRadioId, 4), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(settings().enterRadioId(id, "-5"), "0");
  EXPECT_EQ(bytesAt(kRadioId, 4), (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x00}));
  EXPECT_FALSE(settings().enterRadioId(id, " 42 "));
  EXPECT_EQ(settings().radioIdText(id), "42");

  for (const char* notANumber : {"", "  ", "12a", "99999999999999999999999"}) {
    SCOPED_TRACE(notANumber);
    settings().enterRadioId(id, notANumber);
    EXPECT_EQ(settings().radioIdText(id), "42");
  }
}

TEST_F(GeneralSettingsTest, StoredValuesThatAreNoIdShowEmpty) {
  const RadioIdSetting& id = generalRadioIds()[0];
  const std::vector<std::vector<uint8_t>> notIds = {
      {0x00, 0x00, 0x00, 0x01}, {0x00, 0x00, 0x00, 0x80}, {0xFF, 0xFF, 0xFF, 0xFF}};
  for (const auto& bytes : notIds) {
    std::copy(bytes.begin(), bytes.end(), buffer().begin() + kRadioId);
    EXPECT_EQ(settings().radioIdText(id), "");
  }
}

TEST_F(GeneralSettingsTest, TemplateOfBothFamiliesCarriesId1234) {
  for (const int model : {kModelMd390, kModelUv390}) {
    useModel(model);
    EXPECT_EQ(settings().radioIdText(generalRadioIds()[0]), "1234");
  }
  // The extra UV-family IDs are erased in the template: not set.
  EXPECT_EQ(settings().radioIdText(generalRadioIds()[1]), "");
}

TEST_F(GeneralSettingsTest, UvPanelIsNeverWrittenForA256KibSlot) {
  useModel(kModelMd390);
  EXPECT_FALSE(settings().showsUvPanel());
  EXPECT_TRUE(settings().batterySaverEnabled());
  const std::vector<uint8_t> before = buffer();
  for (const ChoiceSetting& setting : generalChoices()) {
    if (setting.uvFamilyOnly) settings().choose(setting, 1);
  }
  for (const SwitchSetting& setting : generalSwitches()) {
    if (setting.uvFamilyOnly) {
      settings().setSwitch(setting, true);
      settings().setSwitch(setting, false);
    }
  }
  for (const RadioIdSetting& id : generalRadioIds()) {
    if (id.uvFamilyOnly) settings().enterRadioId(id, "5555");
  }
  settings().setMicLevel(4);
  settings().setMicLevel(1);
  EXPECT_EQ(buffer(), before);

  useModel(kModelMd2017);
  EXPECT_TRUE(settings().showsUvPanel());
  EXPECT_FALSE(settings().batterySaverEnabled());
  settings().enterRadioId(generalRadioIds()[3], "5555");
  EXPECT_EQ(bytesAt(kRadioId3, 4), (std::vector<uint8_t>{0xB3, 0x15, 0x00, 0x00}));
}

TEST_F(GeneralSettingsTest, PowerOnPasswordCountsOnlyWithAllEightDigits) {
  const std::string digits = "12345678";
  for (size_t length = 1; length < 8; ++length) {
    settings().enterPowerOnPassword(digits.substr(0, length));
    EXPECT_TRUE(buffer()[kTonesPasswordSaver] & 0x20) << length;
    EXPECT_EQ(bytesAt(kPowerOnPassword, 4), std::vector<uint8_t>(4, 0x00)) << length;
    EXPECT_EQ(settings().powerOnPasswordText(), "");
  }
  const uint8_t otherBits = buffer()[kTonesPasswordSaver] & ~0x20;
  settings().enterPowerOnPassword(digits);
  EXPECT_EQ(buffer()[kTonesPasswordSaver], otherBits);
  EXPECT_EQ(bytesAt(kPowerOnPassword, 4), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78}));
  EXPECT_EQ(settings().powerOnPasswordText(), "12345678");
  EXPECT_TRUE(common.hasPasswords(0));

  settings().enterPowerOnPassword("1234567");
  EXPECT_EQ(buffer()[kTonesPasswordSaver], otherBits | 0x20);
  EXPECT_FALSE(common.hasPasswords(0));
}

TEST_F(GeneralSettingsTest, PasswordDigitsAboveNineShowAsQuestionMarks) {
  buffer()[kTonesPasswordSaver] &= ~0x20;
  const uint8_t stored[] = {0x1A, 0xF2, 0x00, 0x99};
  std::copy(std::begin(stored), std::end(stored), buffer().begin() + kPowerOnPassword);
  std::copy(std::begin(stored), std::end(stored), buffer().begin() + kRadioProgramPassword);
  EXPECT_EQ(settings().powerOnPasswordText(), "1??20099");
  EXPECT_EQ(settings().radioProgramPasswordText(), "1??20099");
}

TEST_F(GeneralSettingsTest, RadioProgramPasswordIsEightDigitsOrErased) {
  EXPECT_EQ(settings().radioProgramPasswordText(), "");
  settings().enterRadioProgramPassword("87654321");
  EXPECT_EQ(bytesAt(kRadioProgramPassword, 4), (std::vector<uint8_t>{0x87, 0x65, 0x43, 0x21}));
  EXPECT_EQ(settings().radioProgramPasswordText(), "87654321");
  settings().enterRadioProgramPassword("8765");
  EXPECT_EQ(bytesAt(kRadioProgramPassword, 4), std::vector<uint8_t>(4, 0xFF));
  EXPECT_EQ(settings().radioProgramPasswordText(), "");
}

TEST_F(GeneralSettingsTest, PcProgramPassword) {
  struct Case {
    const char* text;
    std::vector<uint8_t> stored;
  };
  const Case cases[] = {
      {"", std::vector<uint8_t>(8, 0xFF)},
      {"1234", {'1', '2', '3', '4', 0x00, 0xFF, 0xFF, 0xFF}},
      {"1234567", {'1', '2', '3', '4', '5', '6', '7', 0x00}},
      {"12345678", {'1', '2', '3', '4', '5', '6', '7', '8'}},
      {"123456789", {'1', '2', '3', '4', '5', '6', '7', '8'}},
  };
  const uint8_t after = buffer()[kPcProgramPassword + 8];
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    settings().enterPcProgramPassword(c.text);
    EXPECT_EQ(bytesAt(kPcProgramPassword, 8), c.stored);
    EXPECT_EQ(settings().pcProgramPasswordText(), std::string(c.text).substr(0, 8));
    EXPECT_EQ(buffer()[kPcProgramPassword + 8], after);
  }
  const uint8_t odd[] = {'1', 0x10, 0xA0, '4', 0x00, '6', '7', '8'};
  std::copy(std::begin(odd), std::end(odd), buffer().begin() + kPcProgramPassword);
  EXPECT_EQ(settings().pcProgramPasswordText(), "1??4");
}

TEST_F(GeneralSettingsTest, PasswordLengthCheckDisablesAndNamesTheBox) {
  settings().enterPowerOnPassword("12345678");
  settings().enterRadioProgramPassword("12345678");
  for (const char* fine : {"", "12345678"}) {
    EXPECT_FALSE(settings().checkPowerOnPasswordLength(fine, PasswordExit::FocusLost));
    EXPECT_FALSE(settings().checkRadioProgramPasswordLength(fine));
  }
  EXPECT_EQ(settings().powerOnPasswordText(), "12345678");

  EXPECT_EQ(settings().checkPowerOnPasswordLength("123", PasswordExit::EnterOrEscape),
            "Power-On-Password must be 8 characters in length, or empty");
  EXPECT_EQ(settings().powerOnPasswordText(), "");
  EXPECT_EQ(bytesAt(kPowerOnPassword, 4), std::vector<uint8_t>(4, 0x00));
  EXPECT_EQ(settings().checkPowerOnPasswordLength("123", PasswordExit::FocusLost),
            "Power-On password must be 8 characters in length, or empty");
  EXPECT_EQ(settings().checkRadioProgramPasswordLength("1"),
            "Radio-Program password must be 8 characters in length, or empty");
  EXPECT_EQ(bytesAt(kRadioProgramPassword, 4), std::vector<uint8_t>(4, 0xFF));
}

TEST_F(GeneralSettingsTest, TextsStoreOneCodePageBytePerUnit) {
  const TextSetting& line1 = generalTexts()[1];
  ASSERT_EQ(line1.name, "IntroScreenTextLine1Edit");
  settings().setText(line1, u"ABC");
  std::vector<uint8_t> expected = {'A', 0, 'B', 0, 'C', 0};
  expected.resize(20, 0x00);
  EXPECT_EQ(bytesAt(kIntroLine1, 20), expected);
  EXPECT_EQ(settings().text(line1), u"ABC");

  settings().setText(line1, u"\u20AC\u0141 x");  // the euro sign is in the code page, the L with stroke not
  EXPECT_EQ(bytesAt(kIntroLine1, 8), (std::vector<uint8_t>{0x80, 0, '?', 0, ' ', 0, 'x', 0}));

  const uint8_t nextField = buffer()[kIntroLine2];
  settings().setText(line1, u"Twelve chars");
  EXPECT_EQ(settings().text(line1), u"Twelve cha");
  EXPECT_EQ(buffer()[kIntroLine2], nextField);

  // Reading stops at erased memory.
  std::fill(buffer().begin() + kRadioName, buffer().begin() + kRadioName + 32, 0xFF);
  buffer()[kRadioName] = ' ';
  buffer()[kRadioName + 1] = 0;
  EXPECT_EQ(settings().text(generalTexts()[0]), u" ");
}

TEST(GeneralTexts, AcceptedCharacters) {
  EXPECT_TRUE(acceptsTextCharacter(u'A'));
  EXPECT_TRUE(acceptsTextCharacter(u' '));
  EXPECT_FALSE(acceptsTextCharacter(u'\t'));
  EXPECT_FALSE(acceptsTextCharacter(u'\u00E9'));
  // Judged by the low byte, as the radio's keyboard handler does.
  EXPECT_TRUE(acceptsTextCharacter(u'\u0141'));
  EXPECT_FALSE(acceptsTextCharacter(u'\u0100'));
}

TEST(GeneralSettingsEmpty, AnEmptySlotShowsAndWritesNothing) {
  CCommon common;
  GeneralSettings settings(common.slot(0));
  EXPECT_FALSE(settings.active());
  EXPECT_FALSE(settings.showsUvPanel());
  settings.enterPowerOnPassword("12345678");
  settings.choose(*generalChoice("VOXSensitivityComboBox"), 2);
  EXPECT_FALSE(settings.checkPowerOnPasswordLength("1", PasswordExit::FocusLost));
  EXPECT_TRUE(common.slot(0)->buffer.empty());
  EXPECT_EQ(settings.radioIdText(generalRadioIds()[0]), "");
  EXPECT_FALSE(settings.shownChoice(*generalChoice("VOXSensitivityComboBox")));
}

}  // namespace
}  // namespace tamberlin
