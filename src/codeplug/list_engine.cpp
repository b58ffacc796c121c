#include "codeplug/list_engine.h"

#include <algorithm>
#include <cstring>

#include "codeplug/c_codeplug.h"
#include "codeplug/clipboard_block.h"
#include "codeplug/text_field.h"
#include "support/prompt.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

std::vector<int> sortedUnique(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

// Moves the record at `from` to `to` inside one array of equal-sized records,
// the records between shifting by one place.
void rotateRecords(std::span<uint8_t> records, size_t size, int from, int to) {
  auto at = [&](int index) { return records.begin() + static_cast<std::ptrdiff_t>(size * index); };
  if (from < to) {
    std::rotate(at(from), at(from + 1), at(to + 1));
  } else {
    std::rotate(at(to), at(from), at(from + 1));
  }
}

}  // namespace

bool ListEngine::holdsList() const {
  return slot_.holdsCodeplug() && section_.layout.offset != 0 && section_.layout.capacity > 0 &&
         !slot_.bytes(section_.layout.offset, section_.layout.recordSize * capacity()).empty();
}

int ListEngine::used() const { return holdsList() ? usedCount(slot_, section_.layout) : 0; }

std::span<uint8_t> ListEngine::record(int index) const { return listRecord(slot_, section_.layout, index); }

std::span<uint8_t> ListEngine::companion(int index) const {
  if (section_.companionSize == 0 || index < 0 || index >= capacity()) return {};
  return slot_.bytes(section_.companionOffset + section_.companionSize * static_cast<size_t>(index),
                     section_.companionSize);
}

std::u16string ListEngine::displayName(int index) const {
  const std::span<uint8_t> r = record(index);
  if (r.empty()) return {};
  return decodeTextField(r.subspan(section_.layout.nameOffset), section_.layout.nameUnits, index + 1);
}

// Records from..to-1 move one place towards the end; record `to` is lost.
void ListEngine::shiftTowardsEnd(int from, int to) {
  if (from >= to) return;
  const size_t size = section_.layout.recordSize;
  std::span<uint8_t> all = slot_.bytes(section_.layout.offset, size * capacity());
  std::memmove(all.data() + size * (from + 1), all.data() + size * from, size * (to - from));
  if (section_.companionSize == 0) return;
  const size_t csize = section_.companionSize;
  std::span<uint8_t> companions = slot_.bytes(section_.companionOffset, csize * capacity());
  if (companions.empty()) return;
  std::memmove(companions.data() + csize * (from + 1), companions.data() + csize * from, csize * (to - from));
}

// Records from+1..to move one place towards the start; record `from` is lost.
void ListEngine::shiftTowardsStart(int from, int to) {
  if (from >= to) return;
  const size_t size = section_.layout.recordSize;
  std::span<uint8_t> all = slot_.bytes(section_.layout.offset, size * capacity());
  std::memmove(all.data() + size * from, all.data() + size * (from + 1), size * (to - from));
  if (section_.companionSize == 0) return;
  const size_t csize = section_.companionSize;
  std::span<uint8_t> companions = slot_.bytes(section_.companionOffset, csize * capacity());
  if (companions.empty()) return;
  std::memmove(companions.data() + csize * from, companions.data() + csize * (from + 1), csize * (to - from));
}

void ListEngine::rotate(int from, int to) {
  rotateRecords(slot_.bytes(section_.layout.offset, section_.layout.recordSize * capacity()),
                section_.layout.recordSize, from, to);
  if (section_.companionSize == 0) return;
  std::span<uint8_t> companions = slot_.bytes(section_.companionOffset, section_.companionSize * capacity());
  if (!companions.empty()) rotateRecords(companions, section_.companionSize, from, to);
}

int ListEngine::insert(int position) {
  if (!holdsList()) return -1;
  const int end = used();
  if (end >= capacity()) return -2;
  // A position at or past the end appends; inserting there would leave a gap.
  if (position < 0 || position >= end) {
    position = end;
  } else {
    if (section_.references) section_.references->renumberAfterInsert(slot_, position);
    shiftTowardsEnd(position, capacity() - 1);
  }
  section_.initialise(slot_, position, section_.newName);
  return position;
}

