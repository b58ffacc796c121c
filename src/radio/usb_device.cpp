#include "radio/usb_device.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "support/ascii_text.h"
#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

constexpr uint8_t kConfigurationType = 2;
constexpr uint8_t kInterfaceType = 4;
constexpr uint8_t kEndpointType = 5;
constexpr uint8_t kStringType = 3;
constexpr uint16_t kUsEnglish = 0x0409;
constexpr size_t kStringReplySize = 508;
// Long enough for a radio that is busy erasing; the DFU status wait above this
// layer has its own, much longer, time-out.
constexpr std::chrono::milliseconds kRequestTimeout{5000};

// The identifier after `tag`: at most 5 characters, cut at `stop`, read as hexadecimal.
int parseTag(const std::string& path, const char* tag, char stop) {
  const size_t at = path.find(tag);
  if (at == std::string::npos) return -1;
  std::string digits = path.substr(at + std::strlen(tag), 5);
  if (const size_t cut = digits.find(stop); cut != std::string::npos) digits.resize(cut);
  if (digits.empty()) return -1;
  int value = 0;
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
    value = value * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'a' + 10);
  }
  return value;
}

}  // namespace

bool ParseVidPid(const std::string& path, int& vendor, int& product) {
  vendor = -1;
  product = -1;
  if (path.empty()) return false;
  const std::string lower = asciiLowerCased(path);
  vendor = parseTag(lower, "vid_", '&');
  product = parseTag(lower, "pid_", '#');
  return true;
}

bool EnumerateRadios(UsbDriver& driver, std::vector<t_usb_device>& radios) {
  radios.clear();
  std::vector<UsbDeviceProperties> present;
  if (!driver.enumerate(present)) return false;
  for (size_t i = 0; i < present.size(); ++i) {
    const UsbDeviceProperties& p = present[i];
    int vendor = -1;
    int product = -1;
    ParseVidPid(p.path, vendor, product);
    if (vendor != kRadioVendorId || product != kRadioProductId) continue;
    t_usb_device radio;
    static_cast<UsbDeviceProperties&>(radio) = p;
    radio.index = static_cast<int32_t>(i);
    radios.push_back(std::move(radio));
  }
  return true;
}

std::string displayText(const t_usb_device& device) {
  return trimmedBlanks(device.location) + " " + trimmedBlanks(device.path) + " ";
}

CSTDevice::CSTDevice(UsbDriver& driver, std::string path)
    : driver_(driver), path_(path.substr(0, std::min(path.size(), kMaxPathLength))) {}

CSTDevice::~CSTDevice() { close(); }

uint32_t CSTDevice::open() {
  if (opened_) return kUsbOk;
  handle_ = driver_.open(path_);
  if (!handle_) return kUsbOpenFailed;
  const uint32_t code = readDescriptors();
  if (code != kUsbOk) {
    handle_.reset();
    return code;
  }
  opened_ = true;
  return kUsbOk;
}

uint32_t CSTDevice::close() {
  configurations_.clear();
  handle_.reset();
  opened_ = false;
  return kUsbOk;
}

uint32_t CSTDevice::readDescriptors() {
  configurations_.clear();
  deviceDescriptor_.fill(0);
  const UsbTransferResult device = handle_->readDeviceDescriptor(deviceDescriptor_);
  if (!device.ok || device.transferred != kDeviceDescriptorSize) return kUsbDescriptorsFailed;
  configurations_.assign(deviceDescriptor_[17], {});
  for (size_t i = 0; i < configurations_.size(); ++i) {
    if (!handle_->readConfigurationDescriptor(static_cast<uint8_t>(i), configurations_[i]).ok) {
      configurations_.clear();
      return kUsbDescriptorsFailed;
    }
  }
  return kUsbOk;
}

uint32_t CSTDevice::deviceDescriptor(std::array<uint8_t, kDeviceDescriptorSize>& out) const {
  if (!opened_) return kUsbNotOpen;
  out = deviceDescriptor_;
  return kUsbOk;
}

uint32_t CSTDevice::configurationCount(int& count) const {
  if (!opened_) return kUsbNotOpen;
  count = static_cast<int>(configurations_.size());
  return kUsbOk;
}

std::span<const uint8_t> CSTDevice::configurationBytes(int configuration) const {
  if (configuration < 0 || static_cast<size_t>(configuration) >= configurations_.size()) return {};
  const auto& block = configurations_[static_cast<size_t>(configuration)];
  const size_t total = std::min<size_t>(readLe16(block, 2), block.size());
  return std::span<const uint8_t>(block).first(total);
}

uint32_t CSTDevice::interfaceCount(int configuration, int& count) const {
  if (!opened_) return kUsbNotOpen;
  const auto bytes = configurationBytes(configuration);
  if (bytes.size() < 9) return kUsbBadParameter;
  count = bytes[4];
  return kUsbOk;
}

