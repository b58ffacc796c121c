#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "codeplug/ccommon.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/codeplug_layout.h"
#include "support/codeplug_fixtures.h"
#include "support/crc32.h"
#include "support/endian.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using test::ScriptedPrompt;
using test::TempDir;

class Slots : public ::testing::Test {
 protected:
  CCommon common{"/opt/tamberlin"};
  ScriptedPrompt prompt;
  TempDir dir;

  std::vector<uint8_t> blank(int model) const { return test::blankCodeplug(common, model); }
  std::string fileWith(const std::string& name, const std::vector<uint8_t>& bytes) const {
    return dir.write(name, bytes);
  }
  std::vector<uint8_t> withType(std::vector<uint8_t> bytes, const std::string& type) const {
    std::memset(bytes.data() + layout::kTypeString, 0xFF, layout::kTypeStringSize);
    std::memcpy(bytes.data() + layout::kTypeString, type.data(), type.size());
    return bytes;
  }
};

TEST_F(Slots, PlaceRefusesBadIndexSizeAndFamily) {
  const auto small = blank(kModelMd390);
  const auto uv = blank(kModelUv390);
  struct Case {
    const char* what;
    int slot;
    int model;
    std::vector<uint8_t> bytes;
    int expected;
  };
  const std::vector<Case> cases = {
      {"slot -1", -1, kModelMd390, small, -1},
      {"slot 4", 4, kModelMd390, small, -1},
      {"odd size", 0, kModelMd390, std::vector<uint8_t>(1000, 0), -1},
      {"UV model in a 256 KiB buffer", 0, kModelUv390, small, -1},
      {"MD390 model in a UV buffer", 0, kModelMd390, uv, -1},
      {"no model for the bytes", 0, kModelNone, small, -1},
      {"MD390", 0, kModelMd390, small, 0},
      {"TP660", 1, kModelTp660, small, 0},
      {"DM1701", 2, kModelDm1701, uv, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(common.place(c.slot, c.model, "f.rdt", c.bytes), c.expected) << c.what;
}

TEST_F(Slots, PlaceFillsTheSectionTableByFamily) {
  ASSERT_EQ(common.place(0, kModelMd380, "a.rdt", blank(kModelMd380)), 0);
  ASSERT_EQ(common.place(1, kModelMd2017, "b.rdt", blank(kModelMd2017)), 0);
  const SectionTable& small = common.slot(0)->sections;
  const SectionTable& uv = common.slot(1)->sections;
  EXPECT_EQ(small.contacts, 0x61A5u);
  EXPECT_EQ(small.contactCount, 1000);
  EXPECT_EQ(small.channels, 0x1F025u);
  EXPECT_EQ(small.channelsPerZone, 16);
  EXPECT_EQ(small.zoneExtension, 0u);
  EXPECT_EQ(small.vfoCount, 0);
  EXPECT_EQ(uv.contacts, 0x70235u);
  EXPECT_EQ(uv.contactCount, 10000);
  EXPECT_EQ(uv.channels, 0x40235u);
  EXPECT_EQ(uv.channelCount, 3000);
  EXPECT_EQ(uv.channelsPerZone, 64);
  EXPECT_EQ(uv.zoneExtension, 0x31225u);
  EXPECT_EQ(uv.vfoCount, 2);
  EXPECT_EQ(uv.vfo, 0x2F125u);
  for (const SectionTable* t : {&small, &uv}) {
    EXPECT_EQ(t->radioInfo, 0x135u);
    EXPECT_EQ(t->textMessages, 0x23A5u);
    EXPECT_EQ(t->emergency, 0x5C95u);
    EXPECT_EQ(t->groupLists, 0xEE45u);
    EXPECT_EQ(t->zones, 0x14C05u);
    EXPECT_EQ(t->scanLists, 0x18A85u);
    EXPECT_EQ(t->dtmf, 0x30225u);
    EXPECT_EQ(t->gps, 0x3EE65u);
  }
  // The last record of every section ends inside the buffer.
  EXPECT_EQ(common.slot(1)->channel(2999).size(), 64u);
  EXPECT_EQ(common.slot(1)->contact(9999).size(), 36u);
  EXPECT_TRUE(common.slot(0)->channel(1000).empty());
  EXPECT_TRUE(common.slot(0)->zoneExtension(0).empty());
}

TEST_F(Slots, PlacingIdenticalContentKeepsTheBufferAndCloseEmptiesIt) {
  auto bytes = blank(kModelMd390);
  ASSERT_EQ(common.place(0, kModelMd390, "a.rdt", bytes), 0);
  const uint8_t* held = common.slot(0)->buffer.data();
  ASSERT_EQ(common.place(0, kModelMd390, "a.rdt", bytes), 0);
  EXPECT_EQ(common.slot(0)->buffer.data(), held);

  bytes[0x3000] ^= 1;
  ASSERT_EQ(common.place(0, kModelMd390, "a.rdt", bytes), 0);
  EXPECT_EQ(common.slot(0)->buffer, bytes);

  ASSERT_EQ(common.place(0, kModelNone, "", {}), 0);
  const c_codeplug& closed = *common.slot(0);
  EXPECT_EQ(closed.modelCode, 0);
  EXPECT_TRUE(closed.fileName.empty());
  EXPECT_TRUE(closed.buffer.empty());
  EXPECT_TRUE(closed.snapshot.empty());
  EXPECT_EQ(closed.sections, SectionTable{});
  EXPECT_FALSE(common.isDirty(0));
}

TEST_F(Slots, DirtyFollowsNameAndSnapshot) {
  EXPECT_FALSE(common.isDirty(0));
  EXPECT_FALSE(common.isDirty(7));
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  EXPECT_TRUE(common.isDirty(0)) << "a new codeplug has no file name";
  c_codeplug& s = *common.slot(0);
  s.fileName = "a.rdt";
  EXPECT_FALSE(common.isDirty(0));
  s.buffer[0x2300] ^= 0x01;
  EXPECT_TRUE(common.isDirty(0));
  common.markClean(0);
  EXPECT_FALSE(common.isDirty(0));
}

TEST_F(Slots, NewCopiesTheModelsTemplate) {
  for (const RadioModel& model : radioModels()) {
    ASSERT_EQ(common.newCodeplug(1, model.code, prompt), 0) << model.typeString;
    const c_codeplug& s = *common.slot(1);
    EXPECT_EQ(s.modelCode, model.code);
    EXPECT_TRUE(s.fileName.empty());
    EXPECT_EQ(s.buffer, common.blankTemplate(model.blankTemplate));
  }
  EXPECT_TRUE(prompt.shown.empty());
  const auto before = common.slot(1)->buffer;
  EXPECT_LT(common.newCodeplug(1, 9, prompt), 0);
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"Unknown radio type."});
  EXPECT_EQ(common.slot(1)->buffer, before);
}

