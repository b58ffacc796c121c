#include "editors/channels/channel_references.h"

#include <vector>

#include "codeplug/c_codeplug.h"
#include "codeplug/list_section.h"
#include "codeplug/record_number_shift.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_record.h"
#include "editors/dtmf/dtmf_model.h"
#include "editors/emergency/emergency_model.h"
#include "editors/gps/gps_model.h"
#include "editors/scan_lists/scan_lists_model.h"
#include "editors/zones/zones_model.h"

namespace tamberlin {

namespace {

int usedOf(const c_codeplug& slot, ListSectionId id) { return usedCount(slot, listSectionLayout(slot.sections, id)); }

bool named(std::span<const uint8_t> record) { return !record.empty() && !textFieldIsEmpty(record); }

bool channelIsDigital(c_codeplug& slot, int number) {
  const ChannelRecord channel(slot.channel(number - 1));
  return channel.valid() && channel.isDigital();
}

// Calls `visit(get, set)` for every channel-number place of the holders an
// operation walks; `namedOnly` walks emergency systems and scan lists by their
// names rather than up to the first free one, as a move does.
template <typename Visit>
void forEachPlace(c_codeplug& slot, bool namedOnly, Visit visit) {
  const int emergencyUsed = usedOf(slot, ListSectionId::EmergencySystems);
  for (int i = 0; i < kEmergencySystemCount; ++i) {
    const std::span<uint8_t> system = slot.emergencySystem(i);
    if (namedOnly ? !named(system) : i >= emergencyUsed) continue;
    uint16_t n = emergencyRevertChannel(system);
    if (visit(n)) setEmergencyRevertChannel(system, n);
  }
  const int zonesUsed = usedOf(slot, ListSectionId::Zones);
  for (int i = 0; i < zonesUsed; ++i) {
    for (ZoneBank bank : {ZoneBank::A, ZoneBank::B}) {
      ZoneBankView view(slot, i, bank);
      for (int k = 0; k < view.size(); ++k) {
        uint16_t n = view.member(k);
        if (n != 0 && visit(n)) view.setMember(k, n);
      }
    }
  }
  const int scanListsUsed = usedOf(slot, ListSectionId::ScanLists);
  for (int i = 0; i < slot.sections.scanListCount; ++i) {
    const std::span<uint8_t> list = slot.scanList(i);
    if (namedOnly ? !named(list) : i >= scanListsUsed) continue;
    for (int k = 0; k < kScanListMembers; ++k) {
      uint16_t n = scanListMember(list, k);
      if (n != 0 && visit(n)) setScanListMember(list, k, n);
    }
  }
  for (int k = 0; k < kDtmfDecodeCount; ++k) {
    const std::span<uint8_t> entry = dtmfDecodeEntry(slot, k);
    uint16_t n = dtmfDecodeRevertChannel(entry);
    if (visit(n)) setDtmfDecodeRevertChannel(entry, n);
  }
  for (int k = 0; k < kGpsSystemCount; ++k) {
    const std::span<uint8_t> system = gpsSystem(slot, k);
    uint16_t n = gpsRevertChannel(system);
    if (visit(n)) setGpsRevertChannel(system, n);
  }
}

struct Holders {
  std::vector<int> emergencySystems;  // 0-based, ascending
  std::vector<int> zones;
  std::vector<int> scanLists;
  std::vector<int> dtmfEntries;
  std::vector<int> gpsSystems;
};

Holders collect(c_codeplug& slot, int number) {
  Holders h;
  const bool digital = channelIsDigital(slot, number);
  const int emergencyUsed = usedOf(slot, ListSectionId::EmergencySystems);
  for (int i = 0; digital && i < emergencyUsed; ++i) {
    if (emergencyRevertChannel(slot.emergencySystem(i)) == number) h.emergencySystems.push_back(i);
  }
  const int zonesUsed = usedOf(slot, ListSectionId::Zones);
  for (int i = 0; i < zonesUsed; ++i) {
    const auto channel = static_cast<uint16_t>(number);
    if (ZoneBankView(slot, i, ZoneBank::A).holds(channel) || ZoneBankView(slot, i, ZoneBank::B).holds(channel)) {
      h.zones.push_back(i);
    }
  }
  const int scanListsUsed = usedOf(slot, ListSectionId::ScanLists);
  for (int i = 0; i < scanListsUsed; ++i) {
    const std::span<uint8_t> list = slot.scanList(i);
    for (int k = 0; k < kScanListMembers; ++k) {
      if (scanListMember(list, k) == number) {
        h.scanLists.push_back(i);
        break;
      }
    }
  }
  for (int k = 0; k < kDtmfDecodeCount; ++k) {
    if (dtmfDecodeRevertChannel(dtmfDecodeEntry(slot, k)) == number) h.dtmfEntries.push_back(k);
  }
  for (int k = 0; digital && k < kGpsSystemCount; ++k) {
    if (gpsRevertChannel(gpsSystem(slot, k)) == number) h.gpsSystems.push_back(k);
  }
  return h;
}

void removeFromBank(c_codeplug& slot, int zone, ZoneBank bank, uint16_t channel) {
  ZoneBankView view(slot, zone, bank);
  for (int k = view.size() - 1; k >= 0; --k) {
    if (view.member(k) == channel) removeZoneMember(slot, zone, bank, k);
  }
}

class ChannelReferences final : public ListReferences {
 public:
  std::vector<HolderCount> holders(c_codeplug& slot, int number) override {
    const Holders h = collect(slot, number);
    return {
        {" emergency systems ", static_cast<int>(h.emergencySystems.size())},
        {" zones ", static_cast<int>(h.zones.size())},
        {" scan lists ", static_cast<int>(h.scanLists.size())},
        {" DTMF settings ", static_cast<int>(h.dtmfEntries.size())},
        {" GPS settings ", static_cast<int>(h.gpsSystems.size())},
    };
  }

