#pragma once

#include <vector>

#include "ui/editor_form.h"

class QFormLayout;
class QLabel;
class QSlider;

namespace tamberlin {

struct SwitchSetting;
class ToggleSwitch;

// The Menus tab: which entries the radio's own menu offers, and how long the
// menu stays open.
class TMenusForm : public EditorForm {
  Q_OBJECT

 public:
  TMenusForm(EditorContext context, QWidget* parent = nullptr);

  void refreshAll() override;
  void refreshShown() override;

 private:
  void refresh();
  ToggleSwitch* addSwitch(const SwitchSetting& setting, QFormLayout* form);

  QSlider* hangTime_;
  QLabel* hangTimeLabel_;
  std::vector<std::pair<const SwitchSetting*, ToggleSwitch*>> switches_;
};

}  // namespace tamberlin
