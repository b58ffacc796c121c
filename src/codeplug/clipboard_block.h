#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The block a list editor puts on the clipboard: the section's format number
// (4 bytes), the record count (4 bytes), the source slot's model code (1 byte),
// then the records' raw bytes in list order.
namespace tamberlin {

inline constexpr size_t kClipboardHeaderSize = 9;

// A stable number for a format name ("tyt_code_plug_channel_entry"), so a block
// copied by one run of the program is recognised by another.
uint32_t clipboardFormatNumber(std::string_view formatName);

std::vector<uint8_t> encodeClipboardBlock(uint32_t formatNumber, int modelCode, int count,
                                          std::span<const uint8_t> records);

struct ClipboardBlockView {
  int count = 0;
  int modelCode = 0;
  std::span<const uint8_t> records;  // count * entrySize bytes
};

// The block's header and records, or nothing when it is not a block of this
// format or holds fewer bytes than its count says.
std::optional<ClipboardBlockView> decodeClipboardBlock(std::span<const uint8_t> block, uint32_t formatNumber,
                                                       size_t entrySize);

}  // namespace tamberlin
