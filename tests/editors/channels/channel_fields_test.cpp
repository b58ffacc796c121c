#include "editors/channels/channel_fields.h"

#include <gtest/gtest.h>

#include "editors/channels/channels_model.h"

namespace tamberlin {
namespace {

std::string stored(int hz) {
  std::vector<uint8_t> bytes(4);
  encodeFrequencyHz(bytes, hz);
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X", bytes[3], bytes[2], bytes[1], bytes[0]);
  return text;
}

TEST(FrequencyEntry, TypedTextToStoredDigits) {
  struct Case {
    const char* text;
    ModelFamily family;
    uint8_t bandA, bandB;
    const char* digits;  // nullptr: nothing written
  };
  const Case cases[] = {
      {"145.5", ModelFamily::Kib256, 0, 0xFF, "14550000"},
      {"100", ModelFamily::Kib256, 0, 0xFF, "13600000"},
      {"999", ModelFamily::Kib256, 0, 0xFF, "17400000"},
      {"146", ModelFamily::Uv, 2, 0, "14600000"},
      {"146", ModelFamily::Kib256, 2, 0, "40000000"},
      {"500", ModelFamily::Uv, 2, 0, "48000000"},  // in neither band: limited to band A
      {"439,5125", ModelFamily::Kib256, 2, 0, "43951250"},
      {"439.1234567", ModelFamily::Kib256, 2, 0, "43912345"},  // six decimals at most
      {"0439.5", ModelFamily::Kib256, 2, 0, "43950000"},
      {"145.", ModelFamily::Kib256, 0, 0, "14500000"},
      {"abc", ModelFamily::Kib256, 0, 0, nullptr},
      {"", ModelFamily::Kib256, 0, 0, nullptr},
      {"99999999999", ModelFamily::Kib256, 0, 0, nullptr},
      {"145", ModelFamily::Kib256, 7, 0, "00000000"},  // no band: limits 0..0
  };
  for (const Case& c : cases) {
    const auto hz = parseFrequencyEntry(c.text, c.family, c.bandA, c.bandB);
    if (c.digits == nullptr) {
      EXPECT_FALSE(hz.has_value()) << c.text;
    } else {
      ASSERT_TRUE(hz.has_value()) << c.text;
      EXPECT_EQ(stored(*hz), c.digits) << c.text;
    }
  }
}

TEST(FrequencyEntry, OffsetAndTypedCharacters) {
  EXPECT_EQ(offsetText("439.5", "430.5"), "-9.00000");
  EXPECT_EQ(offsetText("145,6", "145.0"), "-0.60000");
  EXPECT_EQ(offsetText("145.000", "145.600"), "+0.60000");
  EXPECT_EQ(offsetText("145", "145.0"), "");
  EXPECT_EQ(offsetText("", "145.0"), "");
  EXPECT_TRUE(frequencyCharacterAccepted('7', "14"));
  EXPECT_TRUE(frequencyCharacterAccepted('.', "14"));
  EXPECT_FALSE(frequencyCharacterAccepted(',', "14.5"));
  EXPECT_FALSE(frequencyCharacterAccepted('a', ""));
  EXPECT_TRUE(frequencyCharacterAccepted('\b', "1.2"));
  std::vector<uint8_t> zero(4, 0);
  EXPECT_EQ(frequencyFieldText(zero), "");
}

TEST(ChannelFields, WritesTouchOnlyTheirBits) {
  struct Case {
    ChannelField field;
    ModelFamily family;
    int value;
    size_t byte;
    uint8_t before, after;
  };
  const Case cases[] = {
      {ChannelField::Mode, ModelFamily::Uv, 1, 0, 0x61, 0x62},
      {ChannelField::Bandwidth, ModelFamily::Uv, 1, 0, 0x61, 0x69},
      {ChannelField::TxPower, ModelFamily::Uv, 2, 30, 0xFE, 0xFF},
      {ChannelField::TxPower, ModelFamily::Uv, 0, 30, 0xFE, 0xFC},
      {ChannelField::TxPower, ModelFamily::Kib256, 1, 4, 0x01, 0x21},
      {ChannelField::Squelch, ModelFamily::Kib256, 1, 0, 0x61, 0x41},
      {ChannelField::Squelch, ModelFamily::Uv, 7, 15, 0x01, 0x07},
      {ChannelField::TailReversal, ModelFamily::Kib256, 1, 4, 0x01, 0x09},
      {ChannelField::TailReversal, ModelFamily::Uv, 3, 5, 0xC0, 0xC3},
      {ChannelField::NonQtTurnOff, ModelFamily::Uv, 1, 5, 0xC0, 0x40},
      {ChannelField::NonQtTurnOff, ModelFamily::Kib256, 1, 5, 0xC3, 0xC3},
      {ChannelField::Dcdm, ModelFamily::Uv, 1, 31, 0xFF, 0xE7},
      {ChannelField::Dcdm, ModelFamily::Uv, 2, 31, 0xFF, 0xF7},
      {ChannelField::Dcdm, ModelFamily::Uv, 0, 31, 0xE7, 0xEF},
      {ChannelField::ColourCode, ModelFamily::Uv, 12, 1, 0x14, 0xC4},
      {ChannelField::TimeSlot, ModelFamily::Uv, 1, 1, 0x14, 0x18},
      {ChannelField::VoiceEncryption, ModelFamily::Uv, 0x27, 2, 0xC0, 0xE7},
      {ChannelField::GpsSystem, ModelFamily::Uv, 16, 13, 0x80, 0x90},
      {ChannelField::CompressedUdp, ModelFamily::Uv, 1, 3, 0xE1, 0xA1},
      {ChannelField::DisplayPttId, ModelFamily::Uv, 1, 3, 0xE1, 0x61},
      {ChannelField::RxGpsInfo, ModelFamily::Uv, 1, 31, 0xFF, 0xFD},
      {ChannelField::Decode8, ModelFamily::Uv, 1, 14, 0x00, 0x80},
      {ChannelField::AdmitCriteria, ModelFamily::Uv, 3, 4, 0x29, 0xE9},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> record(64, 0x5A);
    record[c.byte] = c.before;
    std::vector<uint8_t> expected = record;
    expected[c.byte] = c.after;
    writeChannelField(record, c.family, c.field, c.value);
    EXPECT_EQ(record, expected) << static_cast<int>(c.field) << " " << c.value;
    if (c.before != c.after) {
      EXPECT_EQ(readChannelField(record, c.family, c.field), c.value);
    }
  }
}

TEST(ChannelFields, ValuesWithoutADisplayOfTheirOwn) {
  std::vector<uint8_t> record(64);
  initChannelRecord(record, ModelFamily::Uv, 2, u"A");
  record[30] = 0xFD;  // power value 1
  EXPECT_EQ(readChannelField(record, ModelFamily::Uv, ChannelField::TxPower), std::nullopt);
  record[0] = 0x65;  // bandwidth 1 shows as 25 kHz
  EXPECT_EQ(readChannelField(record, ModelFamily::Uv, ChannelField::Bandwidth), 1);
  record[0] = 0x60;  // mode 0 shows as analogue
  EXPECT_EQ(readChannelField(record, ModelFamily::Uv, ChannelField::Mode), 0);
  record[24] = 0;
  record[25] = 0;  // a stored 0 tone is "None"
  EXPECT_EQ(readChannelField(record, ModelFamily::Uv, ChannelField::RxTone), 0xFFFF);
}

TEST(ChannelFields, MixedSelectionsAndAdmitChoices) {
  std::vector<uint8_t> a(64), b(64);
  initChannelRecord(a, ModelFamily::Uv, 2, u"A");
  initChannelRecord(b, ModelFamily::Uv, 2, u"B");
  writeChannelField(b, ModelFamily::Uv, ChannelField::Mode, 1);
  const std::vector<std::span<uint8_t>> both = {a, b};
  EXPECT_EQ(commonChannelField(both, ModelFamily::Uv, ChannelField::Mode), std::nullopt);
  EXPECT_EQ(commonChannelField(both, ModelFamily::Uv, ChannelField::ColourCode), 1);
  EXPECT_EQ(commonChannelField({}, ModelFamily::Uv, ChannelField::ColourCode), std::nullopt);
  EXPECT_EQ(admitCriteriaChoices(both).size(), 4u);
  const auto analogue = admitCriteriaChoices({a});
  ASSERT_EQ(analogue.size(), 3u);
  EXPECT_EQ(analogue[2].text, "Correct CTCSS / CDCSS ");
  const auto digital = admitCriteriaChoices({b});
  ASSERT_EQ(digital.size(), 3u);
  EXPECT_EQ(digital[2].text, "Colour Code ");
  EXPECT_EQ(digital[2].value, 3);
}

TEST(ChannelFields, ChoiceListsPerFamily) {
  EXPECT_EQ(channelFieldChoices(ChannelField::TxPower, ModelFamily::Kib256).size(), 2u);
  EXPECT_EQ(channelFieldChoices(ChannelField::TxPower, ModelFamily::Uv).size(), 3u);
  EXPECT_EQ(channelFieldChoices(ChannelField::Squelch, ModelFamily::Uv).back().text, "9 ");
  EXPECT_EQ(channelFieldChoices(ChannelField::Squelch, ModelFamily::Kib256)[0].text, "Normal ");
  EXPECT_EQ(channelFieldChoices(ChannelField::TailReversal, ModelFamily::Kib256).size(), 2u);
  EXPECT_EQ(channelFieldChoices(ChannelField::InCallCriteria, ModelFamily::Uv).back().text, "Tx Interrupt ");
  const auto timeOut = channelFieldChoices(ChannelField::TxTimeOut, ModelFamily::Uv);
  EXPECT_EQ(timeOut.size(), 38u);
  EXPECT_EQ(timeOut.back().text, "555 secs");
  const auto voice = channelFieldChoices(ChannelField::VoiceEncryption, ModelFamily::Uv);
  EXPECT_EQ(voice.size(), 25u);
  EXPECT_EQ(voice[16].text, "Basic 16 ");
  EXPECT_EQ(voice[17].text, "Enhanced 1 ");
  EXPECT_EQ(voice[17].value, 0x20);
  EXPECT_EQ(channelFieldChoices(ChannelField::NonQtTurnOff, ModelFamily::Uv)[2].value, 3);
  EXPECT_EQ(channelFieldChoices(ChannelField::RekeyDelay, ModelFamily::Uv)[1].text, "1 secs");
}

}  // namespace
}  // namespace tamberlin