int ListEngine::removeRecord(int number, bool ask, Prompt& prompt, bool tidy) {
  if (!holdsList() || number < 1 || number > capacity()) return -1;
  if (section_.references) {
    const std::vector<HolderCount> holders = section_.references->holders(slot_, number);
    const bool referred = std::any_of(holders.begin(), holders.end(), [](const HolderCount& h) { return h.count > 0; });
    if (ask && referred) {
      const std::string text = deleteQuestion(displayName(number - 1), holders, section_.singular);
      if (prompt.show(section_.questionIcon, text, PromptButtons::YesNo, PromptAnswer::No) != PromptAnswer::Yes) {
        return -3;
      }
    }
    section_.references->clearHolders(slot_, number);
  }
  shiftTowardsStart(number - 1, capacity() - 1);
  section_.initialise(slot_, capacity() - 1, u"");
  if (section_.references) section_.references->renumberAfterDelete(slot_, number);
  if (tidy) tidyFreeRecords();
  return 0;
}

int ListEngine::deleteRecord(int number, bool ask, Prompt& prompt) { return removeRecord(number, ask, prompt, true); }

// Every unnamed record becomes the blank record, and an emptied list gets its
// one record back. Blank records are all alike, so one is built and the others
// compared with it.
void ListEngine::tidyFreeRecords() {
  int blank = -1;
  for (int i = 0; i < capacity() - 1; ++i) {
    const std::span<uint8_t> r = record(i);
    if (r.empty() || !textFieldIsEmpty(r.subspan(section_.layout.nameOffset))) continue;
    if (blank < 0) {
      section_.initialise(slot_, i, u"");
      blank = i;
      continue;
    }
    const std::span<uint8_t> model = record(blank);
    if (!std::equal(r.begin(), r.end(), model.begin())) std::copy(model.begin(), model.end(), r.begin());
    const std::span<uint8_t> c = companion(i);
    const std::span<uint8_t> cmodel = companion(blank);
    if (!c.empty() && !std::equal(c.begin(), c.end(), cmodel.begin())) std::copy(cmodel.begin(), cmodel.end(), c.begin());
  }
  if (!section_.lastName.empty() && used() == 0) section_.initialise(slot_, 0, section_.lastName);
}

ListEngine::SelectionDeleteResult ListEngine::deleteSelection(std::vector<int> rows, bool stopOnDecline,
                                                              Prompt& prompt) {
  SelectionDeleteResult result;
  if (!holdsList()) return result;
  rows = sortedUnique(std::move(rows));
  const int end = used();
  while (!rows.empty() && rows.back() >= end) rows.pop_back();
  while (!rows.empty() && rows.front() < 0) rows.erase(rows.begin());
  if (rows.empty()) return result;
  // Records behind the list are tidied once at the end: nothing a later
  // question or fix-up reads lies there.
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    const int code = removeRecord(*row + 1, true, prompt, false);
    if (code == 0) ++result.deleted;
    if (code == -3 && stopOnDecline) break;
  }
  tidyFreeRecords();
  const int left = used();
  result.selectRow = left == 0 ? -1 : std::min(rows.back(), left - 1);
  return result;
}

int ListEngine::moveRecord(int index, int distance) {
  const int end = used();
  if (index < 0 || index >= end) return index;
  // Never past the last used record: a record behind a free one is lost.
  const int target = std::clamp(index - distance, 0, end - 1);
  if (target == index) return index;
  rotate(index, target);
  if (section_.references) section_.references->renumberAfterMove(slot_, index, target);
  return target;
}

std::vector<int> ListEngine::moveSelection(std::vector<int> rows, int distance) {
  rows = sortedUnique(std::move(rows));
  const int end = used();
  std::erase_if(rows, [end](int row) { return row < 0 || row >= end; });
  if (rows.empty() || distance == 0) return rows;
  if (distance > 0) {
    const int k = std::min(distance, rows.front());
    if (k == 0) return rows;
    for (int& row : rows) row = moveRecord(row, k);
  } else {
    const int k = std::min(-distance, end - 1 - rows.back());
    if (k == 0) return rows;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) *row = moveRecord(*row, -k);
  }
  return rows;
}

bool ListEngine::rename(int index, std::u16string_view text) {
  const std::span<uint8_t> r = record(index);
  const std::u16string name = trimmed(text);
  if (r.empty() || name.empty()) return false;
  encodeTextField(r.subspan(section_.layout.nameOffset), section_.layout.nameUnits, name);
  return true;
}

