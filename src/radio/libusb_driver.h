#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "radio/usb_driver.h"

struct libusb_context;

namespace tamberlin {

// Real radios through libusb-1.0. Paths look like
// "usb#vid_0483&pid_df11#1-2.4#libusb": vendor and product tags as the device
// list expects them, then the bus and port chain that finds the device again.
// Without libusb (no USB subsystem, no permission) it lists nothing.
class LibusbDriver final : public UsbDriver {
 public:
  LibusbDriver();
  ~LibusbDriver() override;
  LibusbDriver(const LibusbDriver&) = delete;
  LibusbDriver& operator=(const LibusbDriver&) = delete;

  bool available() const { return context_ != nullptr; }

  bool enumerate(std::vector<UsbDeviceProperties>& devices) override;
  std::unique_ptr<UsbHandle> open(const std::string& path) override;

 private:
  struct Texts {
    std::string product;
    std::string manufacturer;
  };

  libusb_context* context_ = nullptr;
  std::mutex mutex_;
  // Device strings need the device opened; they are read once per path.
  std::map<std::string, Texts> texts_;
};

}  // namespace tamberlin
