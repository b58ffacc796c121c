#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "radio/nor_memory.h"
#include "radio/usb_driver.h"

namespace tamberlin {

// A radio in software behind the USB seam: its descriptors, the DFU 1.1 state
// machine with the DfuSe address and erase commands, the maker's commands, a
// 256 KiB codeplug memory, the microcontroller flash seen in firmware mode and
// an SPI NOR flash. Faults can be injected to reach every failure path.
// It must outlive the handles it gives out. All calls are serialised, so one
// thread may drive it while another inspects or reconfigures it.
class SimulatedRadio final : public UsbDriver {
 public:
  enum class Mode { Normal, Firmware };

  // Which requests a fault applies to: -1 matches anything. `command` is the
  // first data byte of a download. The fault fires at the `occurrence`-th match.
  struct RequestMatch {
    int bRequest = -1;
    int block = -1;
    int command = -1;
    int occurrence = 1;
  };

  // One class request as the radio received it.
  struct Request {
    uint8_t bRequest = 0;
    uint16_t block = 0;
    size_t length = 0;
    std::vector<uint8_t> data;  // what a download carried
  };

  static constexpr size_t kCodeplugSize = 0x40000;
  static constexpr uint32_t kInternalFlashBase = 0x08000000;
  static constexpr size_t kInternalFlashSize = 0x100000;
  static constexpr uint32_t kDefaultJedecId = 0xEF4018;

  SimulatedRadio();

  bool enumerate(std::vector<UsbDeviceProperties>& devices) override;
  std::unique_ptr<UsbHandle> open(const std::string& path) override;

  // Setting up the radio.
  void setAttached(bool attached);
  void setPath(std::string path);
  void setLocation(std::string location);
  void setMode(Mode mode);
  void setTransferSize(uint16_t size);
  void setDfuVersion(uint16_t version);
  void setDeviceVersion(uint16_t bcdDevice);
  void setReadProtected(bool on);
  void setJedecId(uint32_t id);
  void setFlashSize(size_t bytes);
  // Replaces string descriptor `index` by these raw bytes (header included).
  void setRawStringDescriptor(int index, std::vector<uint8_t> raw);
  void setStringText(int index, const std::u16string& text);
  void setCodeplug(std::span<const uint8_t> bytes);
  void setFlashBytes(uint32_t address, std::span<const uint8_t> bytes);
  // Every request and every status reply then takes this long (real time),
  // so that a transfer lasts long enough to be watched.
  void setRequestDelay(std::chrono::milliseconds delay);

  // Faults.
  void failRequest(RequestMatch match);  // stalls it; the radio enters dfuERROR
  void shortReply(RequestMatch match, size_t bytes);
  void stallBusy(RequestMatch match);                   // the command never finishes: dfuDNBUSY for ever
  void reportState(RequestMatch match, uint8_t state);  // the status replies report `state` from then on
  void vanishAt(RequestMatch match);                    // unplugged while the request runs
  void failSelect(int occurrence);
  // The matching request waits until resume(); waitUntilPaused tells a test it got there.
  void pauseAt(RequestMatch match);
  bool waitUntilPaused(std::chrono::milliseconds timeout);
  void resume();
  void clearFaults();

  // Inspecting it.
  std::string path() const;
  std::vector<uint8_t> codeplug() const;
  std::vector<uint8_t> flashBytes(uint32_t address, size_t length) const;
  std::vector<uint8_t> internalFlash(uint32_t address, size_t length) const;
  std::vector<Request> requests() const;
  void clearRequests();
  int reboots() const;
  int openHandles() const;
  uint8_t state() const;
  bool inProgrammingMode() const;

 private:
  class Handle;
  friend class Handle;

  enum class FaultKind { Fail, Short, StallBusy, ReportState, Vanish, Pause };
  struct Fault {
    FaultKind kind;
    RequestMatch match;
    size_t value = 0;
    int seen = 0;
  };
  enum class SpiPending { None, Identify, Read };

  // Everything below runs with mutex_ held.
  bool alive(uint64_t generation) const;
  std::vector<uint8_t> deviceDescriptor() const;
  std::vector<uint8_t> configurationDescriptor() const;
  std::optional<std::vector<uint8_t>> stringDescriptor(int index) const;
  UsbTransferResult classRequest(std::unique_lock<std::mutex>& lock, uint64_t generation,
                                 const UsbClassRequest& request, std::span<uint8_t> data);
  UsbTransferResult download(uint16_t block, std::span<const uint8_t> data);
  UsbTransferResult upload(uint16_t block, std::span<uint8_t> data);
  UsbTransferResult getStatus(std::span<uint8_t> data);
  bool executeBlock0(std::span<const uint8_t> command);
  bool executeSpi(std::span<const uint8_t> command);
  NorMemory& dataMemory();
  size_t blockSize() const;
  UsbTransferResult stall();
  void reboot();
  void released(uint64_t generation);
  // The fault of `kind` that this request triggers, counting it as seen.
  Fault* matchFault(const UsbClassRequest& request, std::span<const uint8_t> data);

  mutable std::mutex mutex_;
  std::condition_variable pauseChanged_;

  bool attached_ = true;
  std::string path_;
  std::string location_ = "Simulated USB port";
  Mode mode_ = Mode::Normal;
  uint16_t transferSize_ = 1024;
  uint16_t dfuVersion_ = 0x011A;
  uint16_t deviceVersion_ = 0x0200;
  bool readProtected_ = false;
  uint32_t jedecId_ = kDefaultJedecId;
  std::map<int, std::vector<uint8_t>> rawStrings_;
  std::chrono::milliseconds requestDelay_{0};

  NorMemory codeplug_{0, kCodeplugSize};
  NorMemory internalFlash_{kInternalFlashBase, kInternalFlashSize};
  NorMemory spiFlash_{0, 0x1000000};

  uint64_t generation_ = 1;  // a reboot or an unplug makes older handles stale
  int openHandles_ = 0;
  int reboots_ = 0;
  uint8_t state_ = 2;
  uint8_t status_ = 0;
  std::optional<uint8_t> reportedState_;
  bool stalledBusy_ = false;
  bool stallNextCommand_ = false;
  bool rebootPending_ = false;
  bool programming_ = false;
  int alternate_ = 0;
  uint32_t addressPointer_ = 0;
  int lastQuery_ = -1;
  SpiPending spiPending_ = SpiPending::None;
  uint32_t spiAddress_ = 0;

  std::vector<Fault> faults_;
  int selectsSeen_ = 0;
  int failSelectAt_ = 0;
  bool paused_ = false;
  bool pauseReached_ = false;
  std::vector<Request> requests_;
};

}  // namespace tamberlin
