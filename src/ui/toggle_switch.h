#pragma once

#include <QAbstractButton>
#include <QString>

namespace tamberlin {

// An on/off switch with a caption for each state ("On"/"Off",
// "Analogue"/"Digital"). Space, the arrow keys and a click anywhere on it
// operate it. `switched` is emitted only when the user changes it, so a form
// can set it from the codeplug with setChecked without writing anything back.
class ToggleSwitch : public QAbstractButton {
  Q_OBJECT

 public:
  ToggleSwitch(const QString& onText, const QString& offText, QWidget* parent = nullptr);

  QString onText() const { return onText_; }
  QString offText() const { return offText_; }
  // The caption of the state it is in; none while it stands for several
  // values at once.
  QString caption() const { return !captionShown_ ? QString() : isChecked() ? onText_ : offText_; }

  bool isOn() const { return isChecked(); }
  // Sets the state from the codeplug; emits nothing.
  void setOn(bool on) { setChecked(on); }
  // A switch standing for several selected records at once shows no caption.
  void setCaptionShown(bool shown);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  void switched(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect trackRect() const;
  QRect captionRect() const;

  QString onText_;
  QString offText_;
  bool hovered_ = false;
  bool captionShown_ = true;
};

}  // namespace tamberlin
