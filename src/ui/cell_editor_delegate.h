#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace tamberlin {

// A delegate that knows the editor it has open, so the list can commit it when
// it scrolls.
class CellEditorDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* openEditor() const { return editor_; }

 protected:
  QWidget* track(QWidget* editor) const {
    editor_ = editor;
    return editor;
  }

 private:
  mutable QPointer<QWidget> editor_;
};

}  // namespace tamberlin
