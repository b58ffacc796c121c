#pragma once

#include "ui/editor_form.h"

class QComboBox;
class QFormLayout;
class QLineEdit;
class QVBoxLayout;

namespace tamberlin {

// The Basic tab: the identity of the radio a codeplug belongs to. It only
// shows the radio info block; nothing here writes the codeplug.
class TBasicForm : public EditorForm {
  Q_OBJECT

 public:
  TBasicForm(EditorContext context, QWidget* parent = nullptr);

  void refreshAll() override;
  void refreshShown() override;

 private:
  void refresh();
  QFormLayout* addGroup(const QString& title, QVBoxLayout* column);
  QLineEdit* addReadOnlyRow(QFormLayout* layout, const char* name, const char* label);

  QComboBox* model_;
  QComboBox* bandA_;
  QComboBox* bandB_;
  QLineEdit* serialNumber_;
  QLineEdit* lastProgrammed_;
  QLineEdit* softwareVersion_;
  QLineEdit* hardwareVersion_;
  QLineEdit* mcuVersion_;
  QLineEdit* deviceIdentity_;
};

}  // namespace tamberlin
