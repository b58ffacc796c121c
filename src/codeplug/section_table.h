#pragma once

#include <cstddef>

namespace tamberlin {

// Where each section starts in a slot's buffer, as byte offsets into it. An
// offset or count of 0 means the section does not exist for the model.
struct SectionTable {
  size_t radioInfo = 0;
  size_t buttons = 0;
  size_t textMessages = 0;
  size_t basicPrivacyKeys = 0;
  size_t enhancedPrivacyKeys = 0;
  size_t emergency = 0;
  int contactCount = 0;
  size_t contacts = 0;
  int channelCount = 0;
  size_t channels = 0;
  int groupListCount = 0;
  size_t groupLists = 0;
  int zoneCount = 0;
  int channelsPerZone = 0;
  size_t zones = 0;
  size_t zoneExtension = 0;
  int scanListCount = 0;
  size_t scanLists = 0;
  size_t dtmf = 0;
  size_t gps = 0;
  int vfoCount = 0;
  size_t vfo = 0;

  bool operator==(const SectionTable&) const = default;
};

// Record sizes and counts that do not depend on the family.
inline constexpr size_t kTextMessageRecordSize = 288;
inline constexpr int kTextMessageCount = 50;
inline constexpr int kTextMessageUnits = 144;
inline constexpr size_t kEmergencyHeaderSize = 16;
inline constexpr size_t kEmergencySystemSize = 40;
inline constexpr int kEmergencySystemCount = 32;
inline constexpr size_t kContactRecordSize = 36;
inline constexpr size_t kGroupListRecordSize = 96;
inline constexpr size_t kZoneRecordSize = 64;
inline constexpr size_t kZoneExtensionRecordSize = 224;
inline constexpr size_t kScanListRecordSize = 104;
inline constexpr size_t kChannelRecordSize = 64;
inline constexpr int kNameUnits = 16;

// The table for a model code; all zero for codes outside 1..8.
SectionTable sectionTableForModel(int modelCode);

}  // namespace tamberlin
