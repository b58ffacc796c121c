#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "database_fixture.h"
#include "databases/database_csv.h"

namespace tamberlin {
namespace {

using test::bytesOf;

class DatabaseParse : public test::DatabaseFixture {};

TEST_F(DatabaseParse, DownloadedFileSkipsItsColumnTitleLine) {
  ASSERT_EQ(parse(kUserDatabaseKind,
                  "RADIO_ID,CALLSIGN,FIRST_NAME,CITY,STATE,COUNTRY,REMARKS\r\n"
                  "2345678,DL1ABC,Hans,Berlin,Berlin,Germany,DMR\r\n"),
            0);
  ASSERT_EQ(users().size(), 1u);
  const DatabaseEntryView r = users()[0];
  EXPECT_EQ(r.radioId(), 2345678);
  EXPECT_EQ(r.callSign(), "DL1ABC");
  EXPECT_EQ(r.name(), "Hans");
  EXPECT_EQ(r.city(), "Berlin");
  EXPECT_EQ(r.state(), "Berlin");
  EXPECT_EQ(r.country(), "Germany");
  EXPECT_EQ(r.age(), 0);
  EXPECT_TRUE(std::filesystem::exists(database.filePath()));
  EXPECT_EQ(common.userDatabase(), database.records());
}

TEST_F(DatabaseParse, KeepsOneRecordPerIdInAscendingOrder) {
  ASSERT_EQ(parse(kUserDatabaseKind,
                  "3000,C3,First,x,y,Z\n"
                  "1000,A1,One,x,y,Z\n"
                  "3000,C3,Second,x,y,Z\n"
                  "2000,B2,Two,x,y,Z\n"),
            0);
  EXPECT_EQ(ids(users()), (std::vector<int32_t>{1000, 2000, 3000}));
  // The quicksort moves the middle record to the front first, so of the two
  // 3000s the one that sorts first is the later line.
  EXPECT_EQ(users()[2].name(), "Second");
}

TEST_F(DatabaseParse, FieldsTakeTheirTextAsTheDatabaseStoresIt) {
  struct Case {
    const char* what;
    std::string line;
    std::string callSign;
    std::string name;
  };
  const std::vector<Case> cases = {
      {"quoted comma", "1,DL1A,\"Doe, John\",c,s,D", "DL1A", "Doe, John"},
      {"20-character call sign", "1,ABCDEFGHIJKLMNOPQRST,N,c,s,D", "ABCDEFGHIJKLMNO", "N"},
      // "ü" is two bytes in UTF-8: each becomes a blank.
      {"UTF-8 letter", "1,DL1A,M\xC3\xBCller,c,s,D", "DL1A", "M  ller"},
      {"control byte", "1,DL1A,A\tB,c,s,D", "DL1A", "A B"},
      {"name cut to 31", "1,DL1A,abcdefghijklmnopqrstuvwxyz0123456789,c,s,D", "DL1A",
       "abcdefghijklmnopqrstuvwxyz01234"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(parse(kUserDatabaseKind, c.line), 0);
    ASSERT_EQ(users().size(), 1u);
    EXPECT_EQ(users()[0].callSign(), c.callSign);
    EXPECT_EQ(users()[0].name(), c.name);
    // Every byte after a text is zero.
    const auto bytes = users()[0].bytes();
    const size_t callSignEnd = 4 + c.callSign.size();
    for (size_t i = callSignEnd; i < 20; ++i) EXPECT_EQ(bytes[i], 0) << i;
  }
}

TEST_F(DatabaseParse, SkipsLinesItCannotUse) {
  struct Case {
    const char* what;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"unclosed quote", "5,DL5E,\"Doe, John,c,s,D"},
      {"too few fields", "5,DL5E,N,c,s"},
      {"too many fields", "5,DL5E,N,c,s,D,7,8,9,10,11,12,13,14,15,16"},
      {"empty ID", ",DL5E,N,c,s,D"},
      {"ID not a number", "5x,DL5E,N,c,s,D"},
      {"empty call sign", "5,,N,c,s,D"},
      {"excluded ID", "2049125,DL5E,N,c,s,D"},
      {"excluded ID", "5059742,DL5E,N,c,s,D"},
      {"one character", "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(parse(kUserDatabaseKind, "1,DL1A,N,c,s,D\n" + c.line + "\n"), 0);
    EXPECT_EQ(ids(users()), std::vector<int32_t>{1});
  }
}

TEST_F(DatabaseParse, KindFromTheHeaderLine) {
  struct Case {
    std::string text;
    int32_t id;
    std::string country;
    bool lastHeard;
  };
  const std::string line = "7,DL7G,Name,City,State,Seven,Six\n";
  const std::vector<Case> cases = {
      {"Radio_ID,Callsign,Name,City,State,Country,Remarks\n" + line, 7, "Seven", false},
      {"radio id,callsign,name,city,state/prov,country,remarks\n" + line, 7, "Six", false},
      {"  RADIO ID,CALLSIGN,NAME,CITY,STATE,COUNTRY,REMARKS,Extra\n" + line, 7, "Seven", false},
      // Without a header, a long line ending in "DMR" is data.
      {"too,short,line,here,x\n8,DL8H,N,c,s,Land,DMR\n", 8, "Land", false},
      {"NUM;CALLSIGN;DMRID;NAME;AGE\n1;DL9I;9;Ina;12\n", 9, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(parse(kDetectKind, c.text), 0);
    const DatabaseRecordSet& list = c.lastHeard ? heard() : users();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].radioId(), c.id);
    EXPECT_EQ(list[0].country(), c.country);
  }
}

TEST_F(DatabaseParse, FailuresLeaveTheListsAsTheyWere) {
  ASSERT_EQ(parse(kUserDatabaseKind, "1,DL1A,N,c,s,D\n"), 0);
  struct Case {
    int kind;
    std::string text;
    int code;
    const char* status;
  };
  const std::vector<Case> cases = {
      {4, "1,DL1A,N,c,s,D\n", -1, "error: unknown database type"},
      {-1, "1,DL1A,N,c,s,D\n", -1, "error: unknown database type"},
      {kDetectKind, "", -2, "error: empty database"},
      {kDetectKind, "1,DL1A,N,c,s,D,remarks\n", -10, "Unknown .csv file format"},
      // A server's error page of 10000 bytes or more reaches the parser as a
      // user database; it must not wipe the one the user has.
      {kUserDatabaseKind, "<html>\n<body>Service unavailable, try later, please</body>\n</html>\n", -2,
       "error: empty database"},
      {kDetectKind, "Radio_ID,Callsign,Name,City,State,Country,Remarks\n", -2, "error: empty database"},
  };
  for (const Case& c : cases) {
    progress.statuses.clear();
    EXPECT_EQ(parse(c.kind, c.text), c.code);
    EXPECT_TRUE(progress.showed(c.status)) << c.status;
    EXPECT_EQ(ids(users()), std::vector<int32_t>{1});
    EXPECT_TRUE(std::filesystem::exists(database.filePath()));
  }
  // Nothing recognisable: kind 0 leaves the lists alone and succeeds.
  EXPECT_EQ(parse(kDetectKind, "a,b\nc,d,e,f,g\n"), 0);
  EXPECT_EQ(ids(users()), std::vector<int32_t>{1});
}

TEST_F(DatabaseParse, ReportsProgressEvery512Lines) {
  std::string text;
  for (int i = 1; i <= 1100; ++i) text += std::to_string(i) + ",C" + std::to_string(i) + ",N,c,s,D\n";
  ASSERT_EQ(parse(kUserDatabaseKind, text), 0);
  EXPECT_EQ(users().size(), 1100u);
  ASSERT_FALSE(progress.ranges.empty());
  EXPECT_EQ(progress.ranges.front(), 1101);  // the lines, counting the one after the last line end
  EXPECT_EQ(std::vector<int>(progress.positions.begin(), progress.positions.begin() + 2),
            (std::vector<int>{512, 1024}));
  for (const char* step : {"Parsing the database ", "Sorting the DMR database ",
                           "Removing duplicate entries ", "Saving database ", "Building the country list "}) {
    EXPECT_TRUE(progress.showed(step)) << step;
  }
}

TEST_F(DatabaseParse, AnEmptyLineFileReservesNoMoreThanItsBytesAllow) {
  const std::string blank(1 << 20, '\n');
  const ParsedDatabaseCsv parsed = parseDatabaseCsv(kUserDatabaseKind, bytesOf(blank), progress);
  EXPECT_EQ(parsed.result, 0);
  EXPECT_LE(parsed.records.capacity(), (blank.size() / 6 + 1) * 248);
}

TEST_F(DatabaseParse, ImportReadsTheWholeFile) {
  const std::string path =
      dir.write("users.csv", bytesOf("radio id,callsign,name,city,state/prov,country,remarks\n"
                                     "12,DL2B,Bea,Ulm,BW,DE,Germany\n"));
  ASSERT_EQ(importDatabase("  " + path + " ", {database, lastHeard}, progress), 0);
  ASSERT_EQ(users().size(), 1u);
  EXPECT_EQ(users()[0].country(), "Germany");

  struct Case {
    std::string path;
    int code;
    std::string status;
  };
  const std::string empty = dir.write("empty.csv", {});
  const std::vector<Case> failures = {
      {"  ", -2, "Error    "},
      {dir.file("missing.csv"), -3, ""},
      {empty, -5, "Error parsing the DMR database file .. " + empty + " "},
  };
  for (const Case& c : failures) {
    progress.statuses.clear();
    EXPECT_EQ(importDatabase(c.path, {database, lastHeard}, progress), c.code) << c.path;
    EXPECT_EQ(progress.statuses.back(), c.status);
  }
  EXPECT_EQ(users().size(), 1u);
}

}  // namespace
}  // namespace tamberlin
