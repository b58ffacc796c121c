#pragma once

#include <QString>
#include <functional>

namespace tamberlin {

// What the main window needs from the radio programming window, so it can be
// built and tested without a radio.
class RadioWindow {
 public:
  virtual ~RadioWindow() = default;

  // A read or write is running: the main window must not close.
  virtual bool isBusy() const = 0;
  virtual bool isShowing() const = 0;
  // Shows the window for the given slot; returns when the window is shown
  // (it is not modal: the main window goes on working).
  virtual void openForSlot(int slot) = 0;
  virtual void closeWindow() = 0;

  virtual QString firmwareDirectory() const = 0;
  virtual void setFirmwareDirectory(const QString& directory) = 0;

  // Called after a codeplug read from the radio was placed into a slot.
  virtual void setCodeplugChangedHandler(std::function<void()> handler) = 0;
};

}  // namespace tamberlin
