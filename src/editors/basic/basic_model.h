#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tamberlin {

class c_codeplug;

// The bands a radio info block can name, by index.
struct BandChoice {
  int index;
  std::string_view text;
};
std::span<const BandChoice> bandChoices();

// The models the Basic tab's model box lists (codes 1 to 7).
struct ModelChoice {
  int code;
  std::string_view text;
};
std::span<const ModelChoice> basicModelChoices();

// What the Basic tab shows of a slot's radio info block and programming stamp.
// Texts are UTF-8. The tab never writes any of it.
struct BasicInfo {
  bool enabled = false;
  std::optional<int> modelCode;  // a code the model box lists
  std::optional<int> bandA;      // a listed band index
  std::optional<int> bandB;
  bool bandBEnabled = false;  // the 256 KiB radios have one band only
  std::string serialNumber;
  std::string lastProgrammed;
  std::string softwareVersion;
  std::string hardwareVersion;
  std::string mcuVersion;
  std::string deviceIdentity;
};

// Everything blank and disabled for a slot without a codeplug.
BasicInfo basicInfo(const c_codeplug* slot);

// The single fields, from their bytes.
std::string serialNumberText(std::span<const uint8_t> bytes);    // 16 bytes
std::string versionText(std::span<const uint8_t> bytes);         // 4 bytes: V01.37
std::string mcuVersionText(std::span<const uint8_t> bytes);      // 4 bytes: S123.456
std::string deviceIdentityText(std::span<const uint8_t> bytes);  // 12 bytes

}  // namespace tamberlin
