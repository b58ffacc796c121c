#include "radio/usb_driver.h"

namespace tamberlin {

bool UsbDriverSet::enumerate(std::vector<UsbDeviceProperties>& devices) {
  bool any = false;
  for (UsbDriver* driver : drivers_) {
    if (driver != nullptr && driver->enumerate(devices)) any = true;
  }
  return any;
}

std::unique_ptr<UsbHandle> UsbDriverSet::open(const std::string& path) {
  for (UsbDriver* driver : drivers_) {
    if (driver == nullptr) continue;
    if (auto handle = driver->open(path)) return handle;
  }
  return nullptr;
}

}  // namespace tamberlin
