#include "radio/radio_link.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "radio/spi_flash_chip.h"
#include "support/ascii_text.h"
#include "support/endian.h"

namespace tamberlin {

namespace {

constexpr size_t kCodeplugFileSize = 262709;
constexpr size_t kMemoryImageOffset = 0x225;
constexpr size_t kCodeplugFileOverhead = 565;  // header and radio info before the image, trailer after it
constexpr int kFirstDataBlock = 2;
constexpr int kCodeplugBlocks = 256;

struct Query {
  uint8_t number;
  size_t replyLength;
};
constexpr std::array<Query, 5> kQueries{{{1, 32}, {2, 4}, {3, 24}, {4, 8}, {7, 16}}};

template <typename... Args>
std::string formatted(const char* format, Args... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::array<uint8_t, 5> addressCommand(uint8_t command, uint32_t address) {
  std::array<uint8_t, 5> bytes{command};
  writeLe32(bytes, 1, address);
  return bytes;
}

}  // namespace

RadioLink::RadioLink(UsbDriver& driver, Clock& clock, RadioLinkObserver& observer)
    : observer_(observer), waitTick_(clock), dfu_(driver, waitTick_) {}

void RadioLink::SetProgress(int value) {
  value = std::clamp(value, 0, kProgressMaximum);
  if (value == lastProgress_) return;
  lastProgress_ = value;
  observer_.setProgress(value);
}

void RadioLink::SetProgressFraction(int64_t value, int64_t total) {
  if (total < 1) return;
  value = std::clamp<int64_t>(value, 0, total);
  SetProgress(static_cast<int>(kProgressMaximum * value / total));
}

bool RadioLink::OpenConnection(const std::string& path) {
  if (IsOpen()) return false;
  devicePath_ = path;
  log("");
  log("Opening " + path + " ");
  if (dfu_.Open(path) != kUsbOk) {
    log(" open failed ");
    return false;
  }
  flashSize_ = 0;
  flashChipName_.clear();
  functional_ = {};
  if (dfu_.DfuDescriptor(dfuInterface_, alternateCount_, functional_) != kUsbOk) {
    log(" get dfu descriptor failed ");
    return false;
  }
  blockSize_ = functional_.transferSize();
  if (blockSize_ == 0) {
    log(" invalid block size ");
    blockSize_ = kDefaultBlockSize;
  }
  transferBuffer_.assign(blockSize_, 0);
  log("");
  log(formatted("block size: %d ", static_cast<int>(blockSize_)));

  if (dfu_.DeviceDescriptor(deviceDescriptor_) == kUsbOk) {
    log("");
    const uint16_t version = functional_.dfuVersion();
    if (version >= 0x011A && version < 0x0120) {
      const uint16_t bcdDevice = readLe16(deviceDescriptor_, 12);
      log(formatted("vid: 0x%04X ", readLe16(deviceDescriptor_, 8)));
      log(formatted("pid: 0x%04X ", readLe16(deviceDescriptor_, 10)));
      log(formatted("ver: %d.%02X ", bcdDevice >> 8, bcdDevice & 0xFF));
    } else if (version != 0) {
      log("Bad DFU protocol version. Should be 1.1A ");
    }
  }

  // A protected radio refuses to hand out its memory: the first data block
  // read leaves it in the error state.
  readProtected_ = false;
  if (!dfu_.SelectAndWait(0, 0, 1)) {
    log(" error: select current config ");
    return false;
  }
  const auto pointer = addressCommand(0x21, 0);
  if (dfu_.DownloadAndWait(pointer, 0)) {
    std::array<uint8_t, 5> probe{};
    dfu_.Upload(probe, kFirstDataBlock);
    DfuStatus status;
    dfu_.GetStatus(status);
    if (status.state() == kDfuError) readProtected_ = true;
    dfu_.WaitForIdle(1);
  }
  dfu_.SelectAndWait(0, 0, 0);
  log("");
  log(readProtected_ ? "unit is READ PROTECTED " : "unit is not read protected ");

  if (!dfu_.SelectAndWait(0, 0, 0)) {
    log(" error: select current config ");
    return false;
  }

  log("");
  for (int i = 1; i <= 7; ++i) {
    std::string& text = descriptorTexts_[static_cast<size_t>(i - 1)];
    text.clear();
    std::string value;
    if (dfu_.StringAndWait(i, value, 256)) {
      text = formatted("desc %d: ", i) + value;
      log(text);
    }
  }

  log("");
  if (IsNormalMode()) {
    IdentifyFlash();
    if (flashSize_ >= 1 && !flashChipName_.empty()) {
      log(formatted("SPI flash chip: %d bytes, ", static_cast<int>(flashSize_)) + flashChipName_);
      log("");
    }
  }
  return true;
}

void RadioLink::CloseConnection(bool takeLock) {
  std::unique_lock lock(radioLock_, std::defer_lock);
  if (takeLock) lock.lock();
  dfu_.Abort();
  dfu_.Close();
  transferBuffer_.clear();
}

bool RadioLink::IsNormalMode() const {
  return asciiLowerCased(descriptorTexts_[3]).find("dfu config") != std::string::npos;
}

bool RadioLink::RadioCommand(uint8_t a, uint8_t b) {
  const std::array<uint8_t, 2> command{a, b};
  return dfu_.DownloadAndWait(command, 0);
}

bool RadioLink::SetAddress(uint32_t address) {
  return dfu_.DownloadAndWait(addressCommand(0x21, address), 0);
}

bool RadioLink::EraseBlock(uint32_t address) {
  return dfu_.DownloadAndWait(addressCommand(0x41, address), 0);
}

bool RadioLink::IdentifyFlash() {
  const std::array<uint8_t, 1> command{0x05};
  std::array<uint8_t, 4> reply{};
  if (!dfu_.DownloadAndWait(command, 1) || !dfu_.UploadAndWait(reply, 1)) {
    flashChipName_.clear();
    flashSize_ = 0;
    return false;
  }
  const SpiFlashChip chip = spiFlashChipFor(jedecIdFromReply(reply));
  flashChipName_ = chip.name;
  flashSize_ = chip.size;
  return true;
}

void RadioLink::RebootRadio() {
  SetProgress(0);
  log("rebooting the radio .. ");
  dfu_.SelectAndWait(0, 0, 0);
  RadioCommand(0x91, 0x05);
  CloseConnection(false);
  log(" done ");
}

bool RadioLink::ResetRadio() {
  CloseConnection(false);
  if (devicePath_.empty()) return false;
  SetProgress(0);
  log("rebooting the radio ..");
  if (dfu_.Open(devicePath_) == kUsbOk) {
    DfuStatus status;
    uint8_t state = 0;
    dfu_.GetStatus(status);
    dfu_.GetStatus(status);
    dfu_.GetState(state);
    dfu_.Download({}, 0);
    dfu_.GetStatus(status);
    dfu_.Close();
  }
  log(" done ");
  return true;
}

bool RadioLink::runQueries(const std::array<const char*, 5>& errorLines) {
  for (size_t i = 0; i < kQueries.size(); ++i) {
    RadioCommand(0xA2, kQueries[i].number);
    std::vector<uint8_t> reply(kQueries[i].replyLength);
    if (!dfu_.UploadAndWait(reply, 0)) {
      log(errorLines[i]);
      return false;
    }
  }
  return true;
}

bool RadioLink::ReadCodeplug(std::span<uint8_t> destination) {
  SetProgress(0);
  log("read codeplug ");
  if (!dfu_.SelectAndWait(0, 0, 1)) {
    log(" error: config ");
    return false;
  }
  if (!RadioCommand(0x91, 0x01)) {
    log(" error 1 ");
    return false;
  }
  if (!runQueries({" error 2 ", " error 3 ", " error 4 ", " error 5 ", " error 6 "})) return false;
  if (blockSize_ == 0) {
    log(" error: no block size ");
    return false;
  }
  if (!SetAddress(0)) {
    log(" error: address pointer ");
    return false;
  }
  std::vector<uint8_t> image(kCodeplugImageSize);
  // Blocks arrive through the transfer buffer so that a radio with another
  // block size cannot make the read run past the image.
  transferBuffer_.assign(blockSize_, 0);
  size_t offset = 0;
  for (int block = kFirstDataBlock; block < kFirstDataBlock + kCodeplugBlocks; ++block) {
    if (!dfu_.UploadAndWait(transferBuffer_, static_cast<uint16_t>(block))) {
      log(" error: reading block ");
      return false;
    }
    if (offset < image.size()) {
      std::copy_n(transferBuffer_.begin(), std::min(blockSize_, image.size() - offset),
                  image.begin() + offset);
    }
    offset += blockSize_;
    SetProgressFraction(block + 1, kFirstDataBlock + kCodeplugBlocks);
  }
  if (!destination.empty() && offset == kCodeplugImageSize) {
    std::fill(destination.begin(), destination.end(), 0xFF);
    std::copy_n(image.begin(), std::min(destination.size(), image.size()), destination.begin());
  }
  log(" done ");
  return true;
}

bool RadioLink::WriteCodeplug(std::span<const uint8_t> bytes) {
  SetProgress(0);
  log("write codeplug .. ");
  if (bytes.size() == kCodeplugFileSize && std::memcmp(bytes.data(), "DfuSe", 5) == 0) {
    bytes = bytes.subspan(kMemoryImageOffset, kCodeplugFileSize - kCodeplugFileOverhead);
  }
  if (bytes.size() != kCodeplugImageSize) {
    log(" error: incorrect codeplug size ");
    return false;
  }
  if (!dfu_.SelectAndWait(0, 0, 1)) {
    log(" error: config ");
    return false;
  }
  if (!RadioCommand(0x91, 0x01)) {
    log(" error: entering programming mode ");
    return false;
  }
  if (!runQueries({" error 1 ", " error 2 ", " error 3 ", " error 4 ", " error 5 "})) return false;
  constexpr std::array<const char*, 4> kEraseErrors{" error: block erase 0 ", " error: block erase 1 ",
                                                    " error: block erase 2 ", " error: block erase 3 "};
  for (uint32_t i = 0; i < kEraseErrors.size(); ++i) {
    if (!EraseBlock(i * 0x10000)) {
      log(kEraseErrors[i]);
      return false;
    }
  }
  if (blockSize_ == 0) {
    log(" error: invalid block size ");
    return false;
  }
  if (!SetAddress(0)) {
    log(" error: address pointer ");
    return false;
  }
  transferBuffer_.assign(blockSize_, 0xFF);
  int block = kFirstDataBlock;
  for (size_t offset = 0; offset < bytes.size(); offset += blockSize_, ++block) {
    std::fill(transferBuffer_.begin(), transferBuffer_.end(), 0xFF);
    const size_t chunk = std::min(blockSize_, bytes.size() - offset);
    std::copy_n(bytes.begin() + static_cast<long>(offset), chunk, transferBuffer_.begin());
    // Block numbers are 16 bits: with a tiny block size they would wrap round
    // and overwrite the start of the memory.
    if (block > 0xFFFF || !dfu_.DownloadAndWait(transferBuffer_, static_cast<uint16_t>(block))) {
      log(" error: writing block ");
      return false;
    }
    SetProgressFraction(static_cast<int64_t>(offset + blockSize_), static_cast<int64_t>(bytes.size()));
  }
  log(" done ");
  return true;
}

}  // namespace tamberlin
