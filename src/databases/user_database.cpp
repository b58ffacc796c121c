#include "databases/user_database.h"

#include <algorithm>
#include <system_error>

#include "codeplug/ccommon.h"
#include "databases/country_list.h"
#include "databases/record_sort.h"

namespace tamberlin {

namespace {

constexpr int kDeleteProgressEvery = 32;

int saveCode(DatSaveStatus status, int count) {
  switch (status) {
    case DatSaveStatus::Ok: return count;
    case DatSaveStatus::CannotCreate: return -3;
    case DatSaveStatus::StoredWriteFailed: return -5;
    case DatSaveStatus::NoCompressionBuffer: return -6;
    case DatSaveStatus::CompressionFailed: return -7;
    case DatSaveStatus::CompressedWriteFailed: break;
  }
  return -9;
}

bool sortedUnique(std::span<const uint8_t> records) {
  constexpr size_t kSize = DatabaseEntryView::kSize;
  for (size_t at = kSize; at + kSize <= records.size(); at += kSize) {
    if (DatabaseEntryView(records.subspan(at - kSize, kSize)).radioId() >=
        DatabaseEntryView(records.subspan(at, kSize)).radioId()) {
      return false;
    }
  }
  return true;
}

}  // namespace

UserDatabase::UserDatabase(CCommon& common, std::filesystem::path dataDirectory)
    : common_(common), directory_(std::move(dataDirectory)), records_(common.userDatabase()) {}

void UserDatabase::publish(SharedRecords records) {
  records_ = std::move(records);
  common_.setUserDatabase(records_);
}

void UserDatabase::rebuildCountryList(DatabaseProgress& progress) {
  countries_ = buildCountryList(*common_.userDatabase(), progress);
}

void UserDatabase::adoptParsed(std::vector<uint8_t> records, DatabaseProgress& progress) {
  records_ = makeRecords(sortedUniqueRecords(records, progress));
  // Gone before the compression buffer is taken, so an import peaks at two
  // copies of the records rather than three.
  std::vector<uint8_t>().swap(records);
  progress.status("Saving database ");
  save(filePath());
  progress.status("");
  rebuildCountryList(progress);
}

int UserDatabase::save(const std::filesystem::path& path, const DatSaveOptions& options) {
  publish(records_);
  if (path.empty()) return -1;
  const DatabaseRecordSet& records = *records_;
  if (records.empty()) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return 0;
  }
  const int count = static_cast<int>(records.size());
  return saveCode(
      saveDatFile(path, kUserDatabaseMagic, static_cast<uint32_t>(count), records.bytes(), options), count);
}

int UserDatabase::load(const std::filesystem::path& path) {
  common_.setUserDatabase(emptyRecords());
  std::vector<uint8_t> raw;
  const int result = loadDatFile(path, kUserDatabaseMagic, DatabaseEntryView::kSize, raw);
  if (result > 0) {
    // Only this program writes the file, but FindById and the duplicate rule
    // rely on the order, so a file from elsewhere is put in order, before the
    // set (and its search index) is built.
    if (!sortedUnique(raw)) raw = sortedUniqueRecords(raw, silentProgress());
    common_.setUserDatabase(makeRecords(std::move(raw)));
  }
  records_ = common_.userDatabase();
  return result < 0 ? result : static_cast<int>(records_->size());
}

int UserDatabase::findById(int32_t id) const {
  const DatabaseRecordSet& records = *records_;
  if (records.empty()) return -1;
  size_t lo = 0;
  size_t hi = records.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (records[mid].radioId() < id) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo < records.size() && records[lo].radioId() == id ? static_cast<int>(lo) : -2;
}

bool UserDatabase::deleteSelected(const DatabaseView& view, std::span<const size_t> selectedRows,
                                  DatabaseProgress& progress) {
  if (view.source != DatabaseSource::Database || selectedRows.empty() || records_->empty()) return false;
  progress.status("Deleting selected database entries ");
  progress.setRange(static_cast<int>(selectedRows.size()));
  std::vector<bool> removed(records_->size(), false);
  size_t removedCount = 0;
  int done = 0;
  for (const size_t row : selectedRows) {
    if (row < view.size()) {
      const int32_t id = view.row(row).radioId();
      const int index = isDeletableRadioId(id) ? findById(id) : -2;
      if (index >= 0 && !removed[static_cast<size_t>(index)]) {
        removed[static_cast<size_t>(index)] = true;
        ++removedCount;
      }
    }
    if (++done % kDeleteProgressEvery == 0) progress.setPosition(done);
  }
  if (removedCount == 0) {
    progress.status("");
    return false;
  }
  records_ = recordsWithout(*records_, removed);
  progress.status("Saving the database ");
  save(filePath());
  progress.status("");
  rebuildCountryList(progress);
  return true;
}

void UserDatabase::clear() {
  records_ = emptyRecords();
  save(filePath());
}

}  // namespace tamberlin
