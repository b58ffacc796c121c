#include "editors/basic/basic_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_layout.h"
#include "support/prompt.h"

namespace tamberlin {
namespace {

std::string bandText(std::optional<int> index) {
  if (!index) return "";
  for (const BandChoice& band : bandChoices()) {
    if (band.index == *index) return std::string(band.text);
  }
  return "?";
}

TEST(BasicInfo, TemplatesShowTheirBandsModelAndStamp) {
  struct Case {
    int model;
    const char* bandA;
    const char* bandB;
    bool bandBEnabled;
  };
  const Case cases[] = {
      {kModelMd380, "400MHz .. 480MHz ", "", false},
      {kModelMd390, "400MHz .. 480MHz ", "", false},
      {kModelUv390, "400MHz .. 480MHz ", "136MHz .. 174MHz ", true},
      {kModelDm1701, "400MHz .. 480MHz ", "136MHz .. 174MHz ", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    CCommon common;
    SilentPrompt prompt;
    ASSERT_EQ(common.newCodeplug(0, c.model, prompt), 0);
    const BasicInfo info = basicInfo(common.slot(0));
    EXPECT_TRUE(info.enabled);
    EXPECT_EQ(info.modelCode, c.model);
    EXPECT_EQ(bandText(info.bandA), c.bandA);
    EXPECT_EQ(bandText(info.bandB), c.bandB);
    EXPECT_EQ(info.bandBEnabled, c.bandBEnabled);
    EXPECT_EQ(info.lastProgrammed, "2018.08.12  14:34:05");
    EXPECT_EQ(info.softwareVersion, "V01.37");
    // No radio was ever read into a template.
    EXPECT_EQ(info.serialNumber, "");
    EXPECT_EQ(info.deviceIdentity, "");
  }
}

TEST(BasicInfo, EmptySlotOrUnlistedValuesShowBlank) {
  CCommon common;
  const BasicInfo empty = basicInfo(common.slot(0));
  EXPECT_FALSE(empty.enabled);
  EXPECT_FALSE(empty.modelCode);
  EXPECT_FALSE(empty.bandA);
  EXPECT_EQ(empty.lastProgrammed, "");
  EXPECT_FALSE(basicInfo(nullptr).enabled);

  SilentPrompt prompt;
  ASSERT_EQ(common.newCodeplug(0, kModelUv380, prompt), 0);
  common.slot(0)->buffer[layout::kBandAIndex] = 4;
  common.slot(0)->buffer[layout::kBandBIndex] = 0xFF;
  const BasicInfo info = basicInfo(common.slot(0));
  EXPECT_FALSE(info.bandA);
  EXPECT_FALSE(info.bandB);
}

TEST(BasicInfo, SerialNumberText) {
  struct Case {
    std::vector<uint8_t> bytes;
    const char* shown;
  };
  const Case cases[] = {
      {std::vector<uint8_t>(16, 0xFF), ""},
      {{'A', 'B', '1', 0x00, 'X', 'Y'}, "AB1"},
      {{'A', 0x01, 'B', 0x80, 'C', 0xFF, 'D'}, "ABC"},
      {{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F', 'G'},
       "0123456789ABCDEF"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = c.bytes;
    bytes.resize(std::max<size_t>(bytes.size(), 16), 0xFF);
    EXPECT_EQ(serialNumberText(bytes), c.shown);
  }
}

TEST(BasicInfo, VersionTexts) {
  EXPECT_EQ(versionText(std::vector<uint8_t>{0x00, 0x01, 0x03, 0x07}), "V01.37");
  EXPECT_EQ(versionText(std::vector<uint8_t>{0x02, 0x00, 0x01, 0x0C}), "V20.112");
  EXPECT_EQ(versionText(std::vector<uint8_t>{0xFF, 0x01, 0x03, 0x07}), "");
  EXPECT_EQ(mcuVersionText(std::vector<uint8_t>{'S', 0x12, 0x34, 0x56}), "S123.456");
  EXPECT_EQ(mcuVersionText(std::vector<uint8_t>{'D', 0x00, 0x2A, 0x09}), "D002.:09");
  EXPECT_EQ(mcuVersionText(std::vector<uint8_t>{0xFF, 0x12, 0x34, 0x56}), "");
}

TEST(BasicInfo, DeviceIdentityIsReversedCharactersThenThePaddedNumber) {
  const std::vector<uint8_t> bytes = {0x15, 0xCD, 0x5B, 0x07, 0x00, 'A', 'B', 'C', 'D', 'E', 'F', 'G'};
  EXPECT_EQ(deviceIdentityText(bytes), "GFEDCBA0000123456789");
  const std::vector<uint8_t> large = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, '1', '2', '3', '4', '5', '6', '7'};
  EXPECT_EQ(deviceIdentityText(large), "76543211099511627774");
  std::vector<uint8_t> erased(12, 0xFF);
  EXPECT_EQ(deviceIdentityText(erased), "");
  EXPECT_EQ(deviceIdentityText(std::vector<uint8_t>(5, 0x01)), "");
}

}  // namespace
}  // namespace tamberlin
