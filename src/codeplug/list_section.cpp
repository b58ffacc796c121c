#include "codeplug/list_section.h"

#include "codeplug/c_codeplug.h"
#include "codeplug/text_field.h"

namespace tamberlin {

std::array<ListSectionLayout, kListSectionCount> listSectionLayouts(const SectionTable& t) {
  const size_t emergencySystems = t.emergency == 0 ? 0 : t.emergency + kEmergencyHeaderSize;
  const int emergencyCount = t.emergency == 0 ? 0 : kEmergencySystemCount;
  const int messageCount = t.textMessages == 0 ? 0 : kTextMessageCount;
  return {{
      {ListSectionId::TextMessages, "text_messages", t.textMessages, kTextMessageRecordSize, messageCount, 0,
       kTextMessageUnits},
      {ListSectionId::EmergencySystems, "emergency_systems", emergencySystems, kEmergencySystemSize,
       emergencyCount, 0, kNameUnits},
      {ListSectionId::Contacts, "contacts", t.contacts, kContactRecordSize, t.contactCount, 4, kNameUnits},
      {ListSectionId::GroupLists, "rx_group_lists", t.groupLists, kGroupListRecordSize, t.groupListCount, 0,
       kNameUnits},
      {ListSectionId::Zones, "zones", t.zones, kZoneRecordSize, t.zoneCount, 0, kNameUnits},
      {ListSectionId::ScanLists, "scan_lists", t.scanLists, kScanListRecordSize, t.scanListCount, 0,
       kNameUnits},
      {ListSectionId::Channels, "channels", t.channels, kChannelRecordSize, t.channelCount, 32, kNameUnits},
  }};
}

ListSectionLayout listSectionLayout(const SectionTable& sections, ListSectionId id) {
  for (const ListSectionLayout& layout : listSectionLayouts(sections)) {
    if (layout.id == id) return layout;
  }
  return {id, {}, 0, 0, 0, 0, 0};
}

std::span<uint8_t> listRecord(c_codeplug& slot, const ListSectionLayout& layout, int index) {
  if (layout.offset == 0 || index < 0 || index >= layout.capacity) return {};
  return slot.bytes(layout.offset + layout.recordSize * static_cast<size_t>(index), layout.recordSize);
}

std::span<const uint8_t> listRecord(const c_codeplug& slot, const ListSectionLayout& layout, int index) {
  if (layout.offset == 0 || index < 0 || index >= layout.capacity) return {};
  return slot.bytes(layout.offset + layout.recordSize * static_cast<size_t>(index), layout.recordSize);
}

int usedCount(const c_codeplug& slot, const ListSectionLayout& layout) {
  int count = 0;
  while (count < layout.capacity) {
    const auto record = listRecord(slot, layout, count);
    if (record.empty() || textFieldIsEmpty(record.subspan(layout.nameOffset))) break;
    ++count;
  }
  return count;
}

}  // namespace tamberlin
