#pragma once

#include <QCheckBox>
#include <QString>

namespace tamberlin {

// An on/off switch that shows the caption of its state.
class ToggleSwitch : public QCheckBox {
  Q_OBJECT

 public:
  ToggleSwitch(QString onCaption, QString offCaption, QWidget* parent);

  bool isOn() const { return isChecked(); }
  // Sets the state without emitting switched().
  void setOn(bool on);
  // A switch standing for several values at once shows no state caption.
  void setCaptionShown(bool shown);

 signals:
  // The user changed the state.
  void switched(bool on);

 private:
  void updateCaption();

  QString onCaption_;
  QString offCaption_;
  bool captionShown_ = true;
};

}  // namespace tamberlin
