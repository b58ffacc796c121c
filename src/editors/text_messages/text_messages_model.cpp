#include "editors/text_messages/text_messages_model.h"

#include <algorithm>

#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/unicode.h"

namespace tamberlin {

void initTextMessageRecord(std::span<uint8_t> record, std::u16string_view text) {
  std::fill(record.begin(), record.end(), uint8_t{0});
  encodeTextField(record, kTextMessageUnits, trimmed(text));
}

}  // namespace tamberlin
