#include "databases/csv_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamberlin {
namespace {

TEST(CsvFields, SplitsQuotesAndSeparators) {
  struct Case {
    std::string line;
    std::vector<std::string> fields;
  };
  const std::vector<Case> cases = {
      {"1,A,B", {"1", "A", "B"}},
      {"1;A|B,C", {"1", "A", "B", "C"}},
      {"  1 ,  A  , B  ", {"1", "A", "B"}},
      {"1,\"Doe, John\",X", {"1", "Doe, John", "X"}},
      {"1,\"a;b|c\"", {"1", "a;b|c"}},
      {"ab\"cd\"ef,g", {"abcdef", "g"}},
      {"1,,,", {"1", "", ""}},
      {"1,,,x", {"1", "", "", "x"}},
      {",", {""}},
      {"", {}},
      // A quote left open drops what came before; the rest is the last field.
      {"1,2,\"open,3", {"open,3"}},
      {"1,2,\"", {}},
      {"1,\" padded \",2", {"1", "padded", "2"}},
  };
  std::vector<std::string> fields{"left over"};
  for (const Case& c : cases) {
    splitCsvFields(c.line, fields);
    EXPECT_EQ(fields, c.fields) << c.line;
  }
}

}  // namespace
}  // namespace tamberlin
