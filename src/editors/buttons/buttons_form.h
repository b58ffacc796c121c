#pragma once

#include <utility>
#include <vector>

#include "ui/editor_form.h"

class QComboBox;
class QWidget;

namespace tamberlin {

struct ChoiceSetting;
struct KeyPanel;
class ListTableModel;
class ListView;

// The Buttons tab: what the programmable keys do, the long-press time, the
// one-touch access entries and the number-key quick contacts. Only the key
// panel of the selected slot's model is shown.
class TButtonsForm : public EditorForm {
  Q_OBJECT

 public:
  TButtonsForm(EditorContext context, QWidget* parent = nullptr);

  void refreshAll() override;
  void refreshShown() override;

 private:
  QWidget* createPanel(const KeyPanel& panel, QWidget* parent);
  QComboBox* createKeyBox(const ChoiceSetting& setting, QWidget* parent);
  QWidget* createOneTouchList(QWidget* parent);
  QWidget* createNumberKeyList(QWidget* parent);
  void refresh();

  std::vector<std::pair<const KeyPanel*, QWidget*>> panels_;
  std::vector<std::pair<const ChoiceSetting*, QComboBox*>> keyBoxes_;
  QComboBox* longPressDuration_ = nullptr;
  ListView* oneTouchList_ = nullptr;
  ListTableModel* oneTouchModel_ = nullptr;
  ListView* numberKeyList_ = nullptr;
  ListTableModel* numberKeyModel_ = nullptr;
};

}  // namespace tamberlin
