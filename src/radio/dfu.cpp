#include "radio/dfu.h"

#include <vector>

namespace tamberlin {

uint32_t TSTDFU::Open(const std::string& path) {
  if (path.empty()) return kUsbBadParameter;
  Close();
  auto device = std::make_unique<CSTDevice>(driver_, path);
  const uint32_t code = device->open();
  if (code != kUsbOk) return code;
  device_ = std::move(device);
  attached_ = true;
  return kUsbOk;
}

void TSTDFU::discardDevice() {
  attached_ = false;
  device_.reset();
}

uint32_t TSTDFU::Close() {
  discardDevice();
  return kUsbOk;
}

uint32_t TSTDFU::DeviceDescriptor(std::array<uint8_t, CSTDevice::kDeviceDescriptorSize>& out) {
  if (!device_) return kUsbNotOpen;
  return device_->deviceDescriptor(out);
}

uint32_t TSTDFU::StringDescriptor(int index, std::string& text, size_t size) {
  text.clear();
  if (!device_) return kUsbNotOpen;
  if (size == 0) return kUsbBadParameter;
  const uint32_t code = device_->stringDescriptor(index, text);
  if (text.size() > size - 1) text.resize(size - 1);
  return code;
}

uint32_t TSTDFU::DfuDescriptor(int& interfaceNumber, int& alternateCount,
                               DfuFunctionalDescriptor& descriptor) {
  if (!device_) return kUsbNotOpen;
  int interfaces = 0;
  if (const uint32_t code = device_->interfaceCount(0, interfaces); code != kUsbOk) return code;
  if (interfaces < 1) return kUsbBadParameter;
  int alternates = 0;
  if (const uint32_t code = device_->alternateCount(0, interfaces - 1, alternates); code != kUsbOk)
    return code;
  if (const uint32_t code = device_->classDescriptor(0, interfaces - 1, alternates - 1, kDfuFunctionalType, 0,
                                                     descriptor.bytes);
      code != kUsbOk) {
    return code;
  }
  std::array<uint8_t, 9> interface {};
  if (const uint32_t code = device_->interfaceDescriptor(0, interfaces - 1, 0, interface); code != kUsbOk) {
    return code;
  }
  interfaceNumber = interface[2];
  alternateCount = alternates;
  return kUsbOk;
}

uint32_t TSTDFU::SelectSetting(int configuration, int interface, int alternate) {
  if (!device_) return kUsbNotOpen;
  return device_->selectSetting(configuration, interface, alternate);
}

uint32_t TSTDFU::request(UsbDirection direction, uint8_t bRequest, uint16_t wValue, std::span<uint8_t> data) {
  if (!device_) return kUsbNotOpen;
  int driverError = 0;
  const uint32_t code = device_->classRequest({direction, bRequest, wValue, 0}, data, driverError);
  if (code == kUsbOk || code == kUsbNotOpen) return code;
  return driverError != 0 ? static_cast<uint32_t>(driverError) : code;
}

uint32_t TSTDFU::Download(std::span<const uint8_t> data, uint16_t block) {
  // The request does not write into host-to-device data; the copy keeps the
  // driver interface to one span type.
  std::vector<uint8_t> copy(data.begin(), data.end());
  return request(UsbDirection::HostToDevice, kDfuDnload, block, copy);
}

uint32_t TSTDFU::Upload(std::span<uint8_t> buffer, uint16_t block) {
  return request(UsbDirection::DeviceToHost, kDfuUpload, block, buffer);
}

uint32_t TSTDFU::GetStatus(DfuStatus& status) {
  status.bytes.fill(0);
  if (!device_) return kUsbNotOpen;
  int driverError = 0;
  const uint32_t code =
      device_->classRequest({UsbDirection::DeviceToHost, kDfuGetStatus, 0, 0}, status.bytes, driverError);
  // The radio is leaving DFU: nothing more can be sent to it.
  if (status.state() == kDfuManifest || status.state() == kDfuManifestWaitReset) discardDevice();
  return code;
}

uint32_t TSTDFU::ClearStatus() { return request(UsbDirection::HostToDevice, kDfuClrStatus, 0, {}); }

uint32_t TSTDFU::GetState(uint8_t& state) {
  std::array<uint8_t, 1> reply{};
  const uint32_t code = request(UsbDirection::DeviceToHost, kDfuGetState, 0, reply);
  state = reply[0];
  return code;
}

uint32_t TSTDFU::Abort() { return request(UsbDirection::HostToDevice, kDfuAbort, 0, {}); }

bool TSTDFU::WaitForIdle(double timeoutSeconds) {
  waitTick_.restart();
  DfuStatus status;
  if (!device_ || GetStatus(status) != kUsbOk) return false;
  for (;;) {
    if (!device_ || ClearStatus() != kUsbOk) return false;
    GetStatus(status);
    const uint8_t state = status.state();
    if (state == kDfuIdle || state == kDfuDnloadIdle || state == kDfuUploadIdle) return true;
    if (waitTick_.elapsedSeconds() >= timeoutSeconds) return false;
    if (cancel_ != nullptr && cancel_->load()) return false;
  }
}

bool TSTDFU::DownloadAndWait(std::span<const uint8_t> data, uint16_t block) {
  if (!device_) return false;
  return Download(data, block) == kUsbOk && WaitForIdle(kTransferTimeoutSeconds);
}

bool TSTDFU::UploadAndWait(std::span<uint8_t> buffer, uint16_t block) {
  if (!device_) return false;
  return Upload(buffer, block) == kUsbOk && WaitForIdle(kTransferTimeoutSeconds);
}

bool TSTDFU::StringAndWait(int index, std::string& text, size_t size) {
  if (!device_) return false;
  return StringDescriptor(index, text, size) == kUsbOk && WaitForIdle(kSelectTimeoutSeconds);
}

bool TSTDFU::SelectAndWait(int configuration, int interface, int alternate) {
  if (!device_) return false;
  SelectSetting(configuration, interface, alternate);
  return WaitForIdle(kSelectTimeoutSeconds);
}

}  // namespace tamberlin
