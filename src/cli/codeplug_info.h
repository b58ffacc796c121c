#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tamberlin {

class CCommon;

// What `tamberlin-cli info` reports about a loaded slot.
struct CodeplugInfo {
  int modelCode = 0;
  std::string modelName;
  std::string typeString;
  size_t fileSize = 0;
  bool hasTrailerCrc = false;  // only the 256 KiB family carries one
  bool trailerCrcValid = false;
  std::vector<std::pair<std::string, int>> usedCounts;  // section, used records
  bool normalised = false;  // loading changed bytes that saving would keep
};

// `fileBytes` are the file as it was on disk, before normalisation.
CodeplugInfo describeSlot(const CCommon& common, int slot, const std::vector<uint8_t>& fileBytes);

std::string infoText(const CodeplugInfo& info);
std::string infoJson(const CodeplugInfo& info);

}  // namespace tamberlin
