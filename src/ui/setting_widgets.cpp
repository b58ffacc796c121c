#include "ui/setting_widgets.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/toggle_switch.h"
#include "ui/wide_combo_box.h"

namespace tamberlin {

namespace {

class WheelGuard final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Wheel) {
      auto* control = qobject_cast<QWidget*>(watched);
      if (control != nullptr && !control->hasFocus()) {
        event->ignore();  // the scroll area behind gets it
        return true;
      }
    }
    return false;
  }
};

}  // namespace

void ignoreWheelUnlessFocused(QWidget* control) {
  control->setFocusPolicy(Qt::StrongFocus);
  control->installEventFilter(new WheelGuard(control));
}

QComboBox* createChoiceBox(const ChoiceSetting& setting, QWidget* parent) {
  auto* box = new WideComboBox(parent);
  box->setObjectName(toQString(setting.name));
  if (!setting.hint.empty()) box->setToolTip(toQString(setting.hint));
  for (size_t i = 0; i < setting.field.items.size(); ++i) {
    box->addItem(QString::fromStdString(setting.field.items[i].text), QVariant::fromValue<qulonglong>(i));
  }
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  box->setMaxVisibleItems(16);
  ignoreWheelUnlessFocused(box);
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
  caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addRow(caption, field);
}

SettingsGroup createSettingsGroup(const QString& title, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* form = new QFormLayout(group);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return {group, form};
}

void placeInScrollArea(QWidget* form, QWidget* content) {
  auto* scroll = new QScrollArea(form);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(content);
  // The settings sit on the tab page itself, not on a panel of their own.
  scroll->viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
  auto* outer = new QVBoxLayout(form);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
}

void alignLabelColumns(std::initializer_list<QFormLayout*> forms) {
  int widest = 0;
  const auto eachLabel = [&](auto&& apply) {
    for (QFormLayout* form : forms) {
      for (int row = 0; row < form->rowCount(); ++row) {
        QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
        if (item != nullptr && item->widget() != nullptr) apply(item->widget());
      }
    }
  };
  eachLabel([&](QWidget* label) { widest = std::max(widest, label->sizeHint().width()); });
  eachLabel([&](QWidget* label) { label->setMinimumWidth(widest); });
}

}  // namespace tamberlin
