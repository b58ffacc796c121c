#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "codeplug/ccommon.h"
#include "radio/dfu.h"
#include "radio/radio_fixture.h"

namespace tamberlin {
namespace {

using test::LinkFixture;
using Match = SimulatedRadio::RequestMatch;

std::vector<uint8_t> randomImage(unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> image(SimulatedRadio::kCodeplugSize);
  for (uint8_t& b : image) b = static_cast<uint8_t>(random());
  return image;
}

size_t errorLines(const std::vector<std::string>& lines) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                           [](const std::string& l) { return l.rfind(" error", 0) == 0; }));
}

TEST(RadioLink, OpenConnectionIdentifiesTheRadio) {
  LinkFixture f;
  ASSERT_TRUE(f.open());
  EXPECT_TRUE(f.link.IsOpen());
  const std::vector<std::string> expected{
      "",
      "Opening " + f.radio.path() + " ",
      "",
      "block size: 1024 ",
      "",
      "vid: 0x0483 ",
      "pid: 0xDF11 ",
      "ver: 2.00 ",
      "",
      "unit is not read protected ",
      "",
      "desc 1: Tamberlin",
      "desc 2: Simulated radio",
      "desc 3: SIM0000000001",
      "desc 4: DFU Config",
      "desc 5: DFU Data",
      "",
      "SPI flash chip: 16777216 bytes, W25Q128FV",
      "",
  };
  EXPECT_EQ(f.log.lines(), expected);
  EXPECT_TRUE(f.link.IsNormalMode());
  EXPECT_EQ(f.link.flashSize(), 0x1000000u);
  EXPECT_FALSE(f.link.OpenConnection(f.radio.path())) << "already open";
  f.link.CloseConnection(true);
  EXPECT_FALSE(f.link.IsOpen());
  EXPECT_EQ(f.radio.openHandles(), 0);
}

TEST(RadioLink, OpenConnectionFailures) {
  LinkFixture f;
  EXPECT_FALSE(f.link.OpenConnection("usb#vid_0483&pid_df11#gone"));
  EXPECT_EQ(f.log.lines().back(), " open failed ");
  EXPECT_FALSE(f.link.IsOpen());

  f.log.clear();
  f.radio.failSelect(1);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.log.lines().back(), " error: select current config ");
  f.link.CloseConnection(true);
}

TEST(RadioLink, TheDfuVersionDecidesTheIdentificationLines) {
  struct Case {
    uint16_t version;
    bool identified;
    bool complaint;
  };
  for (const Case c : {Case{0x011A, true, false}, Case{0x0100, false, true}, Case{0, false, false}}) {
    LinkFixture f;
    f.radio.setDfuVersion(c.version);
    f.radio.setDeviceVersion(0x0A1B);
    ASSERT_TRUE(f.open());
    const auto lines = f.log.lines();
    const auto has = [&](const std::string& line) {
      return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_EQ(has("vid: 0x0483 "), c.identified) << c.version;
    EXPECT_EQ(has("pid: 0xDF11 "), c.identified) << c.version;
    EXPECT_EQ(has("ver: 10.1B "), c.identified) << c.version;
    EXPECT_EQ(has("Bad DFU protocol version. Should be 1.1A "), c.complaint) << c.version;
    f.link.CloseConnection(true);
  }
}

TEST(RadioLink, NormalModeIsDfuConfigInAnyCase) {
  struct Case {
    const char16_t* descriptor4;
    bool normal;
  };
  for (const Case c : {Case{u"DFU Config", true}, Case{u"dfu config", true}, Case{u"xx DfU CoNfIg yy", true},
                       Case{u"DFU Data", false}, Case{u"@Internal Flash  /0x08000000/", false}}) {
    LinkFixture f;
    f.radio.setStringText(4, c.descriptor4);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.link.IsNormalMode(), c.normal);
    // Only a radio in normal mode is asked about its flash chip.
    EXPECT_EQ(f.link.flashSize(), c.normal ? 0x1000000u : 0u);
    f.link.CloseConnection(true);
  }
}

