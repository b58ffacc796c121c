#include "databases/dat_container.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/crc32.h"
#include "support/endian.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using test::TempDir;

constexpr size_t kRecord = 248;

std::vector<uint8_t> records(size_t count) {
  std::vector<uint8_t> raw(count * kRecord);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<uint8_t>((i * 7) % 251 < 40 ? i : 0);
  return raw;
}

void resealHeader(std::vector<uint8_t>& file) {
  writeLe32(file, 29, 0);
  writeLe32(file, 29, codeplugCrc32(std::span<const uint8_t>(file).first(33)));
}

TEST(DatContainer, RoundTripsInBothStorageModes) {
  TempDir dir;
  for (const bool stored : {false, true}) {
    for (const size_t count : {size_t{1}, size_t{3}, size_t{1000}}) {
      SCOPED_TRACE(std::to_string(count) + (stored ? " stored" : " compressed"));
      const auto raw = records(count);
      const auto path = dir.path() / "list.dat";
      ASSERT_EQ(saveDatFile(path, kUserDatabaseMagic, static_cast<uint32_t>(count), raw, {.stored = stored}),
                DatSaveStatus::Ok);
      const auto file = TempDir::read(path.string());
      ASSERT_GT(file.size(), 33u);
      EXPECT_EQ(readLe32(file, 0), kUserDatabaseMagic);
      EXPECT_EQ(readLe32(file, 4), count);
      EXPECT_EQ(file[8], stored ? 0 : 2);
      EXPECT_EQ(readLe32(file, 9), 0u);
      EXPECT_EQ(readLe32(file, 13), raw.size());
      EXPECT_EQ(readLe32(file, 17), codeplugCrc32(raw));
      const auto body = std::span<const uint8_t>(file).subspan(33);
      EXPECT_EQ(readLe32(file, 21), stored ? 0u : body.size());
      EXPECT_EQ(readLe32(file, 25), stored ? 0u : codeplugCrc32(body));
      auto header = std::vector<uint8_t>(file.begin(), file.begin() + 33);
      writeLe32(header, 29, 0);
      EXPECT_EQ(readLe32(file, 29), codeplugCrc32(header));

      std::vector<uint8_t> back{1, 2, 3};
      EXPECT_EQ(loadDatFile(path, kUserDatabaseMagic, kRecord, back), static_cast<int>(count));
      EXPECT_EQ(back, raw);
    }
  }
}

TEST(DatContainer, CompressesWithLz4Hc) {
  const auto raw = records(2000);
  const DatImage image = encodeDatFile(kLastHeardMagic, 2000, raw);
  ASSERT_EQ(image.status, DatSaveStatus::Ok);
  EXPECT_EQ(image.mode, kDatCompressed);
  EXPECT_LT(image.bytes.size(), raw.size() / 2);
}

// Each case damages a good file one way; the load must stop at that check.
TEST(DatContainer, EveryLoadCheckHasItsCode) {
  TempDir dir;
  const auto raw = records(4);
  const auto compressed = encodeDatFile(kUserDatabaseMagic, 4, raw).bytes;
  const auto stored = encodeDatFile(kUserDatabaseMagic, 4, raw, true).bytes;
  using Edit = std::function<void(std::vector<uint8_t>&)>;
  struct Case {
    const char* what;
    bool fromStored;
    Edit edit;
    int code;
  };
  const std::vector<Case> cases = {
      {"header only", false, [](auto& f) { f.resize(33); }, -4},
      {"shorter than a header", false, [](auto& f) { f.resize(20); }, -4},
      {"wrong magic", false, [](auto& f) { f[0] ^= 1; }, -7},
      {"last-heard magic", false, [](auto& f) { writeLe32(f, 0, kLastHeardMagic), resealHeader(f); }, -7},
      {"header byte changed", false, [](auto& f) { f[10] ^= 1; }, -8},
      {"unknown mode", false, [](auto& f) { f[8] = 1, resealHeader(f); }, -8},
      {"no records", false, [](auto& f) { writeLe32(f, 4, 0), resealHeader(f); }, 0},
      {"raw size not count x 248", false, [](auto& f) { writeLe32(f, 13, 4 * 248 + 1), resealHeader(f); },
       -9},
      {"count overflows the size", false,
       [](auto& f) { writeLe32(f, 4, 0x01000001), writeLe32(f, 13, 248), resealHeader(f); }, -9},
      {"more than the cap", false,
       [](auto& f) { writeLe32(f, 4, 5000000), writeLe32(f, 13, 5000000u * 248), resealHeader(f); }, -10},
      {"stored: file too long", true, [](auto& f) { f.push_back(0); }, -11},
      {"stored: file too short", true, [](auto& f) { f.pop_back(); }, -11},
      {"stored: record byte changed", true, [](auto& f) { f[40] ^= 1; }, -18},
      {"compressed: file too long", false, [](auto& f) { f.push_back(0); }, -13},
      {"compressed: block byte changed", false, [](auto& f) { f[40] ^= 1; }, -16},
      {"compressed: raw size beyond the block", false,
       [](auto& f) { writeLe32(f, 4, 400000), writeLe32(f, 13, 400000u * 248), resealHeader(f); }, -17},
      {"compressed: one record short", false,
       [](auto& f) { writeLe32(f, 4, 3), writeLe32(f, 13, 3 * 248), resealHeader(f); }, -17},
      {"compressed: raw CRC differs", false, [](auto& f) { f[17] ^= 1, resealHeader(f); }, -18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto file = c.fromStored ? stored : compressed;
    c.edit(file);
    const std::string path = dir.write("damaged.dat", file);
    std::vector<uint8_t> out{9};
    EXPECT_EQ(loadDatFile(path, kUserDatabaseMagic, kRecord, out), c.code);
    EXPECT_TRUE(out.empty());
    std::vector<uint8_t> decoded{9};
    EXPECT_EQ(decodeDatFile(file, kUserDatabaseMagic, kRecord, decoded), c.code);
    EXPECT_TRUE(decoded.empty());
  }
  std::vector<uint8_t> out;
  EXPECT_EQ(loadDatFile("", kUserDatabaseMagic, kRecord, out), -1);
  EXPECT_EQ(loadDatFile(dir.path() / "missing.dat", kUserDatabaseMagic, kRecord, out), -2);
  EXPECT_LT(loadDatFile(dir.path(), kUserDatabaseMagic, kRecord, out), 0);  // a folder, not a file
  EXPECT_TRUE(out.empty());
}

TEST(DatContainer, FailedSaveKeepsTheEarlierFile) {
  TempDir dir;
  const auto path = dir.path() / "list.dat";
  ASSERT_EQ(saveDatFile(path, kUserDatabaseMagic, 2, records(2)), DatSaveStatus::Ok);
  const auto before = TempDir::read(path.string());
  EXPECT_EQ(saveDatFile(path, kUserDatabaseMagic, 50, records(50), {.failAfterBytes = 40}),
            DatSaveStatus::CompressedWriteFailed);
  EXPECT_EQ(saveDatFile(path, kUserDatabaseMagic, 50, records(50), {.failAfterBytes = 40, .stored = true}),
            DatSaveStatus::StoredWriteFailed);
  EXPECT_EQ(TempDir::read(path.string()), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_EQ(saveDatFile(dir.path() / "no" / "such" / "list.dat", kUserDatabaseMagic, 2, records(2)),
            DatSaveStatus::CannotCreate);
}

}  // namespace
}  // namespace tamberlin
