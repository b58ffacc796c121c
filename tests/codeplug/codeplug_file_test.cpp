#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "codeplug/codeplug_file.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/radio_models.h"
#include "codeplug/templates.h"
#include "support/crc32.h"
#include "support/endian.h"

namespace tamberlin {
namespace {

std::vector<uint8_t> withTypeString(std::vector<uint8_t> bytes, const std::string& type) {
  std::memset(bytes.data() + layout::kTypeString, 0xFF, layout::kTypeStringSize);
  std::memcpy(bytes.data() + layout::kTypeString, type.data(), std::min(type.size(), layout::kTypeStringSize));
  return bytes;
}

TEST(Validate, ChecksSizeAndHeaderInOrder) {
  const std::vector<uint8_t> good = buildBlankTemplate(TemplateId::BlankMd390);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int expected;
  };
  auto broken = [&](size_t offset, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[offset] = value;
    return b;
  };
  const std::vector<Case> cases = {
      {"template", good, 0},
      {"UV template", buildBlankTemplate(TemplateId::BlankUv390), 0},
      {"no data", {}, -1},
      {"odd size", std::vector<uint8_t>(1000, 0), -2},
      {"bare memory image, no header needed", std::vector<uint8_t>(0x40000, 0), 0},
      {"signature", broken(0, 'd'), -3},
      {"format version", broken(layout::kDfuFormatVersion, 2), -4},
      {"image size field", broken(layout::kDfuImageSize, 0x26), -5},
      {"target count", broken(layout::kDfuTargetCount, 2), -6},
  };
  for (const Case& c : cases) EXPECT_EQ(validateCodeplug(c.bytes), c.expected) << c.what;
}

TEST(TypeString, NamesTheModelByPrefix) {
  const std::vector<uint8_t> blank = buildBlankTemplate(TemplateId::BlankMd390);
  struct Case {
    std::string type;
    int model;
  };
  const Case cases[] = {
      {"DR780", kModelMd380},   {"MD390", kModelMd390},      {"md390", kModelMd390},
      {"MD390X", kModelMd390},  {"MD-UV380", kModelUv380},   {"MD-UV390", kModelUv390},
      {"MD9600", kModelMd9600}, {"2017", kModelMd2017},      {"DM-1701", kModelDm1701},
      {"TP660", kModelNone},    {"MD-380", kModelNone},      {"", kModelNone},
  };
  for (const Case& c : cases) {
    const std::string read = readTypeString(withTypeString(blank, c.type));
    EXPECT_EQ(read, c.type);
    EXPECT_EQ(modelCodeForTypeString(read), c.model) << c.type;
  }
}

TEST(TypeString, StopsAtTheEndMarkersAndSkipsControlBytes) {
  std::vector<uint8_t> bytes = buildBlankTemplate(TemplateId::BlankMd390);
  const uint8_t raw[16] = {'M', 0x01, 'D', '3', '9', '0', 0x00, 'Z', 'Z', 'Z', 'Z', 'Z', 'Z', 'Z', 'Z', 'Z'};
  std::memcpy(bytes.data() + layout::kTypeString, raw, sizeof raw);
  EXPECT_EQ(readTypeString(bytes), "MD390");
  std::memset(bytes.data() + layout::kTypeString, 'A', 16);
  bytes[layout::kTypeString + 16] = 'B';  // the variant byte is not part of it
  EXPECT_EQ(readTypeString(bytes), std::string(16, 'A'));
}

TEST(TrailerCrc, IsWrittenOnlyForThe256KibFamily) {
  std::vector<uint8_t> small = buildBlankTemplate(TemplateId::BlankMd390);
  small[small.size() - 1] ^= 0x5A;
  EXPECT_FALSE(trailerCrcIsValid(small));
  updateTrailerCrc(small);
  EXPECT_TRUE(trailerCrcIsValid(small));
  EXPECT_EQ(readLe32(small, small.size() - 4), codeplugCrc32(std::span(small).first(small.size() - 4)));

  std::vector<uint8_t> uv = buildBlankTemplate(TemplateId::BlankUv390);
  const std::vector<uint8_t> before = uv;
  updateTrailerCrc(uv);
  EXPECT_EQ(uv, before);
}

TEST(SaveAsFileName, AppendsRdtUnlessTheNameEndsInIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.rdt", "a.rdt"},
      {"/home/x/A.RDT", "/home/x/A.RDT"},
      {"plain", "plain.rdt"},
      {"x.rdt.bak", "x.rdt.bak.rdt"},
      {"a.rdt.rdt", "a.rdt.rdt.rdt"},  // the first ".rdt" decides
      {"dir.rdt/file", "dir.rdt/file.rdt"},
  };
  for (const auto& [chosen, saved] : cases) EXPECT_EQ(saveAsFileName(chosen), saved) << chosen;
}

TEST(Passwords, AnyOfTheThreeCounts) {
  const std::vector<uint8_t> blank = buildBlankTemplate(TemplateId::BlankMd390);
  EXPECT_FALSE(codeplugHasPasswords(blank));
  EXPECT_FALSE(codeplugHasPasswords({}));
  struct Case {
    const char* what;
    size_t offset;
    uint8_t value;
  };
  const Case cases[] = {
      {"power-on password on", layout::kPowerOnPasswordFlags,
       static_cast<uint8_t>(blank[layout::kPowerOnPasswordFlags] & ~0x20)},
      {"PC programming password", layout::kPcProgrammingPassword, 0x12},
      {"radio programming password", layout::kRadioProgrammingPassword, 0x00},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = blank;
    bytes[c.offset] = c.value;
    EXPECT_TRUE(codeplugHasPasswords(bytes)) << c.what;
  }
}

}  // namespace
}  // namespace tamberlin
