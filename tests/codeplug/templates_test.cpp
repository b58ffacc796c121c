#include "codeplug/templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/bcd_date_time.h"
#include "codeplug/bcd_frequency.h"
#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/load_normalization.h"
#include "codeplug/radio_id.h"
#include "codeplug/section_table.h"
#include "editors/channels/channels_model.h"
#include "editors/contacts/contacts_model.h"
#include "editors/emergency/emergency_model.h"
#include "editors/groups/groups_model.h"
#include "editors/scan_lists/scan_lists_model.h"
#include "editors/text_messages/text_messages_model.h"
#include "editors/zones/zones_model.h"
#include "support/endian.h"

namespace {

using namespace tamberlin;
namespace lo = tamberlin::layout;

struct TemplateCase {
  TemplateId id;
  int modelCode;  // the model a loaded template is recognised as
  size_t size;
  std::string_view typeString;
  uint8_t variant;
  uint8_t secondVariant;
  uint8_t bandB;
  uint16_t bandBLower;
  uint16_t bandBUpper;
};

const TemplateCase kCases[] = {
    {TemplateId::BlankMd390, kModelMd390, 262709, "MD390", 0x20, 0x52, 0xFF, 0xFFFF, 0xFFFF},
    {TemplateId::BlankUv390, kModelUv390, 852533, "MD-UV390", 0x23, 0x52, 0, 0x1360, 0x1740},
    {TemplateId::BlankMd9600, kModelMd9600, 852533, "MD9600", 0x30, 0x52, 0, 0x1360, 0x1740},
    {TemplateId::BlankMd2017, kModelMd2017, 852533, "2017", 0x21, 0x52, 0, 0x1360, 0x1740},
    {TemplateId::BlankDm1701, kModelDm1701, 852533, "DM-1701", 0x22, 0x57, 0, 0x1360, 0x1740},
};

void PrintTo(const TemplateCase& c, std::ostream* os) { *os << templateName(c.id); }

std::string caseName(const ::testing::TestParamInfo<TemplateCase>& info) {
  return std::string(templateName(info.param.id));
}

std::string ascii(const std::vector<uint8_t>& bytes, size_t offset, size_t length) {
  return std::string(bytes.begin() + static_cast<long>(offset),
                     bytes.begin() + static_cast<long>(offset + length));
}

// One list section as Load sees it, with the record its free slots must hold.
struct ListSection {
  std::string_view name;
  size_t offset;
  size_t recordSize;
  int count;
  std::vector<uint8_t> blank;
};

std::vector<uint8_t> blankRecord(size_t size, void (*init)(std::span<uint8_t>, std::u16string_view)) {
  std::vector<uint8_t> record(size, 0x5A);
  init(record, u"");
  return record;
}

std::vector<ListSection> listSections(int modelCode) {
  const SectionTable t = sectionTableForModel(modelCode);
  std::vector<uint8_t> zone(kZoneRecordSize, 0x5A);
  std::vector<uint8_t> extension(t.zoneExtension ? kZoneExtensionRecordSize : 0, 0x5A);
  initZoneRecords(zone, extension, u"");
  std::vector<uint8_t> channel(kChannelRecordSize, 0x5A);
  initChannelRecord(channel, modelFamily(modelCode), 2, u"");

  std::vector<ListSection> sections = {
      {"text messages", t.textMessages, kTextMessageRecordSize, kTextMessageCount,
       blankRecord(kTextMessageRecordSize, initTextMessageRecord)},
      {"emergency systems", t.emergency + kEmergencyHeaderSize, kEmergencySystemSize,
       kEmergencySystemCount, blankRecord(kEmergencySystemSize, initEmergencySystemRecord)},
      {"contacts", t.contacts, kContactRecordSize, t.contactCount,
       blankRecord(kContactRecordSize, initContactRecord)},
      {"group lists", t.groupLists, kGroupListRecordSize, t.groupListCount,
       blankRecord(kGroupListRecordSize, initGroupListRecord)},
      {"zones", t.zones, kZoneRecordSize, t.zoneCount, zone},
      {"scan lists", t.scanLists, kScanListRecordSize, t.scanListCount,
       blankRecord(kScanListRecordSize, initScanListRecord)},
      {"channels", t.channels, kChannelRecordSize, t.channelCount, channel},
  };
  if (t.zoneExtension) {
    sections.push_back({"zone extensions", t.zoneExtension, kZoneExtensionRecordSize, t.zoneCount,
                        extension});
  }
  return sections;
}

class TemplateTest : public ::testing::TestWithParam<TemplateCase> {
 protected:
  void SetUp() override { bytes = buildBlankTemplate(GetParam().id); }
  std::span<const uint8_t> at(size_t offset, size_t length) const {
    return std::span<const uint8_t>(bytes).subspan(offset, length);
  }

