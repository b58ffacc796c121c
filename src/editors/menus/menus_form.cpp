#include "editors/menus/menus_form.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "codeplug/ccommon.h"
#include "editors/menus/menus_model.h"
#include "ui/lock_window.h"
#include "ui/setting_widgets.h"
#include "ui/toggle_switch.h"

namespace tamberlin {

TMenusForm::TMenusForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  const std::vector<MenuGroup>& groups = menuGroups();

  // The hang time and the switches outside any group come first.
  const SettingsGroup menu = createSettingsGroup("Menu", this);
  hangTime_ = new QSlider(Qt::Horizontal, this);
  hangTime_->setObjectName("MenuHangTimeTrackBar");
  hangTime_->setRange(0, kMenuHangTimeMax);
  hangTime_->setPageStep(5);
  hangTime_->setTickPosition(QSlider::TicksBelow);
  hangTime_->setTickInterval(5);
  hangTime_->setMinimumWidth(200);
  ignoreWheelUnlessFocused(hangTime_);
  hangTimeLabel_ = new QLabel(this);
  hangTimeLabel_->setObjectName("MenuHangTimeLabel");
  hangTimeLabel_->setMinimumWidth(hangTimeLabel_->fontMetrics().horizontalAdvance("30 secs ") + 4);
  auto* hangRow = new QWidget(this);
  auto* hangLayout = new QHBoxLayout(hangRow);
  hangLayout->setContentsMargins(0, 0, 0, 0);
  hangLayout->addWidget(hangTime_);
  hangLayout->addWidget(hangTimeLabel_);
  addSettingRow(menu.form, "Menu Hang Time ", hangRow);
  connect(hangTime_, &QSlider::valueChanged, this, [this](int seconds) {
    MenuSettings settings(common().selected());
    settings.setHangTime(seconds);
    hangTimeLabel_->setText(QString::fromStdString(menuHangTimeText(seconds)));
  });

  std::vector<SettingsGroup> boxes;
  for (const MenuGroup& group : groups) {
    QFormLayout* form = menu.form;
    if (!group.title.empty()) {
      boxes.push_back(createSettingsGroup(toQString(group.title), this));
      form = boxes.back().form;
    }
    for (const SwitchSetting& setting : group.switches) addSwitch(setting, form);
  }

  // Groups in the order of the menu: contacts, call log, utilities, scan.
  auto* first = new QVBoxLayout;
  first->addWidget(menu.box);
  first->addWidget(boxes.at(0).box);
  first->addStretch(1);
  auto* second = new QVBoxLayout;
  second->addWidget(boxes.at(1).box);
  second->addWidget(boxes.at(3).box);
  second->addStretch(1);
  auto* third = new QVBoxLayout;
  third->addWidget(boxes.at(2).box);
  third->addStretch(1);
  alignLabelColumns({menu.form, boxes.at(0).form});
  alignLabelColumns({boxes.at(1).form, boxes.at(3).form});
  auto* columns = new QHBoxLayout(this);
  columns->addLayout(first);
  columns->addLayout(second);
  columns->addLayout(third);
  columns->addStretch(1);

  refresh();
}

ToggleSwitch* TMenusForm::addSwitch(const SwitchSetting& setting, QFormLayout* form) {
  ToggleSwitch* toggle = createSwitch(setting, this);
  addSettingRow(form, setting.label, toggle);
  switches_.emplace_back(&setting, toggle);
  connect(toggle, &ToggleSwitch::switched, this,
          [this, &setting](bool on) { MenuSettings(common().selected()).setSwitch(setting, on); });
  return toggle;
}

void TMenusForm::refreshAll() { refresh(); }
void TMenusForm::refreshShown() { refresh(); }

void TMenusForm::refresh() {
  LockWindow lock(this);
  const MenuSettings settings(common().selected());
  setEnabled(settings.active());
  {
    const QSignalBlocker quiet(hangTime_);
    hangTime_->setValue(settings.hangTime());
  }
  hangTimeLabel_->setText(QString::fromStdString(menuHangTimeText(settings.hangTime())));
  for (auto& [setting, toggle] : switches_) toggle->setChecked(settings.switchIsOn(*setting));
}

}  // namespace tamberlin
