#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/list_engine.h"

namespace tamberlin {

class c_codeplug;
class Prompt;

// A contact made from a name: ID 0, Group call, no receive tone. From an empty
// name it is the cleared record instead: all 0xFF but flags 0xC0.
void initContactRecord(std::span<uint8_t> record, std::u16string_view name);

inline constexpr std::string_view kContactClipboardFormat = "tyt_code_plug_contact_entry";

// The contact list of a slot for the list engine, with the fix-up of every
// contact number held by buttons, group lists, channels and GPS systems.
ListSection contactListSection(const c_codeplug& slot);
void initialiseContact(c_codeplug& slot, int index, std::u16string_view name);

// The one way a new contact gets into the list, so that every contact number
// held elsewhere keeps naming the same contact. Puts the contact before 0-based
// `position` (-1 or past the end: after the last one); it is a copy of `source`
// when one is given (36 bytes), else "New contact". Returns the new index, -1
// without a codeplug, -2 when the list is full.
int insertContact(c_codeplug& slot, int position, std::span<const uint8_t> source = {});

// Deletes contact `number` (1-based); with `confirm` a contact others refer to
// goes only after Yes. 0 deleted, -1 no codeplug or number above the capacity,
// -2 number below 1, -3 declined.
int deleteContact(c_codeplug& slot, int number, bool confirm, Prompt& prompt);

// Columns of the contact list.
enum class ContactColumn { Number, Name, DmrId, Type, RxTone };
inline constexpr int kContactColumnCount = 5;

// "Group call", "Private call", ..., "Unknown" for 6 and 7.
std::string callTypeText(int callType);
// The text a cell of the contact list shows for 0-based `row`.
std::u16string contactCellText(c_codeplug& slot, int row, ContactColumn column);

// Call types the Set menu items and the Type cell write.
inline constexpr int kGroupCall = 1;
inline constexpr int kPrivateCall = 2;
inline constexpr int kAllCall = 3;
// Group -> Private -> All -> Group; anything else becomes Group call.
int nextCallType(int callType);

// Writes the call type or the receive tone into the selected rows' records.
void setContactsCallType(c_codeplug& slot, const std::vector<int>& rows, int callType);
void setContactsRxTone(c_codeplug& slot, const std::vector<int>& rows, bool on);
// What a double-click on the Type and Rx Tone cells does.
void cycleContactCallType(c_codeplug& slot, int row);
void toggleContactRxTone(c_codeplug& slot, int row);
// The DMR ID typed into the cell, written only when it is a decimal number
// from 0 to 16777215; false leaves the record as it was.
bool writeContactIdText(c_codeplug& slot, int row, std::u16string_view text);

// The rows whose cell texts contain the trimmed, lower-cased search text; none
// for an empty text.
std::vector<int> contactSearchMatches(c_codeplug& slot, std::u16string_view text);
// The top row that puts the first match three rows below the top.
int contactSearchTopRow(int firstMatch);

// When the title and buttons are set: after the list was reloaded, or after
// the selection changed.
enum class ContactsRefresh { Reload, Selection };

// "Contacts   used 12 of 10000 " (two blanks after a selection change), with
// " 2 selected " when rows are selected; without a codeplug "Contacts .. up to
// 10000 ".
std::string contactsTitle(ContactsRefresh when, bool hasCodeplug, int used, int capacity, int selected);

struct ContactsControlState {
  bool add = false;  // also Insert and Add to contacts
  bool remove = false;
  bool moveUp = false;
  bool moveDown = false;
  bool importList = false;
  bool exportList = false;
  // Pop-up menu entries beyond the list editors' common ones.
  bool moveItems = false;
  bool setItems = false;
};
// `selected` sorted ascending.
ContactsControlState contactsControlState(ContactsRefresh when, bool hasCodeplug, int used, int capacity,
                                          const std::vector<int>& selected);

}  // namespace tamberlin
