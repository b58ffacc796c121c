#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database_fixture.h"

namespace tamberlin {
namespace {

class DatabaseViewTest : public test::DatabaseFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(parse(kUserDatabaseKind,
                    "1000,DL1ABC,Anna,Berlin,BE,Germany\n"
                    "1200,DK5XY,Peter Berliner,Bonn,NW,Germany\n"
                    "2000,G4BER,Bob,Leeds,YK,United Kingdom\n"
                    "3100,OE1XX,Xaver,Wien,W,Austria\n"
                    "4000,DL9ZZ,Zoe,Potsdam,BB,germany\n"),
              0);
  }
  std::vector<int32_t> shown(std::string_view country, std::string_view search) {
    const DatabaseView view =
        buildDatabaseView(DatabaseSource::Database, database.records(), country, search, progress);
    std::vector<int32_t> out;
    for (size_t i = 0; i < view.size(); ++i) out.push_back(view.row(i).radioId());
    return out;
  }
};

TEST_F(DatabaseViewTest, FilterAndSearch) {
  struct Case {
    std::string country;
    std::string search;
    std::vector<int32_t> ids;
  };
  const std::vector<Case> cases = {
      {"All ", "", {1000, 1200, 2000, 3100, 4000}},
      {"Germany ", "", {1000, 1200, 4000}},
      {" GERMANY", "", {1000, 1200, 4000}},
      // "Berlin" is Anna's city only; Peter's name holds it.
      {"Germany ", "berlin", {1200}},
      {"All ", "BER", {1200, 2000}},
      {"All ", " 000 ", {1000, 2000, 4000}},
      {"All ", "31", {3100}},
      {"All ", "many", {1000, 1200, 4000}},
      {"Austria ", "dl", {}},
      {"France ", "", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shown(c.country, c.search), c.ids) << "'" << c.country << "' '" << c.search << "'";
  }
}

TEST_F(DatabaseViewTest, HoldsIndicesIntoTheSharedRecords) {
  const DatabaseView view =
      buildDatabaseView(DatabaseSource::Database, database.records(), "All", "", progress);
  EXPECT_EQ(view.records.get(), common.userDatabase().get());
  EXPECT_EQ(view.rows, (std::vector<uint32_t>{0, 1, 2, 3, 4}));
}

TEST(DatabaseViewTitle, CountsRowsAndSelection) {
  EXPECT_EQ(databaseViewTitle(DatabaseSource::Database, 12, 0), "DMR Ham Database   12 ");
  EXPECT_EQ(databaseViewTitle(DatabaseSource::LastHeard, 12, 2), "DMR Ham Last Heard   2 of 12 selected ");
}

}  // namespace
}  // namespace tamberlin
