#include "ui/toggle_switch.h"

#include <QSignalBlocker>

namespace tamberlin {

ToggleSwitch::ToggleSwitch(QString onCaption, QString offCaption, QWidget* parent)
    : QCheckBox(parent), onCaption_(std::move(onCaption)), offCaption_(std::move(offCaption)) {
  updateCaption();
  connect(this, &QCheckBox::clicked, this, [this](bool on) {
    captionShown_ = true;
    updateCaption();
    emit switched(on);
  });
}

void ToggleSwitch::setOn(bool on) {
  const QSignalBlocker blocker(this);
  setChecked(on);
  updateCaption();
}

void ToggleSwitch::setCaptionShown(bool shown) {
  captionShown_ = shown;
  updateCaption();
}

void ToggleSwitch::updateCaption() {
  setText(captionShown_ ? (isChecked() ? onCaption_ : offCaption_) : QString());
}

}  // namespace tamberlin
