#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "radio/radio_link.h"
#include "radio/usb_device.h"
#include "ui/radio_window.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tamberlin {

class CCommon;
class LibusbDriver;
class Prompt;
class SimulatedRadio;

// The "Program Radio" window: the list of attached radios and the buttons
// that read and write a slot's codeplug. Radio work runs on a worker thread,
// one operation at a time under the radio lock, so the window stays alive;
// its log and progress bar follow the radio as it goes.
class TProgramRadioForm final : public QDialog, public RadioWindow, private RadioLinkObserver {
  Q_OBJECT

 public:
  // The program's window: real radios through libusb, and the simulated radio
  // as well when `includeSimulatedRadio` is set.
  TProgramRadioForm(CCommon& common, Prompt& prompt, bool includeSimulatedRadio, QWidget* parent = nullptr);
  // Radios from these drivers, time from this clock (tests pass a simulated
  // radio and a fake clock). The drivers must outlive the window.
  TProgramRadioForm(CCommon& common, Prompt& prompt, std::vector<UsbDriver*> drivers, Clock& clock,
                    QWidget* parent = nullptr);
  ~TProgramRadioForm() override;

  bool isBusy() const override;
  bool isShowing() const override { return isVisible(); }
  void openForSlot(int slot) override;
  void closeWindow() override { close(); }
  QString firmwareDirectory() const override { return lastFolder_; }
  void setFirmwareDirectory(const QString& directory) override { lastFolder_ = directory; }
  void setCodeplugChangedHandler(std::function<void()> handler) override {
    codeplugChanged_ = std::move(handler);
  }

  // The periodic refresh of the device list; it runs by itself twice a second.
  void refreshDevices();
  int slotIndex() const { return slot_; }
  // The simulated radio this window made for itself, if any.
  SimulatedRadio* simulatedRadio() const { return ownedSimulated_.get(); }

 public slots:
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Drivers {
    std::unique_ptr<LibusbDriver> libusb;
    std::unique_ptr<SimulatedRadio> simulated;
    std::vector<UsbDriver*> list;
  };
  static Drivers ownDrivers(CCommon& common, bool includeSimulatedRadio);
  TProgramRadioForm(CCommon& common, Prompt& prompt, Drivers drivers, Clock& clock, QWidget* parent);

  void buildControls();
  void updateButtons();
  bool radioSelected() const;
  std::string selectedPath() const;

  void readCodeplug();
  void writeCodeplug();
  void queryRadio();
  void rebootRadio();

  // Runs `work` on the worker thread; the window is busy until it ends.
  void startWork(std::function<void()> work);
  void workFinished();
  // The operation frame for a normal-mode procedure, on the worker thread.
  void runNormalModeOperation(const std::string& path, const std::function<bool(RadioLink&)>& procedure,
                              const std::function<void()>& onSuccess, const std::string& failureMessage);
  void settle();
  // Calls `f` on the user-interface thread.
  void onUiThread(std::function<void()> f);

  void logLine(const std::string& text) override;
  void setProgress(int position) override;

  CCommon& common_;
  Prompt& prompt_;
  std::unique_ptr<LibusbDriver> ownedLibusb_;
  std::unique_ptr<SimulatedRadio> ownedSimulated_;
  std::unique_ptr<UsbDriver> drivers_;
  Clock& clock_;
  RadioLink link_;
  CHighResolutionTick settleTick_;

  std::vector<t_usb_device> devices_;
  std::string devicePath_;
  int slot_ = -1;
  QString lastFolder_;
  std::function<void()> codeplugChanged_;

  std::thread worker_;
  std::atomic<bool> working_{false};
  std::atomic<bool> closing_{false};

  QLabel* codeplugLabel_ = nullptr;
  QComboBox* deviceCombo_ = nullptr;
  QPushButton* queryButton_ = nullptr;
  QPushButton* rebootButton_ = nullptr;
  QPushButton* readFirmware_ = nullptr;
  QPushButton* readCodeplug_ = nullptr;
  QPushButton* saveFlashChip_ = nullptr;
  QPushButton* eraseUserDatabase_ = nullptr;
  QPushButton* writeFirmware_ = nullptr;
  QPushButton* writeCodeplug_ = nullptr;
  QPushButton* writeFlashChip_ = nullptr;
  QPushButton* writeDatabase_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  QTimer* refreshTimer_ = nullptr;
};

}  // namespace tamberlin
