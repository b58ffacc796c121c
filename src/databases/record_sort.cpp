#include "databases/record_sort.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <string>

#include "databases/t_database_file_entry.h"
#include "support/large_buffer.h"

namespace tamberlin {

namespace {

struct Key {
  int32_t id;
  uint32_t record;
};

class QuickSort {
 public:
  QuickSort(std::vector<Key>& keys, DatabaseProgress& progress) : keys_(keys), progress_(progress) {}

  void run() {
    if (keys_.size() < 2) return;
    // Far more levels than ordinary data ever needs, so only a pathological
    // file leaves the quicksort's own order.
    const int depthLimit = 4 * std::bit_width(keys_.size());
    sort(0, static_cast<std::ptrdiff_t>(keys_.size()) - 1, depthLimit);
  }

 private:
  void sort(std::ptrdiff_t lo, std::ptrdiff_t hi, int depth) {
    while (lo < hi) {
      if (depth-- == 0) {
        heapSort(lo, hi);
        return;
      }
      const std::ptrdiff_t split = partition(lo, hi);
      // Recursing on the smaller side bounds the stack at log2(n) frames.
      if (split - 1 - lo < hi - split) {
        sort(lo, split - 2, depth);
        lo = split;
      } else {
        sort(split, hi, depth);
        hi = split - 2;
      }
    }
  }

  // The pivot ends at i - 1: smaller IDs before it, equal and larger after.
  std::ptrdiff_t partition(std::ptrdiff_t lo, std::ptrdiff_t hi) {
    const std::ptrdiff_t mid = lo + (hi - lo) / 2;
    const int32_t pivot = at(mid).id;
    std::swap(at(mid), at(lo));
    std::ptrdiff_t i = lo + 1;
    std::ptrdiff_t j = hi;
    while (j >= i) {
      while (i <= j && at(i).id < pivot) ++i;
      while (j >= i && at(j).id >= pivot) --j;
      if (i < j) std::swap(at(i), at(j));
    }
    std::swap(at(lo), at(i - 1));
    if (i % 512 == 0) report(i);
    return i;
  }

  void heapSort(std::ptrdiff_t lo, std::ptrdiff_t hi) {
    const auto byId = [](const Key& a, const Key& b) { return a.id < b.id; };
    std::make_heap(keys_.begin() + lo, keys_.begin() + hi + 1, byId);
    std::sort_heap(keys_.begin() + lo, keys_.begin() + hi + 1, byId);
  }

  void report(std::ptrdiff_t i) {
    const auto n = static_cast<int64_t>(keys_.size());
    progress_.status("Sorting the DMR database " + std::to_string(i) + " / " + std::to_string(n) + " .. " +
                     std::to_string(i * 100 / n) + "% ");
    progress_.setPosition(static_cast<int>(i));
  }

  Key& at(std::ptrdiff_t index) { return keys_[static_cast<size_t>(index)]; }

  std::vector<Key>& keys_;
  DatabaseProgress& progress_;
};

std::vector<Key> sortedKeys(std::vector<Key> keys, DatabaseProgress& progress) {
  QuickSort(keys, progress).run();
  return keys;
}

}  // namespace

std::vector<uint32_t> radioIdSortOrder(std::span<const int32_t> ids, DatabaseProgress& progress) {
  std::vector<Key> keys(ids.size());
  for (size_t i = 0; i < ids.size(); ++i) keys[i] = {ids[i], static_cast<uint32_t>(i)};
  keys = sortedKeys(std::move(keys), progress);
  std::vector<uint32_t> order(keys.size());
  std::transform(keys.begin(), keys.end(), order.begin(), [](const Key& k) { return k.record; });
  return order;
}

std::vector<uint8_t> sortedUniqueRecords(std::span<const uint8_t> records, DatabaseProgress& progress) {
  constexpr size_t kSize = DatabaseEntryView::kSize;
  const size_t count = records.size() / kSize;
  std::vector<Key> keys(count);
  for (size_t i = 0; i < count; ++i) {
    keys[i] = {DatabaseEntryView(records.subspan(i * kSize, kSize)).radioId(), static_cast<uint32_t>(i)};
  }
  progress.status("Sorting the DMR database ");
  keys = sortedKeys(std::move(keys), progress);

  progress.status("Removing duplicate entries ");
  keys.erase(std::unique(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.id == b.id; }),
             keys.end());
  std::vector<uint8_t> sorted;
  reserveLargeBuffer(sorted, keys.size() * kSize);
  for (const Key& key : keys) {
    const auto from = records.subspan(size_t{key.record} * kSize, kSize);
    sorted.insert(sorted.end(), from.begin(), from.end());
  }
  return sorted;
}

}  // namespace tamberlin
