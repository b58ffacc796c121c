#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "databases/dat_container.h"
#include "databases/database_progress.h"
#include "databases/database_view.h"
#include "databases/record_set.h"

namespace tamberlin {

class CCommon;

inline constexpr const char* kUserDatabaseFileName = "dmr_database.dat";

// The DMR user database side of the contacts window: its records in ascending
// ID order without duplicates, kept in "dmr_database.dat" in the data folder.
// The records are the very set the codeplug manager holds, never a copy.
class UserDatabase {
 public:
  UserDatabase(CCommon& common, std::filesystem::path dataDirectory);

  const SharedRecords& records() const { return records_; }
  std::filesystem::path filePath() const { return directory_ / kUserDatabaseFileName; }
  // The country list as last rebuilt (after start-up loading, a parse or a
  // delete; a clear leaves it).
  const std::vector<std::string>& countries() const { return countries_; }
  void rebuildCountryList(DatabaseProgress& progress);

  // Freshly parsed records in line order: sorts them, drops duplicate IDs,
  // saves the file and rebuilds the country list.
  void adoptParsed(std::vector<uint8_t> records, DatabaseProgress& progress);

  // Writes the records to `path` and makes them the manager's copy. The
  // record count, 0 (no records: the file is deleted) or -1 (empty path),
  // -3 (cannot create), -5 (stored write), -6 (no buffer), -7 (compression),
  // -9 (compressed write). A failed write leaves the earlier file as it was.
  int save(const std::filesystem::path& path, const DatSaveOptions& options = {});
  // Reads a database file into the manager's copy and the window's records:
  // the record count or -1 … -18 (the list is then empty). Out-of-order or
  // repeated IDs in the file are put right, as FindById needs them sorted.
  int load(const std::filesystem::path& path);

  // The index of the record with this ID, -1 when the database is empty, -2
  // when the ID is absent.
  int findById(int32_t id) const;

  // Deletes the records shown in the given rows of a view of the database,
  // then saves and rebuilds the country list. true when anything went.
  bool deleteSelected(const DatabaseView& view, std::span<const size_t> selectedRows,
                      DatabaseProgress& progress);
  // Empties the database and deletes its file; the country list stays.
  void clear();

 private:
  void publish(SharedRecords records);

  CCommon& common_;
  std::filesystem::path directory_;
  SharedRecords records_;
  std::vector<std::string> countries_;
};

// Radio IDs that a selected row may delete: the 24 bits a DMR ID has.
inline bool isDeletableRadioId(int32_t id) { return id >= 0 && id <= 16777215; }

}  // namespace tamberlin
