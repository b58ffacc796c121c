#pragma once

#include <functional>
#include <vector>

#include "ui/cell_editor_delegate.h"

namespace tamberlin {

struct CellChoice {
  QString text;
  int value;
};

// The drop-down over a cell with a fixed set of choices. It opens on the
// cell's current value and hands the chosen value to the model.
class ChoiceDelegate : public CellEditorDelegate {
  Q_OBJECT

 public:
  using Choices = std::function<std::vector<CellChoice>(int row)>;
  using CurrentValue = std::function<int(int row)>;

  ChoiceDelegate(Choices choices, CurrentValue current, QObject* parent)
      : CellEditorDelegate(parent), choices_(std::move(choices)), current_(std::move(current)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

 private:
  Choices choices_;
  CurrentValue current_;
};

}  // namespace tamberlin
