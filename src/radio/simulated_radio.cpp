#include "radio/simulated_radio.h"

#include <algorithm>
#include <array>
#include <thread>

#include "radio/dfu.h"
#include "support/ascii_text.h"
#include "support/endian.h"
#include "support/unicode.h"

namespace tamberlin {

namespace {

constexpr int kNoDeviceError = -4;  // what libusb calls LIBUSB_ERROR_NO_DEVICE
constexpr int kStallError = -9;     // LIBUSB_ERROR_PIPE
constexpr uint8_t kStatusErrStalled = 0x0F;
constexpr uint32_t kSpiSectorSize = 0x10000;

struct Sector {
  uint32_t start;
  uint32_t size;
};
// The microcontroller flash sectors the bootloader erases on request.
constexpr std::array<Sector, 12> kInternalSectors{{{0x08000000, 0x4000},
                                                   {0x08004000, 0x4000},
                                                   {0x08008000, 0x4000},
                                                   {0x0800C000, 0x4000},
                                                   {0x08010000, 0x10000},
                                                   {0x08020000, 0x20000},
                                                   {0x08040000, 0x20000},
                                                   {0x08060000, 0x20000},
                                                   {0x08080000, 0x20000},
                                                   {0x080A0000, 0x20000},
                                                   {0x080C0000, 0x20000},
                                                   {0x080E0000, 0x20000}}};

// The replies to the maker's queries: made-up identification bytes of the
// lengths the radio answers with.
std::vector<uint8_t> queryReply(int query) {
  auto text = [](std::string_view s, size_t size) {
    std::vector<uint8_t> reply(size, 0xFF);
    std::copy_n(s.begin(), std::min(s.size(), size), reply.begin());
    return reply;
  };
  switch (query) {
    case 1: return text("TAMBERLIN SIMULATED RADIO", 32);
    case 2: return {0x01, 0x00, 0x00, 0x00};
    case 3: return text("SIM-0000000001", 24);
    case 4: return text("V01.00", 8);
    case 7: return text("2026.12.10", 16);
    default: return {};
  }
}

std::vector<uint8_t> stringBytes(const std::u16string& text) {
  std::vector<uint8_t> raw(2 + 2 * text.size());
  raw[0] = static_cast<uint8_t>(std::min<size_t>(raw.size(), 255));
  raw[1] = 3;
  for (size_t i = 0; i < text.size(); ++i) writeLe16(raw, 2 + 2 * i, text[i]);
  return raw;
}

}  // namespace

class SimulatedRadio::Handle final : public UsbHandle {
 public:
  Handle(SimulatedRadio& radio, uint64_t generation) : radio_(radio), generation_(generation) {}
  ~Handle() override {
    std::lock_guard lock(radio_.mutex_);
    radio_.released(generation_);
  }

  UsbTransferResult readDeviceDescriptor(std::span<uint8_t> out) override {
    std::lock_guard lock(radio_.mutex_);
    if (!radio_.alive(generation_)) return {false, 0, kNoDeviceError};
    return copyOut(radio_.deviceDescriptor(), out);
  }
  UsbTransferResult readConfigurationDescriptor(uint8_t index, std::span<uint8_t> out) override {
    std::lock_guard lock(radio_.mutex_);
    if (!radio_.alive(generation_)) return {false, 0, kNoDeviceError};
    if (index != 0) return {false, 0, kStallError};
    return copyOut(radio_.configurationDescriptor(), out);
  }
  UsbTransferResult readStringDescriptor(uint8_t index, uint16_t, std::span<uint8_t> out) override {
    std::lock_guard lock(radio_.mutex_);
    if (!radio_.alive(generation_)) return {false, 0, kNoDeviceError};
    const auto raw = radio_.stringDescriptor(index);
    if (!raw) return {false, 0, kStallError};
    return copyOut(*raw, out);
  }
  bool selectSetting(uint8_t configurationIndex, uint8_t interfaceNumber, uint8_t alternate) override {
    std::lock_guard lock(radio_.mutex_);
    if (!radio_.alive(generation_)) return false;
    if (++radio_.selectsSeen_ == radio_.failSelectAt_) return false;
    if (configurationIndex != 0 || interfaceNumber != 0 || alternate > 1) return false;
    radio_.alternate_ = alternate;
    if (!radio_.stalledBusy_) radio_.state_ = kDfuIdle;
    return true;
  }
  UsbTransferResult classRequest(const UsbClassRequest& request, std::span<uint8_t> data,
                                 std::chrono::milliseconds) override {
    std::unique_lock lock(radio_.mutex_);
    return radio_.classRequest(lock, generation_, request, data);
  }

