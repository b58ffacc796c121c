#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "databases/database_progress.h"
#include "databases/record_set.h"

namespace tamberlin {

enum class DatabaseSource { Database, LastHeard };

// The rows the database list shows: indices into the source list it was built
// from, which it keeps alive, so rows stay valid while the lists change.
struct DatabaseView {
  DatabaseSource source = DatabaseSource::Database;
  SharedRecords records = emptyRecords();
  std::vector<uint32_t> rows;

  size_t size() const { return rows.size(); }
  DatabaseEntryView row(size_t index) const { return (*records)[rows[index]]; }
};

// The records of `source` whose country equals the filter (trimmed, any case;
// "All" takes every country) and whose radio ID, call sign, name or country
// holds the search text (trimmed, any case), in source order.
DatabaseView buildDatabaseView(DatabaseSource sourceKind, SharedRecords source,
                               std::string_view countryFilter, std::string_view searchText,
                               DatabaseProgress& progress);

// "DMR Ham Database   12 " or "DMR Ham Last Heard   2 of 12 selected ".
std::string databaseViewTitle(DatabaseSource source, size_t rowCount, size_t selectedCount);

}  // namespace tamberlin