  void clearHolders(c_codeplug& slot, int number) override {
    const Holders h = collect(slot, number);
    for (auto i = h.emergencySystems.rbegin(); i != h.emergencySystems.rend(); ++i) {
      deleteEmergencySystem(slot, *i + 1);
    }
    const auto channel = static_cast<uint16_t>(number);
    for (int zone : h.zones) {
      removeFromBank(slot, zone, ZoneBank::A, channel);
      removeFromBank(slot, zone, ZoneBank::B, channel);
    }
    for (int list : h.scanLists) removeScanListChannel(slot, list, channel);
    for (int k : h.dtmfEntries) resetDtmfDecodeEntry(slot, k);
    for (int k : h.gpsSystems) resetGpsSystem(slot, k);
    // A GPS system reverting to an analogue channel is not worth a question,
    // but left alone it would slide onto the next channel once the gap closes.
    if (!channelIsDigital(slot, number)) {
      for (int k = 0; k < kGpsSystemCount; ++k) {
        const std::span<uint8_t> system = gpsSystem(slot, k);
        if (gpsRevertChannel(system) == number) setGpsRevertChannel(system, 0);
      }
    }
  }

  void renumberAfterInsert(c_codeplug& slot, int position) override {
    const int capacity = slot.sections.channelCount;
    forEachPlace(slot, false, [&](uint16_t& n) { return shiftNumberForInsert(n, position, capacity); });
  }

  void renumberAfterMove(c_codeplug& slot, int from, int to) override {
    const int capacity = slot.sections.channelCount;
    forEachPlace(slot, true, [&](uint16_t& n) { return shiftNumberForMove(n, from, to, capacity); });
  }

  void renumberAfterDelete(c_codeplug& slot, int number) override {
    const int capacity = slot.sections.channelCount;
    const int emergencyUsed = usedOf(slot, ListSectionId::EmergencySystems);
    for (int i = 0; i < emergencyUsed; ++i) {
      const std::span<uint8_t> system = slot.emergencySystem(i);
      const int n = emergencyRevertChannel(system);
      if (n > number && n <= capacity) {
        setEmergencyRevertChannel(system, static_cast<uint16_t>(n - 1));
      } else if (n == number || n > capacity) {
        setEmergencyRevertChannel(system, 0);
      }
    }
    const int zonesUsed = usedOf(slot, ListSectionId::Zones);
    for (int i = 0; i < zonesUsed; ++i) {
      for (ZoneBank bank : {ZoneBank::A, ZoneBank::B}) {
        ZoneBankView view(slot, i, bank);
        bool changed = false;
        for (int k = 0; k < view.size(); ++k) {
          const int n = view.member(k);
          if (n > number && n <= capacity) {
            view.setMember(k, static_cast<uint16_t>(n - 1));
            changed = true;
          }
        }
        if (changed) compactZoneBank(slot, i, bank);
      }
    }
    renumberScanListMembersAfterChannelDelete(slot, number);
    for (int k = 0; k < kDtmfDecodeCount; ++k) {
      const std::span<uint8_t> entry = dtmfDecodeEntry(slot, k);
      const int n = dtmfDecodeRevertChannel(entry);
      if (n > number && n <= capacity) setDtmfDecodeRevertChannel(entry, static_cast<uint16_t>(n - 1));
    }
    for (int k = 0; k < kGpsSystemCount; ++k) {
      const std::span<uint8_t> system = gpsSystem(slot, k);
      const int n = gpsRevertChannel(system);
      if (n > number && n <= capacity) setGpsRevertChannel(system, static_cast<uint16_t>(n - 1));
    }
  }
};

}  // namespace

ListReferences& channelReferences() {
  static ChannelReferences references;
  return references;
}

}  // namespace tamberlin