 private:
  static UsbTransferResult copyOut(const std::vector<uint8_t>& bytes, std::span<uint8_t> out) {
    const size_t n = std::min(bytes.size(), out.size());
    std::copy_n(bytes.begin(), n, out.begin());
    return {true, n, 0};
  }

  SimulatedRadio& radio_;
  uint64_t generation_;
};

SimulatedRadio::SimulatedRadio()
    : path_("\\\\?\\usb#vid_0483&pid_df11#simulated&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}") {}

bool SimulatedRadio::enumerate(std::vector<UsbDeviceProperties>& devices) {
  std::lock_guard lock(mutex_);
  if (attached_) {
    devices.push_back({path_, "Simulated radio (DFU)", "USB", "Tamberlin simulated radio", location_,
                       "Tamberlin", "simulated"});
  }
  return true;
}

std::unique_ptr<UsbHandle> SimulatedRadio::open(const std::string& path) {
  std::lock_guard lock(mutex_);
  // Opened without sharing, like the radio's driver does.
  if (!attached_ || asciiLowerCased(path) != asciiLowerCased(path_) || openHandles_ > 0) return nullptr;
  ++openHandles_;
  return std::make_unique<Handle>(*this, generation_);
}

void SimulatedRadio::released(uint64_t generation) {
  if (generation != generation_) return;
  --openHandles_;
  if (rebootPending_) reboot();
}

bool SimulatedRadio::alive(uint64_t generation) const { return attached_ && generation == generation_; }

void SimulatedRadio::reboot() {
  ++generation_;
  ++reboots_;
  openHandles_ = 0;
  rebootPending_ = false;
  mode_ = Mode::Normal;  // the bootloader only runs when started with the buttons held
  state_ = kDfuIdle;
  status_ = 0;
  reportedState_.reset();
  stalledBusy_ = false;
  stallNextCommand_ = false;
  programming_ = false;
  alternate_ = 0;
  addressPointer_ = 0;
  lastQuery_ = -1;
  spiPending_ = SpiPending::None;
}

std::vector<uint8_t> SimulatedRadio::deviceDescriptor() const {
  std::vector<uint8_t> d{18, 1, 0x00, 0x02, 0, 0, 0, 64, 0, 0, 0, 0, 0, 0, 1, 2, 3, 1};
  writeLe16(d, 8, 0x0483);
  writeLe16(d, 10, 0xDF11);
  writeLe16(d, 12, deviceVersion_);
  return d;
}

std::vector<uint8_t> SimulatedRadio::configurationDescriptor() const {
  std::vector<uint8_t> d{
      9,    2,
      0,    0,
      1,    1,
      0,    0xC0,
      50,  // configuration
      9,    4,
      0,    0,
      0,    0xFE,
      1,    2,
      4,  // DFU interface, alternate 0
      9,    4,
      0,    1,
      0,    0xFE,
      1,    2,
      5,  // alternate 1
      9,    kDfuFunctionalType,
      0x0B, 0,
      0,    0,
      0,    0,
      0,
  };
  writeLe16(d, 2, static_cast<uint16_t>(d.size()));
  writeLe16(d, 30, 255);
  writeLe16(d, 32, transferSize_);
  writeLe16(d, 34, dfuVersion_);
  return d;
}

std::optional<std::vector<uint8_t>> SimulatedRadio::stringDescriptor(int index) const {
  if (auto raw = rawStrings_.find(index); raw != rawStrings_.end()) return raw->second;
  const bool normal = mode_ == Mode::Normal;
  switch (index) {
    case 0: return std::vector<uint8_t>{4, 3, 0x09, 0x04};
    case 1: return stringBytes(u"Tamberlin");
    case 2: return stringBytes(normal ? u"Simulated radio" : u"Simulated radio bootloader");
    case 3: return stringBytes(u"SIM0000000001");
    case 4:
      return stringBytes(normal ? u"DFU Config"
                                : u"@Internal Flash  /0x08000000/03*016Kg,01*016Kg,01*064Kg,07*128Kg");
    case 5: return stringBytes(normal ? u"DFU Data" : u"@Codeplug /0x00000000/04*064Kg");
    default: return std::nullopt;
  }
}

size_t SimulatedRadio::blockSize() const { return transferSize_ == 0 ? 1024 : transferSize_; }

NorMemory& SimulatedRadio::dataMemory() { return mode_ == Mode::Normal ? codeplug_ : internalFlash_; }

UsbTransferResult SimulatedRadio::stall() {
  state_ = kDfuError;
  status_ = kStatusErrStalled;
  return {false, 0, kStallError};
}

SimulatedRadio::Fault* SimulatedRadio::matchFault(const UsbClassRequest& request,
                                                  std::span<const uint8_t> data) {
  for (Fault& f : faults_) {
    const RequestMatch& m = f.match;
    if (m.bRequest >= 0 && m.bRequest != request.bRequest) continue;
    if (m.block >= 0 && m.block != request.wValue) continue;
    if (m.command >= 0 && (request.bRequest != kDfuDnload || data.empty() || data[0] != m.command)) continue;
    if (++f.seen == m.occurrence) return &f;
  }
  return nullptr;
}

UsbTransferResult SimulatedRadio::classRequest(std::unique_lock<std::mutex>& lock, uint64_t generation,
                                               const UsbClassRequest& request, std::span<uint8_t> data) {
  if (!alive(generation)) return {false, 0, kNoDeviceError};
  if (requestDelay_.count() > 0) {
    const auto delay = requestDelay_;
    lock.unlock();
    std::this_thread::sleep_for(delay);
    lock.lock();
    if (!alive(generation)) return {false, 0, kNoDeviceError};
  }
  const bool toDevice = request.direction == UsbDirection::HostToDevice;
  requests_.push_back({request.bRequest, request.wValue, data.size(),
                       toDevice ? std::vector<uint8_t>(data.begin(), data.end()) : std::vector<uint8_t>{}});

  std::optional<size_t> shortLength;
  if (Fault* f = matchFault(request, data)) {
    switch (f->kind) {
      case FaultKind::Fail: return stall();
      case FaultKind::Vanish:
        attached_ = false;
        ++generation_;
        return {false, 0, kNoDeviceError};
      case FaultKind::Pause:
        paused_ = true;
        pauseReached_ = true;
        pauseChanged_.notify_all();
        pauseChanged_.wait(lock, [this] { return !paused_; });
        if (!alive(generation)) return {false, 0, kNoDeviceError};
        break;
      case FaultKind::Short: shortLength = f->value; break;
      case FaultKind::StallBusy: stallNextCommand_ = true; break;
      case FaultKind::ReportState: reportedState_ = static_cast<uint8_t>(f->value); break;
    }
  }

  UsbTransferResult result;
  switch (request.bRequest) {
    case kDfuDnload: result = download(request.wValue, data); break;
    case kDfuUpload: result = upload(request.wValue, data); break;
    case kDfuGetStatus: result = getStatus(data); break;
    case kDfuClrStatus:
      if (state_ == kDfuError) {
        state_ = kDfuIdle;
        status_ = 0;
      }
      result = {true, 0, 0};
      break;
    case kDfuGetState:
      if (data.empty()) return stall();
      data[0] = reportedState_.value_or(state_);
      result = {true, 1, 0};
      break;
    case kDfuAbort:
      if (!stalledBusy_) state_ = kDfuIdle;
      result = {true, 0, 0};
      break;
    default: return stall();
  }
  if (result.ok && shortLength && *shortLength < result.transferred) result.transferred = *shortLength;
  return result;
}

UsbTransferResult SimulatedRadio::download(uint16_t block, std::span<const uint8_t> data) {
  if (state_ != kDfuIdle && state_ != kDfuDnloadIdle && state_ != kDfuUploadIdle) return stall();
  if (rebootPending_) return stall();
  if (data.empty()) {
    // End of the transfer: the radio manifests and then restarts.
    state_ = kDfuManifestSync;
    return {true, 0, 0};
  }
  bool ok;
  if (block == 0) {
    ok = executeBlock0(data);
  } else if (block == 1) {
    ok = executeSpi(data);
  } else {
    const uint64_t address = addressPointer_ + uint64_t{block - 2u} * blockSize();
    ok = programming_ && alternate_ == 1 && address <= UINT32_MAX &&
         dataMemory().program(static_cast<uint32_t>(address), data);
  }
  if (!ok) return stall();
  state_ = kDfuDnloadSync;
  return {true, data.size(), 0};
}

bool SimulatedRadio::executeBlock0(std::span<const uint8_t> command) {
  const uint8_t code = command[0];
  if (code == 0x91 && command.size() >= 2) {
    switch (command[1]) {
      case 0x01: programming_ = true; return true;
      case 0x05: rebootPending_ = true; return true;
      case 0x31: return mode_ == Mode::Firmware && programming_;
      default: return false;
    }
  }
  if (code == 0xA2 && command.size() >= 2) {
    if (queryReply(command[1]).empty()) return false;
    lastQuery_ = command[1];
    return true;
  }
  if (command.size() != 5) return false;
  const uint32_t address = readLe32(command, 1);
  if (code == 0x21) {
    addressPointer_ = address;
    return true;
  }
  if (code == 0x41) {
    if (!programming_) return false;
    if (mode_ == Mode::Normal) {
      return address % NorMemory::kPageSize == 0 && codeplug_.erase(address, NorMemory::kPageSize);
    }
    const auto sector = std::find_if(kInternalSectors.begin(), kInternalSectors.end(),
                                     [address](const Sector& s) { return s.start == address; });
    return sector != kInternalSectors.end() && internalFlash_.erase(sector->start, sector->size);
  }
  return false;
}

bool SimulatedRadio::executeSpi(std::span<const uint8_t> command) {
  // The SPI flash hangs off the radio's own firmware; the bootloader has no such commands.
  if (mode_ != Mode::Normal) return false;
  const uint8_t code = command[0];
  if (code == 0x05 && command.size() == 1) {
    spiPending_ = SpiPending::Identify;
    return true;
  }
  if (command.size() < 5) return false;
  const uint32_t address = readLe32(command, 1);
  switch (code) {
    case 0x01:
      if (command.size() != 5) return false;
      spiPending_ = SpiPending::Read;
      spiAddress_ = address;
      return true;
    case 0x03:
      return command.size() == 5 && programming_ && spiFlash_.contains(address, 1) &&
             spiFlash_.erase(address - address % kSpiSectorSize, kSpiSectorSize);
    case 0x04: {
      if (command.size() < 9 || !programming_) return false;
      const uint32_t length = readLe32(command, 5);
      if (length != command.size() - 9) return false;
      return spiFlash_.program(address, command.subspan(9));
    }
    default: return false;
  }
}

UsbTransferResult SimulatedRadio::upload(uint16_t block, std::span<uint8_t> data) {
  if (state_ != kDfuIdle && state_ != kDfuDnloadIdle && state_ != kDfuUploadIdle) return stall();
  if (rebootPending_) return stall();
  size_t length = data.size();
  if (block == 0) {
    std::vector<uint8_t> reply =
        lastQuery_ < 0 ? std::vector<uint8_t>{0x00, 0x21, 0x41} : queryReply(lastQuery_);
    lastQuery_ = -1;
    length = std::min(length, reply.size());
    std::copy_n(reply.begin(), length, data.begin());
  } else if (block == 1) {
    if (spiPending_ == SpiPending::Identify) {
      const std::array<uint8_t, 4> id{static_cast<uint8_t>(jedecId_ >> 16),
                                      static_cast<uint8_t>(jedecId_ >> 8), static_cast<uint8_t>(jedecId_), 0};
      length = std::min(length, id.size());
      std::copy_n(id.begin(), length, data.begin());
    } else if (spiPending_ == SpiPending::Read) {
      spiFlash_.read(spiAddress_, data);
    } else {
      return stall();
    }
    spiPending_ = SpiPending::None;
  } else {
    if (readProtected_ || alternate_ != 1) return stall();
    const uint64_t address = addressPointer_ + uint64_t{block - 2u} * blockSize();
    if (address > UINT32_MAX) return stall();
    dataMemory().read(static_cast<uint32_t>(address), data);
  }
  state_ = kDfuUploadIdle;
  return {true, length, 0};
}

UsbTransferResult SimulatedRadio::getStatus(std::span<uint8_t> data) {
  uint32_t pollMs = 0;
  if (state_ == kDfuDnloadSync) {
    state_ = kDfuDnbusy;
    stalledBusy_ = stallNextCommand_;
    stallNextCommand_ = false;
    pollMs = 10;
  } else if (state_ == kDfuDnbusy) {
    if (!stalledBusy_) state_ = kDfuDnloadIdle;
    pollMs = 10;
  } else if (state_ == kDfuManifestSync) {
    state_ = kDfuManifest;
    rebootPending_ = true;
  }
  std::array<uint8_t, 6> reply{status_,
                               static_cast<uint8_t>(pollMs),
                               static_cast<uint8_t>(pollMs >> 8),
                               static_cast<uint8_t>(pollMs >> 16),
                               reportedState_.value_or(state_),
                               0};
  const size_t n = std::min(reply.size(), data.size());
  std::copy_n(reply.begin(), n, data.begin());
  return {true, n, 0};
}

void SimulatedRadio::setAttached(bool attached) {
  std::lock_guard lock(mutex_);
  if (attached_ && !attached) ++generation_;
  if (!attached_ && attached) {
    openHandles_ = 0;
    state_ = kDfuIdle;
  }
  attached_ = attached;
}

void SimulatedRadio::setPath(std::string path) {
  std::lock_guard lock(mutex_);
  path_ = std::move(path);
}

void SimulatedRadio::setLocation(std::string location) {
  std::lock_guard lock(mutex_);
  location_ = std::move(location);
}

void SimulatedRadio::setMode(Mode mode) {
  std::lock_guard lock(mutex_);
  mode_ = mode;
}

void SimulatedRadio::setTransferSize(uint16_t size) {
  std::lock_guard lock(mutex_);
  transferSize_ = size;
}

void SimulatedRadio::setDfuVersion(uint16_t version) {
  std::lock_guard lock(mutex_);
  dfuVersion_ = version;
}

void SimulatedRadio::setDeviceVersion(uint16_t bcdDevice) {
  std::lock_guard lock(mutex_);
  deviceVersion_ = bcdDevice;
}

void SimulatedRadio::setReadProtected(bool on) {
  std::lock_guard lock(mutex_);
  readProtected_ = on;
}

void SimulatedRadio::setJedecId(uint32_t id) {
  std::lock_guard lock(mutex_);
  jedecId_ = id;
}

void SimulatedRadio::setFlashSize(size_t bytes) {
  std::lock_guard lock(mutex_);
  spiFlash_ = NorMemory(0, bytes);
}

void SimulatedRadio::setRawStringDescriptor(int index, std::vector<uint8_t> raw) {
  std::lock_guard lock(mutex_);
  rawStrings_[index] = std::move(raw);
}

void SimulatedRadio::setStringText(int index, const std::u16string& text) {
  setRawStringDescriptor(index, stringBytes(text));
}

void SimulatedRadio::setCodeplug(std::span<const uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  codeplug_.load(0, bytes.first(std::min(bytes.size(), kCodeplugSize)));
}

void SimulatedRadio::setFlashBytes(uint32_t address, std::span<const uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  spiFlash_.load(address, bytes);
}

void SimulatedRadio::setRequestDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  requestDelay_ = delay;
}

