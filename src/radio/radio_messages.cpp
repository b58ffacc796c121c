#include "radio/radio_messages.h"

#include <algorithm>
#include <filesystem>

namespace tamberlin::radio_messages {

std::string codeplugSlotText(int slot, const std::string& fileName) {
  std::string name = std::filesystem::path(fileName).filename().string();
  const auto blank = [](unsigned char c) { return c <= 0x20; };
  name.erase(name.begin(), std::find_if_not(name.begin(), name.end(), blank));
  name.erase(std::find_if_not(name.rbegin(), name.rend(), blank).base(), name.end());
  return " Codeplug " + std::to_string(slot + 1) + " .. " + (name.empty() ? "empty" : name) + " ";
}

}  // namespace tamberlin::radio_messages
