#include "ui/name_delegate.h"

#include <QLineEdit>

#include "codeplug/list_engine.h"

namespace tamberlin {

QValidator::State NameValidator::validate(QString& input, int&) const {
  for (QChar c : input) {
    if (!nameCharacterAccepted(c.unicode(), alsoRefused_)) return Invalid;
  }
  return Acceptable;
}

QWidget* NameDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName("InPlaceEdit");
  edit->setMaxLength(maxLength_);
  edit->setValidator(new NameValidator(alsoRefused_, edit));
  edit->setFrame(false);
  return track(edit);
}

void NameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (!edit) return;
  edit->setText(index.data(Qt::EditRole).toString().trimmed().left(maxLength_));
  edit->selectAll();
}

}  // namespace tamberlin
