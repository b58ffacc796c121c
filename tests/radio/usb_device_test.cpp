#include "radio/usb_device.h"

#include <gtest/gtest.h>

#include "radio/dfu.h"
#include "radio/libusb_driver.h"
#include "radio/simulated_radio.h"
#include "support/clock.h"

namespace tamberlin {
namespace {

TEST(ParseVidPid, ReadsTheTagsInAnyCase) {
  struct Case {
    const char* path;
    int vendor;
    int product;
  };
  const Case cases[] = {
      {R"(\\?\usb#vid_0483&pid_df11#5&1234&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed})", 0x0483, 0xDF11},
      {R"(\\?\USB#VID_0483&PID_DF11#5&1234&0&2#{A5DCBF10-6530-11D2-901F-00C04FB951ED})", 0x0483, 0xDF11},
      {R"(\\?\usb#vid_0483&rev_0200#5&1234&0&2)", 0x0483, -1},
      {R"(\\?\usb#pid_df11#x)", -1, 0xDF11},
      {R"(\\?\usb#vid_zz83&pid_df11#x)", -1, 0xDF11},
      {"usb#vid_0483&pid_df11#1-2.4#libusb", 0x0483, 0xDF11},
  };
  for (const Case& c : cases) {
    int vendor = 0;
    int product = 0;
    EXPECT_TRUE(ParseVidPid(c.path, vendor, product)) << c.path;
    EXPECT_EQ(vendor, c.vendor) << c.path;
    EXPECT_EQ(product, c.product) << c.path;
  }
  int vendor = 0;
  int product = 0;
  EXPECT_FALSE(ParseVidPid("", vendor, product));
  EXPECT_EQ(vendor, -1);
  EXPECT_EQ(product, -1);
}

// An enumeration service with a fixed list, remembering what it was asked to open.
class ListDriver final : public UsbDriver {
 public:
  bool enumerate(std::vector<UsbDeviceProperties>& devices) override {
    if (!available) return false;
    devices.insert(devices.end(), present.begin(), present.end());
    return true;
  }
  std::unique_ptr<UsbHandle> open(const std::string& path) override {
    opened.push_back(path);
    return nullptr;
  }
  bool available = true;
  std::vector<UsbDeviceProperties> present;
  std::vector<std::string> opened;
};

TEST(EnumerateRadios, KeepsOnlyTheRadiosWithTheirPositions) {
  ListDriver driver;
  const auto device = [](std::string path, std::string description, std::string location = {}) {
    UsbDeviceProperties p;
    p.path = std::move(path);
    p.description = std::move(description);
    p.location = std::move(location);
    return p;
  };
  driver.present = {
      device(R"(\\?\usb#vid_046d&pid_c52b#6&1)", "mouse"),
      device(R"(\\?\usb#vid_0483&pid_df11#5&1234&0&2#{x})", "radio a", " Port_#0002.Hub_#0001 "),
      device(R"(\\?\usb#vid_0483#5&1)", "no product tag"),
      device(R"(\\?\USB#VID_0483&PID_DF11#7&9#{x})", "radio b")};
  std::vector<t_usb_device> radios{{}};
  ASSERT_TRUE(EnumerateRadios(driver, radios));
  ASSERT_EQ(radios.size(), 2u);
  EXPECT_EQ(radios[0].index, 1);
  EXPECT_EQ(radios[0].description, "radio a");
  EXPECT_EQ(radios[1].index, 3);
  EXPECT_EQ(displayText(radios[0]), R"(Port_#0002.Hub_#0001 \\?\usb#vid_0483&pid_df11#5&1234&0&2#{x} )");

  driver.available = false;
  EXPECT_FALSE(EnumerateRadios(driver, radios));
  EXPECT_TRUE(radios.empty());
}

TEST(CSTDevice, KeepsAtMost511CharactersOfThePath) {
  ListDriver driver;
  const std::string path = "usb#vid_0483&pid_df11#" + std::string(578, 'x');
  ASSERT_EQ(path.size(), 600u);
  CSTDevice device(driver, path);
  EXPECT_EQ(device.path(), path.substr(0, 511));
  EXPECT_EQ(device.open(), kUsbOpenFailed);
  ASSERT_EQ(driver.opened.size(), 1u);
  EXPECT_EQ(driver.opened[0].size(), 511u);
}

TEST(CSTDevice, ReadsTheSimulatedRadiosDescriptors) {
  SimulatedRadio radio;
  CSTDevice device(radio, radio.path());
  std::array<uint8_t, 18> descriptor{};
  EXPECT_EQ(device.deviceDescriptor(descriptor), kUsbNotOpen);
  ASSERT_EQ(device.open(), kUsbOk);
  ASSERT_EQ(device.deviceDescriptor(descriptor), kUsbOk);
  EXPECT_EQ(descriptor[8] | descriptor[9] << 8, 0x0483);

  int interfaces = 0;
  int alternates = 0;
  ASSERT_EQ(device.interfaceCount(0, interfaces), kUsbOk);
  ASSERT_EQ(device.alternateCount(0, 0, alternates), kUsbOk);
  EXPECT_EQ(interfaces, 1);
  EXPECT_EQ(alternates, 2);

  // The functional descriptor follows the last alternate; after the first one
  // the next interface descriptor comes before any of that type.
  std::array<uint8_t, 9> functional{};
  EXPECT_EQ(device.classDescriptor(0, 0, 1, kDfuFunctionalType, 0, functional), kUsbOk);
  EXPECT_EQ(functional[1], kDfuFunctionalType);
  EXPECT_EQ(device.classDescriptor(0, 0, 0, kDfuFunctionalType, 0, functional), kUsbDescriptorAbsent);
  std::array<uint8_t, 4> small{};
  EXPECT_EQ(device.classDescriptor(0, 0, 1, kDfuFunctionalType, 0, small), kUsbBufferTooSmall);
  // A second one is not there: success, and the buffer is left alone.
  functional.fill(0xAA);
  EXPECT_EQ(device.classDescriptor(0, 0, 1, kDfuFunctionalType, 1, functional), kUsbOk);
  EXPECT_EQ(functional[0], 0xAA);

  std::string text;
  EXPECT_EQ(device.stringDescriptor(4, text), kUsbOk);
  EXPECT_EQ(text, "DFU Config");
  EXPECT_EQ(device.stringDescriptor(0, text), kUsbBadParameter);
}

TEST(CSTDevice, RefusesAReplyThatIsNotAStringDescriptor) {
  SimulatedRadio radio;
  radio.setRawStringDescriptor(4, {6, 4, 'a', 0, 'b', 0});
  radio.setRawStringDescriptor(5, {2, 3});
  CSTDevice device(radio, radio.path());
  ASSERT_EQ(device.open(), kUsbOk);
  std::string text;
  EXPECT_EQ(device.stringDescriptor(4, text), kUsbStringFailed);
  EXPECT_EQ(device.stringDescriptor(5, text), kUsbStringFailed);
  EXPECT_EQ(device.stringDescriptor(6, text), kUsbStringFailed);  // not there at all
}

TEST(CSTDevice, AShortReplyToADeviceToHostRequestFails) {
  SimulatedRadio radio;
  radio.shortReply({.bRequest = kDfuUpload}, 31);
  CSTDevice device(radio, radio.path());
  ASSERT_EQ(device.open(), kUsbOk);
  int driverError = 0;
  // Query 1 is answered with 32 bytes.
  const auto upload32 = [&] {
    std::array<uint8_t, 2> query{0xA2, 0x01};
    std::array<uint8_t, 6> status{};
    EXPECT_EQ(device.classRequest({UsbDirection::HostToDevice, kDfuDnload, 0, 0}, query, driverError),
              kUsbOk);
    EXPECT_EQ(device.classRequest({UsbDirection::DeviceToHost, kDfuGetStatus, 0, 0}, status, driverError),
              kUsbOk);
    EXPECT_EQ(device.classRequest({UsbDirection::DeviceToHost, kDfuGetStatus, 0, 0}, status, driverError),
              kUsbOk);
    std::array<uint8_t, 32> reply{};
    return device.classRequest({UsbDirection::DeviceToHost, kDfuUpload, 0, 0}, reply, driverError);
  };
  EXPECT_EQ(upload32(), kUsbRequestFailed);
  EXPECT_EQ(upload32(), kUsbOk);
}

TEST(CSTDevice, AFailedSettingChoiceClosesTheDevice) {
  SimulatedRadio radio;
  CSTDevice device(radio, radio.path());
  ASSERT_EQ(device.open(), kUsbOk);
  EXPECT_EQ(device.selectSetting(0, 0, 1), kUsbOk);
  EXPECT_TRUE(device.isOpen());
  EXPECT_EQ(device.selectSetting(0, 0, 2), kUsbBadParameter);  // no such alternate: nothing changes
  EXPECT_TRUE(device.isOpen());
  radio.failSelect(1);
  EXPECT_NE(device.selectSetting(0, 0, 0), kUsbOk);
  EXPECT_FALSE(device.isOpen());
  std::array<uint8_t, 6> status{};
  int driverError = 0;
  EXPECT_EQ(device.classRequest({UsbDirection::DeviceToHost, kDfuGetStatus, 0, 0}, status, driverError),
            kUsbNotOpen);
  // The radio's handle went with it, so it can be opened again.
  EXPECT_EQ(radio.openHandles(), 0);
}

// The test machine may have no USB at all: the driver must cope quietly.
TEST(LibusbDriver, ListsWhatIsThereAndRefusesPathsItDoesNotKnow) {
  LibusbDriver driver;
  std::vector<t_usb_device> radios;
  const bool listed = EnumerateRadios(driver, radios);
  EXPECT_TRUE(listed || radios.empty());
  EXPECT_EQ(driver.open("usb#vid_0483&pid_df11#99-9.9.9#libusb"), nullptr);
  EXPECT_EQ(driver.open(R"(\\?\usb#vid_0483&pid_df11#simulated&0&1#{x})"), nullptr);
  CHighResolutionTick tick(SteadyClock::instance());
  TSTDFU dfu(driver, tick);
  EXPECT_EQ(dfu.Open("usb#vid_0483&pid_df11#99-9.9.9#libusb"), kUsbOpenFailed);
}

}  // namespace
}  // namespace tamberlin
