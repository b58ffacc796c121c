#pragma once

#include <QValidator>

#include "ui/cell_editor_delegate.h"

namespace tamberlin {

// Refuses the characters a record name cannot hold.
class NameValidator : public QValidator {
  Q_OBJECT

 public:
  NameValidator(std::u16string alsoRefused, QObject* parent)
      : QValidator(parent), alsoRefused_(std::move(alsoRefused)) {}
  State validate(QString& input, int& pos) const override;

 private:
  std::u16string alsoRefused_;
};

// The in-place edit box over a name cell: the trimmed name, at most 16
// characters (or the field's own length), selected when it opens.
class NameDelegate : public CellEditorDelegate {
  Q_OBJECT

 public:
  NameDelegate(std::u16string alsoRefused, QObject* parent, int maxLength = 16)
      : CellEditorDelegate(parent), alsoRefused_(std::move(alsoRefused)), maxLength_(maxLength) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;

 private:
  std::u16string alsoRefused_;
  int maxLength_;
};

}  // namespace tamberlin