void SimulatedRadio::failRequest(RequestMatch match) {
  std::lock_guard lock(mutex_);
  faults_.push_back({FaultKind::Fail, match});
}

void SimulatedRadio::shortReply(RequestMatch match, size_t bytes) {
  std::lock_guard lock(mutex_);
  faults_.push_back({FaultKind::Short, match, bytes});
}

void SimulatedRadio::stallBusy(RequestMatch match) {
  std::lock_guard lock(mutex_);
  faults_.push_back({FaultKind::StallBusy, match});
}

void SimulatedRadio::reportState(RequestMatch match, uint8_t state) {
  std::lock_guard lock(mutex_);
  faults_.push_back({FaultKind::ReportState, match, state});
}

void SimulatedRadio::vanishAt(RequestMatch match) {
  std::lock_guard lock(mutex_);
  faults_.push_back({FaultKind::Vanish, match});
}

void SimulatedRadio::failSelect(int occurrence) {
  std::lock_guard lock(mutex_);
  failSelectAt_ = selectsSeen_ + occurrence;
}

void SimulatedRadio::pauseAt(RequestMatch match) {
  std::lock_guard lock(mutex_);
  pauseReached_ = false;
  faults_.push_back({FaultKind::Pause, match});
}

bool SimulatedRadio::waitUntilPaused(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return pauseChanged_.wait_for(lock, timeout, [this] { return pauseReached_; });
}

