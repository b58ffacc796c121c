#pragma once

#include <QGridLayout>
#include <vector>

class QPushButton;
class QWidget;

namespace tamberlin {

class ListEditorController;
class MoveButton;

// A list editor's Add, Insert and Delete buttons above its four move buttons
// (by 1 and by 10; Shift makes them 10 and 100), wired to its controller.
class ListButtons : public QGridLayout {
  Q_OBJECT

 public:
  ListButtons(QWidget* parent, ListEditorController* controller);

  // Drives the held move buttons; called on the editor's 25 ms tick.
  void tick();
  void setMoveEnabled(bool up, bool down);

  QPushButton* add;
  QPushButton* insert;
  QPushButton* remove;

 private:
  std::vector<MoveButton*> moves_;
};

}  // namespace tamberlin
