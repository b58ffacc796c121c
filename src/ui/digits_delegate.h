#pragma once

#include "ui/cell_editor_delegate.h"

namespace tamberlin {

// The in-place edit box over a number cell: digits only, at most `maxLength`,
// the current text selected when it opens.
class DigitsDelegate : public CellEditorDelegate {
  Q_OBJECT

 public:
  DigitsDelegate(int maxLength, QObject* parent) : CellEditorDelegate(parent), maxLength_(maxLength) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;

 private:
  int maxLength_;
};

}  // namespace tamberlin
