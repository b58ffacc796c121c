#include "codeplug/c_codeplug.h"

namespace tamberlin {

std::span<uint8_t> c_codeplug::bytes(size_t offset, size_t length) {
  if (offset > buffer.size() || length > buffer.size() - offset) return {};
  return std::span<uint8_t>(buffer).subspan(offset, length);
}

std::span<const uint8_t> c_codeplug::bytes(size_t offset, size_t length) const {
  if (offset > buffer.size() || length > buffer.size() - offset) return {};
  return std::span<const uint8_t>(buffer).subspan(offset, length);
}

std::span<uint8_t> c_codeplug::record(size_t sectionOffset, size_t recordSize, int count, int index) {
  if (sectionOffset == 0 || index < 0 || index >= count) return {};
  return bytes(sectionOffset + recordSize * static_cast<size_t>(index), recordSize);
}

std::span<uint8_t> c_codeplug::textMessage(int index) {
  return record(sections.textMessages, kTextMessageRecordSize, kTextMessageCount, index);
}

std::span<uint8_t> c_codeplug::emergencySystem(int index) {
  if (sections.emergency == 0) return {};
  return record(sections.emergency + kEmergencyHeaderSize, kEmergencySystemSize,
                kEmergencySystemCount, index);
}

std::span<uint8_t> c_codeplug::contact(int index) {
  return record(sections.contacts, kContactRecordSize, sections.contactCount, index);
}

std::span<uint8_t> c_codeplug::groupList(int index) {
  return record(sections.groupLists, kGroupListRecordSize, sections.groupListCount, index);
}

std::span<uint8_t> c_codeplug::zone(int index) {
  return record(sections.zones, kZoneRecordSize, sections.zoneCount, index);
}

std::span<uint8_t> c_codeplug::zoneExtension(int index) {
  return record(sections.zoneExtension, kZoneExtensionRecordSize, sections.zoneCount, index);
}

std::span<uint8_t> c_codeplug::scanList(int index) {
  return record(sections.scanLists, kScanListRecordSize, sections.scanListCount, index);
}

std::span<uint8_t> c_codeplug::channel(int index) {
  return record(sections.channels, kChannelRecordSize, sections.channelCount, index);
}

}  // namespace tamberlin
