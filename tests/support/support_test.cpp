#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/atomic_file.h"
#include "support/cp1252.h"
#include "support/crc32.h"
#include "support/temp_dir.h"
#include "support/unicode.h"

namespace tamberlin {
namespace {

TEST(Crc32, MatchesTheDfuSuffixCrc) {
  const std::vector<uint8_t> abc = {'a', 'b', 'c'};
  EXPECT_EQ(codeplugCrc32(abc), 0xCADBBE3Du);
  EXPECT_EQ(codeplugCrc32({}), 0xFFFFFFFFu);
  // A running value carries over: two halves give the same as the whole.
  const std::vector<uint8_t> a = {'a'};
  const std::vector<uint8_t> bc = {'b', 'c'};
  EXPECT_EQ(crc32Running(codeplugCrc32(a), bc), 0xCADBBE3Du);
}

TEST(Unicode, RoundTripsAndTrims) {
  const std::u16string text = u"Zone \u00C4\u20AC \U0001F4FB";
  EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(text)), text);
  EXPECT_EQ(utf16ToUtf8(u"\u20AC"), "\xE2\x82\xAC");
  EXPECT_EQ(trimmed(u"  AB \t\n"), u"AB");
  EXPECT_EQ(trimmed(u"   "), u"");
  // A truncated sequence does not read past the end.
  EXPECT_EQ(utf8ToUtf16("A\xE2\x82"), u"A\uFFFD\uFFFD");
}

TEST(Cp1252, MapsTheWindowsRange) {
  EXPECT_EQ(cp1252ToUtf16("\x80\x41\xE9"), u"\u20AC" u"A" u"\u00E9");
  EXPECT_EQ(cp1252ToUtf16("\x81"), u"\uFFFD");
}

class AtomicFile : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::vector<std::filesystem::path> filesIn() const {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename());
    return names;
  }
};

TEST_F(AtomicFile, ReplacesTheTarget) {
  const std::string target = dir.write("a.rdt", {1, 2, 3});
  const std::vector<uint8_t> next = {9, 8, 7, 6};
  ASSERT_EQ(writeFileAtomically(target, next), WriteStatus::Ok);
  EXPECT_EQ(test::TempDir::read(target), next);
  EXPECT_EQ(filesIn().size(), 1u);
}

TEST_F(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  const std::vector<uint8_t> old = {1, 2, 3};
  const std::string target = dir.write("a.rdt", old);
  AtomicWriteOptions diskFull;
  diskFull.failAfterBytes = 2;
  EXPECT_EQ(writeFileAtomically(target, std::vector<uint8_t>(100, 0x55), diskFull), WriteStatus::ShortWrite);
  EXPECT_EQ(test::TempDir::read(target), old);
  EXPECT_EQ(filesIn(), std::vector<std::filesystem::path>{"a.rdt"});
}

TEST_F(AtomicFile, AMissingFolderCannotBeCreated) {
  EXPECT_EQ(writeFileAtomically(dir.file("no/such/folder/a.rdt"), std::vector<uint8_t>{1}),
            WriteStatus::CannotCreate);
}

}  // namespace
}  // namespace tamberlin
