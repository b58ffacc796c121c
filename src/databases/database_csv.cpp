#include "databases/database_csv.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "databases/csv_fields.h"
#include "databases/t_database_file_entry.h"
#include "support/ascii_text.h"
#include "support/large_buffer.h"

namespace tamberlin {

namespace {

constexpr size_t kMinFields = 5;
constexpr size_t kMaxFields = 15;
constexpr int kProgressEvery = 512;
// The shortest line that can give a record ("1,A,,,,").
constexpr size_t kShortestRecordLine = 6;

struct HeaderLine {
  std::string_view text;
  bool atStart;
  int kind;
};

constexpr std::array<HeaderLine, 4> kHeaderLines{{
    {"num;callsign;dmrid;name;age", true, kLastHeardKind},
    {"radio_id,callsign,name,city,state,country,remarks", false, kUserDatabaseKind},
    {"radio id,callsign,name,city,state/prov,country,remarks", false, kUserDatabaseAlternativeKind},
    {"radio id,callsign,name,city,state,country,remarks", false, kUserDatabaseKind},
}};

// Where each kind finds its columns (0-based; -1 for none).
struct Columns {
  size_t minFields;
  int id, callSign, name, city, state, country, age;
};

Columns columnsFor(int kind) {
  switch (kind) {
    case kLastHeardKind: return {5, 2, 1, 3, -1, -1, -1, 4};
    case kUserDatabaseKind: return {6, 0, 1, 2, 3, 4, 5, -1};
    default: return {7, 0, 1, 2, 3, 4, 6, -1};
  }
}

bool parseInteger(std::string_view text, int32_t& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int headerKind(std::string_view trimmedLine) {
  const std::string lower = asciiLowerCased(trimmedLine);
  for (const HeaderLine& header : kHeaderLines) {
    const bool found =
        header.atStart ? lower.starts_with(header.text) : lower.find(header.text) != std::string::npos;
    if (found) return header.kind;
  }
  return kDetectKind;
}

// Line ends become zero bytes, other control bytes and every byte above ASCII
// become blanks, so a record only ever holds 0x20-0x7F.
std::string normalisedText(std::span<const uint8_t> bytes, int& lines) {
  std::string text(bytes.size() + 1, '\0');
  lines = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = bytes[i];
    if (b == '\r' || b == '\n') {
      ++lines;
    } else {
      text[i] = (b < 0x20 || b >= 0x80) ? ' ' : static_cast<char>(b);
    }
  }
  ++lines;
  return text;
}

class LineParser {
 public:
  LineParser(int kind, size_t capacity) {
    result_.kind = kind;
    capacity_ = capacity;
    if (kind != kDetectKind) fixKind(kind);
  }

  // false when the file turned out not to be a database.
  bool line(std::string_view text) {
    if (text.size() == 1) return true;
    splitCsvFields(text, fields_);
    if (fields_.size() < kMinFields || fields_.size() > kMaxFields) return true;
    if (result_.kind == kDetectKind) {
      const int header = headerKind(trimmedField(text));
      if (header != kDetectKind) {
        fixKind(header);
        return true;
      }
      if (fields_.size() < 7) return true;
      if (asciiLowerCased(fields_.back()) != "dmr") return false;
      fixKind(kUserDatabaseKind);
    }
    addRecord();
    return true;
  }

  ParsedDatabaseCsv take() { return std::move(result_); }

 private:
  void fixKind(int kind) {
    result_.kind = kind;
    columns_ = columnsFor(kind);
    result_.records.clear();
    reserveLargeBuffer(result_.records, capacity_ * DatabaseEntryView::kSize);
  }

  const std::string& field(int column) const { return fields_[static_cast<size_t>(column)]; }

  void addRecord() {
    if (fields_.size() < columns_.minFields) return;
    int32_t id = 0;
    if (!parseInteger(field(columns_.id), id)) return;
    const bool lastHeard = result_.kind == kLastHeardKind;
    if (!lastHeard && (field(columns_.callSign).empty() || isExcludedRadioId(id))) return;

    const size_t at = result_.records.size();
    result_.records.resize(at + DatabaseEntryView::kSize);
    t_database_file_entry record(std::span<uint8_t>(result_.records).subspan(at, DatabaseEntryView::kSize));
    record.setRadioId(id);
    record.setCallSign(field(columns_.callSign));
    record.setName(field(columns_.name));
    if (lastHeard) {
      int32_t age = 0;
      record.setAge(parseInteger(field(columns_.age), age) ? age : 0);
    } else {
      record.setCity(field(columns_.city));
      record.setState(field(columns_.state));
      record.setCountry(field(columns_.country));
    }
  }

  ParsedDatabaseCsv result_;
  Columns columns_{};
  size_t capacity_ = 0;
  std::vector<std::string> fields_;
};

}  // namespace

bool isExcludedRadioId(int32_t id) {
  static constexpr std::array<int32_t, 6> kExcluded{2049125, 2049881, 2049882, 2080332, 2080673, 5059742};
  return std::find(kExcluded.begin(), kExcluded.end(), id) != kExcluded.end();
}

ParsedDatabaseCsv parseDatabaseCsv(int kind, std::span<const uint8_t> bytes, DatabaseProgress& progress) {
  progress.status("Parsing the database ");
  if (kind < kDetectKind || kind > kUserDatabaseAlternativeKind) {
    progress.status("error: unknown database type");
    return {-1, kind, {}};
  }
  if (bytes.empty()) {
    progress.status("error: empty database");
    return {-2, kind, {}};
  }
  int lines = 0;
  const std::string text = normalisedText(bytes, lines);
  progress.setRange(lines);

  // Room for the counted lines, but never more than the bytes could fill:
  // a file of empty lines must not reserve gigabytes.
  const size_t capacity =
      std::min<size_t>(static_cast<size_t>(lines), bytes.size() / kShortestRecordLine + 1);
  LineParser parser(kind, capacity);
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    const size_t end = text.find('\0', start);
    if (!parser.line(std::string_view(text).substr(start, end - start))) {
      progress.status("Unknown .csv file format");
      progress.hide();
      ParsedDatabaseCsv failed = parser.take();
      failed.result = -10;
      return failed;
    }
    if (++number % kProgressEvery == 0) progress.setPosition(number);
    start = end + 1;
  }
  progress.status("");
  return parser.take();
}

}  // namespace tamberlin
