#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "databases/dat_container.h"
#include "databases/database_progress.h"
#include "databases/database_view.h"
#include "databases/record_set.h"

namespace tamberlin {

class UserDatabase;

inline constexpr const char* kLastHeardFileName = "dmr_last_heard.dat";

// The users most recently heard on the network, in the order the list server
// sent them, kept in "dmr_last_heard.dat". Independent of the user database
// once its entries have been completed from it.
class LastHeardList {
 public:
  explicit LastHeardList(std::filesystem::path dataDirectory);

  const SharedRecords& records() const { return records_; }
  std::filesystem::path filePath() const { return directory_ / kLastHeardFileName; }

  // Freshly parsed records: each whose ID the database knows becomes that
  // database record, then the list is saved. 0, or -6 when saving failed.
  int adoptParsed(std::vector<uint8_t> records, const UserDatabase& database, DatabaseProgress& progress);

  // The record count, 0 (empty: the file is deleted), or -2 (cannot create),
  // -3/-4 (stored write), -5 (no buffer), -6 (compression), -7/-8 (compressed
  // write); failures leave the earlier file as it was.
  int save(DatabaseProgress& progress, const DatSaveOptions& options = {});
  // The record count or -1 … -18 with an empty list.
  int load(DatabaseProgress& progress);

  // Removes, for each selected row, the first record with its ID, and saves.
  // true when anything went (the caller then rebuilds the country list).
  bool deleteSelected(const DatabaseView& view, std::span<const size_t> selectedRows,
                      DatabaseProgress& progress);
  // Empties the list and deletes its file.
  void clear(DatabaseProgress& progress);

 private:
  std::filesystem::path directory_;
  SharedRecords records_;
};

}  // namespace tamberlin
