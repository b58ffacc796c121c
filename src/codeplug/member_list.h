#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamberlin {

// The member entries of one record of another section (the contacts of an RX
// group list, the channels of a scan list or of one zone bank): a fixed number
// of record numbers, 0 an empty place. A section supplies one for the record
// selected in its editor; the operations below and the member-list editor work
// on any of them alike.
class MemberList {
 public:
  virtual ~MemberList() = default;

  // How many entries the record has (32, 31, 16 or 64).
  virtual int capacity() const = 0;
  virtual uint16_t entry(int k) const = 0;
  virtual void setEntry(int k, uint16_t number) = 0;
  // The highest record number an entry may hold: the contact or channel capacity.
  virtual int numberLimit() const = 0;
  // The records that may be members, in list order, members included.
  virtual std::vector<int> eligible() const = 0;
  // The texts of a record's row in either list, after the hidden first column.
  virtual std::vector<std::u16string> cells(int number) const = 0;
};

// What a member editor shows for a section.
struct MemberListTexts {
  std::string_view availableTitle;        // "Available Contacts "
  std::string_view counterText;           // "Contact Members  used "
  std::string_view upToText;              // "Contact Members .. up to "
  std::vector<std::string_view> headers;  // the hidden column first: "", "No.", "Name", "ID"
};

bool memberEntryValid(const MemberList& list, uint16_t number);

// The entries from the first up to the first that is not a valid number.
std::vector<int> members(const MemberList& list);
// The eligible records that are not members, in list order.
std::vector<int> availableRecords(const MemberList& list);

// Writes each number into the first empty place, skipping those already held
// and those outside 1..numberLimit. Nothing is added to a full list. Returns
// how many were added.
int addMembers(MemberList& list, const std::vector<int>& numbers);
// Empties the member places at these 0-based positions, then packs the list.
void removeMembers(MemberList& list, const std::vector<int>& positions);
// Moves the valid entries to the front in their order; walking stops once no
// valid entry follows, so what lies behind the last member stays as it was.
void packMembers(MemberList& list);
// Moves the members at these positions as a block by up to `distance` places
// (positive: up), stopping at the first and last member. Returns where they are now.
std::vector<int> moveMembers(MemberList& list, std::vector<int> positions, int distance);

struct MemberButtonState {
  bool add = false;
  bool remove = false;
  bool moveUp = false;
  bool moveDown = false;
};
// Which member buttons are enabled. `memberCount` is -1 unless exactly one
// record is selected; `selectedMembers` are sorted positions.
MemberButtonState memberButtonState(int memberCount, int capacity, bool availableSelected,
                                    const std::vector<int>& selectedMembers);

}  // namespace tamberlin
