#include "editors/basic/basic_model.h"

#include <array>
#include <cstdio>

#include "codeplug/bcd_date_time.h"
#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/radio_models.h"
#include "support/cp1252.h"

namespace tamberlin {

namespace {

constexpr std::array<BandChoice, 4> kBands = {{
    {0, "136MHz .. 174MHz "},
    {1, "350MHz .. 400MHz "},
    {2, "400MHz .. 480MHz "},
    {3, "450MHz .. 520MHz "},
}};

constexpr std::array<ModelChoice, 7> kModels = {{
    {kModelMd380, "DR780 (MD-380)"},
    {kModelMd390, "MD390 (MD-390)"},
    {kModelUv380, "UV380 (MD-UV380)"},
    {kModelUv390, "UV390 (MD-UV390)"},
    {kModelMd9600, "MD9600 (MD9600)"},
    {kModelMd2017, "MD2017 (2017)"},
    {kModelDm1701, "DM1701 (DM-1701)"},
}};

constexpr size_t kSerialNumberSize = 16;
constexpr size_t kVersionSize = 4;
constexpr size_t kDeviceIdentitySize = 12;
constexpr size_t kDeviceNumberSize = 5;
constexpr size_t kStampSize = 7;
constexpr size_t kSoftwareVersion = layout::kProgrammedStamp + kStampSize;

std::optional<int> listedBand(const c_codeplug& slot, size_t offset) {
  const std::span<const uint8_t> index = slot.bytes(offset, 1);
  if (index.empty()) return std::nullopt;
  for (const BandChoice& band : kBands) {
    if (band.index == index[0]) return band.index;
  }
  return std::nullopt;
}

std::optional<int> listedModel(int code) {
  for (const ModelChoice& model : kModels) {
    if (model.code == code) return code;
  }
  return std::nullopt;
}

char nibbleDigit(uint8_t nibble) { return static_cast<char>(0x30 + nibble); }

}  // namespace

std::span<const BandChoice> bandChoices() { return kBands; }
std::span<const ModelChoice> basicModelChoices() { return kModels; }

std::string serialNumberText(std::span<const uint8_t> bytes) {
  std::string text;
  for (size_t i = 0; i < bytes.size() && i < kSerialNumberSize; ++i) {
    const uint8_t b = bytes[i];
    if (b == 0x00 || b == 0xFF) break;
    if (b >= 0x20 && b <= 0x7F) text += static_cast<char>(b);
  }
  return text;
}

std::string versionText(std::span<const uint8_t> bytes) {
  if (bytes.size() < kVersionSize || bytes[0] == 0xFF) return {};
  char text[32];
  std::snprintf(text, sizeof text, "V%1d%1d.%1d%1d", bytes[0], bytes[1], bytes[2], bytes[3]);
  return text;
}

std::string mcuVersionText(std::span<const uint8_t> bytes) {
  if (bytes.size() < kVersionSize || bytes[0] == 0xFF) return {};
  std::string text = cp1252ToUtf8(std::string(1, static_cast<char>(bytes[0])));
  for (size_t nibble = 0; nibble < 6; ++nibble) {
    if (nibble == 3) text += '.';
    const uint8_t b = bytes[1 + nibble / 2];
    text += nibbleDigit(nibble % 2 == 0 ? b >> 4 : b & 0x0F);
  }
  return text;
}

std::string deviceIdentityText(std::span<const uint8_t> bytes) {
  if (bytes.size() < kDeviceIdentitySize || bytes[0] == 0xFF) return {};
  std::string characters;
  for (size_t i = kDeviceIdentitySize; i > kDeviceNumberSize; --i)
    characters += static_cast<char>(bytes[i - 1]);
  unsigned long long number = 0;
  for (size_t i = kDeviceNumberSize; i > 0; --i) number = (number << 8) | bytes[i - 1];
  char digits[32];
  std::snprintf(digits, sizeof digits, "%013llu", number);
  return cp1252ToUtf8(characters) + digits;
}

BasicInfo basicInfo(const c_codeplug* slot) {
  BasicInfo info;
  if (slot == nullptr || !slot->holdsCodeplug() || slot->modelCode == kModelNone) return info;
  info.enabled = true;
  info.modelCode = listedModel(slot->modelCode);
  info.bandA = listedBand(*slot, layout::kBandAIndex);
  info.bandBEnabled = slot->modelCode != kModelMd380 && slot->modelCode != kModelMd390;
  if (info.bandBEnabled) info.bandB = listedBand(*slot, layout::kBandBIndex);
  info.serialNumber = serialNumberText(slot->bytes(layout::kSerialNumber, kSerialNumberSize));
  info.lastProgrammed = bcdDateTimeText(slot->bytes(layout::kProgrammedStamp, kStampSize));
  info.softwareVersion = versionText(slot->bytes(kSoftwareVersion, kVersionSize));
  info.hardwareVersion = versionText(slot->bytes(layout::kHardwareVersion, kVersionSize));
  info.mcuVersion = mcuVersionText(slot->bytes(layout::kMcuVersion, kVersionSize));
  info.deviceIdentity = deviceIdentityText(slot->bytes(layout::kDeviceIdentity, kDeviceIdentitySize));
  return info;
}

}  // namespace tamberlin
