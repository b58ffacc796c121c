#pragma once

#include <QTimer>
#include <string>

#include "ui/editor_form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tamberlin {

class ChannelFieldsPanel;
class ListButtons;
class ListEditorController;
class ListTableModel;
class ListView;
class c_codeplug;

// The "Channels" tab: the channel list with its list operations and search,
// and the field controls, which edit every selected channel at once.
class TChannelsForm : public EditorForm {
  Q_OBJECT

 public:
  TChannelsForm(EditorContext context, QWidget* parent);

  void refreshAll() override;
  void refreshShown() override;
  // Selects the channels whose names contain the search box's text.
  void search();

 private:
  c_codeplug* slot() const;
  void selectionChanged();
  void updateCounterAndButtons();
  void tick();

  QLabel* title_;
  QLineEdit* search_;
  ListView* list_;
  ListTableModel* model_;
  ListEditorController* controller_ = nullptr;
  ChannelFieldsPanel* fields_;
  ListButtons* buttons_;
  QPushButton* import_;
  QPushButton* export_;
  QTimer timer_;
  int searchWait_ = 0;
  std::u16string searchKey_;
};

}  // namespace tamberlin
