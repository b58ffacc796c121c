#include "codeplug/member_list.h"

#include <algorithm>

namespace tamberlin {

bool memberEntryValid(const MemberList& list, uint16_t number) {
  return number >= 1 && number <= list.numberLimit();
}

std::vector<int> members(const MemberList& list) {
  std::vector<int> numbers;
  for (int k = 0; k < list.capacity(); ++k) {
    const uint16_t number = list.entry(k);
    if (!memberEntryValid(list, number)) break;
    numbers.push_back(number);
  }
  return numbers;
}

std::vector<int> availableRecords(const MemberList& list) {
  const std::vector<int> held = members(list);
  std::vector<int> available;
  for (int number : list.eligible()) {
    if (std::find(held.begin(), held.end(), number) == held.end()) available.push_back(number);
  }
  return available;
}

int addMembers(MemberList& list, const std::vector<int>& numbers) {
  int added = 0;
  if (static_cast<int>(members(list).size()) >= list.capacity()) return added;
  for (int number : numbers) {
    if (number < 1 || number > list.numberLimit()) continue;
    int free = -1;
    bool held = false;
    // Every entry is looked at, not only the members, so a number stored
    // behind a gap is never written twice.
    for (int k = 0; k < list.capacity() && !held; ++k) {
      const uint16_t entry = list.entry(k);
      held = entry == number;
      if (free < 0 && !memberEntryValid(list, entry)) free = k;
    }
    if (held || free < 0) continue;
    list.setEntry(free, static_cast<uint16_t>(number));
    ++added;
  }
  return added;
}

void packMembers(MemberList& list) {
  const int capacity = list.capacity();
  auto validFrom = [&](int k) {
    for (; k < capacity; ++k) {
      if (memberEntryValid(list, list.entry(k))) return true;
    }
    return false;
  };
  for (int k = 0; k < capacity; ++k) {
    if (memberEntryValid(list, list.entry(k))) continue;
    if (!validFrom(k + 1)) break;
    for (int j = k; j < capacity - 1; ++j) {
      const uint16_t next = list.entry(j + 1);
      list.setEntry(j, memberEntryValid(list, next) ? next : 0);
    }
    list.setEntry(capacity - 1, 0);
    --k;  // the entry that moved in is looked at next
  }
}

void removeMembers(MemberList& list, const std::vector<int>& positions) {
  const int count = static_cast<int>(members(list).size());
  for (int k : positions) {
    if (k >= 0 && k < count) list.setEntry(k, 0);
  }
  packMembers(list);
}

std::vector<int> moveMembers(MemberList& list, std::vector<int> positions, int distance) {
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  const int count = static_cast<int>(members(list).size());
  std::erase_if(positions, [count](int k) { return k < 0 || k >= count; });
  if (positions.empty() || distance == 0) return positions;
  // One member at a time, the others between shifting by one place.
  auto moveOne = [&](int from, int to) {
    const uint16_t moved = list.entry(from);
    const int step = from < to ? 1 : -1;
    for (int k = from; k != to; k += step) list.setEntry(k, list.entry(k + step));
    list.setEntry(to, moved);
  };
  if (distance > 0) {
    const int k = std::min(distance, positions.front());
    for (int& p : positions) {
      moveOne(p, p - k);
      p -= k;
    }
  } else {
    const int k = std::min(-distance, count - 1 - positions.back());
    for (auto p = positions.rbegin(); p != positions.rend(); ++p) {
      moveOne(*p, *p + k);
      *p += k;
    }
  }
  return positions;
}

MemberButtonState memberButtonState(int memberCount, int capacity, bool availableSelected,
                                    const std::vector<int>& selectedMembers) {
  MemberButtonState state;
  if (memberCount < 0) return state;
  const bool any = !selectedMembers.empty();
  state.add = memberCount < capacity && availableSelected;
  state.remove = any;
  state.moveUp = any && selectedMembers.front() > 0;
  state.moveDown = any && selectedMembers.back() < memberCount - 1;
  return state;
}

}  // namespace tamberlin
