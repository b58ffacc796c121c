#pragma once

#include <QTimer>

#include "ui/editor_form.h"

namespace tamberlin {

class ListEditorPanel;
class MemberListEditor;

// The "Digi Rx Groups" tab: the RX group lists with their list operations, and
// the contacts of the one selected list.
class TGroupsForm : public EditorForm {
  Q_OBJECT

 public:
  TGroupsForm(EditorContext context, QWidget* parent);

  void refreshAll() override;
  void refreshShown() override;

 private:
  void selectionChanged();

  ListEditorPanel* panel_;
  MemberListEditor* members_;
  QTimer timer_;
  int shownList_ = -1;
};

}  // namespace tamberlin
