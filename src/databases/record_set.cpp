#include "databases/record_set.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "support/large_buffer.h"

namespace tamberlin {

namespace {

// The longest part one record can take: "-2147483648" and the three fields
// at their full sizes, each with its zero byte.
constexpr size_t kMostPerRecord =
    12 + DatabaseEntryView::kCallSignSize + DatabaseEntryView::kNameSize + DatabaseEntryView::kPlaceSize + 3;

constexpr size_t kIndexedFields[][2] = {
    {DatabaseEntryView::kCallSignAt, DatabaseEntryView::kCallSignSize},
    {DatabaseEntryView::kNameAt, DatabaseEntryView::kNameSize},
    {DatabaseEntryView::kCountryAt, DatabaseEntryView::kPlaceSize},
};

size_t fieldLength(const uint8_t* field, size_t size) {
  const void* zero = std::memchr(field, 0, size);
  return zero != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - field) : size;
}

size_t decimalLength(int32_t value) {
  char digits[16];
  return static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

// Lower-cases a whole field into `out`, past its end too: a loop of fixed
// length the compiler turns into a few vector steps, far cheaper than
// stopping at the terminator byte by byte. The caller keeps only the length.
template <size_t kFieldSize>
void lowerField(const uint8_t* field, uint8_t* out) {
  uint8_t bytes[kFieldSize];
  std::memcpy(bytes, field, kFieldSize);
  for (uint8_t& c : bytes) c = static_cast<uint8_t>(c + (static_cast<uint8_t>(c - 'A') < 26 ? 'a' - 'A' : 0));
  std::memcpy(out, bytes, kFieldSize);
}

}  // namespace

DatabaseSearchIndex::DatabaseSearchIndex(std::span<const uint8_t> records) {
  constexpr size_t kSize = DatabaseEntryView::kSize;
  const size_t count = records.size() / kSize;
  if (count == 0 || count > std::numeric_limits<uint32_t>::max() / kMostPerRecord) return;
  const auto recordBytes = [&](size_t i) { return records.data() + i * kSize; };
  const auto idOf = [&](size_t i) { return DatabaseEntryView(records.subspan(i * kSize, kSize)).radioId(); };

  // Measured first, so the text takes its size (and the room the last field
  // copy writes past it) and never a growth copy next to the records.
  size_t total = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = recordBytes(i);
    total += decimalLength(idOf(i)) + 1;
    for (const auto& [at, size] : kIndexedFields) total += fieldLength(record + at, size) + 1;
  }
  reserveLargeBuffer(text_, total + DatabaseEntryView::kPlaceSize);
  text_.resize(total + DatabaseEntryView::kPlaceSize);
  starts_.resize(count);

  uint8_t* const begin = text_.data();
  uint8_t* out = begin;
  const auto copyField = [&out]<size_t kFieldSize>(const uint8_t* field) {
    lowerField<kFieldSize>(field, out);
    out += fieldLength(field, kFieldSize);
    *out++ = 0;
  };
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = recordBytes(i);
    starts_[i] = static_cast<uint32_t>(out - begin);
    char* const id = reinterpret_cast<char*>(out);
    out = reinterpret_cast<uint8_t*>(std::to_chars(id, id + 12, idOf(i)).ptr);
    *out++ = 0;
    copyField.operator()<DatabaseEntryView::kCallSignSize>(record + DatabaseEntryView::kCallSignAt);
    copyField.operator()<DatabaseEntryView::kNameSize>(record + DatabaseEntryView::kNameAt);
    copyField.operator()<DatabaseEntryView::kPlaceSize>(record + DatabaseEntryView::kCountryAt);
  }
  text_.resize(total);
}

size_t DatabaseSearchIndex::recordAt(size_t offset) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), static_cast<uint32_t>(offset));
  return static_cast<size_t>(after - starts_.begin()) - 1;
}

SharedRecords emptyRecords() {
  static const SharedRecords empty = std::make_shared<const DatabaseRecordSet>();
  return empty;
}

SharedRecords makeRecords(std::vector<uint8_t> bytes) {
  if (bytes.empty()) return emptyRecords();
  return std::make_shared<const DatabaseRecordSet>(std::move(bytes));
}

SharedRecords recordsWithout(const DatabaseRecordSet& records, const std::vector<bool>& removed) {
  std::vector<uint8_t> kept;
  kept.reserve(records.bytes().size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!removed[i]) kept.insert(kept.end(), records[i].bytes().begin(), records[i].bytes().end());
  }
  return makeRecords(std::move(kept));
}

}  // namespace tamberlin