TEST_F(Slots, NewSaveOpenGivesACleanSlot) {
  for (int model : {kModelMd380, kModelMd390, kModelUv380, kModelUv390, kModelMd9600, kModelMd2017, kModelDm1701}) {
    ASSERT_EQ(common.newCodeplug(0, model, prompt), 0);
    const std::string path = dir.file("new" + std::to_string(model) + ".rdt");
    ASSERT_EQ(common.save(0, path), static_cast<int>(common.slot(0)->buffer.size()));
    ASSERT_EQ(common.load(2, path, true, prompt), 0) << model;
    // MD380 and UV380 share the MD390 and UV390 templates, whose type strings
    // name those models: the file reopens as them, with the same layout.
    EXPECT_EQ(common.slot(2)->modelCode, model == kModelMd380 ? kModelMd390 : model == kModelUv380 ? kModelUv390 : model);
    EXPECT_FALSE(common.isDirty(2)) << "loading a saved blank codeplug changed bytes, model " << model;
    EXPECT_EQ(common.slot(2)->buffer, TempDir::read(path));
  }
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(Slots, SaveRewritesTheTrailerCrcOnlyFor256Kib) {
  auto small = blank(kModelMd390);
  writeLe32(small, small.size() - 4, 0x12345678);  // wrong CRC: still loads
  ASSERT_EQ(common.load(0, fileWith("wrong-crc.rdt", small), true, prompt), 0);
  const std::string saved = dir.file("fixed.rdt");
  ASSERT_EQ(common.save(0, saved), 262709);
  EXPECT_TRUE(trailerCrcIsValid(TempDir::read(saved)));

  auto uv = blank(kModelUv390);
  for (size_t i = uv.size() - 16; i < uv.size(); ++i) uv[i] = static_cast<uint8_t>(i * 7);
  ASSERT_EQ(common.load(1, fileWith("uv.rdt", uv), true, prompt), 0);
  const std::string uvSaved = dir.file("uv-saved.rdt");
  ASSERT_EQ(common.save(1, uvSaved), 852533);
  const auto written = TempDir::read(uvSaved);
  EXPECT_TRUE(std::equal(uv.end() - 16, uv.end(), written.end() - 16));
}

TEST_F(Slots, SaveFailures) {
  EXPECT_EQ(common.save(5, dir.file("x.rdt")), -1);
  EXPECT_EQ(common.save(0, dir.file("x.rdt")), -2);
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  EXPECT_EQ(common.save(0, "   "), -3);
  EXPECT_EQ(common.save(0, dir.file("missing/x.rdt")), -4);
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.rdt")));
}

TEST_F(Slots, AFailedSaveLeavesThePreviousFileExactly) {
  const std::vector<uint8_t> previous(262709, 0x42);
  const std::string path = fileWith("keep.rdt", previous);
  CodeplugFileAccess diskFull = defaultCodeplugFileAccess();
  diskFull.write = [](const std::string& target, std::span<const uint8_t> bytes) {
    AtomicWriteOptions options;
    options.failAfterBytes = bytes.size() / 2;
    return writeFileAtomically(target, bytes, options);
  };
  common.setFileAccess(diskFull);
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  EXPECT_EQ(common.save(0, path), -5);
  EXPECT_EQ(TempDir::read(path), previous);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A stream whose seek or read fails in one of the ways a disk or network share can.
class FaultyStream : public std::streambuf {
 public:
  enum class Fault { SeekFails, SeekThrows, ShortRead, ReadThrows };
  FaultyStream(Fault fault, std::streamoff size) : fault_(fault), size_(size) {}

 protected:
  pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    if (fault_ == Fault::SeekFails) return pos_type(off_type(-1));
    if (fault_ == Fault::SeekThrows) throw std::runtime_error("device gone");
    position_ = dir == std::ios_base::end ? size_ + off : dir == std::ios_base::beg ? off : position_ + off;
    return pos_type(position_);
  }
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
    return seekoff(off_type(pos), std::ios_base::beg, which);
  }
  std::streamsize xsgetn(char* s, std::streamsize n) override {
    if (fault_ == Fault::ReadThrows) throw std::runtime_error("read error");
    const std::streamsize some = std::min<std::streamsize>(n, size_ / 2);
    std::memset(s, 0, static_cast<size_t>(some));
    return some;
  }
  int_type underflow() override { return traits_type::eof(); }

 private:
  Fault fault_;
  std::streamoff size_;
  std::streamoff position_ = 0;
};

