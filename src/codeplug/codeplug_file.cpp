#include "codeplug/codeplug_file.h"

#include <array>
#include <cctype>
#include <cstring>

#include "codeplug/codeplug_layout.h"
#include "codeplug/radio_models.h"
#include "support/crc32.h"
#include "support/endian.h"

namespace tamberlin {

int validateCodeplug(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return -1;
  const size_t size = bytes.size();
  if (size == kKib256ImageSize) return 0;  // a bare memory image has no header to check
  if (size != kKib256FileSize && size != kUvFileSize) return -2;
  if (std::memcmp(bytes.data() + layout::kDfuSignature, "DfuSe", 5) != 0) return -3;
  if (bytes[layout::kDfuFormatVersion] != 1) return -4;
  if (readLe32(bytes, layout::kDfuImageSize) != 0x40125) return -5;
  if (bytes[layout::kDfuTargetCount] != 1) return -6;
  return 0;
}

std::string readTypeString(std::span<const uint8_t> bytes) {
  std::string text;
  for (size_t i = 0; i < layout::kTypeStringSize; ++i) {
    const size_t at = layout::kTypeString + i;
    if (at >= bytes.size()) break;
    const uint8_t b = bytes[at];
    if (b == 0x00 || b == 0xFF) break;
    if (b < 0x20) continue;
    text += static_cast<char>(b);
  }
  return text;
}

int modelCodeForTypeString(std::string_view typeString) {
  std::string upper(typeString);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // First match wins, in this order; a longer name never hides behind a shorter one.
  static constexpr std::array<std::pair<std::string_view, int>, 7> kPrefixes = {{
      {"DR780", kModelMd380},
      {"MD390", kModelMd390},
      {"MD-UV380", kModelUv380},
      {"MD-UV390", kModelUv390},
      {"MD9600", kModelMd9600},
      {"2017", kModelMd2017},
      {"DM-1701", kModelDm1701},
  }};
  for (const auto& [prefix, code] : kPrefixes) {
    if (std::string_view(upper).starts_with(prefix)) return code;
  }
  return kModelNone;
}

void updateTrailerCrc(std::span<uint8_t> bytes) {
  if (bytes.size() != kKib256FileSize) return;
  const size_t crcAt = bytes.size() - 4;
  writeLe32(bytes, crcAt, codeplugCrc32(bytes.first(crcAt)));
}

bool trailerCrcIsValid(std::span<const uint8_t> bytes) {
  if (bytes.size() != kKib256FileSize) return false;
  const size_t crcAt = bytes.size() - 4;
  return readLe32(bytes, crcAt) == codeplugCrc32(bytes.first(crcAt));
}

std::string saveAsFileName(const std::string& chosenName) {
  std::string lower = chosenName;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const size_t at = lower.find(".rdt");
  if (at != std::string::npos && at + 4 == lower.size()) return chosenName;
  return chosenName + ".rdt";
}

bool codeplugHasPasswords(std::span<const uint8_t> bytes) {
  if (bytes.size() <= layout::kPcProgrammingPassword) return false;
  return (bytes[layout::kPowerOnPasswordFlags] & 0x20) == 0 ||
         bytes[layout::kPcProgrammingPassword] != 0xFF ||
         bytes[layout::kRadioProgrammingPassword] != 0xFF;
}

}  // namespace tamberlin
