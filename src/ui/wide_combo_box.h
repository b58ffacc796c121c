#pragma once

#include <QComboBox>

namespace tamberlin {

// A drop-down whose list opens as wide as its longest item plus 8 pixels, and
// a scroll bar more when it cannot show every item at once.
class WideComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void showPopup() override;
  int popupWidth() const;
};

}  // namespace tamberlin
