#include "editors/contacts/contacts_model.h"

#include <algorithm>
#include <charconv>

#include "codeplug/c_codeplug.h"
#include "codeplug/list_section.h"
#include "codeplug/radio_id.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "editors/contacts/contact_record.h"
#include "editors/contacts/contact_references.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {
constexpr size_t kFlags = 3;
constexpr size_t kName = 4;
constexpr uint8_t kClearedFlags = 0xC0;
constexpr uint8_t kGroupCallFlags = 0xC1;
}  // namespace

void initContactRecord(std::span<uint8_t> record, std::u16string_view name) {
  std::fill(record.begin(), record.end(), uint8_t{0xFF});
  const std::u16string text = trimmed(name);
  if (text.empty()) {
    record[kFlags] = kClearedFlags;
    return;
  }
  writeRadioId3(record, 0);
  record[kFlags] = kGroupCallFlags;
  encodeTextField(record.subspan(kName), kNameUnits, text);
}

ListSection contactListSection(const c_codeplug& slot) {
  ListSection section;
  section.layout = listSectionLayout(slot.sections, ListSectionId::Contacts);
  section.counterText = "Contacts   used ";
  section.upToText = "Contacts .. up to ";
  section.newName = u"New contact";
  section.lastName = u"Contact 1";
  section.singular = "contact";
  section.formatName = kContactClipboardFormat;
  section.initialise = [](c_codeplug& s, int index, std::u16string_view name) {
    initialiseContact(s, index, name);
  };
  section.references = &contactReferences();
  return section;
}

void initialiseContact(c_codeplug& slot, int index, std::u16string_view name) {
  const std::span<uint8_t> record = slot.contact(index);
  if (!record.empty()) initContactRecord(record, name);
}

int insertContact(c_codeplug& slot, int position, std::span<const uint8_t> source) {
  const ListSection section = contactListSection(slot);
  ListEngine engine(slot, section);
  if (!engine.holdsList()) return -1;
  const int used = engine.used();
  if (used >= engine.capacity()) return -2;
  // A position just past the last contact still moves the numbers that point
  // there, as an insert inside the list would.
  if (position == used) section.references->renumberAfterInsert(slot, position);
  const int index = engine.insert(position);
  if (index < 0 || source.empty()) return index;
  const std::span<uint8_t> record = slot.contact(index);
  const size_t size = std::min(source.size(), record.size());
  std::copy(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(size), record.begin());
  // An unnamed record would end the list here and hide every contact after it.
  if (textFieldIsEmpty(t_contact_entry(record).name())) {
    encodeTextField(t_contact_entry(record).name(), kNameUnits, section.newName);
  }
  return index;
}

int deleteContact(c_codeplug& slot, int number, bool confirm, Prompt& prompt) {
  const ListSection section = contactListSection(slot);
  ListEngine engine(slot, section);
  if (!engine.holdsList()) return -1;
  if (number < 1) return -2;
  return engine.deleteRecord(number, confirm, prompt);
}

std::string callTypeText(int callType) {
  switch (callType) {
    case 0: return "-";
    case 1: return "Group call";
    case 2: return "Private call";
    case 3: return "All call";
    case 4: return "Displatch call";
    case 5: return "PC call";
    default: return "Unknown";
  }
}

std::u16string contactCellText(c_codeplug& slot, int row, ContactColumn column) {
  const t_contact_entry contact(slot.contact(row));
  if (!contact.valid()) return {};
  switch (column) {
    case ContactColumn::Number: return utf8ToUtf16(std::to_string(row + 1));
    case ContactColumn::Name: return decodeTextField(contact.name(), kNameUnits, row + 1);
    case ContactColumn::DmrId: return utf8ToUtf16(std::to_string(contact.callId()));
    case ContactColumn::Type: return utf8ToUtf16(callTypeText(contact.callType()));
    case ContactColumn::RxTone: return contact.rxTone() ? u"Yes" : u"";
  }
  return {};
}

int nextCallType(int callType) {
  switch (callType) {
    case kGroupCall: return kPrivateCall;
    case kPrivateCall: return kAllCall;
    default: return kGroupCall;
  }
}

void setContactsCallType(c_codeplug& slot, const std::vector<int>& rows, int callType) {
  for (int row : rows) {
    t_contact_entry contact(slot.contact(row));
    if (contact.valid()) contact.setCallType(callType);
  }
}

void setContactsRxTone(c_codeplug& slot, const std::vector<int>& rows, bool on) {
  for (int row : rows) {
    t_contact_entry contact(slot.contact(row));
    if (contact.valid()) contact.setRxTone(on);
  }
}

void cycleContactCallType(c_codeplug& slot, int row) {
  t_contact_entry contact(slot.contact(row));
  if (contact.valid()) contact.setCallType(nextCallType(contact.callType()));
}

void toggleContactRxTone(c_codeplug& slot, int row) {
  t_contact_entry contact(slot.contact(row));
  if (contact.valid()) contact.setRxTone(!contact.rxTone());
}

bool writeContactIdText(c_codeplug& slot, int row, std::u16string_view text) {
  t_contact_entry contact(slot.contact(row));
  const std::string digits = utf16ToUtf8(trimmed(text));
  if (!contact.valid() || digits.empty()) return false;
  uint64_t id = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
  if (error != std::errc() || end != digits.data() + digits.size() || id > kMaxRadioId) return false;
  contact.setCallId(static_cast<uint32_t>(id));
  return true;
}

std::vector<int> contactSearchMatches(c_codeplug& slot, std::u16string_view text) {
  std::vector<int> rows;
  const std::u16string key = lowerCased(trimmed(text));
  if (key.empty() || !slot.holdsCodeplug()) return rows;
  const int used = usedCount(slot, listSectionLayout(slot.sections, ListSectionId::Contacts));
  for (int row = 0; row < used; ++row) {
    for (int column = 0; column < kContactColumnCount; ++column) {
      const std::u16string cell =
          lowerCased(trimmed(contactCellText(slot, row, static_cast<ContactColumn>(column))));
      if (cell.find(key) != std::u16string::npos) {
        rows.push_back(row);
        break;
      }
    }
  }
  return rows;
}

int contactSearchTopRow(int firstMatch) { return std::max(firstMatch - 3, 0); }

std::string contactsTitle(ContactsRefresh when, bool hasCodeplug, int used, int capacity, int selected) {
  if (!hasCodeplug) return "Contacts .. up to " + std::to_string(capacity) + " ";
  std::string text = when == ContactsRefresh::Reload ? "Contacts   used " : "Contacts  used ";
  text += std::to_string(used) + " of " + std::to_string(capacity) + " ";
  if (selected > 0) text += " " + std::to_string(selected) + " selected ";
  return text;
}

ContactsControlState contactsControlState(ContactsRefresh when, bool hasCodeplug, int used, int capacity,
                                          const std::vector<int>& selected) {
  ContactsControlState state;
  if (!hasCodeplug) return state;
  const bool any = !selected.empty();
  // After a change of selection, adding and importing also want a row chosen.
  const bool chosen = when == ContactsRefresh::Reload || any;
  state.add = used < capacity && chosen;
  state.importList = chosen;
  state.exportList = used > 0;
  state.remove = any;
  state.moveUp = any && selected.front() != 0;
  state.moveDown = any && selected.back() != used - 1;
  state.moveItems = any;
  state.setItems = any;
  return state;
}

}  // namespace tamberlin
