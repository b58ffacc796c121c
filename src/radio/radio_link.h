#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "radio/dfu.h"
#include "support/high_resolution_tick.h"

namespace tamberlin {

// Where the procedures report: one log line per step, and the progress bar.
// Called on whatever thread runs the procedure.
class RadioLinkObserver {
 public:
  virtual ~RadioLinkObserver() = default;
  virtual void logLine(const std::string& text) = 0;
  // A position of the progress bar, 0 to 200.
  virtual void setProgress(int position) = 0;
};

// The connection to one radio and the radio's command procedures. Each
// procedure logs its steps and ends at the first failure with a line that
// begins " error".
class RadioLink {
 public:
  static constexpr int kProgressMaximum = 200;
  static constexpr size_t kDefaultBlockSize = 1024;
  static constexpr size_t kCodeplugImageSize = 0x40000;

  RadioLink(UsbDriver& driver, Clock& clock, RadioLinkObserver& observer);

  // The lock every radio operation holds for its whole run.
  std::mutex& radioLock() { return radioLock_; }
  TSTDFU& dfu() { return dfu_; }
  // Status waits stop early once this is set.
  void setCancelFlag(const std::atomic<bool>* cancel) { dfu_.setCancelFlag(cancel); }

  bool IsOpen() const { return dfu_.isOpen(); }
  // Opens and identifies the radio at `path`; the device stays open for the caller.
  bool OpenConnection(const std::string& path);
  void CloseConnection(bool takeLock);
  bool IsNormalMode() const;

  bool RadioCommand(uint8_t a, uint8_t b);
  bool SetAddress(uint32_t address);
  bool EraseBlock(uint32_t address);
  bool IdentifyFlash();

  void RebootRadio();
  bool ResetRadio();

  bool ReadCodeplug(std::span<uint8_t> destination);
  bool WriteCodeplug(std::span<const uint8_t> bytes);

  void SetProgress(int value);
  void SetProgressFraction(int64_t value, int64_t total);

  const std::string& devicePath() const { return devicePath_; }
  // The radio chosen in the device list, which the Reboot button restarts.
  void setDevicePath(std::string path) { devicePath_ = std::move(path); }
  size_t blockSize() const { return blockSize_; }
  const DfuFunctionalDescriptor& functionalDescriptor() const { return functional_; }
  const std::string& descriptorText(int index) const {
    return descriptorTexts_.at(static_cast<size_t>(index - 1));
  }
  bool readProtected() const { return readProtected_; }
  size_t flashSize() const { return flashSize_; }
  const std::string& flashChipName() const { return flashChipName_; }

 private:
  void log(const std::string& text) { observer_.logLine(text); }
  // The maker's identification queries; a failed reply logs its line of `errorLines`.
  bool runQueries(const std::array<const char*, 5>& errorLines);

  RadioLinkObserver& observer_;
  CHighResolutionTick waitTick_;
  TSTDFU dfu_;
  std::mutex radioLock_;

  std::string devicePath_;
  DfuFunctionalDescriptor functional_;
  int dfuInterface_ = 0;
  int alternateCount_ = 0;
  size_t blockSize_ = 0;
  std::vector<uint8_t> transferBuffer_;
  std::array<uint8_t, CSTDevice::kDeviceDescriptorSize> deviceDescriptor_{};
  std::array<std::string, 7> descriptorTexts_;
  bool readProtected_ = false;
  size_t flashSize_ = 0;
  std::string flashChipName_;
  int lastProgress_ = -1;
};

}  // namespace tamberlin
