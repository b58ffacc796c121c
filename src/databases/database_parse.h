#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "databases/database_progress.h"

namespace tamberlin {

class LastHeardList;
class UserDatabase;

// The two lists a database CSV can fill.
struct DatabaseLists {
  UserDatabase& database;
  LastHeardList& lastHeard;
};

// Parses CSV bytes of the given kind (0 detects it from the header line) into
// the user database (then sorted, de-duplicated, saved, country list rebuilt)
// or the last-heard list (then completed from the database and saved).
// 0 or -1 (unknown kind), -2 (no bytes, or not one usable user-database
// line: the database stays), -6 (last heard not saved), -10 (not a database
// file). The caller rebuilds the view afterwards.
int parseDatabase(int kind, std::span<const uint8_t> bytes, DatabaseLists lists, DatabaseProgress& progress);

// Reads a whole file and parses it as kind 0. The parse's result, or -2
// (empty path), -3 (cannot open), -4 … -8 (cannot be read whole).
int importDatabase(const std::string& path, DatabaseLists lists, DatabaseProgress& progress);

// The largest file an import reads: far beyond any real database.
inline constexpr uint64_t kMaxImportSize = 1ull << 30;

}  // namespace tamberlin
