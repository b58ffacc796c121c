#include "databases/t_database_file_entry.h"

#include <algorithm>
#include <cstring>

#include "support/endian.h"

namespace tamberlin {

int32_t DatabaseEntryView::radioId() const { return static_cast<int32_t>(readLe32(bytes_, kRadioIdAt)); }

int32_t DatabaseEntryView::age() const { return static_cast<int32_t>(readLe32(bytes_, kAgeAt)); }

std::string_view DatabaseEntryView::text(size_t offset, size_t size) const {
  const char* start = reinterpret_cast<const char*>(bytes_.data() + offset);
  const void* zero = std::memchr(start, 0, size);
  return {start, zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - start) : size};
}

void t_database_file_entry::setRadioId(int32_t id) {
  writeLe32(writable_, kRadioIdAt, static_cast<uint32_t>(id));
}

void t_database_file_entry::setAge(int32_t age) { writeLe32(writable_, kAgeAt, static_cast<uint32_t>(age)); }

void t_database_file_entry::setText(size_t offset, size_t size, std::string_view text) {
  const size_t kept = std::min(text.size(), size - 1);
  std::copy_n(text.begin(), kept, writable_.begin() + static_cast<std::ptrdiff_t>(offset));
  std::fill_n(writable_.begin() + static_cast<std::ptrdiff_t>(offset + kept), size - kept, uint8_t{0});
}

}  // namespace tamberlin
