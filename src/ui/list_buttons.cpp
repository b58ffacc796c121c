#include "ui/list_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "ui/list_editor_controller.h"
#include "ui/move_button.h"

namespace tamberlin {

ListButtons::ListButtons(QWidget* parent, ListEditorController* controller) : QGridLayout() {
  add = new QPushButton("Add", parent);
  add->setObjectName("AddBitBtn");
  insert = new QPushButton("Insert", parent);
  insert->setObjectName("InsertBitBtn");
  remove = new QPushButton("Delete", parent);
  remove->setObjectName("DeleteBitBtn");
  addWidget(add, 0, 0);
  addWidget(insert, 0, 1);
  addWidget(remove, 0, 2);
  connect(add, &QPushButton::clicked, controller, &ListEditorController::add);
  connect(insert, &QPushButton::clicked, controller, &ListEditorController::insert);
  connect(remove, &QPushButton::clicked, controller, &ListEditorController::deleteSelection);
  struct MoveDefinition {
    const char* name;
    const char* text;
    int distance, shiftDistance;
    const char* hint;
  };
  const MoveDefinition moves[] = {
      {"MoveUpBitBtn", "Up", 1, 10, "Move entry up by 1 place"},
      {"MoveDownBitBtn", "Down", -1, -10, "Move entry down by 1 place"},
      {"MoveUp10BitBtn", "Up 10", 10, 100, "Move entry up by 10 places"},
      {"MoveDown10BitBtn", "Down 10", -10, -100, "Move entry down by 10 places"},
  };
  auto* moveRow = new QHBoxLayout;
  for (const MoveDefinition& m : moves) {
    auto* button = new MoveButton(m.distance, m.shiftDistance, m.hint, parent);
    button->setObjectName(m.name);
    button->setText(m.text);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    moveRow->addWidget(button);
    moves_.push_back(button);
    connect(button, &MoveButton::moveRequested, controller, &ListEditorController::move);
  }
  addLayout(moveRow, 1, 0, 1, 3);
}

void ListButtons::tick() {
  for (MoveButton* button : moves_) button->tick();
}

void ListButtons::setMoveEnabled(bool up, bool down) {
  for (MoveButton* button : moves_) button->setEnabled(button->objectName().startsWith("MoveUp") ? up : down);
}

}  // namespace tamberlin