void SimulatedRadio::resume() {
  std::lock_guard lock(mutex_);
  paused_ = false;
  pauseChanged_.notify_all();
}

void SimulatedRadio::clearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
  failSelectAt_ = 0;
  reportedState_.reset();
  stalledBusy_ = false;
  stallNextCommand_ = false;
  paused_ = false;
  pauseChanged_.notify_all();
}

std::string SimulatedRadio::path() const {
  std::lock_guard lock(mutex_);
  return path_;
}

std::vector<uint8_t> SimulatedRadio::codeplug() const {
  std::lock_guard lock(mutex_);
  std::vector<uint8_t> bytes(kCodeplugSize);
  codeplug_.read(0, bytes);
  return bytes;
}

std::vector<uint8_t> SimulatedRadio::flashBytes(uint32_t address, size_t length) const {
  std::lock_guard lock(mutex_);
  std::vector<uint8_t> bytes(length);
  spiFlash_.read(address, bytes);
  return bytes;
}

std::vector<uint8_t> SimulatedRadio::internalFlash(uint32_t address, size_t length) const {
  std::lock_guard lock(mutex_);
  std::vector<uint8_t> bytes(length);
  internalFlash_.read(address, bytes);
  return bytes;
}

std::vector<SimulatedRadio::Request> SimulatedRadio::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void SimulatedRadio::clearRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

int SimulatedRadio::reboots() const {
  std::lock_guard lock(mutex_);
  return reboots_;
}

int SimulatedRadio::openHandles() const {
  std::lock_guard lock(mutex_);
  return openHandles_;
}

uint8_t SimulatedRadio::state() const {
  std::lock_guard lock(mutex_);
  return state_;
}

bool SimulatedRadio::inProgrammingMode() const {
  std::lock_guard lock(mutex_);
  return programming_;
}

}  // namespace tamberlin
