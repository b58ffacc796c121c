#include "databases/record_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace tamberlin {
namespace {

// The database's quicksort as it has always been written, plainly recursive:
// the order of equal IDs it gives decides which duplicate stays.
void referenceQuicksort(std::vector<int32_t>& ids, std::vector<uint32_t>& order, long lo, long hi) {
  if (lo >= hi) return;
  const long mid = lo + (hi - lo) / 2;
  const int32_t pivot = ids[static_cast<size_t>(mid)];
  const auto swapAt = [&](long a, long b) {
    std::swap(ids[static_cast<size_t>(a)], ids[static_cast<size_t>(b)]);
    std::swap(order[static_cast<size_t>(a)], order[static_cast<size_t>(b)]);
  };
  swapAt(mid, lo);
  long i = lo + 1, j = hi;
  while (j >= i) {
    while (i <= j && ids[static_cast<size_t>(i)] < pivot) ++i;
    while (j >= i && ids[static_cast<size_t>(j)] >= pivot) --j;
    if (i < j) swapAt(i, j);
  }
  swapAt(lo, i - 1);
  referenceQuicksort(ids, order, lo, i - 2);
  referenceQuicksort(ids, order, i, hi);
}

std::vector<uint32_t> referenceOrder(std::vector<int32_t> ids) {
  std::vector<uint32_t> order(ids.size());
  std::iota(order.begin(), order.end(), 0u);
  referenceQuicksort(ids, order, 0, static_cast<long>(ids.size()) - 1);
  return order;
}

TEST(RecordSort, EqualIdsComeOutAsTheDatabaseAlwaysHadThem) {
  std::mt19937 random(7);
  struct Case {
    size_t count;
    int32_t distinct;
  };
  for (const Case c : {Case{2, 1}, Case{10, 3}, Case{1000, 50}, Case{20000, 15000}, Case{50000, 16777215}}) {
    std::uniform_int_distribution<int32_t> id(0, c.distinct);
    std::vector<int32_t> ids(c.count);
    for (int32_t& v : ids) v = id(random);
    EXPECT_EQ(radioIdSortOrder(ids, silentProgress()), referenceOrder(ids)) << c.count;
  }
  // Already sorted data, as the download comes, and reversed data.
  std::vector<int32_t> sorted(30000);
  std::iota(sorted.begin(), sorted.end(), 1000000);
  EXPECT_EQ(radioIdSortOrder(sorted, silentProgress()), referenceOrder(sorted));
  std::reverse(sorted.begin(), sorted.end());
  EXPECT_EQ(radioIdSortOrder(sorted, silentProgress()), referenceOrder(sorted));
}

// One repeated ID drives the plain quicksort n levels deep; the guarded one
// must still sort, and sort everything.
TEST(RecordSort, OneRepeatedIdAndLargeIdsStillSort) {
  struct Case {
    const char* what;
    std::vector<int32_t> ids;
  };
  std::vector<int32_t> mixed(60000, 2345678);
  for (size_t i = 0; i < mixed.size(); i += 3) mixed[i] = static_cast<int32_t>(i);
  const std::vector<Case> cases = {
      {"one ID", std::vector<int32_t>(200000, 2345678)},
      {"mostly one ID", mixed},
      // Above 2^24, where a float key would make neighbours equal.
      {"large IDs", {16777217, 16777216, 16777219, 16777218, -1, 2147483647}},
  };
  for (const Case& c : cases) {
    const std::vector<uint32_t> order = radioIdSortOrder(c.ids, silentProgress());
    ASSERT_EQ(order.size(), c.ids.size()) << c.what;
    std::vector<uint32_t> seen(order);
    std::sort(seen.begin(), seen.end());
    for (size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], i) << c.what;
    for (size_t i = 1; i < order.size(); ++i) ASSERT_LE(c.ids[order[i - 1]], c.ids[order[i]]) << c.what;
  }
}

}  // namespace
}  // namespace tamberlin
