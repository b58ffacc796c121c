#include "ui/list_popup_menu.h"

namespace tamberlin {

ListPopupMenu::ListPopupMenu(QWidget* parent) : QMenu(parent) {
  setObjectName("PopupMenu");
  copyItem = QMenu::addAction("Copy");
  pasteItem = QMenu::addAction("Paste");
  addSeparator();
  addItem = QMenu::addAction("Add");
  insertItem = QMenu::addAction("Insert");
  deleteItem = QMenu::addAction("Delete");
  addSeparator();
  selectAllItem = QMenu::addAction("Select All");
  unselectAllItem = QMenu::addAction("Unselect All");
}

void ListPopupMenu::setState(const ListMenuState& state) {
  copyItem->setEnabled(state.copy);
  pasteItem->setEnabled(state.paste);
  addItem->setEnabled(state.add);
  insertItem->setEnabled(state.insert);
  deleteItem->setEnabled(state.remove);
  selectAllItem->setEnabled(state.selectAll);
  unselectAllItem->setEnabled(state.unselectAll);
}

}  // namespace tamberlin
