#include "databases/last_heard.h"

#include <algorithm>
#include <deque>
#include <system_error>
#include <unordered_map>

#include "databases/user_database.h"

namespace tamberlin {

namespace {

constexpr int kDetailsProgressEvery = 512;
constexpr int kDeleteProgressEvery = 32;

// The status text and code of a failed save.
struct SaveFailure {
  const char* text;
  int code;
};

SaveFailure saveFailure(DatSaveStatus status) {
  switch (status) {
    case DatSaveStatus::CannotCreate: return {"Error ", -2};
    case DatSaveStatus::StoredWriteFailed: return {"Save error ", -4};
    case DatSaveStatus::NoCompressionBuffer: return {"Compression error ", -5};
    case DatSaveStatus::CompressionFailed: return {"Compression error ", -6};
    case DatSaveStatus::Ok:
    case DatSaveStatus::CompressedWriteFailed: break;
  }
  return {"Save error ", -8};
}

}  // namespace

LastHeardList::LastHeardList(std::filesystem::path dataDirectory)
    : directory_(std::move(dataDirectory)), records_(emptyRecords()) {}

int LastHeardList::adoptParsed(std::vector<uint8_t> records, const UserDatabase& database,
                               DatabaseProgress& progress) {
  constexpr size_t kSize = DatabaseEntryView::kSize;
  const size_t count = records.size() / kSize;
  progress.status("Fetching details ");
  progress.setRange(static_cast<int>(count));
  const DatabaseRecordSet& users = *database.records();
  for (size_t i = 0; i < count; ++i) {
    const auto record = std::span<uint8_t>(records).subspan(i * kSize, kSize);
    const int found = database.findById(DatabaseEntryView(record).radioId());
    if (found >= 0) {
      const auto details = users[static_cast<size_t>(found)].bytes();
      std::copy(details.begin(), details.end(), record.begin());
    }
    if ((i + 1) % kDetailsProgressEvery == 0) progress.setPosition(static_cast<int>(i + 1));
  }
  records_ = makeRecords(std::move(records));
  if (save(progress) < 0) {
    progress.status("");
    return -6;
  }
  progress.status("");
  progress.hide();
  return 0;
}

int LastHeardList::save(DatabaseProgress& progress, const DatSaveOptions& options) {
  const std::filesystem::path path = filePath();
  progress.status("Saving last heard ");
  progress.setPosition(0);
  progress.hide();
  const DatabaseRecordSet& records = *records_;
  if (records.empty()) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return 0;
  }
  const DatSaveStatus status =
      saveDatFile(path, kLastHeardMagic, static_cast<uint32_t>(records.size()), records.bytes(), options);
  if (status == DatSaveStatus::Ok) return static_cast<int>(records.size());
  const SaveFailure failure = saveFailure(status);
  progress.status(failure.text + path.string());
  return failure.code;
}

int LastHeardList::load(DatabaseProgress& progress) {
  const std::filesystem::path path = filePath();
  progress.status("Loading database " + path.string());
  std::vector<uint8_t> raw;
  const int result = loadDatFile(path, kLastHeardMagic, DatabaseEntryView::kSize, raw);
  records_ = makeRecords(std::move(raw));
  progress.status("");
  return result;
}

bool LastHeardList::deleteSelected(const DatabaseView& view, std::span<const size_t> selectedRows,
                                   DatabaseProgress& progress) {
  const DatabaseRecordSet& old = *records_;
  if (view.source != DatabaseSource::LastHeard || selectedRows.empty() || old.empty()) return false;
  progress.status("Deleting database entries ");
  progress.setRange(static_cast<int>(selectedRows.size()));

  // Where each ID stands, in list order, so every row takes the first record
  // of its ID that an earlier row has not taken.
  std::unordered_map<int32_t, std::deque<size_t>> positions;
  for (size_t i = 0; i < old.size(); ++i) positions[old[i].radioId()].push_back(i);
  std::vector<bool> removed(old.size(), false);
  size_t removedCount = 0;
  int done = 0;
  for (const size_t row : selectedRows) {
    if (row < view.size()) {
      const int32_t id = view.row(row).radioId();
      const auto found = positions.find(id);
      if (isDeletableRadioId(id) && found != positions.end() && !found->second.empty()) {
        removed[found->second.front()] = true;
        found->second.pop_front();
        ++removedCount;
      }
    }
    if (++done % kDeleteProgressEvery == 0) progress.setPosition(done);
  }
  progress.hide();
  progress.status("");
  if (removedCount == 0) return false;

  records_ = recordsWithout(*records_, removed);
  save(progress);
  return true;
}

void LastHeardList::clear(DatabaseProgress& progress) {
  records_ = emptyRecords();
  save(progress);
}

}  // namespace tamberlin
