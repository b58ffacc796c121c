#include "editors/emergency/emergency_model.h"

#include <algorithm>

#include "codeplug/section_table.h"
#include "codeplug/text_field.h"
#include "support/unicode.h"

namespace tamberlin {

void initEmergencySystemRecord(std::span<uint8_t> system, std::u16string_view name) {
  std::fill(system.begin(), system.end(), uint8_t{0xFF});
  system[33] = 15;
  system[34] = 5;
  system[35] = 10;
  system[36] = 0;
  system[37] = 0;
  encodeTextField(system, kNameUnits, trimmed(name));
}

}  // namespace tamberlin
