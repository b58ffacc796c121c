#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "databases/database_progress.h"

namespace tamberlin {

// What a CSV holds: 0 tells from its header line.
enum DatabaseKind : int {
  kDetectKind = 0,
  kLastHeardKind = 1,
  kUserDatabaseKind = 2,
  // The user database with the state column named "state/prov" and the
  // country in the seventh column.
  kUserDatabaseAlternativeKind = 3,
};

struct ParsedDatabaseCsv {
  // 0, or -1 (unknown kind), -2 (no bytes), -10 (not a database file).
  int result = 0;
  // The kind the lines were read as; 0 when no header or data line was found.
  int kind = kDetectKind;
  // The records in line order, 248 bytes each.
  std::vector<uint8_t> records;
};

// The line walk of a database parse: splits the lines into fields, finds the
// kind, and turns each usable line into a record. Unusable lines are skipped
// without a word.
ParsedDatabaseCsv parseDatabaseCsv(int kind, std::span<const uint8_t> bytes, DatabaseProgress& progress);

// IDs that the user-database lines never take (they belong to network
// services, not users).
bool isExcludedRadioId(int32_t id);

}  // namespace tamberlin
