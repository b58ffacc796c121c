#include "databases/database_view.h"

#include <algorithm>
#include <charconv>

#include "databases/csv_fields.h"
#include "support/ascii_text.h"

namespace tamberlin {

namespace {

constexpr int kProgressEvery = 128;

struct LowerTable {
  char map[256];
  constexpr LowerTable() : map() {
    for (int c = 0; c < 256; ++c) map[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  }
};
constexpr LowerTable kLower;

char lower(char c) { return kLower.map[static_cast<unsigned char>(c)]; }

// Whether a zero-terminated text field holds `needle` (lower case, not
// empty), in one pass that ends at the terminator.
bool fieldContains(std::span<const uint8_t> field, std::string_view needle) {
  const char first = needle.front();
  for (size_t i = 0; i < field.size() && field[i] != 0; ++i) {
    if (lower(static_cast<char>(field[i])) != first) continue;
    size_t k = 1;
    while (k < needle.size() && i + k < field.size() && field[i + k] != 0 &&
           lower(static_cast<char>(field[i + k])) == needle[k]) {
      ++k;
    }
    if (k == needle.size()) return true;
  }
  return false;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerText) {
  if (text.size() != lowerText.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (lower(text[i]) != lowerText[i]) return false;
  }
  return true;
}

class Search {
 public:
  explicit Search(std::string_view lowerText)
      : text_(lowerText),
        digitsOnly_(
            std::all_of(lowerText.begin(), lowerText.end(), [](char c) { return c >= '0' && c <= '9'; })) {}

  bool matches(const DatabaseEntryView& record) const {
    // Only a search of digits can occur in a decimal ID.
    if (digitsOnly_ || text_.front() == '-') {
      char digits[16];
      const auto end = std::to_chars(digits, digits + sizeof digits, record.radioId()).ptr;
      if (std::string_view(digits, static_cast<size_t>(end - digits)).find(text_) != std::string_view::npos) {
        return true;
      }
    }
    const auto bytes = record.bytes();
    return fieldContains(bytes.subspan(DatabaseEntryView::kCallSignAt, DatabaseEntryView::kCallSignSize),
                         text_) ||
           fieldContains(bytes.subspan(DatabaseEntryView::kNameAt, DatabaseEntryView::kNameSize), text_) ||
           fieldContains(bytes.subspan(DatabaseEntryView::kCountryAt, DatabaseEntryView::kPlaceSize), text_);
  }

 private:
  std::string_view text_;
  bool digitsOnly_;
};

}  // namespace

DatabaseView buildDatabaseView(DatabaseSource sourceKind, SharedRecords source,
                               std::string_view countryFilter, std::string_view searchText,
                               DatabaseProgress& progress) {
  const std::string filter = asciiLowerCased(trimmedField(countryFilter));
  const std::string search = asciiLowerCased(trimmedField(searchText));
  const bool anyCountry = filter == "all";

  DatabaseView view;
  view.source = sourceKind;
  view.records = source ? std::move(source) : emptyRecords();
  const DatabaseRecordSet& records = *view.records;
  progress.setRange(static_cast<int>(records.size()));
  view.rows.reserve(anyCountry && search.empty() ? records.size() : 0);
  const Search searcher(search);
  for (size_t i = 0; i < records.size(); ++i) {
    const DatabaseEntryView record = records[i];
    if ((anyCountry || equalsIgnoringCase(record.country(), filter)) &&
        (search.empty() || searcher.matches(record))) {
      view.rows.push_back(static_cast<uint32_t>(i));
    }
    if ((i + 1) % kProgressEvery == 0) progress.setPosition(static_cast<int>(i + 1));
  }
  return view;
}

std::string databaseViewTitle(DatabaseSource source, size_t rowCount, size_t selectedCount) {
  std::string title = source == DatabaseSource::Database ? "DMR Ham Database " : "DMR Ham Last Heard ";
  if (selectedCount > 0) {
    title += "  " + std::to_string(selectedCount) + " of " + std::to_string(rowCount) + " selected ";
  } else {
    title += "  " + std::to_string(rowCount) + " ";
  }
  return title;
}

}  // namespace tamberlin
