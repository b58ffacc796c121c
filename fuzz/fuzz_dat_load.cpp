// The .dat loader over hostile bytes. The first byte picks how the rest is
// used: as a whole file; as a file whose header and block CRCs are made right
// first, so the size checks and the LZ4 decoder see hostile values; or as
// records that must come back unchanged through save and load.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "databases/dat_container.h"
#include "support/crc32.h"
#include "support/endian.h"

namespace {

using namespace tamberlin;

constexpr size_t kRecord = 248;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    __builtin_trap();
  }
}

void loadAndCheck(std::span<const uint8_t> file, uint32_t magic) {
  std::vector<uint8_t> raw;
  const int result = decodeDatFile(file, magic, kRecord, raw);
  check(result >= -18 && result <= 0x7FFFFFFF, "result code");
  if (result < 0) check(raw.empty(), "a failed load leaves nothing");
  if (result >= 0) check(raw.size() == static_cast<size_t>(result) * kRecord, "records match the count");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0] % 3;
  const uint32_t magic = (data[0] & 0x80) ? kLastHeardMagic : kUserDatabaseMagic;
  std::vector<uint8_t> rest(data + 1, data + size);

  if (mode == 0) {
    loadAndCheck(rest, magic);
  } else if (mode == 1) {
    if (rest.size() <= kDatHeaderSize) return 0;
    writeLe32(rest, 0, magic);
    const auto block = std::span<const uint8_t>(rest).subspan(kDatHeaderSize);
    writeLe32(rest, 21, static_cast<uint32_t>(block.size()));
    writeLe32(rest, 25, codeplugCrc32(block));
    writeLe32(rest, 29, 0);
    writeLe32(rest, 29, codeplugCrc32(std::span<const uint8_t>(rest).first(kDatHeaderSize)));
    loadAndCheck(rest, magic);
  } else {
    rest.resize(rest.size() - rest.size() % kRecord);
    const uint32_t count = static_cast<uint32_t>(rest.size() / kRecord);
    // An empty list is never written: saving it deletes the file.
    if (count == 0) return 0;
    const DatImage image = encodeDatFile(magic, count, rest, (data[0] & 0x40) != 0);
    check(image.status == DatSaveStatus::Ok, "encodes");
    std::vector<uint8_t> back;
    const int result = decodeDatFile(image.bytes, magic, kRecord, back);
    check(result == static_cast<int>(count), "round trip count");
    check(back == rest, "round trip bytes");
  }
  return 0;
}
