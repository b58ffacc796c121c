#include "ui/digits_delegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tamberlin {

QWidget* DigitsDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName("InPlaceEdit");
  edit->setMaxLength(maxLength_);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
  edit->setFrame(false);
  return track(edit);
}

void DigitsDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (!edit) return;
  edit->setText(index.data(Qt::EditRole).toString().trimmed().left(maxLength_));
  edit->selectAll();
}

}  // namespace tamberlin
