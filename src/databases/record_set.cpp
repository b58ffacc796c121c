#include "databases/record_set.h"

namespace tamberlin {

SharedRecords emptyRecords() {
  static const SharedRecords empty = std::make_shared<const DatabaseRecordSet>();
  return empty;
}

SharedRecords makeRecords(std::vector<uint8_t> bytes) {
  if (bytes.empty()) return emptyRecords();
  return std::make_shared<const DatabaseRecordSet>(std::move(bytes));
}

SharedRecords recordsWithout(const DatabaseRecordSet& records, const std::vector<bool>& removed) {
  std::vector<uint8_t> kept;
  kept.reserve(records.bytes().size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (!removed[i]) kept.insert(kept.end(), records[i].bytes().begin(), records[i].bytes().end());
  }
  return makeRecords(std::move(kept));
}

}  // namespace tamberlin
