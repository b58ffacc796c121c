#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "databases/t_database_file_entry.h"

namespace tamberlin {

// What a text search reads instead of the records: for each record its
// decimal radio ID and its call sign, name and country in lower case (A-Z
// only), each followed by a zero byte, and where each record's part starts.
// A field never holds a zero byte, so a search text without one can only be
// found inside a single field. About a fifth of the records' size for a
// typical database, so a search over it costs a fraction of a scan.
class DatabaseSearchIndex {
 public:
  DatabaseSearchIndex() = default;
  // `records` holds whole records; empty (unusable) for a set so large that
  // its text would not fit 32-bit offsets.
  explicit DatabaseSearchIndex(std::span<const uint8_t> records);

  bool usable() const { return !starts_.empty(); }
  std::string_view text() const { return {reinterpret_cast<const char*>(text_.data()), text_.size()}; }
  // One start per record, ascending.
  std::span<const uint32_t> starts() const { return starts_; }
  // The record whose part of the text holds `offset` (< text().size()).
  size_t recordAt(size_t offset) const;

 private:
  std::vector<uint8_t> text_;
  std::vector<uint32_t> starts_;
};

// A finished list of user records, back to back as the .dat files hold them.
// It never changes once built: an edit builds a new set, so the codeplug
// manager, the window and any view can share one without copies.
class DatabaseRecordSet {
 public:
  DatabaseRecordSet() = default;
  // `bytes` holds whole records.
  // The search index is built here, once, so every holder can search the
  // set from any thread without a lock.
  explicit DatabaseRecordSet(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    bytes_.resize(bytes_.size() - bytes_.size() % DatabaseEntryView::kSize);
    index_ = DatabaseSearchIndex(bytes_);
  }

  size_t size() const { return bytes_.size() / DatabaseEntryView::kSize; }
  bool empty() const { return bytes_.empty(); }
  DatabaseEntryView operator[](size_t index) const {
    return DatabaseEntryView(
        std::span<const uint8_t>(bytes_).subspan(index * DatabaseEntryView::kSize, DatabaseEntryView::kSize));
  }
  std::span<const uint8_t> bytes() const { return bytes_; }
  const DatabaseSearchIndex& searchIndex() const { return index_; }

 private:
  std::vector<uint8_t> bytes_;
  DatabaseSearchIndex index_;
};

using SharedRecords = std::shared_ptr<const DatabaseRecordSet>;

// An empty set, so holders never see a null handle.
SharedRecords emptyRecords();
SharedRecords makeRecords(std::vector<uint8_t> bytes);
// The records whose flag in `removed` (one per record) is not set.
SharedRecords recordsWithout(const DatabaseRecordSet& records, const std::vector<bool>& removed);

}  // namespace tamberlin
