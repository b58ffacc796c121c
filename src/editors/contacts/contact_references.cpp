#include "editors/contacts/contact_references.h"

#include <algorithm>
#include <vector>

#include "codeplug/c_codeplug.h"
#include "codeplug/record_number_shift.h"
#include "codeplug/text_field.h"
#include "editors/buttons/buttons_model.h"
#include "editors/channels/channel_record.h"
#include "editors/gps/gps_model.h"
#include "support/endian.h"

namespace tamberlin {

namespace {

constexpr int kOneTouchCount = 6;
constexpr size_t kOneTouchContact = 2;
constexpr int kOneTouchDigital = 1;
constexpr size_t kKeyPadOffset = 44;
constexpr int kKeyPadCount = 10;
constexpr size_t kGroupMembersOffset = 32;
constexpr int kGroupMemberCount = 32;

bool oneTouchIsDigital(std::span<const uint8_t> entry) {
  return ((entry[0] >> 4) & 0x03) == kOneTouchDigital;
}

std::span<uint8_t> keyPadEntry(c_codeplug& slot, int j) {
  if (slot.sections.buttons == 0) return {};
  return slot.bytes(slot.sections.buttons + kKeyPadOffset + 2 * static_cast<size_t>(j), 2);
}

std::span<uint8_t> groupMembers(c_codeplug& slot, int list) {
  const std::span<uint8_t> record = slot.groupList(list);
  return record.empty() ? record : record.subspan(kGroupMembersOffset, 2 * kGroupMemberCount);
}

bool inUse(std::span<const uint8_t> nameField) { return !nameField.empty() && !textFieldIsEmpty(nameField); }

// Which entries a pass over the references looks at: renumbering after an
// insert or delete touches every place, a move only the ones in use.
enum class Scope { All, InUse };

// Calls `visit(n)` on every contact-number place of the scope and writes back
// the numbers it changed.
template <typename Visit>
void forEachPlace(c_codeplug& slot, Scope scope, Visit visit) {
  const bool all = scope == Scope::All;
  for (int i = 0; i < kOneTouchCount; ++i) {
    const std::span<uint8_t> entry = oneTouchEntry(slot, i);
    if (entry.empty() || (!all && !oneTouchIsDigital(entry))) continue;
    uint16_t n = readLe16(entry, kOneTouchContact);
    if (visit(n)) writeLe16(entry, kOneTouchContact, n);
  }
  for (int j = 0; j < kKeyPadCount; ++j) {
    const std::span<uint8_t> entry = keyPadEntry(slot, j);
    if (entry.empty()) continue;
    uint16_t n = readLe16(entry);
    if (visit(n)) writeLe16(entry, 0, n);
  }
  for (int list = 0; list < slot.sections.groupListCount; ++list) {
    if (!all && !inUse(slot.groupList(list))) continue;
    const std::span<uint8_t> members = groupMembers(slot, list);
    for (int k = 0; k < static_cast<int>(members.size() / 2); ++k) {
      uint16_t n = readLe16(members, 2 * static_cast<size_t>(k));
      if (visit(n)) writeLe16(members, 2 * static_cast<size_t>(k), n);
    }
  }
  for (int i = 0; i < slot.sections.channelCount; ++i) {
    ChannelRecord channel(slot.channel(i));
    if (!channel.valid() || (!all && !inUse(channel.name()))) continue;
    uint16_t n = channel.contact();
    if (visit(n)) channel.setContact(n);
  }
  for (int k = 0; k < kGpsSystemCount; ++k) {
    const std::span<uint8_t> system = gpsSystem(slot, k);
    if (system.empty()) continue;
    uint16_t n = gpsDestinationContact(system);
    if (visit(n)) setGpsDestinationContact(system, n);
  }
}

// Removes every member equal to `number` from a group list, closing the gap
// with zeros at the end. A second copy of the member would otherwise slide
// onto the next contact once the numbers close up.
void removeGroupMember(std::span<uint8_t> members, uint16_t number) {
  std::vector<uint16_t> kept;
  const int count = static_cast<int>(members.size() / 2);
  for (int k = 0; k < count; ++k) {
    const uint16_t n = readLe16(members, 2 * static_cast<size_t>(k));
    if (n != number) kept.push_back(n);
  }
  kept.resize(static_cast<size_t>(count), 0);
  for (int k = 0; k < count; ++k)
    writeLe16(members, 2 * static_cast<size_t>(k), kept[static_cast<size_t>(k)]);
}

struct Holders {
  std::vector<int> oneTouch;
  std::vector<int> keyPad;
  std::vector<int> groupLists;
  std::vector<int> channels;
  std::vector<int> gpsSystems;
};

// What the delete question counts; group lists and channels count whether in
// use or not.
Holders collect(c_codeplug& slot, int number) {
  Holders h;
  for (int i = 0; i < kOneTouchCount; ++i) {
    const std::span<uint8_t> entry = oneTouchEntry(slot, i);
    if (!entry.empty() && oneTouchIsDigital(entry) && readLe16(entry, kOneTouchContact) == number)
      h.oneTouch.push_back(i);
  }
  for (int j = 0; j < kKeyPadCount; ++j) {
    const std::span<uint8_t> entry = keyPadEntry(slot, j);
    if (!entry.empty() && readLe16(entry) == number) h.keyPad.push_back(j);
  }
  for (int list = 0; list < slot.sections.groupListCount; ++list) {
    const std::span<uint8_t> members = groupMembers(slot, list);
    for (size_t k = 0; k + 1 < members.size(); k += 2) {
      if (readLe16(members, k) == number) {
        h.groupLists.push_back(list);
        break;
      }
    }
  }
  for (int i = 0; i < slot.sections.channelCount; ++i) {
    const ChannelRecord channel(slot.channel(i));
    if (channel.valid() && channel.isDigital() && channel.contact() == number) h.channels.push_back(i);
  }
  for (int k = 0; k < kGpsSystemCount; ++k) {
    const std::span<uint8_t> system = gpsSystem(slot, k);
    if (!system.empty() && gpsDestinationContact(system) == number) h.gpsSystems.push_back(k);
  }
  return h;
}

class ContactReferences final : public ListReferences {
 public:
  std::vector<HolderCount> holders(c_codeplug& slot, int number) override {
    const Holders h = collect(slot, number);
    return {
        {" side buttons ", static_cast<int>(h.oneTouch.size())},
        {" key pad contacts ", static_cast<int>(h.keyPad.size())},
        {" groups ", static_cast<int>(h.groupLists.size())},
        {" channels ", static_cast<int>(h.channels.size())},
        {" GPS settings ", static_cast<int>(h.gpsSystems.size())},
    };
  }

