#pragma once

#include <QString>
#include <string_view>

namespace tamberlin {

// A codeplug text (UTF-16, as the text fields decode) for a widget.
inline QString toQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tamberlin
