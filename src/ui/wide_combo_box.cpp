#include "ui/wide_combo_box.h"

#include <QAbstractItemView>
#include <QStyle>

namespace tamberlin {

int WideComboBox::popupWidth() const {
  int longest = 0;
  const QFontMetrics metrics = view()->fontMetrics();
  for (int i = 0; i < count(); ++i) longest = std::max(longest, metrics.horizontalAdvance(itemText(i)));
  int width = longest + 8;
  if (count() > maxVisibleItems()) width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return width;
}

void WideComboBox::showPopup() {
  view()->setMinimumWidth(std::max(popupWidth(), this->width()));
  QComboBox::showPopup();
}

}  // namespace tamberlin
