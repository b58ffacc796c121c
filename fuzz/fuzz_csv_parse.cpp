// The database CSV parser over hostile text, for every kind. The first byte
// picks the kind (values past 3 must be refused); the records that come out
// must be whole, hold only printable ASCII with zero-filled tails, and sort
// into unique ascending IDs.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "databases/csv_fields.h"
#include "databases/database_csv.h"
#include "databases/record_sort.h"
#include "databases/t_database_file_entry.h"

namespace {

using namespace tamberlin;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    __builtin_trap();
  }
}

void checkText(std::span<const uint8_t> record, size_t offset, size_t size) {
  bool ended = false;
  for (size_t i = offset; i < offset + size; ++i) {
    if (record[i] == 0) {
      ended = true;
    } else {
      check(!ended, "zero tail");
      check(record[i] >= 0x20 && record[i] < 0x80, "printable text");
    }
  }
  check(ended, "terminated text");
}

void checkRecords(const std::vector<uint8_t>& records, bool lastHeard) {
  constexpr size_t kSize = DatabaseEntryView::kSize;
  check(records.size() % kSize == 0, "whole records");
  for (size_t at = 0; at < records.size(); at += kSize) {
    const auto record = std::span<const uint8_t>(records).subspan(at, kSize);
    checkText(record, DatabaseEntryView::kCallSignAt, DatabaseEntryView::kCallSignSize);
    checkText(record, DatabaseEntryView::kNameAt, DatabaseEntryView::kNameSize);
    for (const size_t place :
         {DatabaseEntryView::kCityAt, DatabaseEntryView::kStateAt, DatabaseEntryView::kCountryAt}) {
      checkText(record, place, DatabaseEntryView::kPlaceSize);
    }
    const DatabaseEntryView entry(record);
    if (lastHeard) {
      check(entry.city().empty() && entry.country().empty(), "last heard has no place");
    } else {
      check(!entry.callSign().empty() && !isExcludedRadioId(entry.radioId()), "usable user line");
      check(entry.age() == 0, "users have no age");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int kind = data[0] % 6;
  const std::span<const uint8_t> text(data + 1, size - 1);
  const ParsedDatabaseCsv parsed = parseDatabaseCsv(kind, text, silentProgress());
  if (kind > 3) check(parsed.result == -1, "unknown kind refused");
  if (text.empty()) check(parsed.result < 0, "empty text refused");
  if (parsed.result < 0) return 0;
  check(parsed.result == 0, "result code");
  checkRecords(parsed.records, parsed.kind == kLastHeardKind);

  if (parsed.kind == kUserDatabaseKind || parsed.kind == kUserDatabaseAlternativeKind) {
    const std::vector<uint8_t> sorted = sortedUniqueRecords(parsed.records, silentProgress());
    constexpr size_t kSize = DatabaseEntryView::kSize;
    for (size_t at = kSize; at < sorted.size(); at += kSize) {
      const auto previous = DatabaseEntryView(std::span<const uint8_t>(sorted).subspan(at - kSize, kSize));
      const auto current = DatabaseEntryView(std::span<const uint8_t>(sorted).subspan(at, kSize));
      check(previous.radioId() < current.radioId(), "ascending unique IDs");
    }
  }

  // The splitter alone, on the raw text as one line.
  std::vector<std::string> fields;
  splitCsvFields(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), fields);
  for (const std::string& field : fields) {
    check(field.find('"') == std::string::npos, "quotes are dropped");
  }
  return 0;
}