class OwningStream : public std::istream {
 public:
  explicit OwningStream(std::unique_ptr<std::streambuf> buffer) : std::istream(buffer.get()), buffer_(std::move(buffer)) {}

 private:
  std::unique_ptr<std::streambuf> buffer_;
};

TEST_F(Slots, EveryLoadFailureHasItsCodeAndMessage) {
  const std::string path = fileWith("some.rdt", blank(kModelMd390));
  const auto faulty = [](FaultyStream::Fault fault) {
    CodeplugFileAccess access = defaultCodeplugFileAccess();
    access.open = [fault](const std::string&) -> std::unique_ptr<std::istream> {
      return std::make_unique<OwningStream>(std::make_unique<FaultyStream>(fault, 262709));
    };
    return access;
  };
  CodeplugFileAccess cannotOpen = defaultCodeplugFileAccess();
  cannotOpen.open = [](const std::string&) { return std::unique_ptr<std::istream>(); };
  CodeplugFileAccess noMemory = defaultCodeplugFileAccess();
  noMemory.allocate = [](size_t) -> std::vector<uint8_t> { throw std::bad_alloc(); };

  auto brokenSignature = blank(kModelMd390);
  brokenSignature[0] = 'X';
  struct Case {
    const char* what;
    int slot;
    std::string path;
    CodeplugFileAccess access;
    int code;
    std::string message;  // empty: nothing is shown
  };
  const std::vector<Case> cases = {
      {"slot outside 0-3", 4, path, defaultCodeplugFileAccess(), -1, ""},
      {"no such file", 0, dir.file("nothing.rdt"), defaultCodeplugFileAccess(), -2, ""},
      {"open fails", 0, path, cannotOpen, -3, "Could not open the code plug file ..\n\n" + path},
      {"a folder", 0, dir.path().string(), defaultCodeplugFileAccess(), -3,
       "Could not open the code plug file ..\n\n" + dir.path().string()},
      {"seek fails", 0, path, faulty(FaultyStream::Fault::SeekFails), -4,
       "Could not seek code plug file ..\n\n" + path},
      {"seek throws", 0, path, faulty(FaultyStream::Fault::SeekThrows), -4,
       "Could not open/seek code plug file ..\n\n" + path},
      {"empty file", 0, fileWith("empty.rdt", {}), defaultCodeplugFileAccess(), -4,
       "Could not seek to the end of the code plug file ..\n\n" + dir.file("empty.rdt")},
      {"bare memory image", 0, fileWith("image.bin", std::vector<uint8_t>(0x40000, 0xFF)),
       defaultCodeplugFileAccess(), -5, "Code plug file size error ..\n\n" + dir.file("image.bin")},
      {"no memory", 0, path, noMemory, -6, "error: not enough memory ..\n\n" + path},
      {"short read", 0, path, faulty(FaultyStream::Fault::ShortRead), -8, "error: reading file ..\n\n" + path},
      {"read throws", 0, path, faulty(FaultyStream::Fault::ReadThrows), -8, "error: reading file ..\n\n" + path},
      {"unknown type", 0, fileWith("t.rdt", withType(blank(kModelMd390), "XYZ\x80")), defaultCodeplugFileAccess(),
       -9, "Unknown codeplug type (XYZ\u20AC) ..\n\n" + dir.file("t.rdt") +
               "\n\nMD380, MD390, UV380, UV390, MD9600 & MD2017 only. "},
      {"not DfuSe", 0, fileWith("sig.rdt", brokenSignature), defaultCodeplugFileAccess(), -10,
       "Invalid code plug file .. \n\n" + dir.file("sig.rdt")},
      {"MD390 type in a UV-size file", 0, fileWith("mix.rdt", withType(blank(kModelUv390), "MD390")),
       defaultCodeplugFileAccess(), -11, "Failed to set codeplug .. \n\n" + dir.file("mix.rdt")},
  };
  for (const Case& c : cases) {
    for (bool showMessages : {true, false}) {
      CCommon fresh;
      fresh.setFileAccess(c.access);
      ScriptedPrompt shown;
      EXPECT_EQ(fresh.load(c.slot, c.path, showMessages, shown), c.code) << c.what;
      if (showMessages && !c.message.empty()) {
        ASSERT_EQ(shown.shown.size(), 1u) << c.what;
        EXPECT_EQ(shown.shown[0].text, c.message) << c.what;
        EXPECT_EQ(shown.shown[0].icon, PromptIcon::Error) << c.what;
      } else {
        EXPECT_TRUE(shown.shown.empty()) << c.what;
      }
      EXPECT_FALSE(fresh.slot(0)->holdsCodeplug()) << c.what;
    }
  }
}

