#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "codeplug/ccommon.h"
#include "codeplug/codeplug_file.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/text_field.h"
#include "editors/channels/channels_model.h"
#include "support/endian.h"
#include "support/cli_run.h"
#include "support/scripted_prompt.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

using test::TempDir;

using test::cli;
using test::CliRun;

class Cli : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(Cli, NewWritesEachModelsTemplate) {
  struct Case {
    const char* menuItem;
    size_t size;
    const char* modelLine;  // the model the file reopens as
  };
  const Case cases[] = {
      {"MD380", 262709, "model: 2 MD390 (MD-390)"},   {"MD390", 262709, "model: 2 MD390 (MD-390)"},
      {"UV380", 852533, "model: 4 UV390 (MD-UV390)"}, {"UV390", 852533, "model: 4 UV390 (MD-UV390)"},
      {"MD9600", 852533, "model: 5 MD9600 (MD9600)"}, {"MD2017", 852533, "model: 6 MD2017 (2017)"},
      {"DM-1701", 852533, "model: 7 DM1701 (DM-1701)"},
  };
  for (const Case& c : cases) {
    const std::string path = dir.file(std::string(c.menuItem) + ".rdt");
    const CliRun made = cli({"new", c.menuItem, path});
    ASSERT_EQ(made.code, 0) << made.err;
    const auto bytes = TempDir::read(path);
    EXPECT_EQ(bytes.size(), c.size) << c.menuItem;
    if (c.size == 852533) {
      EXPECT_TRUE(std::all_of(bytes.end() - 16, bytes.end(), [](uint8_t b) { return b == 0xFF; }));
    } else {
      EXPECT_TRUE(trailerCrcIsValid(bytes));
    }
    const CliRun info = cli({"info", path});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find(std::string(c.modelLine) + "\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("normalised on load: no\n"), std::string::npos);
  }
  EXPECT_EQ(cli({"new", "TP660", dir.file("x.rdt")}).code, 2);
  EXPECT_EQ(cli({"new", "MD390"}).code, 2);
}

TEST_F(Cli, InfoReportsCountsCrcAndNormalisation) {
  CCommon common;
  test::ScriptedPrompt prompt;
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  c_codeplug& s = *common.slot(0);
  for (int i : {0, 1, 2, 4}) initChannelRecord(s.channel(i), ModelFamily::Kib256, 2, u"Ch");
  encodeTextField(s.zone(0), 16, u"Zone");
  const std::string path = dir.file("some.rdt");
  ASSERT_GT(common.save(0, path), 0);
  auto bytes = TempDir::read(path);
  writeLe32(bytes, bytes.size() - 4, 0);
  dir.write("some.rdt", bytes);

  const CliRun text = cli({"info", path});
  ASSERT_EQ(text.code, 0);
  EXPECT_EQ(text.out,
            "model: 2 MD390 (MD-390)\n"
            "type string: MD390\n"
            "file size: 262709\n"
            "trailer CRC: wrong\n"
            "text_messages: 0\n"
            "emergency_systems: 0\n"
            "contacts: 0\n"
            "rx_group_lists: 0\n"
            "zones: 1\n"
            "scan_lists: 0\n"
            "channels: 3\n"
            "normalised on load: yes\n");

  const CliRun json = cli({"info", "--json", path});
  ASSERT_EQ(json.code, 0);
  EXPECT_EQ(json.out,
            "{\"model_code\":2,\"model_name\":\"MD390 (MD-390)\",\"type_string\":\"MD390\","
            "\"file_size\":262709,\"trailer_crc\":\"wrong\",\"used\":{\"text_messages\":0,"
            "\"emergency_systems\":0,\"contacts\":0,\"rx_group_lists\":0,\"zones\":1,\"scan_lists\":0,"
            "\"channels\":3},\"normalised\":true}\n");
}

TEST_F(Cli, NormalizeSavesWhatLoadingMade) {
  ASSERT_EQ(cli({"new", "UV390", dir.file("in.rdt")}).code, 0);
  auto bytes = TempDir::read(dir.file("in.rdt"));
  // Channel 2 named with channel 1 unnamed: the list is empty after loading.
  encodeTextField(std::span(bytes).subspan(0x40235 + 64 + 32), 16, u"Stray");
  dir.write("in.rdt", bytes);

  const CliRun run = cli({"normalize", dir.file("in.rdt"), dir.file("out.rdt")});
  ASSERT_EQ(run.code, 0) << run.err;
  const auto out = TempDir::read(dir.file("out.rdt"));
  EXPECT_EQ(decodeTextField(std::span(out).subspan(0x40235 + 64 + 32), 16), u"");
  EXPECT_NE(cli({"info", dir.file("out.rdt")}).out.find("normalised on load: no"), std::string::npos);
}

TEST_F(Cli, AFileThatFailsToLoadPrintsTheProgramsMessage) {
  const std::string bad = dir.write("bad.rdt", std::vector<uint8_t>(100, 0));
  const CliRun info = cli({"info", bad});
  EXPECT_NE(info.code, 0);
  EXPECT_EQ(info.err, "Code plug file size error ..\n\n" + bad + "\n");
  EXPECT_TRUE(info.out.empty());

  const CliRun normalize = cli({"normalize", bad, dir.file("out.rdt")});
  EXPECT_NE(normalize.code, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.rdt")));

  const CliRun missing = cli({"info", dir.file("nothing.rdt")});
  EXPECT_NE(missing.code, 0);
  EXPECT_NE(missing.err.find("nothing.rdt"), std::string::npos);

  EXPECT_EQ(cli({}).code, 2);
  EXPECT_EQ(cli({"frobnicate"}).code, 2);
}

}  // namespace
}  // namespace tamberlin