  void clearHolders(c_codeplug& slot, int number) override {
    const Holders h = collect(slot, number);
    for (int i : h.oneTouch) {
      const std::span<uint8_t> entry = oneTouchEntry(slot, i);
      std::fill(entry.begin(), entry.end(), uint8_t{0});
    }
    for (int j : h.keyPad) writeLe16(keyPadEntry(slot, j), 0, 0);
    for (int list : h.groupLists) removeGroupMember(groupMembers(slot, list), static_cast<uint16_t>(number));
    for (int k : h.gpsSystems) resetGpsSystem(slot, k);
    // Analogue channels are not worth a question, but their contact would
    // otherwise slide onto the next contact once the gap closes.
    for (int i = 0; i < slot.sections.channelCount; ++i) {
      ChannelRecord channel(slot.channel(i));
      if (channel.valid() && channel.contact() == number) channel.setContact(0);
    }
  }

  void renumberAfterInsert(c_codeplug& slot, int position) override {
    const int capacity = slot.sections.contactCount;
    forEachPlace(slot, Scope::All, [&](uint16_t& n) { return shiftNumberForInsert(n, position, capacity); });
  }

  void renumberAfterDelete(c_codeplug& slot, int number) override {
    const int capacity = slot.sections.contactCount;
    forEachPlace(slot, Scope::All, [&](uint16_t& n) {
      if (n <= number || n > capacity) return false;
      --n;
      return true;
    });
  }

  void renumberAfterMove(c_codeplug& slot, int from, int to) override {
    const int capacity = slot.sections.contactCount;
    forEachPlace(slot, Scope::InUse, [&](uint16_t& n) { return shiftNumberForMove(n, from, to, capacity); });
  }
};

}  // namespace

ListReferences& contactReferences() {
  static ContactReferences references;
  return references;
}

}  // namespace tamberlin
