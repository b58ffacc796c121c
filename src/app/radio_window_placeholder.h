#pragma once

#include <QWidget>

#include "ui/radio_window.h"

namespace tamberlin {

// TEMPORARY: stands in for the radio programming window until radio support is
// built in. It only says so; it never reads or writes a radio.
class RadioWindowPlaceholder final : public QWidget, public RadioWindow {
  Q_OBJECT

 public:
  explicit RadioWindowPlaceholder(QWidget* parent = nullptr);

  bool isBusy() const override { return false; }
  bool isShowing() const override { return isVisible(); }
  void openForSlot(int slot) override;
  void closeWindow() override { close(); }
  QString firmwareDirectory() const override { return firmwareDirectory_; }
  void setFirmwareDirectory(const QString& directory) override { firmwareDirectory_ = directory; }
  void setCodeplugChangedHandler(std::function<void()>) override {}

 private:
  QString firmwareDirectory_;
};

}  // namespace tamberlin
