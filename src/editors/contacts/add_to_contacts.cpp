#include "editors/contacts/add_to_contacts.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/list_section.h"
#include "codeplug/text_field.h"
#include "editors/contacts/contacts_model.h"

namespace tamberlin {

namespace {

constexpr uint8_t kPrivateCallFlags = 0xC2;

uint32_t contactId(int32_t radioId) { return static_cast<uint32_t>(radioId) & 0xFFFFFF; }

std::string_view trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// 0-based index of the first used contact with this ID, else -1.
int firstContactWithId(c_codeplug& slot, uint32_t id) {
  for (int row = 0;; ++row) {
    const std::span<uint8_t> record = slot.contact(row);
    if (record.empty() || textFieldIsEmpty(t_contact_entry(record).name())) return -1;
    if (t_contact_entry(record).callId() == id) return row;
  }
}

}  // namespace

std::array<uint8_t, t_contact_entry::kSize> databaseContactRecord(int32_t radioId, std::string_view callSign,
                                                                  std::string_view name) {
  std::array<uint8_t, t_contact_entry::kSize> bytes;
  bytes.fill(0xFF);
  t_contact_entry contact(bytes);
  contact.setCallId(contactId(radioId));
  bytes[t_contact_entry::kFlags] = kPrivateCallFlags;
  const std::string_view trimmedName = trim(name);
  const std::string text =
      std::string(callSign) + " " + std::string(trim(trimmedName.substr(0, trimmedName.find(' '))));
  // Database texts hold nothing above 0x7F, so widening them is exact. A
  // blank name would leave a trailing blank on the radio's display.
  const std::string_view shown = trim(text);
  encodeTextField(contact.name(), kNameUnits, std::u16string(shown.begin(), shown.end()));
  return bytes;
}

int addToContacts(c_codeplug& slot, const std::vector<DatabaseEntryView>& entries,
                  DatabaseProgress& progress) {
  constexpr int kProgressEvery = 32;
  progress.status("Adding contacts .. ");
  progress.setRange(std::min(static_cast<int>(entries.size()), freeContactRecords(slot)));
  int added = 0;
  for (const DatabaseEntryView& entry : entries) {
    const auto record = databaseContactRecord(entry.radioId(), entry.callSign(), entry.name());
    const int position = firstContactWithId(slot, contactId(entry.radioId()));
    if (insertContact(slot, position, record) < 0) break;
    if (++added % kProgressEvery == 0) progress.setPosition(added);
  }
  progress.status("");
  progress.hide();
  return added;
}

int freeContactRecords(const c_codeplug& slot) {
  if (!slot.holdsCodeplug()) return 0;
  const ListSectionLayout layout = contactListSection(slot).layout;
  return layout.capacity - usedCount(slot, layout);
}

}  // namespace tamberlin
