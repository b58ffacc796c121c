#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "databases/t_database_file_entry.h"

namespace tamberlin {

// A finished list of user records, back to back as the .dat files hold them.
// It never changes once built: an edit builds a new set, so the codeplug
// manager, the window and any view can share one without copies.
class DatabaseRecordSet {
 public:
  DatabaseRecordSet() = default;
  // `bytes` holds whole records.
  explicit DatabaseRecordSet(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    bytes_.resize(bytes_.size() - bytes_.size() % DatabaseEntryView::kSize);
  }

  size_t size() const { return bytes_.size() / DatabaseEntryView::kSize; }
  bool empty() const { return bytes_.empty(); }
  DatabaseEntryView operator[](size_t index) const {
    return DatabaseEntryView(
        std::span<const uint8_t>(bytes_).subspan(index * DatabaseEntryView::kSize, DatabaseEntryView::kSize));
  }
  std::span<const uint8_t> bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

using SharedRecords = std::shared_ptr<const DatabaseRecordSet>;

// An empty set, so holders never see a null handle.
SharedRecords emptyRecords();
SharedRecords makeRecords(std::vector<uint8_t> bytes);
// The records whose flag in `removed` (one per record) is not set.
SharedRecords recordsWithout(const DatabaseRecordSet& records, const std::vector<bool>& removed);

}  // namespace tamberlin
