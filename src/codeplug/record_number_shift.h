#pragma once

#include <algorithm>
#include <cstdint>

// How a record number held by another section (1-based, 0 none) follows the
// records of its list. Each returns whether the number changed; 0 and numbers
// above the capacity point at nothing and stay as they are.
namespace tamberlin {

// A record was inserted at 0-based `position`.
inline bool shiftNumberForInsert(uint16_t& n, int position, int capacity) {
  if (n == 0 || n - 1 < position || n - 1 >= capacity) return false;
  ++n;
  return true;
}

// The record at 0-based `from` moved to `to`, the ones between shifting over.
inline bool shiftNumberForMove(uint16_t& n, int from, int to, int capacity) {
  if (n == 0 || n > capacity) return false;
  const int low = std::min(from, to) + 1;
  const int high = std::max(from, to) + 1;
  if (n == from + 1) {
    n = static_cast<uint16_t>(to + 1);
  } else if (n >= low && n <= high) {
    n = static_cast<uint16_t>(from < to ? n - 1 : n + 1);
  } else {
    return false;
  }
  return true;
}

}  // namespace tamberlin
