#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "codeplug/bcd_date_time.h"
#include "codeplug/bcd_frequency.h"
#include "codeplug/packed_dtmf.h"
#include "codeplug/radio_id.h"
#include "codeplug/text_field.h"
#include "codeplug/tone_word.h"

namespace tamberlin {
namespace {

std::vector<uint8_t> units(std::initializer_list<uint16_t> values, size_t fieldUnits = 16) {
  std::vector<uint8_t> bytes(fieldUnits * 2, 0);
  size_t i = 0;
  for (uint16_t v : values) {
    bytes[2 * i] = static_cast<uint8_t>(v);
    bytes[2 * i + 1] = static_cast<uint8_t>(v >> 8);
    ++i;
  }
  return bytes;
}

TEST(TextField, EncodesPaddedAndCutAtTheFieldLength) {
  std::vector<uint8_t> field(32, 0xEE);
  encodeTextField(field, 16, u"ABC");
  std::vector<uint8_t> expected(32, 0);
  expected[0] = 'A';
  expected[2] = 'B';
  expected[4] = 'C';
  EXPECT_EQ(field, expected);

  encodeTextField(field, 16, u"ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(decodeTextField(field, 16), u"ABCDEFGHIJKLMNOP");
  EXPECT_EQ(field[30], 'P');  // full field: no terminator
  EXPECT_EQ(field[31], 0);
}

TEST(TextField, Decodes) {
  struct Case {
    const char* what;
    std::vector<uint8_t> field;
    int number;
    std::u16string expected;
  };
  std::vector<uint8_t> erased(32, 0xFF);
  const std::vector<Case> cases = {
      {"erased, listed", erased, 7, u"no_name-7"},
      {"erased, stored name", erased, -1, u""},
      {"zero first unit, listed", units({0, 'A'}), 3, u""},
      {"blanks around", units({' ', ' ', 'A', 'B', ' '}), -1, u"AB"},
      {"only blanks, listed", units({' ', ' '}), 12, u"no_name-12"},
      {"stops at 0xFFFF", units({'A', 0xFFFF, 'B'}), -1, u"A"},
      {"no field", {}, 5, u""},
      {"non-ASCII", units({0x00C4, 'x'}), -1, u"\u00C4x"},
  };
  for (const Case& c : cases) EXPECT_EQ(decodeTextField(c.field, 16, c.number), c.expected) << c.what;
}

TEST(TextField, NeverReadsPastAShortField) {
  const std::vector<uint8_t> three = {'A', 0, 'B'};  // one and a half units
  EXPECT_EQ(decodeTextField(three, 16), u"A");
  std::vector<uint8_t> small(4, 0xEE);
  encodeTextField(small, 16, u"ABCDEF");
  EXPECT_EQ(decodeTextField(small, 16), u"AB");
}

TEST(BcdFrequency, EncodesAndDecodes) {
  struct Case {
    double mhz;
    std::array<uint8_t, 4> bytes;
    const char* text;
  };
  const Case cases[] = {
      {145.6125, {0x50, 0x12, 0x56, 0x14}, "145.61250"},
      {438.5, {0x00, 0x00, 0x85, 0x43}, "438.50000"},
      {27.125, {0x00, 0x25, 0x71, 0x02}, "027.12500"},
      {0.0, {0, 0, 0, 0}, "000.00000"},
      {999.99999, {0x99, 0x99, 0x99, 0x99}, "999.99999"},
  };
  for (const Case& c : cases) {
    std::array<uint8_t, 4> bytes{};
    ASSERT_TRUE(encodeBcdFrequency(bytes, c.mhz)) << c.text;
    EXPECT_EQ(bytes, c.bytes) << c.text;
    EXPECT_EQ(bcdFrequencyText(bytes), c.text);
    EXPECT_DOUBLE_EQ(decodeBcdFrequencyMhz(bytes), std::stod(c.text));
  }
}

TEST(BcdFrequency, RefusesWhatFourBytesCannotHold) {
  for (double mhz : {1000.0, 999.999996, -1.0}) {
    std::array<uint8_t, 4> bytes = {1, 2, 3, 4};
    EXPECT_FALSE(encodeBcdFrequency(bytes, mhz)) << mhz;
    EXPECT_EQ(bytes, (std::array<uint8_t, 4>{1, 2, 3, 4}));
  }
  const std::array<uint8_t, 4> erased = {0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(bcdFrequencyText(erased), "???.?????");
}

TEST(BandLimit, Decodes) {
  EXPECT_DOUBLE_EQ(*bandLimitMhz(0x4000), 400.0);
  EXPECT_DOUBLE_EQ(*bandLimitMhz(0x1360), 136.0);
  EXPECT_DOUBLE_EQ(*bandLimitMhz(0x1745), 174.5);
  EXPECT_FALSE(bandLimitMhz(0xFFFF).has_value());
}

TEST(ToneWord, Encodes) {
  EXPECT_EQ(ctcssToneWord(67.0f), 0x0670);
  EXPECT_EQ(ctcssToneWord(79.7f), 0x0797);  // the float lies just below 79.7
  EXPECT_EQ(ctcssToneWord(254.1f), 0x2541);
  EXPECT_EQ(dcsToneWord(23, false), 0x8023);
  EXPECT_EQ(dcsToneWord(23, true), 0xC023);
  EXPECT_EQ(dcsToneWord(754, true), 0xC754);
  EXPECT_EQ(bcdToneWord(15999), 0xF999);
}

TEST(ToneWord, ChoicesInTheirOrder) {
  const auto& choices = toneChoices();
  ASSERT_EQ(choices.size(), 1u + 50u + 104u + 104u);
  EXPECT_EQ(choices[0].text, "None");
  EXPECT_EQ(choices[0].word, kToneNone);
  EXPECT_EQ(choices[1].text, "67.0 Hz");
  EXPECT_EQ(choices[50].text, "254.1 Hz");
  EXPECT_EQ(choices[51].text, "D 23");
  EXPECT_EQ(choices[51].word, 0x8023);
  EXPECT_EQ(choices[154].text, "D 754");
  EXPECT_EQ(choices[155].text, "D 23 inv");
  EXPECT_EQ(choices[258].text, "D 754 inv");
  EXPECT_EQ(choices[258].word, 0xC754);
  // Every word is distinct, so a stored word names exactly one entry.
  for (size_t i = 0; i < choices.size(); ++i) EXPECT_EQ(toneChoiceIndex(choices[i].word), static_cast<int>(i));
}

TEST(ToneWord, ZeroReadsAsNoneAndIsWrittenBackAsFfff) {
  EXPECT_EQ(toneChoiceIndex(0x0000), 0);
  EXPECT_EQ(normalisedToneWord(0x0000), 0xFFFF);
  EXPECT_EQ(normalisedToneWord(0x0885), 0x0885);
  EXPECT_EQ(toneChoiceIndex(0x1234), -1);
}

TEST(RadioId, ThreeAndFourByteForms) {
  std::array<uint8_t, 3> three{};
  writeRadioId3(three, 16777215);
  EXPECT_EQ(three, (std::array<uint8_t, 3>{0xFF, 0xFF, 0xFF}));
  writeRadioId3(three, 2621234);
  EXPECT_EQ(readRadioId3(three), 2621234u);

  struct Case {
    std::array<uint8_t, 4> bytes;
    std::optional<uint32_t> shown;
  };
  const Case cases[] = {
      {{0xD2, 0x04, 0x00, 0x00}, 1234},
      {{0xFF, 0xFF, 0xFF, 0x00}, 16777215},
      {{0x00, 0x00, 0x00, 0x01}, std::nullopt},  // above the largest ID
      {{0x00, 0x00, 0x00, 0x80}, std::nullopt},  // top bit set
      {{0xFF, 0xFF, 0xFF, 0xFF}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(readRadioId4(c.bytes), c.shown);

  std::array<uint8_t, 4> four{};
  writeRadioId4(four, 16777216);
  EXPECT_EQ(readRadioId4(four), 16777215u);
  writeRadioId4(four, -5);
  EXPECT_EQ(readRadioId4(four), 0u);
}

TEST(PackedDtmf, Packs) {
  struct Case {
    const char* text;
    int maxDigits;
    int count;
    std::vector<uint8_t> firstBytes;
  };
  const Case cases[] = {
      {"12*#a", 16, 5, {0x21, 0xFE, 0xFA, 0xFF, 0xFF}},
      {"1-2", 16, 2, {0x21, 0xFF}},
      {"0123456789", 4, 4, {0x10, 0x32, 0xFF}},
      {"", 16, 0, {0xFF}},
      {"ABCDabcd", 30, 8, {0xBA, 0xDC, 0xBA, 0xDC, 0xFF}},
  };
  for (const Case& c : cases) {
    std::array<uint8_t, 15> bytes{};
    EXPECT_EQ(packDtmf(bytes, c.text, c.maxDigits), c.count) << c.text;
    for (size_t i = 0; i < c.firstBytes.size(); ++i) EXPECT_EQ(bytes[i], c.firstBytes[i]) << c.text << " byte " << i;
    EXPECT_EQ(bytes[14], 0xFF);
  }
}

TEST(PackedDtmf, UnpacksWithinItsBytes) {
  const std::array<uint8_t, 15> bytes = {0x21, 0xFE, 0xFA, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(unpackDtmf(bytes, 5), "12*#A");
  EXPECT_EQ(unpackDtmf(bytes, 0), "");
  EXPECT_EQ(unpackDtmf(bytes, 200).size(), 30u);  // a corrupt count stops at 30 digits
  EXPECT_EQ(unpackDtmf(std::span(bytes).first(2), 30), "12*#");
}

TEST(BcdDateTime, ShowsTheStamp) {
  const std::array<uint8_t, 7> stamp = {0x20, 0x18, 0x08, 0x12, 0x14, 0x34, 0x05};
  EXPECT_EQ(bcdDateTimeText(stamp), "2018.08.12  14:34:05");
  const std::array<uint8_t, 7> none = {0xFF, 0x18, 0x08, 0x12, 0x14, 0x34, 0x05};
  EXPECT_EQ(bcdDateTimeText(none), "");
}

}  // namespace
}  // namespace tamberlin