std::vector<uint8_t> ListEngine::copyBlock(const std::vector<int>& rows) const {
  std::vector<uint8_t> records;
  int count = 0;
  const int end = used();
  for (int row : sortedUnique(rows)) {
    const std::span<uint8_t> r = record(row);
    if (r.empty() || row >= end) continue;
    records.insert(records.end(), r.begin(), r.end());
    const std::span<uint8_t> c = companion(row);
    records.insert(records.end(), c.begin(), c.end());
    ++count;
  }
  return encodeClipboardBlock(clipboardFormatNumber(section_.formatName), slot_.modelCode, count, records);
}

ListEngine::PasteResult ListEngine::paste(std::span<const uint8_t> block, Prompt& prompt) {
  PasteResult result;
  if (!holdsList()) return result;
  const size_t entrySize = section_.layout.recordSize + section_.companionSize;
  const auto view = decodeClipboardBlock(block, clipboardFormatNumber(section_.formatName), entrySize);
  if (!view) {
    prompt.error("Error: incorrect clipboard format. ");
    return result;
  }
  const int first = used();
  const int room = capacity() - first;
  if (room <= 0) {
    prompt.error("Error: no free space. ");
    return result;
  }
  const int count = std::min(view->count, room);
  for (int i = 0; i < count; ++i) {
    const auto entry = view->records.subspan(entrySize * static_cast<size_t>(i), entrySize);
    const std::span<uint8_t> r = record(first + i);
    std::copy(entry.begin(), entry.begin() + static_cast<std::ptrdiff_t>(r.size()), r.begin());
    const std::span<uint8_t> c = companion(first + i);
    if (!c.empty()) std::copy(entry.begin() + static_cast<std::ptrdiff_t>(r.size()), entry.end(), c.begin());
  }
  result.first = first;
  result.count = count;
  return result;
}

std::string listCounterText(const ListSection& section, bool hasCodeplug, int used, int selected) {
  const std::string capacity = std::to_string(section.layout.capacity);
  if (!hasCodeplug) return std::string(section.upToText) + capacity + ". ";
  std::string text = std::string(section.counterText) + std::to_string(used) + " of " + capacity + " ";
  if (selected > 0) text += " " + std::to_string(selected) + " selected ";
  return text;
}

std::string memberCounterText(std::string_view counterText, std::string_view upToText, bool oneSelected,
                              int members, int capacity) {
  if (!oneSelected) return std::string(upToText) + std::to_string(capacity) + " ";
  return std::string(counterText) + std::to_string(members) + " of " + std::to_string(capacity) + " ";
}

ListMenuState listMenuState(bool hasCodeplug, int used, int capacity, int selected, bool clipboardHasFormat) {
  ListMenuState state;
  if (!hasCodeplug) return state;
  const bool room = used < capacity;
  state.copy = selected > 0;
  state.paste = clipboardHasFormat && room;
  state.add = room;
  state.insert = room;
  state.remove = selected > 0;
  state.selectAll = selected < used;
  state.unselectAll = selected > 0;
  return state;
}

std::string deleteQuestion(std::u16string_view shownName, const std::vector<HolderCount>& holders,
                           std::string_view singular) {
  std::string text = "\"" + utf16ToUtf8(shownName) + "\" is used in .. \n";
  for (const HolderCount& holder : holders) {
    if (holder.count > 0) text += "\n" + std::to_string(holder.count) + holder.plural;
  }
  text += "\n\nDelete the " + std::string(singular) + " ? ";
  return text;
}

bool nameCharacterAccepted(char16_t c, std::u16string_view alsoRefused) {
  if (c == u'\b') return true;
  if ((c & 0xFF) < 0x20 || (c & 0x80) != 0) return false;
  return alsoRefused.find(c) == std::u16string_view::npos;
}

std::optional<int> scrollTopRow(int number, int itemCount, int visibleRows) {
  if (itemCount <= 0) return std::nullopt;
  const int top = std::min(number - 1, itemCount - std::max(visibleRows, 1));
  return std::max(top, 0);
}

bool MoveRepeat::tick() {
  if (countdown_ <= 0) return false;
  if (--countdown_ > 0) return false;
  countdown_ = kRepeatDelay;
  return true;
}

}  // namespace tamberlin
