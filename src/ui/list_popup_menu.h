#pragma once

#include <QMenu>

#include "codeplug/list_engine.h"

namespace tamberlin {

// "Copy", "Paste", "Add", "Insert", "Delete", "Select All", "Unselect All".
class ListPopupMenu : public QMenu {
  Q_OBJECT

 public:
  explicit ListPopupMenu(QWidget* parent);

  void setState(const ListMenuState& state);

  QAction* copyItem;
  QAction* pasteItem;
  QAction* addItem;
  QAction* insertItem;
  QAction* deleteItem;
  QAction* selectAllItem;
  QAction* unselectAllItem;
};

}  // namespace tamberlin
