#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "databases/database_progress.h"
#include "databases/t_database_file_entry.h"
#include "editors/contacts/contact_record.h"

namespace tamberlin {

class c_codeplug;

// The contact a user database entry becomes: Private call without receive
// tone, its ID's low 24 bits, and call sign + " " + the first word of the name.
std::array<uint8_t, t_contact_entry::kSize> databaseContactRecord(int32_t radioId, std::string_view callSign,
                                                                  std::string_view name);

// Adds the entries in order through insertContact: an entry whose ID a contact
// already has goes in front of the first such contact, any other one after the
// last. Stops when the list is full; the number added. Reports "Adding
// contacts .. " and every 32nd entry.
int addToContacts(c_codeplug& slot, const std::vector<DatabaseEntryView>& entries,
                  DatabaseProgress& progress = silentProgress());

// The free records of the slot's contact list.
int freeContactRecords(const c_codeplug& slot);

}  // namespace tamberlin
