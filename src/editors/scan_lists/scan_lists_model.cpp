#include "editors/scan_lists/scan_lists_model.h"

#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/endian.h"
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

uint16_t scanListMember(std::span<const uint8_t> record, int k) {
  if (k < 0 || k >= kScanListMembers || record.size() < kScanListRecordSize) return 0;
  return readLe16(record, kMembers + 2 * static_cast<size_t>(k));
}

void setScanListMember(std::span<uint8_t> record, int k, uint16_t channel) {
  if (k < 0 || k >= kScanListMembers || record.size() < kScanListRecordSize) return;
  writeLe16(record, kMembers + 2 * static_cast<size_t>(k), channel);
}

void compactScanListMembers(c_codeplug& slot, int index) {
  const std::span<uint8_t> record = slot.scanList(index);
  if (record.empty()) return;
  const int capacity = slot.sections.channelCount;
  int kept = 0;
  for (int k = 0; k < kScanListMembers; ++k) {
    const uint16_t channel = scanListMember(record, k);
    if (channel == 0 || channel > capacity) continue;
    setScanListMember(record, kept++, channel);
  }
  for (int k = kept; k < kScanListMembers; ++k) setScanListMember(record, k, 0);
}

void removeScanListChannel(c_codeplug& slot, int index, uint16_t channel) {
  const std::span<uint8_t> record = slot.scanList(index);
  if (record.empty()) return;
  int kept = 0;
  for (int k = 0; k < kScanListMembers; ++k) {
    const uint16_t member = scanListMember(record, k);
    if (member != channel) setScanListMember(record, kept++, member);
  }
  for (int k = kept; k < kScanListMembers; ++k) setScanListMember(record, k, 0);
}

void renumberScanListMembersAfterChannelDelete(c_codeplug& slot, int deleted) {
  const int capacity = slot.sections.channelCount;
  for (int i = 0; i < slot.sections.scanListCount; ++i) {
    const std::span<uint8_t> record = slot.scanList(i);
    bool changed = false;
    for (int k = 0; k < kScanListMembers; ++k) {
      const uint16_t n = scanListMember(record, k);
      if (n > deleted && n <= capacity) {
        setScanListMember(record, k, static_cast<uint16_t>(n - 1));
        changed = true;
      }
    }
    if (changed) compactScanListMembers(slot, i);
  }
}

}  // namespace tamberlin
