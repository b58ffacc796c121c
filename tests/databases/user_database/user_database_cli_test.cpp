#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "database_fixture.h"
#include "support/cli_run.h"

namespace tamberlin {
namespace {

using test::TempDir;

using test::cli;
using test::CliRun;

TEST(DatabaseCli, ImportInfoAndSearch) {
  TempDir dir;
  const std::string csv =
      dir.write("users.csv", test::bytesOf("Radio_ID,Callsign,Name,City,State,Country,Remarks\n"
                                           "2000,G4BOB,Bob,Leeds,YK,United Kingdom,\n"
                                           "1000,DL1ABC,Anna,Berlin,BE,Germany,\n"
                                           "1000,DL1ABC,Anna twice,Berlin,BE,Germany,\n"
                                           "3000,DL3C,Carl,Hamburg,HH,Germany,\n"));
  const std::string data = dir.path().string();
  const CliRun imported = cli({"db-import", csv, "--dir", data});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_NE(imported.out.find("database: 3 records"), std::string::npos) << imported.out;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "dmr_database.dat"));

  const CliRun info = cli({"db-info", "--dir", data});
  ASSERT_EQ(info.code, 0);
  EXPECT_NE(info.out.find("dmr_database.dat ok"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("records: 3\n"), std::string::npos);
  EXPECT_NE(info.out.find("countries: 2\n"), std::string::npos);

  const CliRun search = cli({"db-search", "dl", "--country", "germany", "--dir", data});
  ASSERT_EQ(search.code, 0);
  EXPECT_EQ(search.out,
            "DMR ID\tCallsign\tName\tCity\tState\tCountry\n"
            "1000\tDL1ABC\tAnna\tBerlin\tBE\tGermany\n"
            "3000\tDL3C\tCarl\tHamburg\tHH\tGermany\n");

  auto bytes = TempDir::read(dir.file("dmr_database.dat"));
  bytes.back() ^= 1;
  dir.write("dmr_database.dat", bytes);
  const CliRun damaged = cli({"db-info", "--dir", data});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_NE(damaged.out.find("damaged (load code -16)"), std::string::npos) << damaged.out;
  EXPECT_NE(damaged.out.find("records: 0\n"), std::string::npos);
}

TEST(DatabaseCli, BadArgumentsAndFiles) {
  TempDir dir;
  EXPECT_EQ(cli({"db-import"}).code, 2);
  EXPECT_EQ(cli({"db-search"}).code, 2);
  EXPECT_EQ(cli({"db-info", "--colour"}).code, 2);
  const CliRun missing = cli({"db-import", dir.file("none.csv"), "--dir", dir.path().string()});
  EXPECT_EQ(missing.code, 1);
  const std::string other = dir.write("other.csv", test::bytesOf("a,b,c,d,e,f,g\n"));
  const CliRun unknown = cli({"db-import", other, "--dir", dir.path().string()});
  EXPECT_EQ(unknown.code, 1);
  EXPECT_NE(unknown.err.find("Unknown .csv file format"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace tamberlin
