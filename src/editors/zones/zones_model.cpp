#include "editors/zones/zones_model.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {
constexpr size_t kBankAFront = 32;     // bank A slots 1-16 in the zone record
constexpr size_t kBankBInExtension = 96;
constexpr size_t kBankASlotsInExtension = 48;
constexpr size_t kBankBSlots = 64;
}  // namespace

void initZoneRecords(std::span<uint8_t> zone, std::span<uint8_t> extension,
                     std::u16string_view name) {
  std::fill(zone.begin(), zone.end(), uint8_t{0});
  std::fill(extension.begin(), extension.end(), uint8_t{0});
  encodeTextField(zone, kNameUnits, trimmed(name));
}

ZoneBankView::ZoneBankView(c_codeplug& slot, int zoneIndex, ZoneBank bank) {
  const std::span<uint8_t> zone = slot.zone(zoneIndex);
  const std::span<uint8_t> extension = slot.zoneExtension(zoneIndex);
  if (zone.empty()) return;
  if (bank == ZoneBank::A) {
    front_ = zone.subspan(kBankAFront);
    if (!extension.empty()) back_ = extension.subspan(0, 2 * kBankASlotsInExtension);
  } else if (!extension.empty()) {
    front_ = extension.subspan(kBankBInExtension, 2 * kBankBSlots);
  }
}

uint16_t ZoneBankView::member(int k) const {
  const size_t at = 2 * static_cast<size_t>(k);
  if (k < 0) return 0;
  if (at < front_.size()) return readLe16(front_, at);
  if (at - front_.size() < back_.size()) return readLe16(back_, at - front_.size());
  return 0;
}

void ZoneBankView::setMember(int k, uint16_t channel) {
  const size_t at = 2 * static_cast<size_t>(k);
  if (k < 0) return;
  if (at < front_.size()) {
    writeLe16(front_, at, channel);
  } else if (at - front_.size() < back_.size()) {
    writeLe16(back_, at - front_.size(), channel);
  }
}

bool ZoneBankView::holds(uint16_t channel) const {
  for (int k = 0; k < size(); ++k) {
    if (member(k) == channel) return true;
  }
  return false;
}

void removeZoneMember(c_codeplug& slot, int zoneIndex, ZoneBank bank, int memberSlot) {
  ZoneBankView view(slot, zoneIndex, bank);
  if (memberSlot < 0 || memberSlot >= view.size()) return;
  for (int k = memberSlot; k + 1 < view.size(); ++k) view.setMember(k, view.member(k + 1));
  view.setMember(view.size() - 1, 0);
}

void compactZoneBank(c_codeplug& slot, int zoneIndex, ZoneBank bank) {
  ZoneBankView view(slot, zoneIndex, bank);
  const int capacity = slot.sections.channelCount;
  int kept = 0;
  for (int k = 0; k < view.size(); ++k) {
    const uint16_t channel = view.member(k);
    if (channel == 0 || channel > capacity) continue;
    view.setMember(kept++, channel);
  }
  for (int k = kept; k < view.size(); ++k) view.setMember(k, 0);
}

}  // namespace tamberlin
