#pragma once

#include <filesystem>

#include "databases/database_parse.h"
#include "databases/database_progress.h"
#include "databases/last_heard.h"
#include "databases/user_database.h"

namespace tamberlin {

class CCommon;

// The user database and the last-heard list that one data folder keeps, as
// the program holds them: the window and tamberlin-cli both start from here.
class DatabaseFolder {
 public:
  DatabaseFolder(CCommon& common, const std::filesystem::path& directory)
      : database_(common, directory), lastHeard_(directory) {}

  // What the window does once all editors exist: the database file, its
  // country list, then the last-heard file. A missing or damaged file leaves
  // its list empty without a word.
  void load(DatabaseProgress& progress);

  UserDatabase& database() { return database_; }
  const UserDatabase& database() const { return database_; }
  LastHeardList& lastHeard() { return lastHeard_; }
  const LastHeardList& lastHeard() const { return lastHeard_; }
  DatabaseLists lists() { return {database_, lastHeard_}; }

 private:
  UserDatabase database_;
  LastHeardList lastHeard_;
};

}  // namespace tamberlin