  std::vector<uint8_t> bytes;
};

TEST_P(TemplateTest, IsAValidCodeplugFileOfItsModel) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  EXPECT_EQ(validateCodeplug(bytes), 0);
  EXPECT_EQ(modelCodeForTypeString(readTypeString(bytes)), GetParam().modelCode);
}

TEST_P(TemplateTest, CarriesTheDfuSeHeaderOfOneSpiFlashTarget) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  EXPECT_EQ(ascii(bytes, lo::kDfuSignature, 5), "DfuSe");
  EXPECT_EQ(bytes[lo::kDfuFormatVersion], 1);
  EXPECT_EQ(readLe32(bytes, lo::kDfuImageSize), 0x40125u);
  EXPECT_EQ(bytes[lo::kDfuTargetCount], 1);
  EXPECT_EQ(ascii(bytes, lo::kDfuTargetSignature, 6), "Target");
  EXPECT_EQ(bytes[lo::kDfuAlternateSetting], 1);
  EXPECT_EQ(readLe32(bytes, lo::kDfuTargetNamed), 1u);
  EXPECT_EQ(ascii(bytes, lo::kDfuTargetName, 18), "SPI Flash : M25P16");
  EXPECT_EQ(readLe32(bytes, lo::kDfuTargetSize), 0x40008u);
  EXPECT_EQ(readLe32(bytes, lo::kDfuElementCount), 1u);
  EXPECT_EQ(readLe32(bytes, lo::kDfuElementAddress), 0u);
  EXPECT_EQ(readLe32(bytes, lo::kDfuElementSize), 0x40000u);
}

TEST_P(TemplateTest, RadioInfoNamesTheModelAndItsBands) {
  const TemplateCase& c = GetParam();
  ASSERT_EQ(bytes.size(), c.size);
  std::vector<uint8_t> typeField(lo::kTypeStringSize, 0xFF);
  std::copy(c.typeString.begin(), c.typeString.end(), typeField.begin());
  EXPECT_TRUE(std::ranges::equal(at(lo::kTypeString, lo::kTypeStringSize), typeField));
  EXPECT_EQ(bytes[lo::kModelVariant], c.variant);
  EXPECT_EQ(bytes[lo::kSecondVariant], c.secondVariant);
  EXPECT_EQ(bytes[lo::kBandAIndex], 2);
  EXPECT_EQ(readLe16(bytes, lo::kBandALower), 0x4000);
  EXPECT_EQ(readLe16(bytes, lo::kBandAUpper), 0x4800);
  EXPECT_EQ(bytes[lo::kBandBIndex], c.bandB);
  EXPECT_EQ(readLe16(bytes, lo::kBandBLower), c.bandBLower);
  EXPECT_EQ(readLe16(bytes, lo::kBandBUpper), c.bandBUpper);
  // Never read from a radio: no serial number, versions or device identity.
  EXPECT_EQ(bytes[lo::kSerialNumber], 0xFF);
  EXPECT_EQ(bytes[lo::kHardwareVersion], 0xFF);
  EXPECT_EQ(bytes[lo::kMcuVersion], 0xFF);
  EXPECT_EQ(bytes[lo::kDeviceIdentity], 0xFF);
}

TEST_P(TemplateTest, HoldsTheStampTheDmrIdAndNoPasswords) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  const std::vector<uint8_t> stamp = {0x20, 0x18, 0x08, 0x12, 0x14, 0x34, 0x05};
  EXPECT_TRUE(std::ranges::equal(at(lo::kProgrammedStamp, 7), stamp));
  EXPECT_EQ(bcdDateTimeText(at(lo::kProgrammedStamp, 7)), "2018.08.12  14:34:05");
  EXPECT_EQ(readRadioId4(at(0x22A9, 4)), 1234u);
  EXPECT_NE(bytes[lo::kPowerOnPasswordFlags] & 0x20, 0);
  EXPECT_EQ(bytes[lo::kRadioProgrammingPassword], 0xFF);
  EXPECT_EQ(bytes[lo::kPcProgrammingPassword], 0xFF);
  EXPECT_FALSE(codeplugHasPasswords(bytes));
}

