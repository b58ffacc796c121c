#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "codeplug/section_table.h"

namespace tamberlin {

class c_codeplug;

enum class ListSectionId { TextMessages, EmergencySystems, Contacts, GroupLists, Zones, ScanLists, Channels };
inline constexpr int kListSectionCount = 7;

// Where a list section's records lie in a slot's buffer and where each record
// keeps its name.
struct ListSectionLayout {
  ListSectionId id;
  std::string_view name;  // for reports: "channels", "scan_lists", ...
  size_t offset = 0;      // 0: the model has no such section
  size_t recordSize = 0;
  int capacity = 0;
  size_t nameOffset = 0;
  int nameUnits = 0;
};

// The seven list sections of a slot, in the order Load normalises them.
std::array<ListSectionLayout, kListSectionCount> listSectionLayouts(const SectionTable& sections);

ListSectionLayout listSectionLayout(const SectionTable& sections, ListSectionId id);

// Record `index` of the section; empty when outside the section or the buffer.
std::span<uint8_t> listRecord(c_codeplug& slot, const ListSectionLayout& layout, int index);
std::span<const uint8_t> listRecord(const c_codeplug& slot, const ListSectionLayout& layout, int index);

// Records from the first up to the first whose name starts with 0x0000 or 0xFFFF.
int usedCount(const c_codeplug& slot, const ListSectionLayout& layout);

}  // namespace tamberlin
