#include "databases/database_parse.h"

#include <fstream>
#include <new>
#include <vector>

#include "databases/csv_fields.h"
#include "databases/database_csv.h"
#include "databases/last_heard.h"
#include "databases/user_database.h"
#include "support/large_buffer.h"

namespace tamberlin {

int parseDatabase(int kind, std::span<const uint8_t> bytes, DatabaseLists lists, DatabaseProgress& progress) {
  ParsedDatabaseCsv parsed = parseDatabaseCsv(kind, bytes, progress);
  if (parsed.result < 0) return parsed.result;
  if (parsed.kind == kUserDatabaseKind || parsed.kind == kUserDatabaseAlternativeKind) {
    // Not one usable line (an error page, a header alone): the database the
    // user has is worth more than an empty one.
    if (parsed.records.empty()) {
      progress.status("error: empty database");
      progress.hide();
      return -2;
    }
    lists.database.adoptParsed(std::move(parsed.records), progress);
  } else if (parsed.kind == kLastHeardKind) {
    if (lists.lastHeard.adoptParsed(std::move(parsed.records), lists.database, progress) < 0) return -6;
  }
  progress.hide();
  return 0;
}

int importDatabase(const std::string& path, DatabaseLists lists, DatabaseProgress& progress) {
  progress.status("Parsing the DMR database " + path + " ");
  const std::string trimmed(trimmedField(path));
  if (trimmed.empty()) {
    progress.status("Error " + path + " ");
    return -2;
  }
  std::ifstream file(trimmed, std::ios::binary);
  if (!file) {
    progress.status("");
    return -3;
  }
  const auto fail = [&](int code) {
    progress.status("Error parsing the DMR database file .. " + trimmed + " ");
    return code;
  };
  if (!file.seekg(0, std::ios::end)) return fail(-4);
  const std::streamoff size = file.tellg();
  if (size <= 0) return fail(-5);
  if (static_cast<uint64_t>(size) > kMaxImportSize) return fail(-6);
  std::vector<uint8_t> bytes;
  try {
    reserveLargeBuffer(bytes, static_cast<size_t>(size));
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return fail(-6);
  }
  if (!file.seekg(0, std::ios::beg)) return fail(-7);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return fail(-8);
  return parseDatabase(kDetectKind, bytes, lists, progress);
}

}  // namespace tamberlin
