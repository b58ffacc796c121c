#include "editors/scan_lists/scan_lists_model.h"

#include <algorithm>

#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {
constexpr size_t kReserved = 38;
constexpr size_t kSignallingHoldTime = 39;
constexpr size_t kPrioritySampleTime = 40;
constexpr size_t kMembers = 42;
constexpr uint8_t kHold500Ms = 20;     // units of 25 ms
constexpr uint8_t kSample2000Ms = 8;   // units of 250 ms
}  // namespace

void initScanListRecord(std::span<uint8_t> record, std::u16string_view name) {
  std::fill(record.begin(), record.end(), uint8_t{0xFF});
  record[kReserved] = 0xF1;
  record[kSignallingHoldTime] = kHold500Ms;
  record[kPrioritySampleTime] = kSample2000Ms;
  std::fill(record.begin() + kMembers, record.end(), uint8_t{0});
  encodeTextField(record, kNameUnits, trimmed(name));
}

}  // namespace tamberlin
