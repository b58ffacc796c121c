#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tamberlin {

class c_codeplug;

// A zone with no members: the zone record and (UV family) its extension record
// zeroed, then the trimmed name. `extension` is empty for the 256 KiB family.
void initZoneRecords(std::span<uint8_t> zone, std::span<uint8_t> extension,
                     std::u16string_view name);

enum class ZoneBank { A, B };

// The member slots of one bank of one zone. Bank A's first 16 slots are in the
// zone record, the rest of bank A and all of bank B (UV family) in the
// extension record.
class ZoneBankView {
 public:
  ZoneBankView(c_codeplug& slot, int zoneIndex, ZoneBank bank);

  // The member limit: 16 or 64; 0 when the zone or bank does not exist.
  int size() const { return static_cast<int>(front_.size() + back_.size()) / 2; }
  uint16_t member(int k) const;
  void setMember(int k, uint16_t channel);
  bool holds(uint16_t channel) const;

 private:
  std::span<uint8_t> front_;  // slots in the zone record
  std::span<uint8_t> back_;   // slots in the extension record
};

// Removes member slot k (0-based): the later members close up, the last slot becomes 0.
void removeZoneMember(c_codeplug& slot, int zoneIndex, ZoneBank bank, int memberSlot);

// Drops members that are 0 or beyond the channel capacity; the rest close up.
void compactZoneBank(c_codeplug& slot, int zoneIndex, ZoneBank bank);

}  // namespace tamberlin
