#include "ui/setting_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>

#include "ui/toggle_switch.h"

namespace tamberlin {

QComboBox* createChoiceBox(const ChoiceSetting& setting, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(toQString(setting.name));
  if (!setting.hint.empty()) box->setToolTip(toQString(setting.hint));
  for (size_t i = 0; i < setting.field.items.size(); ++i) {
    box->addItem(QString::fromStdString(setting.field.items[i].text), QVariant::fromValue<qulonglong>(i));
  }
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  box->setMaxVisibleItems(16);
  return box;
}

void showChoice(QComboBox* box, std::optional<size_t> index) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(index ? box->findData(QVariant::fromValue<qulonglong>(*index)) : -1);
}

ToggleSwitch* createSwitch(const SwitchSetting& setting, QWidget* parent) {
  auto* toggle = new ToggleSwitch(toQString(setting.onText), toQString(setting.offText), parent);
  toggle->setObjectName(toQString(setting.name));
  if (!setting.hint.empty()) toggle->setToolTip(toQString(setting.hint));
  return toggle;
}

void addSettingRow(QFormLayout* layout, std::string_view label, QWidget* field) {
  auto* caption = new QLabel(toQString(label), layout->parentWidget());
  caption->setBuddy(field);
  layout->addRow(caption, field);
}

SettingsGroup createSettingsGroup(const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* form = new QFormLayout(group);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return {group, form};
}

}  // namespace tamberlin
