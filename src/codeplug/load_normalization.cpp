#include "codeplug/load_normalization.h"

#include <functional>

#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/list_section.h"
#include "codeplug/radio_models.h"
#include "codeplug/text_field.h"
#include "editors/channels/channels_model.h"
#include "editors/contacts/contacts_model.h"
#include "editors/emergency/emergency_model.h"
#include "editors/groups/groups_model.h"
#include "editors/scan_lists/scan_lists_model.h"
#include "editors/text_messages/text_messages_model.h"

namespace tamberlin {

namespace {

using BlankInitialiser = std::function<void(std::span<uint8_t>)>;

// Empty for zones: their names are rewritten, but no zone is ever reset.
BlankInitialiser blankInitialiser(ListSectionId id, ModelFamily family, uint8_t bandA) {
  switch (id) {
    case ListSectionId::TextMessages: return [](std::span<uint8_t> r) { initTextMessageRecord(r, u""); };
    case ListSectionId::EmergencySystems: return [](std::span<uint8_t> r) { initEmergencySystemRecord(r, u""); };
    case ListSectionId::Contacts: return [](std::span<uint8_t> r) { initContactRecord(r, u""); };
    case ListSectionId::GroupLists: return [](std::span<uint8_t> r) { initGroupListRecord(r, u""); };
    case ListSectionId::Zones: return {};
    case ListSectionId::ScanLists: return [](std::span<uint8_t> r) { initScanListRecord(r, u""); };
    case ListSectionId::Channels:
      return [family, bandA](std::span<uint8_t> r) { initChannelRecord(r, family, bandA, u""); };
  }
  return {};
}

void normaliseSection(c_codeplug& slot, const ListSectionLayout& layout, const BlankInitialiser& reset) {
  for (int i = 0; i < layout.capacity; ++i) {
    const std::span<uint8_t> record = listRecord(slot, layout, i);
    if (record.empty()) return;
    const std::span<uint8_t> name = record.subspan(layout.nameOffset);
    const std::u16string text = decodeTextField(name, layout.nameUnits, -1);
    encodeTextField(name, layout.nameUnits, text);
    if (!text.empty() || !reset) continue;
    // The list ends at its first unnamed record; whatever lies behind it is
    // left-over data the editors would never show, so it is cleared.
    for (int k = i; k < layout.capacity; ++k) {
      const std::span<uint8_t> rest = listRecord(slot, layout, k);
      if (rest.empty()) break;
      reset(rest);
    }
    return;
  }
}

}  // namespace

void normaliseLoadedCodeplug(c_codeplug& slot) {
  if (!slot.holdsCodeplug()) return;
  const ModelFamily family = modelFamily(slot.modelCode);
  const uint8_t bandA = slot.buffer.size() > layout::kBandAIndex ? slot.buffer[layout::kBandAIndex] : 0;
  for (const ListSectionLayout& layout : listSectionLayouts(slot.sections)) {
    normaliseSection(slot, layout, blankInitialiser(layout.id, family, bandA));
  }
}

}  // namespace tamberlin
