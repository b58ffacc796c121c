#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

#include "ui/list_editor_controller.h"
#include "ui/list_table_model.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace tamberlin {

class ListView;
class MoveButton;

// Which of the shared list operations an editor offers.
struct ListPanelOperations {
  bool moves = true;      // "Up" / "Down" by 1, with Shift by 10, and Ctrl+Up / Ctrl+Down
  bool popupMenu = true;  // Copy, Paste, Add, Insert, Delete, Select All, Unselect All
};

// The list half of a list editor: the counter title, the list, and the Add,
// Insert, Delete and move buttons wired to the list operations, enabled by the
// shared rules.
class ListEditorPanel : public QWidget {
  Q_OBJECT

 public:
  ListEditorPanel(Prompt& prompt, ListEditorController::SlotSource slot,
                  ListEditorController::SectionSource section, QStringList headers,
                  ListTableModel::CellText cell, ListPanelOperations operations, QWidget* parent);

  ListView* view() const { return view_; }
  ListTableModel* model() const { return model_; }
  ListEditorController* controller() const { return controller_; }
  // Below the buttons, for an editor's own.
  QGridLayout* buttonLayout() const { return buttons_; }

  // Takes the rows again from the buffer; a slot change also drops the selection.
  void refresh(bool clearSelection);
  void updateCounterAndButtons();
  // The editor's 25 ms tick, for the move buttons held down.
  void tick();

 signals:
  // The selection or the records changed.
  void selectionChanged();

 private:
  ListEditorController::SectionSource section_;
  QLabel* title_;
  ListView* view_;
  ListTableModel* model_;
  ListEditorController* controller_;
  QGridLayout* buttons_;
  QPushButton* add_;
  QPushButton* insert_;
  QPushButton* delete_;
  std::vector<MoveButton*> moveButtons_;
};

}  // namespace tamberlin
