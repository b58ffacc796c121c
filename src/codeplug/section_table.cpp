#include "codeplug/section_table.h"

#include "codeplug/codeplug_layout.h"
#include "codeplug/radio_models.h"

namespace tamberlin {

SectionTable sectionTableForModel(int modelCode) {
  const ModelFamily family = modelFamily(modelCode);
  if (family == ModelFamily::None) return {};
  const bool uv = family == ModelFamily::Uv;
  SectionTable t;
  t.radioInfo = layout::kModelVariant;
  t.buttons = layout::kButtons;
  t.textMessages = layout::kTextMessages;
  t.basicPrivacyKeys = layout::kBasicPrivacyKeys;
  t.enhancedPrivacyKeys = layout::kEnhancedPrivacyKeys;
  t.emergency = layout::kEmergency;
  t.contactCount = uv ? 10000 : 1000;
  t.contacts = uv ? layout::kUvContacts : layout::kKib256Contacts;
  t.channelCount = uv ? 3000 : 1000;
  t.channels = uv ? layout::kUvChannels : layout::kKib256Channels;
  t.groupListCount = 250;
  t.groupLists = layout::kGroupLists;
  t.zoneCount = 250;
  t.channelsPerZone = uv ? 64 : 16;
  t.zones = layout::kZones;
  t.zoneExtension = uv ? layout::kUvZoneExtension : 0;
  t.scanListCount = 250;
  t.scanLists = layout::kScanLists;
  t.dtmf = layout::kDtmf;
  t.gps = layout::kGps;
  t.vfoCount = uv ? 2 : 0;
  t.vfo = uv ? layout::kUvVfo : 0;
  return t;
}

}  // namespace tamberlin