TEST_F(Slots, AFailedLoadKeepsTheSlotsContent) {
  ASSERT_EQ(common.newCodeplug(0, kModelUv390, prompt), 0);
  const auto before = common.slot(0)->buffer;
  EXPECT_EQ(common.load(0, fileWith("bad.rdt", std::vector<uint8_t>(10, 0)), true, prompt), -5);
  EXPECT_EQ(common.slot(0)->buffer, before);
  EXPECT_EQ(common.slot(0)->modelCode, kModelUv390);
}

TEST_F(Slots, Tp660LoadsOnlyWithCtrlAndAltHeld) {
  const std::string path = fileWith("tp.rdt", withType(blank(kModelMd390), "TP660"));
  bool held = false;
  common.setCtrlAndAltHeld([&] { return held; });
  EXPECT_EQ(common.load(0, path, true, prompt), -9);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text.rfind("Unknown codeplug type (TP660) ..", 0), 0u);
  held = true;
  EXPECT_EQ(common.load(0, path, true, prompt), 0);
  EXPECT_EQ(common.slot(0)->modelCode, kModelTp660);
  EXPECT_EQ(common.slot(0)->sections.channels, 0x1F025u);
}

TEST_F(Slots, LoadRecognisesTheModelAndKeepsThePath) {
  const std::pair<std::string, int> cases[] = {
      {"md390", kModelMd390}, {"MD390X", kModelMd390}, {"DR780", kModelMd380}, {"DM-1701", kModelDm1701}};
  for (const auto& [type, model] : cases) {
    const bool uv = modelFamily(model) == ModelFamily::Uv;
    const std::string path = fileWith(type + ".rdt", withType(blank(uv ? kModelUv390 : kModelMd390), type));
    ASSERT_EQ(common.load(3, path, true, prompt), 0) << type;
    EXPECT_EQ(common.slot(3)->modelCode, model) << type;
    EXPECT_EQ(common.slot(3)->fileName, path);
  }
}