TEST(RadioLink, ATransferSizeOfZeroIsDrivenWith1024ByteBlocks) {
  LinkFixture f;
  f.radio.setTransferSize(0);
  ASSERT_TRUE(f.open());
  const auto lines = f.log.lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), " invalid block size "), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "block size: 1024 "), lines.end());
  EXPECT_EQ(f.link.blockSize(), 1024u);
  std::vector<uint8_t> image = randomImage(3);
  f.radio.setCodeplug(image);
  std::vector<uint8_t> read(image.size());
  EXPECT_TRUE(f.link.ReadCodeplug(read));
  EXPECT_EQ(read, image);
}

TEST(RadioLink, TellsAReadProtectedRadio) {
  for (const bool on : {false, true}) {
    LinkFixture f;
    f.radio.setReadProtected(on);
    ASSERT_TRUE(f.open());
    const auto lines = f.log.lines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), on ? "unit is READ PROTECTED " : "unit is not read protected "),
        lines.end());
    EXPECT_EQ(f.link.readProtected(), on);
    // The probe's error is cleared: the connection goes on normally.
    EXPECT_EQ(f.link.descriptorText(4), "desc 4: DFU Config");
    f.link.CloseConnection(true);
  }
}

TEST(RadioLink, IdentifiesTheFlashChip) {
  struct Case {
    uint32_t id;
    size_t size;
    std::string name;
  };
  const Case cases[] = {{0xEF4018, 0x1000000, "W25Q128FV"},
                        {0x10DC01, 0x1000000, "W25Q128FV"},
                        {0xEF4014, 0x100000, "W25Q80BL"},
                        {0x123456, 0, "Unknown SPI flash: 123456, please report"}};
  for (const Case& c : cases) {
    LinkFixture f;
    f.radio.setJedecId(c.id);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.link.flashSize(), c.size);
    EXPECT_EQ(f.link.flashChipName(), c.name);
    const auto lines = f.log.lines();
    const bool logged = std::any_of(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.rfind("SPI flash chip: ", 0) == 0; });
    EXPECT_EQ(logged, c.size > 0);
    f.link.CloseConnection(true);
  }
  LinkFixture bad;
  bad.radio.setJedecId(0x70F101);
  ASSERT_TRUE(bad.open());
  EXPECT_EQ(bad.link.flashSize(), 0u);
  EXPECT_NE(bad.link.flashChipName().find("USB connection"), std::string::npos);

  LinkFixture failing;
  failing.radio.failRequest({.bRequest = kDfuUpload, .block = 1});
  ASSERT_TRUE(failing.open());
  EXPECT_EQ(failing.link.flashSize(), 0u);
  EXPECT_EQ(failing.link.flashChipName(), "");
}

TEST(RadioLink, WhatIsWrittenReadsBack) {
  LinkFixture f;
  f.radio.setCodeplug(std::vector<uint8_t>(SimulatedRadio::kCodeplugSize, 0x00));
  const std::vector<uint8_t> image = randomImage(1);
  ASSERT_TRUE(f.open());
  f.log.clear();
  ASSERT_TRUE(f.link.WriteCodeplug(image));
  EXPECT_EQ(f.log.lines().front(), "write codeplug .. ");
  EXPECT_EQ(f.log.lines().back(), " done ");
  EXPECT_EQ(f.log.progress().back(), 200);
  EXPECT_EQ(f.radio.codeplug(), image);

  std::vector<uint8_t> read(image.size(), 0);
  ASSERT_TRUE(f.link.ReadCodeplug(read));
  EXPECT_EQ(read, image);
  EXPECT_EQ(f.log.progress().back(), 200);
  f.link.RebootRadio();
  EXPECT_EQ(f.log.lines().back(), " done ");
  EXPECT_FALSE(f.link.IsOpen());
  EXPECT_EQ(f.radio.reboots(), 1);
}

