#pragma once

#include "ui/editor_form.h"

namespace tamberlin {

class ListEditorPanel;

// The "Digi Text Msg" tab: the preset text messages, edited in place, with Add,
// Insert and Delete.
class TTextMessageForm : public EditorForm {
  Q_OBJECT

 public:
  TTextMessageForm(EditorContext context, QWidget* parent);

  void refreshAll() override;
  void refreshShown() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A double-click below the last message: a new message, opened for editing.
  void appendAndEdit();

  ListEditorPanel* panel_;
};

}  // namespace tamberlin
