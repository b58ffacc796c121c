#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The seam between the DFU stack and whatever reaches the USB device: libusb
// for real radios, the simulated radio for tests and demonstrations.
namespace tamberlin {

// One present device as the enumeration service describes it. Texts are UTF-8.
struct UsbDeviceProperties {
  std::string path;
  std::string description;
  std::string enumerator;
  std::string friendlyName;
  std::string location;
  std::string manufacturer;
  std::string service;
};

enum class UsbDirection { HostToDevice, DeviceToHost };

// A class request addressed to an interface of the device.
struct UsbClassRequest {
  UsbDirection direction = UsbDirection::HostToDevice;
  uint8_t bRequest = 0;
  uint16_t wValue = 0;
  uint16_t wIndex = 0;
};

struct UsbTransferResult {
  bool ok = false;
  size_t transferred = 0;  // bytes sent or received
  int error = 0;           // the driver's own error number when !ok
};

// One opened device. Calls may come from a worker thread, one at a time.
class UsbHandle {
 public:
  virtual ~UsbHandle() = default;

  // Each read copies at most out.size() bytes and gives the number of bytes the
  // device returned, or a result with ok false.
  virtual UsbTransferResult readDeviceDescriptor(std::span<uint8_t> out) = 0;
  virtual UsbTransferResult readConfigurationDescriptor(uint8_t index, std::span<uint8_t> out) = 0;
  // The raw descriptor, its two header bytes included.
  virtual UsbTransferResult readStringDescriptor(uint8_t index, uint16_t language,
                                                 std::span<uint8_t> out) = 0;
  // bConfigurationValue − 1, bInterfaceNumber, bAlternateSetting.
  virtual bool selectSetting(uint8_t configurationIndex, uint8_t interfaceNumber, uint8_t alternate) = 0;
  // `data` is sent for host-to-device requests and filled for device-to-host ones.
  virtual UsbTransferResult classRequest(const UsbClassRequest& request, std::span<uint8_t> data,
                                         std::chrono::milliseconds timeout) = 0;
};

class UsbDriver {
 public:
  virtual ~UsbDriver() = default;

  // Appends the present devices; false when the enumeration service itself
  // cannot be reached (no device set at all).
  virtual bool enumerate(std::vector<UsbDeviceProperties>& devices) = 0;
  // nullptr when this driver does not know the path or cannot open it.
  virtual std::unique_ptr<UsbHandle> open(const std::string& path) = 0;
};

// Several drivers seen as one: enumeration joins their lists, a path is opened
// by the first driver that can.
class UsbDriverSet final : public UsbDriver {
 public:
  explicit UsbDriverSet(std::vector<UsbDriver*> drivers) : drivers_(std::move(drivers)) {}

  bool enumerate(std::vector<UsbDeviceProperties>& devices) override;
  std::unique_ptr<UsbHandle> open(const std::string& path) override;

 private:
  std::vector<UsbDriver*> drivers_;
};

}  // namespace tamberlin
