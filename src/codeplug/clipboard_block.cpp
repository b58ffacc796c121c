#include "codeplug/clipboard_block.h"

#include "support/crc32.h"
#include "support/endian.h"

namespace tamberlin {

uint32_t clipboardFormatNumber(std::string_view formatName) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(formatName.data());
  return ~codeplugCrc32(std::span<const uint8_t>(bytes, formatName.size()));
}

std::vector<uint8_t> encodeClipboardBlock(uint32_t formatNumber, int modelCode, int count,
                                          std::span<const uint8_t> records) {
  std::vector<uint8_t> block(kClipboardHeaderSize + records.size());
  writeLe32(block, 0, formatNumber);
  writeLe32(block, 4, static_cast<uint32_t>(count));
  block[8] = static_cast<uint8_t>(modelCode);
  std::copy(records.begin(), records.end(), block.begin() + kClipboardHeaderSize);
  return block;
}

std::optional<ClipboardBlockView> decodeClipboardBlock(std::span<const uint8_t> block, uint32_t formatNumber,
                                                       size_t entrySize) {
  if (block.size() < kClipboardHeaderSize || entrySize == 0) return std::nullopt;
  if (readLe32(block, 0) != formatNumber) return std::nullopt;
  const uint64_t count = readLe32(block, 4);
  const uint64_t available = (block.size() - kClipboardHeaderSize) / entrySize;
  if (count > available) return std::nullopt;
  ClipboardBlockView view;
  view.count = static_cast<int>(count);
  view.modelCode = block[8];
  view.records = block.subspan(kClipboardHeaderSize, static_cast<size_t>(count) * entrySize);
  return view;
}

}  // namespace tamberlin
