#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database_fixture.h"
#include "databases/database_csv.h"

namespace tamberlin {
namespace {

using test::TempDir;

class LastHeardTest : public test::DatabaseFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(parse(kUserDatabaseKind,
                    "2621234,DL1ABC,Anna Maier,Berlin,BE,Germany\n"
                    "2345678,G4BOB,Bob,Leeds,YK,United Kingdom\n"),
              0);
  }
  static constexpr const char* kHeard =
      "num;callsign;dmrid;name;age\n"
      "1;XX1OLD;2621234;Old Name;15\n"
      "2;ON4NEW;2069999;Newcomer;7\n"
      "3;EXCL;2049125;Excluded;3\n"
      "4;;3100001;No Call;x\n"
      "5;G4BOB;2345678;Bob;1\n";
};

TEST_F(LastHeardTest, DetailsComeFromTheDatabase) {
  ASSERT_EQ(parse(kLastHeardKind, kHeard), 0);
  ASSERT_EQ(ids(heard()), (std::vector<int32_t>{2621234, 2069999, 2049125, 3100001, 2345678}));
  const DatabaseEntryView known = heard()[0];
  EXPECT_EQ(known.callSign(), "DL1ABC");
  EXPECT_EQ(known.name(), "Anna Maier");
  EXPECT_EQ(known.city(), "Berlin");
  EXPECT_EQ(known.country(), "Germany");
  EXPECT_EQ(known.age(), 0);

  const DatabaseEntryView unknown = heard()[1];
  EXPECT_EQ(unknown.callSign(), "ON4NEW");
  EXPECT_EQ(unknown.name(), "Newcomer");
  EXPECT_EQ(unknown.city(), "");
  EXPECT_EQ(unknown.country(), "");
  EXPECT_EQ(unknown.age(), 7);
  // Excluded IDs and empty call signs stay in this list.
  EXPECT_EQ(heard()[2].callSign(), "EXCL");
  EXPECT_EQ(heard()[3].callSign(), "");
  EXPECT_EQ(heard()[3].age(), 0);
  EXPECT_TRUE(progress.showed("Fetching details "));
  EXPECT_TRUE(std::filesystem::exists(lastHeard.filePath()));

  const DatabaseView germany =
      buildDatabaseView(DatabaseSource::LastHeard, lastHeard.records(), "Germany ", "", progress);
  ASSERT_EQ(germany.size(), 1u);
  EXPECT_EQ(germany.row(0).radioId(), 2621234);
  EXPECT_EQ(buildDatabaseView(DatabaseSource::LastHeard, lastHeard.records(), "All ", "", progress).size(),
            5u);

  LastHeardList restarted(dir.path());
  EXPECT_EQ(restarted.load(progress), 5);
  EXPECT_EQ(ids(*restarted.records()), ids(heard()));
}

TEST_F(LastHeardTest, DeletingTwoRowsRewritesOnlyTheLastHeardFile) {
  ASSERT_EQ(parse(kLastHeardKind, std::string(kHeard) + "6;ON4NEW;2069999;Newcomer again;2\n"), 0);
  const auto databaseBefore = TempDir::read(database.filePath().string());
  const auto databaseTime = std::filesystem::last_write_time(database.filePath());
  const auto heardBefore = TempDir::read(lastHeard.filePath().string());

  const DatabaseView view =
      buildDatabaseView(DatabaseSource::LastHeard, lastHeard.records(), "All ", "new", progress);
  ASSERT_EQ(view.size(), 2u);  // both ON4NEW lines
  const std::vector<size_t> rows{0, 1};
  ASSERT_TRUE(lastHeard.deleteSelected(view, rows, progress));
  EXPECT_EQ(ids(heard()), (std::vector<int32_t>{2621234, 2049125, 3100001, 2345678}));
  EXPECT_TRUE(progress.showed("Deleting database entries "));

  EXPECT_NE(TempDir::read(lastHeard.filePath().string()), heardBefore);
  EXPECT_EQ(TempDir::read(database.filePath().string()), databaseBefore);
  EXPECT_EQ(std::filesystem::last_write_time(database.filePath()), databaseTime);
  EXPECT_EQ(users().size(), 2u);
  LastHeardList restarted(dir.path());
  EXPECT_EQ(restarted.load(progress), 4);

  // The database's own delete leaves a last-heard view alone.
  EXPECT_FALSE(database.deleteSelected(view, rows, progress));
}

TEST_F(LastHeardTest, ClearDeletesTheFile) {
  ASSERT_EQ(parse(kLastHeardKind, kHeard), 0);
  lastHeard.clear(progress);
  EXPECT_TRUE(heard().empty());
  EXPECT_FALSE(std::filesystem::exists(lastHeard.filePath()));
  EXPECT_TRUE(std::filesystem::exists(database.filePath()));
  LastHeardList restarted(dir.path());
  EXPECT_EQ(restarted.load(progress), -2);
  EXPECT_TRUE(restarted.records()->empty());
}

TEST_F(LastHeardTest, AChangedRecordByteLoadsAsAnEmptyList) {
  ASSERT_EQ(parse(kLastHeardKind, kHeard), 0);
  auto bytes = TempDir::read(lastHeard.filePath().string());
  bytes[40] ^= 1;
  dir.write(kLastHeardFileName, bytes);
  LastHeardList restarted(dir.path());
  EXPECT_LT(restarted.load(progress), 0);
  EXPECT_TRUE(restarted.records()->empty());
}

TEST_F(LastHeardTest, SaveFailuresAreReportedAndKeepTheOldFile) {
  ASSERT_EQ(parse(kLastHeardKind, kHeard), 0);
  const auto before = TempDir::read(lastHeard.filePath().string());
  struct Case {
    DatSaveOptions options;
    int code;
  };
  for (const Case& c : {Case{{.failAfterBytes = 10}, -8}, Case{{.failAfterBytes = 10, .stored = true}, -4}}) {
    progress.statuses.clear();
    EXPECT_EQ(lastHeard.save(progress, c.options), c.code);
    EXPECT_EQ(progress.statuses.back(), "Save error " + lastHeard.filePath().string());
    EXPECT_EQ(TempDir::read(lastHeard.filePath().string()), before);
  }

  LastHeardList nowhere(dir.path() / "missing");
  ASSERT_EQ(nowhere.adoptParsed(std::vector<uint8_t>(248), database, progress), -6);
  EXPECT_EQ(progress.statuses.back(), "");
  EXPECT_TRUE(progress.showed("Error " + nowhere.filePath().string()));
}

}  // namespace
}  // namespace tamberlin
