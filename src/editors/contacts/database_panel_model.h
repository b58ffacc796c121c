#pragma once

#include <cstddef>
#include <string>

#include "databases/database_view.h"
#include "databases/t_database_file_entry.h"

namespace tamberlin {

// Columns of the database list.
enum class DatabaseColumn { DmrId, Callsign, Name, City, State, Country };
inline constexpr int kDatabaseColumnCount = 6;
inline constexpr const char* kDatabaseColumnTitles[kDatabaseColumnCount] = {"DMR ID", "Callsign", "Name",
                                                                            "City",   "State",    "Country"};

std::string databaseCellText(const DatabaseEntryView& record, DatabaseColumn column);

// What the database side of the contacts window may do now.
struct DatabasePanelInput {
  bool hasCodeplug = false;
  int freeContacts = 0;
  size_t selectedRows = 0;
  DatabaseSource source = DatabaseSource::Database;
  size_t shownListSize = 0;  // records of the list the view is built from
  bool busy = false;         // a download, import or parse is running
};

struct DatabasePanelState {
  bool addToContacts = false;
  bool deleteButton = false;  // only the database is deleted from by button
  bool deleteItem = false;
  bool unselectAllItem = false;
  bool selectAllItem = false;  // never offered: a select-all of 300,000 rows is no use
  bool clearItem = false;
  bool import = false;
  bool browse = false;  // source buttons, country filter and search
};

DatabasePanelState databasePanelState(const DatabasePanelInput& input);

}  // namespace tamberlin
