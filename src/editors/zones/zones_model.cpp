#include "editors/zones/zones_model.h"

#include <algorithm>

#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/unicode.h"

namespace tamberlin {

void initZoneRecords(std::span<uint8_t> zone, std::span<uint8_t> extension,
                     std::u16string_view name) {
  std::fill(zone.begin(), zone.end(), uint8_t{0});
  std::fill(extension.begin(), extension.end(), uint8_t{0});
  encodeTextField(zone, kNameUnits, trimmed(name));
}

}  // namespace tamberlin
