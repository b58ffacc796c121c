// The view's text search reads a search index built beside the records; these
// cases hold it to a plain field-by-field search over the records themselves.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "databases/database_view.h"
#include "databases/record_set.h"
#include "databases/t_database_file_entry.h"

namespace tamberlin {
namespace {

constexpr size_t kSize = DatabaseEntryView::kSize;

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return out;
}

std::string trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return std::string(text);
}

// What the view must show, record by record and field by field.
std::vector<uint32_t> referenceRows(const DatabaseRecordSet& records, std::string_view country,
                                    std::string_view search) {
  const std::string filter = lowered(trimmed(country));
  const std::string needle = lowered(trimmed(search));
  std::vector<uint32_t> rows;
  for (size_t i = 0; i < records.size(); ++i) {
    const DatabaseEntryView r = records[i];
    if (filter != "all" && lowered(r.country()) != filter) continue;
    const std::string fields[] = {std::to_string(r.radioId()), lowered(r.callSign()), lowered(r.name()),
                                  lowered(r.country())};
    bool found = needle.empty();
    for (const std::string& field : fields) found = found || field.find(needle) != std::string::npos;
    if (found) rows.push_back(static_cast<uint32_t>(i));
  }
  return rows;
}

std::vector<uint32_t> viewRows(const SharedRecords& records, std::string_view country,
                               std::string_view search) {
  return buildDatabaseView(DatabaseSource::Database, records, country, search, silentProgress()).rows;
}

// A record written byte for byte, as a file from elsewhere may hold it: texts
// are copied as they are, and one that fills its field gets no terminator.
struct RawRecord {
  int32_t id;
  std::string callSign, name, city, country;
  std::string callSignTail = {};  // bytes after the terminator
};

void put(std::vector<uint8_t>& bytes, size_t at, size_t size, std::string_view text) {
  std::memcpy(bytes.data() + at, text.data(), std::min(size, text.size()));
}

SharedRecords rawRecords(const std::vector<RawRecord>& list) {
  std::vector<uint8_t> bytes(list.size() * kSize, 0);
  for (size_t i = 0; i < list.size(); ++i) {
    const RawRecord& r = list[i];
    const size_t at = i * kSize;
    t_database_file_entry(std::span<uint8_t>(bytes).subspan(at, kSize)).setRadioId(r.id);
    put(bytes, at + DatabaseEntryView::kCallSignAt, DatabaseEntryView::kCallSignSize, r.callSign);
    if (!r.callSignTail.empty()) {
      put(bytes, at + DatabaseEntryView::kCallSignAt + r.callSign.size() + 1,
          DatabaseEntryView::kCallSignSize - r.callSign.size() - 1, r.callSignTail);
    }
    put(bytes, at + DatabaseEntryView::kNameAt, DatabaseEntryView::kNameSize, r.name);
    put(bytes, at + DatabaseEntryView::kCityAt, DatabaseEntryView::kPlaceSize, r.city);
    put(bytes, at + DatabaseEntryView::kCountryAt, DatabaseEntryView::kPlaceSize, r.country);
    // The age after the country: found only if a country without terminator
    // were read past its field.
    put(bytes, at + DatabaseEntryView::kAgeAt, 4, "AGE!");
  }
  return makeRecords(std::move(bytes));
}

SharedRecords trickyRecords() {
  return rawRecords({
      {1000, "DL1ABC", "Anna Maria", "Marburg", "Germany"},
      {-42, "N0-CALL", "\xC9mile Dupont", "Lyon", "FRANCE"},
      // A call sign that fills its field runs straight into the name.
      {2147483647, "ABCDEFGHIJKLMNOP", "Zed", "Oslo", "Norway"},
      {7, "K7\x01X", "Jo\tAnn", "Boston", "United States"},
      {123456, "W1AW", "Zyxwvutsrqponmlkjihgfedcba987654", "Newington", std::string(64, 'X')},
      {0, "G0XYZ", "", "", ""},
      {-2147483648, "VK2-1", "Bob Smith-Jones", "Sydney", "Australia"},
      {31000, "AB", "Carla", "Berlin", "germany", "QQ"},
      {2000, "DM2MAR", "Mar Mar", "Hamburg", "Germany"},
  });
}

