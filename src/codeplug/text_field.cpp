#include "codeplug/text_field.h"

#include <algorithm>

#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

std::u16string decodeTextField(std::span<const uint8_t> field, int units, int number) {
  const size_t available = std::min<size_t>(units < 0 ? 0 : static_cast<size_t>(units), field.size() / 2);
  std::u16string text;
  for (size_t i = 0; i < available; ++i) {
    const uint16_t unit = readLe16(field, 2 * i);
    if (unit == 0x0000 || unit == 0xFFFF) break;
    text += static_cast<char16_t>(unit);
  }
  text = trimmed(text);
  if (text.empty() && number >= 0 && available > 0 && readLe16(field, 0) != 0x0000) {
    return u"no_name-" + utf8ToUtf16(std::to_string(number));
  }
  return text;
}

void encodeTextField(std::span<uint8_t> field, int units, std::u16string_view text) {
  const size_t capacity = std::min<size_t>(units < 0 ? 0 : static_cast<size_t>(units), field.size() / 2);
  for (size_t i = 0; i < capacity; ++i) {
    writeLe16(field, 2 * i, i < text.size() ? static_cast<uint16_t>(text[i]) : uint16_t{0});
  }
}

bool textFieldIsEmpty(std::span<const uint8_t> field) {
  if (field.size() < 2) return true;
  const uint16_t first = readLe16(field, 0);
  return first == 0x0000 || first == 0xFFFF;
}

}  // namespace tamberlin
