#include "editors/contacts/contacts_model.h"

#include <algorithm>

#include "codeplug/radio_id.h"
#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {
constexpr size_t kFlags = 3;
constexpr size_t kName = 4;
constexpr uint8_t kClearedFlags = 0xC0;
constexpr uint8_t kGroupCallFlags = 0xC1;
}  // namespace

void initContactRecord(std::span<uint8_t> record, std::u16string_view name) {
  std::fill(record.begin(), record.end(), uint8_t{0xFF});
  const std::u16string text = trimmed(name);
  if (text.empty()) {
    record[kFlags] = kClearedFlags;
    return;
  }
  writeRadioId3(record, 0);
  record[kFlags] = kGroupCallFlags;
  encodeTextField(record.subspan(kName), kNameUnits, text);
}

}  // namespace tamberlin
