#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "radio/usb_device.h"
#include "support/high_resolution_tick.h"

namespace tamberlin {

// DFU 1.1 requests and states the program uses.
enum DfuRequest : uint8_t {
  kDfuDetach = 0,
  kDfuDnload = 1,
  kDfuUpload = 2,
  kDfuGetStatus = 3,
  kDfuClrStatus = 4,
  kDfuGetState = 5,
  kDfuAbort = 6,
};

enum DfuState : uint8_t {
  kDfuAppIdle = 0,
  kDfuAppDetach = 1,
  kDfuIdle = 2,
  kDfuDnloadSync = 3,
  kDfuDnbusy = 4,
  kDfuDnloadIdle = 5,
  kDfuManifestSync = 6,
  kDfuManifest = 7,
  kDfuManifestWaitReset = 8,
  kDfuUploadIdle = 9,
  kDfuError = 10,
};

inline constexpr uint8_t kDfuFunctionalType = 0x21;

// The 6-byte GETSTATUS reply.
struct DfuStatus {
  std::array<uint8_t, 6> bytes{};
  uint8_t status() const { return bytes[0]; }
  uint8_t state() const { return bytes[4]; }
};

// The 9-byte DFU functional descriptor.
struct DfuFunctionalDescriptor {
  std::array<uint8_t, 9> bytes{};
  uint8_t attributes() const { return bytes[2]; }
  uint16_t detachTimeOut() const { return static_cast<uint16_t>(bytes[3] | bytes[4] << 8); }
  uint16_t transferSize() const { return static_cast<uint16_t>(bytes[5] | bytes[6] << 8); }
  uint16_t dfuVersion() const { return static_cast<uint16_t>(bytes[7] | bytes[8] << 8); }
};

// The DFU requests over one device, and the waits that follow the radio's
// commands. Every request answers kUsbNotOpen when no device is held.
class TSTDFU {
 public:
  static constexpr double kTransferTimeoutSeconds = 500;
  static constexpr double kSelectTimeoutSeconds = 100;

  TSTDFU(UsbDriver& driver, CHighResolutionTick& waitTick) : driver_(driver), waitTick_(waitTick) {}
  ~TSTDFU() { Close(); }
  TSTDFU(const TSTDFU&) = delete;
  TSTDFU& operator=(const TSTDFU&) = delete;

  // May be read from another thread than the one driving the device.
  bool isOpen() const { return attached_.load(); }
  // When set, status waits give up at once (the window is going away).
  void setCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }

  uint32_t Open(const std::string& path);
  uint32_t Close();

  uint32_t DeviceDescriptor(std::array<uint8_t, CSTDevice::kDeviceDescriptorSize>& out);
  // At most `size` − 1 bytes of the text.
  uint32_t StringDescriptor(int index, std::string& text, size_t size = 256);
  uint32_t DfuDescriptor(int& interfaceNumber, int& alternateCount, DfuFunctionalDescriptor& descriptor);
  uint32_t SelectSetting(int configuration, int interface, int alternate);

  uint32_t Download(std::span<const uint8_t> data, uint16_t block);
  uint32_t Upload(std::span<uint8_t> buffer, uint16_t block);
  uint32_t GetStatus(DfuStatus& status);
  uint32_t ClearStatus();
  uint32_t GetState(uint8_t& state);
  uint32_t Abort();

  // Polls until the radio reports an idle state; false on a failed request, a
  // closed device or the time-out.
  bool WaitForIdle(double timeoutSeconds);

  bool DownloadAndWait(std::span<const uint8_t> data, uint16_t block);
  bool UploadAndWait(std::span<uint8_t> buffer, uint16_t block);
  bool StringAndWait(int index, std::string& text, size_t size = 256);
  bool SelectAndWait(int configuration, int interface, int alternate);

 private:
  uint32_t request(UsbDirection direction, uint8_t bRequest, uint16_t wValue, std::span<uint8_t> data);
  void discardDevice();

  UsbDriver& driver_;
  CHighResolutionTick& waitTick_;
  std::unique_ptr<CSTDevice> device_;
  std::atomic<bool> attached_{false};
  const std::atomic<bool>* cancel_ = nullptr;
};

}  // namespace tamberlin
