#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// The file that keeps a downloaded list on disk: a 33-byte header (magic,
// count, storage mode, sizes and three CRC-32s), then the records either as
// they are or as one LZ4 block.
namespace tamberlin {

inline constexpr size_t kDatHeaderSize = 33;
inline constexpr uint8_t kDatStored = 0;
inline constexpr uint8_t kDatCompressed = 2;
inline constexpr uint32_t kUserDatabaseMagic = 0xA837E7B9u;
inline constexpr uint32_t kLastHeardMagic = 0x536FAC82u;
// Refuses to make room for more than this, whatever a file declares: many
// times the largest database that exists, and far below what would exhaust a
// desktop.
inline constexpr uint64_t kDatMaxRawSize = 1ull << 30;

enum class DatSaveStatus {
  Ok,
  CannotCreate,
  StoredWriteFailed,
  NoCompressionBuffer,
  CompressionFailed,
  CompressedWriteFailed,
};

struct DatSaveOptions {
  // Pretends the disk fills up after this many bytes (tests).
  std::optional<size_t> failAfterBytes = std::nullopt;
  // Writes the records as they are, as a raw size beyond LZ4's reach does.
  bool stored = false;
};

// The whole file for `raw` (count records of recordSize bytes); compressed
// unless the LZ4 bound of the raw size is not positive.
struct DatImage {
  DatSaveStatus status = DatSaveStatus::Ok;
  uint8_t mode = kDatCompressed;
  std::vector<uint8_t> bytes;
};
DatImage encodeDatFile(uint32_t magic, uint32_t count, std::span<const uint8_t> raw, bool stored = false);

// Writes the image atomically: a failure leaves any earlier file as it was.
DatSaveStatus saveDatFile(const std::filesystem::path& path, uint32_t magic, uint32_t count,
                          std::span<const uint8_t> raw, const DatSaveOptions& options = {});

// Reads a file written by saveDatFile into `raw` (count × recordSize bytes).
// 0 or the record count, else -1 … -18 in the order of the checks; any
// failure leaves `raw` empty.
int loadDatFile(const std::filesystem::path& path, uint32_t magic, size_t recordSize,
                std::vector<uint8_t>& raw);
// The checks from the header on, for a file already read (-4 … -18).
int decodeDatFile(std::span<const uint8_t> file, uint32_t magic, size_t recordSize,
                  std::vector<uint8_t>& raw);

}  // namespace tamberlin