TEST(RadioLink, AWholeCodeplugFileSendsItsMemoryImage) {
  CCommon common;
  std::vector<uint8_t> file = common.blankTemplate(TemplateId::BlankMd390);
  ASSERT_EQ(file.size(), 262709u);
  const std::vector<uint8_t> image = randomImage(2);
  std::copy(image.begin(), image.end(), file.begin() + 0x225);

  LinkFixture f;
  ASSERT_TRUE(f.open());
  ASSERT_TRUE(f.link.WriteCodeplug(file));
  EXPECT_EQ(f.radio.codeplug(), image);

  // Without the "DfuSe" signature the bytes are taken as they are, and their size is wrong.
  file[0] = 'X';
  f.radio.clearRequests();
  f.log.clear();
  EXPECT_FALSE(f.link.WriteCodeplug(file));
  EXPECT_EQ(f.log.lines().back(), " error: incorrect codeplug size ");
  EXPECT_TRUE(f.radio.requests().empty());

  const std::vector<uint8_t>& uv = common.blankTemplate(TemplateId::BlankUv390);
  for (std::span<const uint8_t> bytes :
       {std::span<const uint8_t>(uv), std::span<const uint8_t>(uv).subspan(0x225, 0xD0000)}) {
    f.log.clear();
    EXPECT_FALSE(f.link.WriteCodeplug(bytes));
    EXPECT_EQ(f.log.lines().back(), " error: incorrect codeplug size ");
    EXPECT_TRUE(f.radio.requests().empty());
  }
  f.link.CloseConnection(true);
}

TEST(RadioLink, AnotherTransferSizeLeavesTheDestinationAlone) {
  for (const uint16_t size : {512, 2048, 4096}) {
    LinkFixture f;
    f.radio.setTransferSize(size);
    f.radio.setCodeplug(randomImage(size));
    ASSERT_TRUE(f.open());
    std::vector<uint8_t> destination(SimulatedRadio::kCodeplugSize, 0x5A);
    EXPECT_TRUE(f.link.ReadCodeplug(destination)) << size;
    EXPECT_EQ(f.log.lines().back(), " done ");
    EXPECT_TRUE(std::all_of(destination.begin(), destination.end(), [](uint8_t b) { return b == 0x5A; }))
        << size;
    f.link.CloseConnection(true);
  }
}

// Each failing request ends the procedure with its own line and nothing else.
TEST(RadioLink, EveryTransferFailureLogsItsLine) {
  struct Case {
    bool write;
    std::function<void(SimulatedRadio&)> fault;
    const char* line;
  };
  const auto fail = [](Match m) { return [m](SimulatedRadio& r) { r.failRequest(m); }; };
  const auto upload = [&](int n) { return fail({.bRequest = kDfuUpload, .block = 0, .occurrence = n}); };
  const auto erase = [&](int n) { return fail({.bRequest = kDfuDnload, .command = 0x41, .occurrence = n}); };
  const auto selectFails = [](SimulatedRadio& r) { r.failSelect(1); };
  const Case cases[] = {
      {false, selectFails, " error: config "},
      {false, fail({.bRequest = kDfuDnload, .command = 0x91}), " error 1 "},
      {false, upload(1), " error 2 "},
      {false, upload(2), " error 3 "},
      {false, upload(3), " error 4 "},
      {false, upload(4), " error 5 "},
      {false, upload(5), " error 6 "},
      {false, fail({.bRequest = kDfuDnload, .command = 0x21}), " error: address pointer "},
      {false, fail({.bRequest = kDfuUpload, .block = 100}), " error: reading block "},
      {false, [](SimulatedRadio& r) { r.vanishAt({.bRequest = kDfuUpload, .block = 200}); },
       " error: reading block "},
      {false,
       [](SimulatedRadio& r) { r.reportState({.bRequest = kDfuUpload, .block = 7}, kDfuManifestWaitReset); },
       " error: reading block "},
      {true, selectFails, " error: config "},
      {true, fail({.bRequest = kDfuDnload, .command = 0x91}), " error: entering programming mode "},
      {true, upload(1), " error 1 "},
      {true, upload(2), " error 2 "},
      {true, upload(3), " error 3 "},
      {true, upload(4), " error 4 "},
      {true, upload(5), " error 5 "},
      {true,
       [](SimulatedRadio& r) { r.shortReply({.bRequest = kDfuUpload, .block = 0, .occurrence = 3}, 23); },
       " error 3 "},
      {true, erase(1), " error: block erase 0 "},
      {true, erase(2), " error: block erase 1 "},
      {true, erase(3), " error: block erase 2 "},
      {true, erase(4), " error: block erase 3 "},
      {true, fail({.bRequest = kDfuDnload, .command = 0x21}), " error: address pointer "},
      {true, fail({.bRequest = kDfuDnload, .block = 50}), " error: writing block "},
  };
  const std::vector<uint8_t> image = randomImage(4);
  for (const Case& c : cases) {
    LinkFixture f;
    ASSERT_TRUE(f.open());
    f.log.clear();
    c.fault(f.radio);
    std::vector<uint8_t> destination(image.size(), 0x11);
    const bool ok = c.write ? f.link.WriteCodeplug(image) : f.link.ReadCodeplug(destination);
    EXPECT_FALSE(ok) << c.line;
    const auto lines = f.log.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), c.line);
    EXPECT_EQ(errorLines(lines), 1u) << c.line;
    EXPECT_EQ(destination[0], 0x11) << "a failed read leaves the destination alone";
    f.link.CloseConnection(true);
  }
}

