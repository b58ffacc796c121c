#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/list_section.h"
#include "support/prompt.h"

namespace tamberlin {

class c_codeplug;

// How many records of one holding section refer to a record, and the plural the
// delete question names them by (" zones ").
struct HolderCount {
  std::string plural;
  int count = 0;
};

// What a section supplies so the records of other sections that refer to its
// records by number (1-based, 0 none) follow every insert, delete and move.
class ListReferences {
 public:
  virtual ~ListReferences() = default;
  // The holders of record `number`, in the order the delete question lists them.
  virtual std::vector<HolderCount> holders(c_codeplug& slot, int number) = 0;
  // Drops what refers to `number` just before it is deleted.
  virtual void clearHolders(c_codeplug& slot, int number) = 0;
  // After the record at 0-based `position` was inserted (later ones moved up).
  virtual void renumberAfterInsert(c_codeplug& slot, int position) = 0;
  // After record `number` was deleted and the gap closed.
  virtual void renumberAfterDelete(c_codeplug& slot, int number) = 0;
  // After the record at 0-based index `from` was moved to `to`.
  virtual void renumberAfterMove(c_codeplug& slot, int from, int to) = 0;
};

// One list section as its editor sees it.
struct ListSection {
  ListSectionLayout layout;
  // Records that travel with the main ones (a UV zone's extension); size 0: none.
  size_t companionOffset = 0;
  size_t companionSize = 0;
  std::string_view counterText;  // "Channels  used "
  std::string_view upToText;     // "Channels .. up to "
  std::u16string_view newName;   // "New channel"
  std::u16string_view lastName;  // "Channel 1"; empty: the list may become empty
  std::string_view singular;     // "channel", for "Delete the channel ? "
  std::string_view formatName;   // "tyt_code_plug_channel_entry"; empty: no clipboard
  PromptIcon questionIcon = PromptIcon::Question;  // of the delete question
  // Writes the section's blank record with a name at a 0-based index.
  std::function<void(c_codeplug&, int, std::u16string_view)> initialise;
  ListReferences* references = nullptr;  // nothing refers to the section
};

// The list operations every list editor shares, over one section of a slot.
class ListEngine {
 public:
  ListEngine(c_codeplug& slot, const ListSection& section) : slot_(slot), section_(section) {}

  bool holdsList() const;
  int capacity() const { return section_.layout.capacity; }
  int used() const;
  bool full() const { return used() >= capacity(); }

  // The record's name as the list shows it (number = index + 1).
  std::u16string displayName(int index) const;

  // Puts a new record before 0-based `position`; a position outside the list
  // appends. The new index, -1 without a list, -2 when full.
  int insert(int position);

  // Deletes record `number` (1-based). With `ask`, a record that others refer
  // to is deleted only after Yes. 0 deleted, -1 invalid number or no list,
  // -3 declined.
  int deleteRecord(int number, bool ask, Prompt& prompt);

  struct SelectionDeleteResult {
    int deleted = 0;
    int selectRow = -1;  // the row to select afterwards, -1: none
  };
  // Deletes the selected rows from the last up. A declined question keeps that
  // record and goes on, or with `stopOnDecline` keeps every record above too.
  SelectionDeleteResult deleteSelection(std::vector<int> rows, bool stopOnDecline, Prompt& prompt);

  // Moves one record from `index` by `distance` places (positive: up) within
  // the list. Returns its new index.
  int moveRecord(int index, int distance);
  // Moves the selected rows as a block by up to `distance` places, stopping at
  // the ends. Returns the rows where they now are.
  std::vector<int> moveSelection(std::vector<int> rows, int distance);

  // Writes a trimmed non-empty name; blanks leave the record as it was.
  bool rename(int index, std::u16string_view text);

  std::vector<uint8_t> copyBlock(const std::vector<int>& rows) const;
  struct PasteResult {
    int first = -1;  // index of the first pasted record
    int count = 0;
  };
  // Appends the block's records behind the used ones. Refusals are reported
  // through the prompt and give count 0.
  PasteResult paste(std::span<const uint8_t> block, Prompt& prompt);

 private:
  std::span<uint8_t> record(int index) const;
  std::span<uint8_t> companion(int index) const;
  void shiftTowardsEnd(int from, int to);
  void shiftTowardsStart(int from, int to);
  void rotate(int from, int to);
  int removeRecord(int number, bool ask, Prompt& prompt, bool tidyFreeRecords);
  void tidyFreeRecords();

  c_codeplug& slot_;
  const ListSection& section_;
};

// The title above a list: "Channels  used 12 of 3000 " + " 2 selected ", or
// without a codeplug "Channels .. up to 3000. ".
std::string listCounterText(const ListSection& section, bool hasCodeplug, int used, int selected);
// The same for a member list.
std::string memberCounterText(std::string_view counterText, std::string_view upToText, bool oneSelected,
                              int members, int capacity);

// Which entries of a list's pop-up menu are enabled.
struct ListMenuState {
  bool copy = false;
  bool paste = false;
  bool add = false;
  bool insert = false;
  bool remove = false;
  bool selectAll = false;
  bool unselectAll = false;
};
ListMenuState listMenuState(bool hasCodeplug, int used, int capacity, int selected, bool clipboardHasFormat);

// The delete question for a record that others refer to.
std::string deleteQuestion(std::u16string_view shownName, const std::vector<HolderCount>& holders,
                           std::string_view singular);

// Whether a typed character may go into a name: control characters and those
// outside 7-bit ASCII are refused, and so is any of `alsoRefused`.
bool nameCharacterAccepted(char16_t c, std::u16string_view alsoRefused = {});

// The top row that shows record `number` (1-based) first, as far as the list
// allows; nullopt for an empty list.
std::optional<int> scrollTopRow(int number, int itemCount, int visibleRows);

// The press-and-hold repeat of a move button, driven by a 25 ms tick: the
// first repeat after 16 ticks, then every third.
class MoveRepeat {
 public:
  void press() { countdown_ = kFirstDelay; }
  void release() { countdown_ = 0; }
  bool held() const { return countdown_ > 0; }
  // True when this tick runs a move.
  bool tick();

 private:
  static constexpr int kFirstDelay = 16;
  static constexpr int kRepeatDelay = 3;
  int countdown_ = 0;
};

}  // namespace tamberlin
