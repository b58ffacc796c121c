#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "radio/usb_driver.h"

namespace tamberlin {

// Results of the device and DFU layers.
inline constexpr uint32_t kUsbOk = 0x12340000;
inline constexpr uint32_t kUsbOutOfMemory = 0x12340001;
inline constexpr uint32_t kUsbBadParameter = 0x12340002;
inline constexpr uint32_t kUsbOpenFailed = 0x12340005;
inline constexpr uint32_t kUsbDescriptorsFailed = 0x12340006;
inline constexpr uint32_t kUsbStringFailed = 0x1234000A;
inline constexpr uint32_t kUsbNotOpen = 0x1234000B;
inline constexpr uint32_t kUsbRequestFailed = 0x1234000C;
inline constexpr uint32_t kUsbBufferTooSmall = 0x12340013;
inline constexpr uint32_t kUsbDescriptorAbsent = 0x12340014;

inline constexpr int kRadioVendorId = 0x0483;
inline constexpr int kRadioProductId = 0xDF11;

// One radio found by the discovery pass, with its position in that pass.
struct t_usb_device : UsbDeviceProperties {
  int32_t index = 0;
};

// Vendor and product from the "vid_" and "pid_" tags of a device path (any
// letter case); -1 for a tag that is absent or unreadable. False for an empty path.
bool ParseVidPid(const std::string& path, int& vendor, int& product);

// Every present radio (vendor 0x0483, product 0xDF11); false when the
// enumeration service gave no device set, in which case `radios` is left empty.
bool EnumerateRadios(UsbDriver& driver, std::vector<t_usb_device>& radios);

// Location, a space, path, a space: how a radio is named in the device list.
std::string displayText(const t_usb_device& device);

// One opened device with its descriptors read once at open.
class CSTDevice {
 public:
  static constexpr size_t kMaxPathLength = 511;
  static constexpr size_t kConfigurationBlockSize = 512;
  static constexpr size_t kDeviceDescriptorSize = 18;

  CSTDevice(UsbDriver& driver, std::string path);
  ~CSTDevice();
  CSTDevice(const CSTDevice&) = delete;
  CSTDevice& operator=(const CSTDevice&) = delete;

  const std::string& path() const { return path_; }
  bool isOpen() const { return opened_; }

  uint32_t open();
  uint32_t close();

  uint32_t deviceDescriptor(std::array<uint8_t, kDeviceDescriptorSize>& out) const;
  uint32_t configurationCount(int& count) const;
  uint32_t interfaceCount(int configuration, int& count) const;
  uint32_t alternateCount(int configuration, int interface, int& count) const;
  uint32_t interfaceDescriptor(int configuration, int interface, int alternate,
                               std::array<uint8_t, 9>& out) const;
  // The n-th (0-based) descriptor of `type` after that interface descriptor and
  // before the next interface, endpoint or configuration descriptor.
  uint32_t classDescriptor(int configuration, int interface, int alternate, uint8_t type, int n,
                           std::span<uint8_t> out) const;
  uint32_t stringDescriptor(int index, std::string& text);
  uint32_t selectSetting(int configuration, int interface, int alternate);

  // wLength is data.size(). Device-to-host requests must return it in full.
  uint32_t classRequest(const UsbClassRequest& request, std::span<uint8_t> data, int& driverError);

 private:
  uint32_t readDescriptors();
  // The configuration's bytes as far as the device said they go.
  std::span<const uint8_t> configurationBytes(int configuration) const;
  // Offset of the interface descriptor inside the configuration, or -1.
  long findInterface(int configuration, int interface, int alternate) const;

  UsbDriver& driver_;
  std::string path_;
  std::unique_ptr<UsbHandle> handle_;
  bool opened_ = false;
  int configurationIndex_ = 0;
  int interfaceIndex_ = 0;
  int alternateIndex_ = 0;
  std::array<uint8_t, kDeviceDescriptorSize> deviceDescriptor_{};
  std::vector<std::array<uint8_t, kConfigurationBlockSize>> configurations_;
};

}  // namespace tamberlin