// With a tiny block size the 16-bit block numbers would wrap round to the
// command block and the radio would take image bytes for commands.
TEST(RadioLink, AWriteStopsBeforeTheBlockNumbersWrap) {
  LinkFixture f;
  f.radio.setTransferSize(2);
  ASSERT_TRUE(f.open());
  EXPECT_FALSE(f.link.WriteCodeplug(randomImage(6)));
  EXPECT_EQ(f.log.lines().back(), " error: writing block ");
  const auto requests = f.radio.requests();
  const auto highest = std::max_element(requests.begin(), requests.end(),
                                        [](const auto& a, const auto& b) { return a.block < b.block; });
  EXPECT_EQ(highest->block, 0xFFFF);
  EXPECT_TRUE(std::none_of(requests.end() - 10, requests.end(), [](const auto& r) {
    return r.bRequest == kDfuDnload && r.block == 0 && r.length == 2;
  }));
  f.link.CloseConnection(true);
}

TEST(RadioLink, AStalledRadioEndsAtTheTransferTimeOut) {
  LinkFixture f;
  ASSERT_TRUE(f.open());
  f.radio.stallBusy({.bRequest = kDfuDnload, .block = 9});
  const auto before = f.clock.elapsed();
  EXPECT_FALSE(f.link.WriteCodeplug(randomImage(5)));
  EXPECT_EQ(f.log.lines().back(), " error: writing block ");
  const double waited = std::chrono::duration<double>(f.clock.elapsed() - before).count();
  EXPECT_GE(waited, 500.0);
  EXPECT_LT(waited, 510.0);
  f.link.CloseConnection(true);
}

TEST(RadioLink, ResetRadioManifestsAndTheRadioRestartsNormally) {
  LinkFixture f;
  f.radio.setMode(SimulatedRadio::Mode::Firmware);
  ASSERT_TRUE(f.open());
  EXPECT_FALSE(f.link.IsNormalMode());
  f.log.clear();
  EXPECT_TRUE(f.link.ResetRadio());
  EXPECT_EQ(f.log.lines(), (std::vector<std::string>{"rebooting the radio ..", " done "}));
  EXPECT_FALSE(f.link.IsOpen());
  EXPECT_EQ(f.radio.reboots(), 1);
  ASSERT_TRUE(f.open());
  EXPECT_TRUE(f.link.IsNormalMode());
  f.link.CloseConnection(true);

  LinkFixture never;
  EXPECT_FALSE(never.link.ResetRadio()) << "no radio was ever opened";
}

}  // namespace
}  // namespace tamberlin
