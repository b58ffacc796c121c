#include "editors/groups/groups_model.h"

#include <algorithm>

#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/unicode.h"

namespace tamberlin {

void initGroupListRecord(std::span<uint8_t> record, std::u16string_view name) {
  std::fill(record.begin(), record.end(), uint8_t{0});
  encodeTextField(record, kNameUnits, trimmed(name));
}

}  // namespace tamberlin