TEST_P(TemplateTest, EndsInTheTrailerOfItsFamily) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  const std::span<const uint8_t> trailer = at(bytes.size() - kTrailerSize, kTrailerSize);
  if (modelFamily(GetParam().modelCode) == ModelFamily::Uv) {
    EXPECT_TRUE(std::ranges::all_of(trailer, [](uint8_t b) { return b == 0xFF; }));
    return;
  }
  const std::vector<uint8_t> suffix = {0x00, 0x02, 0x11, 0xDF, 0x83, 0x04,
                                       0x1A, 0x01, 0x55, 0x46, 0x44, 0x10};
  EXPECT_TRUE(std::ranges::equal(trailer.first(12), suffix));
  EXPECT_TRUE(trailerCrcIsValid(bytes));
}

// Load rewrites every list from its first unnamed record with the blank
// record; a blank codeplug must already hold exactly that, or New, Save and
// Open would come back with unsaved changes.
TEST_P(TemplateTest, EveryListRecordIsItsSectionsFreeRecord) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  for (const ListSection& section : listSections(GetParam().modelCode)) {
    int firstDifferent = -1;
    for (int i = 0; i < section.count && firstDifferent < 0; ++i) {
      const auto record = at(section.offset + section.recordSize * static_cast<size_t>(i),
                             section.recordSize);
      if (!std::ranges::equal(record, section.blank)) firstDifferent = i;
    }
    EXPECT_EQ(firstDifferent, -1) << section.name << " record " << firstDifferent + 1;
  }
}

TEST_P(TemplateTest, OpensAgainWithoutAChangedByte) {
  c_codeplug slot;
  slot.modelCode = GetParam().modelCode;
  slot.buffer = bytes;
  slot.sections = sectionTableForModel(slot.modelCode);
  normaliseLoadedCodeplug(slot);
  EXPECT_TRUE(slot.buffer == bytes);
}

// With every list empty, no setting may name a contact, channel or message.
TEST_P(TemplateTest, NothingRefersToRecordsOfTheEmptyLists) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  const SectionTable t = sectionTableForModel(GetParam().modelCode);
  const auto oneTouchAndQuickContacts = at(t.buttons + 20, 44);
  EXPECT_TRUE(std::ranges::all_of(oneTouchAndQuickContacts, [](uint8_t b) { return b == 0; }));
  for (size_t k = 0; k < 16; ++k) {
    const auto gps = at(t.gps + 16 * k, 16);
    EXPECT_EQ(readLe16(gps, 0), 0) << "GPS " << k + 1 << " revert channel";
    EXPECT_EQ(readLe16(gps, 4), 0) << "GPS " << k + 1 << " contact";
  }
  const size_t decodes = t.dtmf + 4 * 48 + 32 * 16;
  for (size_t k = 0; k < 8; ++k) {
    EXPECT_EQ(readLe16(at(decodes + 24 * k, 24), 20), 0) << "DTMF decode " << k + 1;
  }
}

TEST_P(TemplateTest, VfosTuneInsideTheirBands) {
  ASSERT_EQ(bytes.size(), GetParam().size);
  const SectionTable t = sectionTableForModel(GetParam().modelCode);
  const size_t bandLimits[] = {lo::kBandALower, lo::kBandBLower};
  for (size_t k = 0; k < static_cast<size_t>(t.vfoCount); ++k) {
    const auto vfo = at(t.vfo + 64 * k, 64);
    const auto lower = bandLimitMhz(readLe16(bytes, bandLimits[k]));
    const auto upper = bandLimitMhz(readLe16(bytes, bandLimits[k] + 2));
    ASSERT_TRUE(lower && upper) << "VFO " << k;
    for (size_t frequency : {16u, 20u}) {
      const double mhz = decodeBcdFrequencyMhz(vfo.subspan(frequency, 4));
      EXPECT_GE(mhz, *lower) << "VFO " << k;
      EXPECT_LE(mhz, *upper) << "VFO " << k;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateTest, ::testing::ValuesIn(kCases), caseName);

}  // namespace
