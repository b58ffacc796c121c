#pragma once

#include <QDialog>
#include <optional>

class QComboBox;

namespace tamberlin {

// The New dialog: which radio model the new codeplug is for.
class TRadioModelForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TRadioModelForm(QWidget* parent = nullptr);

  // Shows the dialog with its top left corner at `position`; the chosen model
  // code, or nothing for Cancel or Esc.
  std::optional<int> chooseModel(const QPoint& position);

  int selectedModel() const;

 private:
  QComboBox* radioType_;
};

}  // namespace tamberlin
