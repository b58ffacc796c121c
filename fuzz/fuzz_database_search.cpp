// The database list's search over records from a hostile file: fields without
// terminators, bytes above 0x7F, control bytes, any ID. The first byte gives
// the length of the search text, the next bytes the text; the rest are
// records. The rows must be exactly those a plain field-by-field look finds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "databases/database_view.h"
#include "databases/record_set.h"

namespace {

using namespace tamberlin;

constexpr size_t kRecord = DatabaseEntryView::kSize;

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return out;
}

// Trimming drops every character of code 0x20 and below, as the search box's
// text is trimmed.
std::string trimmedLowered(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return lowered(text);
}

bool plainMatch(const DatabaseEntryView& record, const std::string& needle) {
  if (needle.find('\0') != std::string::npos) return false;
  for (const std::string& field : {std::to_string(record.radioId()), lowered(record.callSign()),
                                   lowered(record.name()), lowered(record.country())}) {
    if (field.find(needle) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t needleSize = std::min<size_t>(data[0] % 8, size - 1);
  const std::string_view searchText(reinterpret_cast<const char*>(data + 1), needleSize);
  std::vector<uint8_t> bytes(data + 1 + needleSize, data + size);
  bytes.resize(bytes.size() - bytes.size() % kRecord);
  const SharedRecords records = makeRecords(bytes);

  const DatabaseView view =
      buildDatabaseView(DatabaseSource::Database, records, "All ", searchText, silentProgress());
  const std::string needle = trimmedLowered(searchText);
  std::vector<uint32_t> expected;
  for (size_t i = 0; i < records->size(); ++i) {
    if (needle.empty() || plainMatch((*records)[i], needle)) expected.push_back(static_cast<uint32_t>(i));
  }
  if (view.rows != expected) {
    std::fprintf(stderr, "search rows differ from the plain look\n");
    __builtin_trap();
  }
  return 0;
}
