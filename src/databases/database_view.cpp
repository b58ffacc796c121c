#include "databases/database_view.h"

#include <charconv>

#include "databases/csv_fields.h"
#include "support/ascii_text.h"

namespace tamberlin {

namespace {

constexpr int kProgressEvery = 128;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// `needle` is lower case already.
bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
  if (needle.size() > haystack.size()) return false;
  const char first = needle.front();
  const size_t last = haystack.size() - needle.size();
  for (size_t i = 0; i <= last; ++i) {
    if (lower(haystack[i]) != first) continue;
    size_t k = 1;
    while (k < needle.size() && lower(haystack[i + k]) == needle[k]) ++k;
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

bool matchesSearch(const DatabaseEntryView& record, std::string_view search) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, record.radioId()).ptr;
  return std::string_view(digits, static_cast<size_t>(end - digits)).find(search) != std::string_view::npos ||
         containsIgnoringCase(record.callSign(), search) || containsIgnoringCase(record.name(), search) ||
         containsIgnoringCase(record.country(), search);
}

}  // namespace

DatabaseView buildDatabaseView(DatabaseSource sourceKind, SharedRecords source, std::string_view countryFilter,
                               std::string_view searchText, DatabaseProgress& progress) {
  const std::string filter = asciiLowerCased(trimmedField(countryFilter));
  const std::string search = asciiLowerCased(trimmedField(searchText));
  const bool anyCountry = filter == "all";

  DatabaseView view;
  view.source = sourceKind;
  view.records = source ? std::move(source) : emptyRecords();
  const DatabaseRecordSet& records = *view.records;
  progress.setRange(static_cast<int>(records.size()));
  view.rows.reserve(anyCountry && search.empty() ? records.size() : 0);
  for (size_t i = 0; i < records.size(); ++i) {
    const DatabaseEntryView record = records[i];
    if ((anyCountry || equalsIgnoringCase(record.country(), filter)) &&
        (search.empty() || matchesSearch(record, search))) {
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