// Walks the interface descriptors of a configuration, numbering interfaces by
// their distinct interface numbers and alternates within each run of equal numbers.
template <typename Visit>
static void forEachInterface(std::span<const uint8_t> bytes, Visit visit) {
  std::vector<int> numbers;
  int lastNumber = -1;
  int alternate = 0;
  for (size_t at = 0; at + 2 <= bytes.size();) {
    const size_t length = bytes[at];
    if (length < 2 || at + length > bytes.size()) break;
    if (bytes[at + 1] == kInterfaceType && length >= 9) {
      const int number = bytes[at + 2];
      alternate = number == lastNumber ? alternate + 1 : 0;
      lastNumber = number;
      auto known = std::find(numbers.begin(), numbers.end(), number);
      if (known == numbers.end()) known = numbers.insert(numbers.end(), number);
      if (visit(static_cast<int>(known - numbers.begin()), alternate, at)) return;
    }
    at += length;
  }
}

long CSTDevice::findInterface(int configuration, int interface, int alternate) const {
  long found = -1;
  forEachInterface(configurationBytes(configuration), [&](int i, int a, size_t at) {
    if (i != interface || a != alternate) return false;
    found = static_cast<long>(at);
    return true;
  });
  return found;
}

uint32_t CSTDevice::alternateCount(int configuration, int interface, int& count) const {
  if (!opened_) return kUsbNotOpen;
  count = 0;
  forEachInterface(configurationBytes(configuration), [&](int i, int a, size_t) {
    if (i == interface) count = std::max(count, a + 1);
    return false;
  });
  return count > 0 ? kUsbOk : kUsbBadParameter;
}

uint32_t CSTDevice::interfaceDescriptor(int configuration, int interface, int alternate,
                                        std::array<uint8_t, 9>& out) const {
  if (!opened_) return kUsbNotOpen;
  const long at = findInterface(configuration, interface, alternate);
  if (at < 0) return kUsbBadParameter;
  const auto bytes = configurationBytes(configuration);
  std::copy_n(bytes.begin() + at, out.size(), out.begin());
  return kUsbOk;
}

uint32_t CSTDevice::classDescriptor(int configuration, int interface, int alternate, uint8_t type, int n,
                                    std::span<uint8_t> out) const {
  if (!opened_) return kUsbNotOpen;
  const long start = findInterface(configuration, interface, alternate);
  if (start < 0) return kUsbBadParameter;
  const auto bytes = configurationBytes(configuration);
  int seen = 0;
  for (size_t at = static_cast<size_t>(start) + bytes[static_cast<size_t>(start)]; at + 2 <= bytes.size();) {
    const size_t length = bytes[at];
    if (length < 2 || at + length > bytes.size()) break;
    const uint8_t kind = bytes[at + 1];
    if (kind == type) {
      if (seen++ == n) {
        if (length > out.size()) return kUsbBufferTooSmall;
        std::copy_n(bytes.begin() + static_cast<long>(at), length, out.begin());
        return kUsbOk;
      }
    } else if (kind == kInterfaceType || kind == kEndpointType || kind == kConfigurationType) {
      return kUsbDescriptorAbsent;
    }
    at += length;
  }
  return kUsbOk;
}

uint32_t CSTDevice::stringDescriptor(int index, std::string& text) {
  if (!opened_) return kUsbNotOpen;
  if (index < 1 || index > 255) return kUsbBadParameter;
  std::array<uint8_t, kStringReplySize> reply{};
  const UsbTransferResult r = handle_->readStringDescriptor(static_cast<uint8_t>(index), kUsEnglish, reply);
  const size_t length = std::min(r.transferred, reply.size());
  if (!r.ok || length <= 2 || reply[1] != kStringType) return kUsbStringFailed;
  std::u16string units;
  for (size_t at = 2; at + 1 < length; at += 2) units.push_back(static_cast<char16_t>(readLe16(reply, at)));
  text = utf16ToUtf8(units);
  return kUsbOk;
}

uint32_t CSTDevice::selectSetting(int configuration, int interface, int alternate) {
  if (!opened_) return kUsbNotOpen;
  std::array<uint8_t, 9> descriptor{};
  if (const uint32_t code = interfaceDescriptor(configuration, interface, alternate, descriptor);
      code != kUsbOk) {
    return code;
  }
  opened_ = false;
  configurationIndex_ = configuration;
  interfaceIndex_ = interface;
  alternateIndex_ = alternate;
  if (const uint32_t code = readDescriptors(); code != kUsbOk) {
    close();
    return code;
  }
  const auto bytes = configurationBytes(configuration);
  if (bytes.size() < 9 || findInterface(configuration, interface, alternate) < 0) {
    close();
    return kUsbBadParameter;
  }
  const auto configurationValue = static_cast<uint8_t>(bytes[5] - 1);
  if (!handle_->selectSetting(configurationValue, descriptor[2], descriptor[3])) {
    close();
    return kUsbBadParameter;
  }
  opened_ = true;
  return kUsbOk;
}

uint32_t CSTDevice::classRequest(const UsbClassRequest& request, std::span<uint8_t> data, int& driverError) {
  driverError = 0;
  if (!opened_) return kUsbNotOpen;
  const UsbTransferResult r = handle_->classRequest(request, data, kRequestTimeout);
  if (!r.ok) {
    driverError = r.error;
    return kUsbRequestFailed;
  }
  if (request.direction == UsbDirection::DeviceToHost && r.transferred != data.size())
    return kUsbRequestFailed;
  return kUsbOk;
}

}  // namespace tamberlin
