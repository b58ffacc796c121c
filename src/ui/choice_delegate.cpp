#include "ui/choice_delegate.h"

#include <QTimer>

#include "ui/wide_combo_box.h"

namespace tamberlin {

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  const std::vector<CellChoice> choices = choices_(index.row());
  if (choices.empty()) return nullptr;  // a drop-down with nothing to choose does not open
  auto* combo = new WideComboBox(parent);
  combo->setObjectName("InPlaceComboBox");
  for (const CellChoice& choice : choices) combo->addItem(choice.text, choice.value);
  // A choice is committed as soon as it is made.
  auto* self = const_cast<ChoiceDelegate*>(this);  // the signals are not const; the delegate is unchanged
  connect(combo, &QComboBox::activated, self, [self, combo] {
    emit self->commitData(combo);
    emit self->closeEditor(combo);
  });
  QTimer::singleShot(0, combo, [combo] { combo->showPopup(); });
  return track(combo);
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* combo = qobject_cast<WideComboBox*>(editor);
  if (combo) combo->setCurrentIndex(combo->findData(current_(index.row())));
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  auto* combo = qobject_cast<WideComboBox*>(editor);
  if (!combo || combo->currentIndex() < 0) return;  // nothing chosen writes nothing
  model->setData(index, combo->currentData(), Qt::EditRole);
}

}  // namespace tamberlin
