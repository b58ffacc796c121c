#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codeplug/section_table.h"

namespace tamberlin {

// One working slot: a whole codeplug file's bytes, the snapshot they are
// compared with to tell unsaved changes, and where the sections lie.
class c_codeplug {
 public:
  int modelCode = 0;
  std::string fileName;
  std::vector<uint8_t> snapshot;
  std::vector<uint8_t> buffer;
  SectionTable sections;

  bool holdsCodeplug() const { return !buffer.empty(); }

  // `length` bytes at a buffer offset; empty when they do not lie inside it.
  std::span<uint8_t> bytes(size_t offset, size_t length);
  std::span<const uint8_t> bytes(size_t offset, size_t length) const;

  // Record `index` (0-based) of a list section; empty when the section is
  // absent or the index is outside it.
  std::span<uint8_t> textMessage(int index);
  std::span<uint8_t> emergencySystem(int index);
  std::span<uint8_t> contact(int index);
  std::span<uint8_t> groupList(int index);
  std::span<uint8_t> zone(int index);
  std::span<uint8_t> zoneExtension(int index);
  std::span<uint8_t> scanList(int index);
  std::span<uint8_t> channel(int index);

 private:
  std::span<uint8_t> record(size_t sectionOffset, size_t recordSize, int count, int index);
};

}  // namespace tamberlin
