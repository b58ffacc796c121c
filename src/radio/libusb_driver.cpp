#include "radio/libusb_driver.h"

#include <libusb.h>

#include <array>
#include <cstdio>

#include "radio/usb_device.h"

namespace tamberlin {

namespace {

// "1-2.4": the bus, then the port numbers from the root hub down.
std::string portChain(libusb_device* device) {
  std::array<uint8_t, 8> ports{};
  const int count = libusb_get_port_numbers(device, ports.data(), static_cast<int>(ports.size()));
  std::string chain = std::to_string(libusb_get_bus_number(device)) + "-";
  for (int i = 0; i < count; ++i) chain += (i ? "." : "") + std::to_string(ports[static_cast<size_t>(i)]);
  if (count <= 0) chain += std::to_string(libusb_get_device_address(device));
  return chain;
}

std::string pathFor(libusb_device* device, const libusb_device_descriptor& d) {
  char tags[32];
  std::snprintf(tags, sizeof tags, "vid_%04x&pid_%04x", d.idVendor, d.idProduct);
  return std::string("usb#") + tags + "#" + portChain(device) + "#libusb";
}

std::string locationFor(libusb_device* device) {
  return "USB bus " + std::to_string(libusb_get_bus_number(device)) + " port " +
         portChain(device).substr(portChain(device).find('-') + 1);
}

std::string stringOf(libusb_device_handle* handle, uint8_t index) {
  if (index == 0) return {};
  std::array<unsigned char, 256> text{};
  const int n = libusb_get_string_descriptor_ascii(handle, index, text.data(), static_cast<int>(text.size()));
  return n > 0 ? std::string(reinterpret_cast<const char*>(text.data()), static_cast<size_t>(n))
               : std::string();
}

UsbTransferResult resultOf(int r) {
  if (r < 0) return {false, 0, r};
  return {true, static_cast<size_t>(r), 0};
}

class LibusbHandle final : public UsbHandle {
 public:
  explicit LibusbHandle(libusb_device_handle* handle) : handle_(handle) {
    libusb_set_auto_detach_kernel_driver(handle_, 1);
  }
  ~LibusbHandle() override {
    if (claimed_ >= 0) libusb_release_interface(handle_, claimed_);
    libusb_close(handle_);
  }

  UsbTransferResult readDeviceDescriptor(std::span<uint8_t> out) override {
    return resultOf(
        libusb_get_descriptor(handle_, LIBUSB_DT_DEVICE, 0, out.data(), static_cast<int>(out.size())));
  }
  UsbTransferResult readConfigurationDescriptor(uint8_t index, std::span<uint8_t> out) override {
    return resultOf(
        libusb_get_descriptor(handle_, LIBUSB_DT_CONFIG, index, out.data(), static_cast<int>(out.size())));
  }
  UsbTransferResult readStringDescriptor(uint8_t index, uint16_t language, std::span<uint8_t> out) override {
    return resultOf(
        libusb_get_string_descriptor(handle_, index, language, out.data(), static_cast<int>(out.size())));
  }
  bool selectSetting(uint8_t configurationIndex, uint8_t interfaceNumber, uint8_t alternate) override {
    int current = 0;
    if (libusb_get_configuration(handle_, &current) != 0) return false;
    if (current != configurationIndex + 1) {
      if (claimed_ >= 0) libusb_release_interface(handle_, claimed_);
      claimed_ = -1;
      if (libusb_set_configuration(handle_, configurationIndex + 1) != 0) return false;
    }
    if (!claim(interfaceNumber)) return false;
    return libusb_set_interface_alt_setting(handle_, interfaceNumber, alternate) == 0;
  }
  UsbTransferResult classRequest(const UsbClassRequest& request, std::span<uint8_t> data,
                                 std::chrono::milliseconds timeout) override {
    if (claimed_ < 0 && !claim(0)) return {false, 0, LIBUSB_ERROR_BUSY};
    const int direction =
        request.direction == UsbDirection::DeviceToHost ? LIBUSB_ENDPOINT_IN : LIBUSB_ENDPOINT_OUT;
    const auto type =
        static_cast<uint8_t>(direction | int{LIBUSB_REQUEST_TYPE_CLASS} | int{LIBUSB_RECIPIENT_INTERFACE});
    if (data.size() > 0xFFFF) return {false, 0, LIBUSB_ERROR_INVALID_PARAM};
    return resultOf(libusb_control_transfer(handle_, type, request.bRequest, request.wValue, request.wIndex,
                                            data.data(), static_cast<uint16_t>(data.size()),
                                            static_cast<unsigned>(timeout.count())));
  }

 private:
  bool claim(int interfaceNumber) {
    if (claimed_ == interfaceNumber) return true;
    if (claimed_ >= 0) libusb_release_interface(handle_, claimed_);
    claimed_ = -1;
    if (libusb_claim_interface(handle_, interfaceNumber) != 0) return false;
    claimed_ = interfaceNumber;
    return true;
  }

  libusb_device_handle* handle_;
  int claimed_ = -1;
};

}  // namespace

LibusbDriver::LibusbDriver() {
  if (libusb_init(&context_) != 0) context_ = nullptr;
}

LibusbDriver::~LibusbDriver() {
  if (context_ != nullptr) libusb_exit(context_);
}

bool LibusbDriver::enumerate(std::vector<UsbDeviceProperties>& devices) {
  if (context_ == nullptr) return false;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_, &list);
  if (count < 0) return false;
  std::lock_guard lock(mutex_);
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device* device = list[i];
    libusb_device_descriptor d{};
    if (libusb_get_device_descriptor(device, &d) != 0) continue;
    UsbDeviceProperties p;
    p.path = pathFor(device, d);
    p.enumerator = "USB";
    p.location = locationFor(device);
    p.service = "libusb";
    if (d.idVendor == kRadioVendorId && d.idProduct == kRadioProductId) {
      auto known = texts_.find(p.path);
      if (known == texts_.end()) {
        Texts texts;
        libusb_device_handle* handle = nullptr;
        if (libusb_open(device, &handle) == 0) {
          texts.product = stringOf(handle, d.iProduct);
          texts.manufacturer = stringOf(handle, d.iManufacturer);
          libusb_close(handle);
        }
        known = texts_.emplace(p.path, texts).first;
      }
      p.description = known->second.product;
      p.friendlyName = known->second.product;
      p.manufacturer = known->second.manufacturer;
    }
    devices.push_back(std::move(p));
  }
  libusb_free_device_list(list, 1);
  return true;
}

std::unique_ptr<UsbHandle> LibusbDriver::open(const std::string& path) {
  if (context_ == nullptr || path.find("#libusb") == std::string::npos) return nullptr;
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_, &list);
  if (count < 0) return nullptr;
  std::unique_ptr<UsbHandle> opened;
  for (ssize_t i = 0; i < count && !opened; ++i) {
    libusb_device_descriptor d{};
    if (libusb_get_device_descriptor(list[i], &d) != 0 || pathFor(list[i], d) != path) continue;
    libusb_device_handle* handle = nullptr;
    if (libusb_open(list[i], &handle) == 0) opened = std::make_unique<LibusbHandle>(handle);
  }
  libusb_free_device_list(list, 1);
  return opened;
}

}  // namespace tamberlin
