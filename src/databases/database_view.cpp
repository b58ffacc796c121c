#include "databases/database_view.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Where `needle` (not empty) first occurs in `text` at or after `from`, or
// npos. With SSE2 it looks at 16 starts at once, keeping those where the
// needle's first and last bytes both fit, and compares only those: on names
// and call signs a library memmem spends most of its time on starts this
// throws away by the block.
size_t findFrom(std::string_view text, size_t from, std::string_view needle) {
  constexpr size_t npos = std::string_view::npos;
  const size_t n = needle.size();
  if (from > text.size() || n > text.size() - from) return npos;
  const char* const data = text.data();
  if (n == 1) {
    const void* found = std::memchr(data + from, needle.front(), text.size() - from);
    return found == nullptr ? npos : static_cast<size_t>(static_cast<const char*>(found) - data);
  }
  size_t i = from;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(needle.front());
  const __m128i last = _mm_set1_epi8(needle.back());
  for (; i + n - 1 + 16 <= text.size(); i += 16) {
    const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + n - 1));
    auto mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    while (mask != 0) {
      const auto at = i + static_cast<size_t>(std::countr_zero(mask));
      if (std::memcmp(data + at + 1, needle.data() + 1, n - 2) == 0) return at;
      mask &= mask - 1;
    }
  }
#endif
  // The starts left over, or all of them without SSE2.
  const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                                 std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
  return found == text.end() ? npos : static_cast<size_t>(found - text.begin());
}

// The rows that hold `search` (lower case, not empty), found in the search
// index: each hit names its record, and the search goes on from the start of
// the next record, so a record counts once and the rows stay in order.
void searchIndex(const DatabaseRecordSet& records, std::string_view search, bool anyCountry,
                 std::string_view filter, std::vector<uint32_t>& rows, DatabaseProgress& progress) {
  // No field holds a zero byte.
  if (search.find('\0') != std::string_view::npos) return;
  const DatabaseSearchIndex& index = records.searchIndex();
  const std::string_view text = index.text();
  const auto starts = index.starts();
  size_t from = 0;
  int reported = 0;
  while (from < text.size()) {
    const size_t hit = findFrom(text, from, search);
    if (hit == std::string_view::npos) break;
    const size_t record = index.recordAt(hit);
    if (anyCountry || equalsIgnoringCase(records[record].country(), filter)) {
      rows.push_back(static_cast<uint32_t>(record));
    }
    if (record + 1 == starts.size()) break;
    from = starts[record + 1];
    const int position = static_cast<int>((record + 1) / kProgressEvery * kProgressEvery);
    if (position > reported) progress.setPosition(reported = position);
  }
}

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
  if (!search.empty() && records.searchIndex().usable()) {
    searchIndex(records, search, anyCountry, filter, view.rows, progress);
    return view;
  }
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
