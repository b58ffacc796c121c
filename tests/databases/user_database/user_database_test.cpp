#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database_fixture.h"
#include "databases/country_list.h"
#include "databases/dat_container.h"
#include "support/endian.h"

namespace tamberlin {
namespace {

using test::TempDir;

const char* const kUsers =
    "1000,DL1A,Anna,Berlin,BE,Germany\n"
    "2000,G4B,Bob,Leeds,YK,United Kingdom\n"
    "3000,DL3C,Carl,Hamburg,HH,Germany\n"
    "4000,F5D,Dora,,,,x\n";

class UserDatabaseTest : public test::DatabaseFixture {
 protected:
  void SetUp() override { ASSERT_EQ(parse(kUserDatabaseKind, kUsers), 0); }
};

TEST_F(UserDatabaseTest, TheManagerAndTheWindowShareOneSetOfRecords) {
  EXPECT_EQ(common.userDatabase().get(), database.records().get());
  UserDatabase window(common, dir.path());
  EXPECT_EQ(window.load(window.filePath()), 4);
  EXPECT_EQ(common.userDatabase().get(), window.records().get());
  EXPECT_EQ(ids(*window.records()), (std::vector<int32_t>{1000, 2000, 3000, 4000}));
}

TEST_F(UserDatabaseTest, FindById) {
  EXPECT_EQ(database.findById(1000), 0);
  EXPECT_EQ(database.findById(4000), 3);
  EXPECT_EQ(database.findById(2500), -2);
  EXPECT_EQ(database.findById(-5), -2);
  EXPECT_EQ(database.findById(9999), -2);
  database.clear();
  EXPECT_EQ(database.findById(1000), -1);
}

TEST_F(UserDatabaseTest, CountryListIsSortedAndDistinct) {
  EXPECT_EQ(database.countries(), (std::vector<std::string>{"Germany", "United Kingdom"}));
  const auto choices = countryFilterChoices(database.countries());
  EXPECT_EQ(choices, (std::vector<std::string>{"All ", "Germany ", "United Kingdom "}));
  EXPECT_EQ(countryFilterSelection(choices, "United Kingdom "), 2u);
  EXPECT_EQ(countryFilterSelection(choices, "United Kingdom"), 2u);
  EXPECT_EQ(countryFilterSelection(choices, "France "), 0u);
  EXPECT_EQ(countryFilterSelection(choices, " "), 0u);
}

TEST_F(UserDatabaseTest, ClearDeletesTheFileAndTheNextStartIsEmpty) {
  ASSERT_TRUE(std::filesystem::exists(database.filePath()));
  database.clear();
  EXPECT_FALSE(std::filesystem::exists(database.filePath()));
  EXPECT_TRUE(users().empty());
  EXPECT_TRUE(common.userDatabase()->empty());
  EXPECT_EQ(database.countries().size(), 2u);  // a clear leaves the filter's choices

  CCommon next;
  UserDatabase restarted(next, dir.path());
  EXPECT_EQ(restarted.load(restarted.filePath()), -2);
  EXPECT_TRUE(restarted.records()->empty());
}

TEST_F(UserDatabaseTest, AChangedByteLoadsAsAnEmptyListWithoutAMessage) {
  const auto good = TempDir::read(database.filePath().string());
  for (const size_t at : {size_t{3}, size_t{12}, size_t{20}, good.size() / 2, good.size() - 1}) {
    auto damaged = good;
    damaged[at] ^= 0x10;
    dir.write(kUserDatabaseFileName, damaged);
    CCommon next;
    UserDatabase restarted(next, dir.path());
    progress.statuses.clear();
    EXPECT_LT(restarted.load(restarted.filePath()), 0) << at;
    EXPECT_TRUE(restarted.records()->empty());
    EXPECT_TRUE(next.userDatabase()->empty());
    EXPECT_TRUE(progress.statuses.empty());
  }
}

TEST_F(UserDatabaseTest, LoadPutsAForeignFileInOrder) {
  std::vector<uint8_t> raw(3 * 248);
  for (const auto& [slot, id] : {std::pair{0, 30}, {1, 10}, {2, 30}}) {
    t_database_file_entry(std::span<uint8_t>(raw).subspan(size_t(slot) * 248, 248)).setRadioId(id);
  }
  ASSERT_EQ(saveDatFile(database.filePath(), kUserDatabaseMagic, 3, raw), DatSaveStatus::Ok);
  EXPECT_EQ(database.load(database.filePath()), 2);
  EXPECT_EQ(ids(users()), (std::vector<int32_t>{10, 30}));
  EXPECT_EQ(database.findById(30), 1);
}

TEST_F(UserDatabaseTest, SaveCodes) {
  EXPECT_EQ(database.save(""), -1);
  EXPECT_EQ(database.save(dir.path() / "no" / "such" / "x.dat"), -3);
  const auto before = TempDir::read(database.filePath().string());
  EXPECT_EQ(database.save(database.filePath(), {.failAfterBytes = 10}), -9);
  EXPECT_EQ(database.save(database.filePath(), {.failAfterBytes = 10, .stored = true}), -5);
  EXPECT_EQ(TempDir::read(database.filePath().string()), before);
  EXPECT_EQ(database.save(dir.path() / "copy.dat"), 4);
}

TEST_F(UserDatabaseTest, DeleteSelectedRemovesTheShownRecordsAndSaves) {
  const DatabaseView view =
      buildDatabaseView(DatabaseSource::Database, database.records(), "Germany ", "", progress);
  ASSERT_EQ(view.size(), 2u);
  const std::vector<size_t> rows{1, 0, 7};
  ASSERT_TRUE(database.deleteSelected(view, rows, progress));
  EXPECT_EQ(ids(users()), (std::vector<int32_t>{2000, 4000}));
  EXPECT_EQ(database.countries(), std::vector<std::string>{"United Kingdom"});
  EXPECT_TRUE(progress.showed("Deleting selected database entries "));
  EXPECT_TRUE(progress.showed("Saving the database "));
  // The view that was shown still reads its old records.
  EXPECT_EQ(view.row(0).callSign(), "DL1A");

  CCommon next;
  UserDatabase restarted(next, dir.path());
  EXPECT_EQ(restarted.load(restarted.filePath()), 2);

  const DatabaseView lastHeardView =
      buildDatabaseView(DatabaseSource::LastHeard, database.records(), "All", "", progress);
  EXPECT_FALSE(database.deleteSelected(lastHeardView, rows, progress));
  EXPECT_EQ(users().size(), 2u);
}

}  // namespace
}  // namespace tamberlin
