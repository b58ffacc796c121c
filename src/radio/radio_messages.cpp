#include "radio/radio_messages.h"

#include <filesystem>

#include "support/ascii_text.h"

namespace tamberlin::radio_messages {

std::string codeplugSlotText(int slot, const std::string& fileName) {
  const std::string name = trimmedBlanks(std::filesystem::path(fileName).filename().string());
  return " Codeplug " + std::to_string(slot + 1) + " .. " + (name.empty() ? "empty" : name) + " ";
}

}  // namespace tamberlin::radio_messages
