#include "databases/dat_container.h"

#include <lz4.h>
#include <lz4hc.h>

#include <fstream>
#include <limits>
#include <new>

#include "support/atomic_file.h"
#include "support/crc32.h"
#include "support/endian.h"
#include "support/large_buffer.h"

namespace tamberlin {

namespace {

constexpr size_t kMagicAt = 0;
constexpr size_t kCountAt = 4;
constexpr size_t kModeAt = 8;
constexpr size_t kRawSizeAt = 13;
constexpr size_t kRawCrcAt = 17;
constexpr size_t kCompressedSizeAt = 21;
constexpr size_t kCompressedCrcAt = 25;
constexpr size_t kHeaderCrcAt = 29;
constexpr int kLz4HcLevel = 3;
// One LZ4 sequence cannot stand for more than about 255 bytes per byte it
// takes, so a larger declared raw size cannot come out of the block.
constexpr uint64_t kLz4MaxRatio = 255;

uint32_t headerCrc(std::span<const uint8_t> header) {
  uint8_t copy[kDatHeaderSize];
  std::copy(header.begin(), header.begin() + kDatHeaderSize, copy);
  writeLe32(copy, kHeaderCrcAt, 0);
  return codeplugCrc32(copy);
}

void sealHeader(std::span<uint8_t> header) { writeLe32(header, kHeaderCrcAt, headerCrc(header)); }

struct Header {
  uint32_t count = 0;
  uint8_t mode = 0;
  uint32_t rawSize = 0;
  uint32_t rawCrc = 0;
  uint32_t compressedSize = 0;
  uint32_t compressedCrc = 0;
};

// The header checks of a load, -7 … -11 and -13; 1 when the file holds no
// records, 0 when the body is to be read.
int checkHeader(std::span<const uint8_t> bytes, uint64_t fileSize, uint32_t magic, size_t recordSize,
                Header& header) {
  if (readLe32(bytes, kMagicAt) != magic) return -7;
  if (readLe32(bytes, kHeaderCrcAt) != headerCrc(bytes)) return -8;
  header.count = readLe32(bytes, kCountAt);
  header.mode = bytes[kModeAt];
  header.rawSize = readLe32(bytes, kRawSizeAt);
  header.rawCrc = readLe32(bytes, kRawCrcAt);
  header.compressedSize = readLe32(bytes, kCompressedSizeAt);
  header.compressedCrc = readLe32(bytes, kCompressedCrcAt);
  if (header.count == 0) return 1;
  // A mode this program never writes is as untrustworthy as a bad header.
  if (header.mode != kDatStored && header.mode != kDatCompressed) return -8;
  if (header.rawSize != uint64_t{header.count} * recordSize) return -9;
  if (header.rawSize > kDatMaxRawSize) return -10;
  if (header.mode == kDatStored) {
    if (uint64_t{header.rawSize} + kDatHeaderSize != fileSize) return -11;
  } else if (uint64_t{header.compressedSize} + kDatHeaderSize != fileSize) {
    return -13;
  }
  return 0;
}

int readRaw(std::span<const uint8_t> body, const Header& header, std::vector<uint8_t>& raw) {
  if (header.mode == kDatStored) {
    if (body.size() != header.rawSize) return -12;
    raw.assign(body.begin(), body.end());
  } else {
    if (body.size() != header.compressedSize) return -15;
    if (codeplugCrc32(body) != header.compressedCrc) return -16;
    if (header.rawSize > uint64_t{header.compressedSize} * kLz4MaxRatio) return -17;
    try {
      reserveLargeBuffer(raw, header.rawSize);
      raw.resize(header.rawSize);
    } catch (const std::bad_alloc&) {
      return -10;
    }
    const int produced =
        LZ4_decompress_safe(reinterpret_cast<const char*>(body.data()), reinterpret_cast<char*>(raw.data()),
                            static_cast<int>(body.size()), static_cast<int>(raw.size()));
    if (produced != static_cast<int>(header.rawSize)) {
      raw.clear();
      return -17;
    }
  }
  if (codeplugCrc32(raw) != header.rawCrc) {
    raw.clear();
    return -18;
  }
  return static_cast<int>(header.count);
}

}  // namespace

DatImage encodeDatFile(uint32_t magic, uint32_t count, std::span<const uint8_t> raw, bool stored) {
  DatImage image;
  const bool compressible = raw.size() <= LZ4_MAX_INPUT_SIZE;
  const int bound = compressible ? LZ4_compressBound(static_cast<int>(raw.size())) : 0;
  image.mode = bound > 0 && !stored ? kDatCompressed : kDatStored;
  if (raw.size() > std::numeric_limits<uint32_t>::max()) {
    image.status = DatSaveStatus::StoredWriteFailed;
    return image;
  }
  const size_t bodyRoom = image.mode == kDatCompressed ? static_cast<size_t>(bound) : raw.size();
  try {
    reserveLargeBuffer(image.bytes, kDatHeaderSize + bodyRoom);
    image.bytes.resize(kDatHeaderSize + bodyRoom);
  } catch (const std::bad_alloc&) {
    image.status =
        image.mode == kDatCompressed ? DatSaveStatus::NoCompressionBuffer : DatSaveStatus::StoredWriteFailed;
    image.bytes.clear();
    return image;
  }
  std::span<uint8_t> header(image.bytes.data(), kDatHeaderSize);
  writeLe32(header, kMagicAt, magic);
  writeLe32(header, kCountAt, count);
  header[kModeAt] = image.mode;
  writeLe32(header, kRawSizeAt, static_cast<uint32_t>(raw.size()));
  writeLe32(header, kRawCrcAt, codeplugCrc32(raw));
  if (image.mode == kDatStored) {
    std::copy(raw.begin(), raw.end(), image.bytes.begin() + kDatHeaderSize);
  } else {
    char* body = reinterpret_cast<char*>(image.bytes.data() + kDatHeaderSize);
    const int compressed = LZ4_compress_HC(reinterpret_cast<const char*>(raw.data()), body,
                                           static_cast<int>(raw.size()), bound, kLz4HcLevel);
    if (compressed <= 0) {
      image.status = DatSaveStatus::CompressionFailed;
      image.bytes.clear();
      return image;
    }
    image.bytes.resize(kDatHeaderSize + static_cast<size_t>(compressed));
    writeLe32(header, kCompressedSizeAt, static_cast<uint32_t>(compressed));
    writeLe32(header, kCompressedCrcAt,
              codeplugCrc32(std::span<const uint8_t>(image.bytes).subspan(kDatHeaderSize)));
  }
  sealHeader(header);
  return image;
}

DatSaveStatus saveDatFile(const std::filesystem::path& path, uint32_t magic, uint32_t count,
                          std::span<const uint8_t> raw, const DatSaveOptions& options) {
  const DatImage image = encodeDatFile(magic, count, raw, options.stored);
  if (image.status != DatSaveStatus::Ok) return image.status;
  switch (writeFileAtomically(path, image.bytes, {options.failAfterBytes})) {
    case WriteStatus::Ok: return DatSaveStatus::Ok;
    case WriteStatus::CannotCreate: return DatSaveStatus::CannotCreate;
    case WriteStatus::ShortWrite: break;
  }
  return image.mode == kDatStored ? DatSaveStatus::StoredWriteFailed : DatSaveStatus::CompressedWriteFailed;
}

int decodeDatFile(std::span<const uint8_t> file, uint32_t magic, size_t recordSize,
                  std::vector<uint8_t>& raw) {
  raw.clear();
  if (file.size() <= kDatHeaderSize) return -4;
  Header header;
  const int checked = checkHeader(file, file.size(), magic, recordSize, header);
  if (checked != 0) return checked > 0 ? 0 : checked;
  return readRaw(file.subspan(kDatHeaderSize), header, raw);
}

int loadDatFile(const std::filesystem::path& path, uint32_t magic, size_t recordSize,
                std::vector<uint8_t>& raw) {
  raw.clear();
  if (path.empty()) return -1;
  std::ifstream file(path, std::ios::binary);
  if (!file) return -2;
  if (!file.seekg(0, std::ios::end)) return -3;
  const std::streamoff end = file.tellg();
  if (end < 0) return -3;
  const auto fileSize = static_cast<uint64_t>(end);
  if (fileSize <= kDatHeaderSize) return -4;
  if (!file.seekg(0, std::ios::beg)) return -5;
  uint8_t headerBytes[kDatHeaderSize];
  if (!file.read(reinterpret_cast<char*>(headerBytes), kDatHeaderSize)) return -6;
  Header header;
  const int checked = checkHeader(headerBytes, fileSize, magic, recordSize, header);
  if (checked != 0) return checked > 0 ? 0 : checked;

  // The sizes are checked against the file, so the body read is bounded by it.
  const size_t bodySize = header.mode == kDatStored ? header.rawSize : header.compressedSize;
  std::vector<uint8_t> block;
  try {
    reserveLargeBuffer(block, bodySize);
    block.resize(bodySize);
  } catch (const std::bad_alloc&) {
    return header.mode == kDatStored ? -10 : -14;
  }
  const auto got =
      file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(bodySize)).gcount();
  block.resize(static_cast<size_t>(got));
  return readRaw(block, header, raw);
}

}  // namespace tamberlin