TEST(DatabaseSearch, KnownRowsOfTrickyRecords) {
  const SharedRecords records = trickyRecords();
  ASSERT_TRUE(records->searchIndex().usable());
  struct Case {
    std::string country, search;
    std::vector<uint32_t> rows;
  };
  const std::vector<Case> cases = {
      {"All", "mar", {0, 8}},  // Marburg is a city, not searched; DM2MAR counts once
      {"All", "opzed", {}},    // the full call sign ends at its field
      {"All", "op", {2}},
      {"All", "qq", {}},     // bytes after a terminator are not text
      {"All", "-", {1, 6}},  // only negative IDs and texts with a dash
      {"All", "2-1", {6}},
      {"All", "2147483648", {6}},
      {"All", "age", {}},  // a full country ends before the age
      {"All", std::string(64, 'x'), {4}},
      {"All", std::string("a\0b", 3), {}},
      {"All", "\xE9", {}},  // only A-Z change case
      {" GERMANY ", "a", {0, 7, 8}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(viewRows(records, c.country, c.search), c.rows) << "'" << c.country << "' '" << c.search << "'";
  }
}

TEST(DatabaseSearch, MatchesFieldByFieldSearch) {
  const SharedRecords records = trickyRecords();
  const std::vector<std::string> countries = {"All", "germany", " FRANCE ", "Australia", "", "Norway"};
  const std::vector<std::string> searches = {"",
                                             "mar",
                                             "MAR",
                                             " 1000 ",
                                             "-",
                                             "-4",
                                             "42",
                                             "-42",
                                             "2147483647",
                                             "0",
                                             "00",
                                             "op",
                                             "opzed",
                                             "p",
                                             "\xC9",
                                             "\xC9MILE",
                                             "k7\x01x",
                                             "jo\tann",
                                             "smith-jones",
                                             "2-1",
                                             "vk2-1",
                                             "cd",
                                             "ab",
                                             "x",
                                             "xxxxxxxx",
                                             "berlin",
                                             "he",
                                             "age",
                                             "zed",
                                             "2345",
                                             "a",
                                             "n",
                                             "y",
                                             std::string(70, 'x'),
                                             std::string("\0", 1),
                                             std::string("mar\0", 4),
                                             "ed",
                                             "5",
                                             "zyxwvutsrqponmlkjihgfedcba987654",
                                             "qq"};
  for (const std::string& country : countries) {
    for (const std::string& search : searches) {
      EXPECT_EQ(viewRows(records, country, search), referenceRows(*records, country, search))
          << "'" << country << "' '" << search << "'";
    }
  }
}

// Random bytes from a small alphabet, zero bytes and full fields included, so
// every field edge and the last record get hit.
TEST(DatabaseSearch, MatchesFieldByFieldSearchOnRandomRecords) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("aAbB-1\x80\x01", 8) + std::string(1, '\0');
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int32_t> id(-1200, 1200);
  std::vector<uint8_t> bytes(600 * kSize);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(alphabet[pick(random)]);
  for (size_t r = 0; r < 600; ++r) {
    t_database_file_entry(std::span<uint8_t>(bytes).subspan(r * kSize, kSize)).setRadioId(id(random));
  }
  const SharedRecords records = makeRecords(std::move(bytes));
  ASSERT_TRUE(records->searchIndex().usable());
  std::uniform_int_distribution<size_t> length(1, 4);
  for (int n = 0; n < 300; ++n) {
    std::string search;
    for (size_t k = length(random); k > 0; --k) search.push_back(alphabet[pick(random)]);
    for (const char* country : {"All", "a", "aAbB"}) {
      EXPECT_EQ(viewRows(records, country, search), referenceRows(*records, country, search))
          << "'" << country << "' '" << search << "'";
    }
  }
}

}  // namespace
}  // namespace tamberlin