TEST_F(Slots, PasswordsAndDtmfGoThroughTheSlot) {
  EXPECT_FALSE(common.hasPasswords(0));
  EXPECT_FALSE(common.hasPasswords(-1));
  std::array<uint8_t, 15> dtmf{};
  EXPECT_LT(common.packDtmf(dtmf, "123", 16), 0);
  EXPECT_EQ(dtmf[0], 0);
  EXPECT_EQ(common.unpackDtmf(std::array<uint8_t, 1>{0x21}, 2), "");

  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  EXPECT_EQ(common.packDtmf(dtmf, "123", 16), 3);
  EXPECT_EQ(common.unpackDtmf(dtmf, 3), "123");
  common.slot(0)->buffer[layout::kPcProgrammingPassword] = '1';
  EXPECT_TRUE(common.hasPasswords(0));
}

TEST(ProgramDirectory, DropsDotFoldersAndTrailingSeparators) {
  EXPECT_EQ(normalisedProgramDirectory("/opt/./tamberlin/"), "/opt/tamberlin");
  EXPECT_EQ(normalisedProgramDirectory("C:\\Tools\\.\\Tamberlin\\\\"), "C:\\Tools\\Tamberlin");
  EXPECT_EQ(normalisedProgramDirectory("/"), "/");
  EXPECT_EQ(CCommon("/usr/./bin/").programDirectory(), "/usr/bin");
}

}  // namespace
}  // namespace tamberlin
