#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "databases/database_progress.h"

namespace tamberlin {

// The records (whole 248-byte records back to back) in ascending radio-ID
// order, keeping of every run of equal IDs only the record that sorts first.
// Equal IDs come out in the order the database's quicksort has always given
// them, so the same duplicate survives as in earlier files; a file that would
// drive that quicksort quadratic (one ID repeated) is finished by heap sort.
std::vector<uint8_t> sortedUniqueRecords(std::span<const uint8_t> records, DatabaseProgress& progress);

// The permutation of the quicksort alone, over the IDs: exposed for tests.
std::vector<uint32_t> radioIdSortOrder(std::span<const int32_t> ids, DatabaseProgress& progress);

}  // namespace tamberlin
