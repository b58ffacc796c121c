#include "radio/dfu.h"

#include <gtest/gtest.h>

#include "radio/simulated_radio.h"
#include "support/clock.h"

namespace tamberlin {
namespace {

struct DfuFixture : ::testing::Test {
  SimulatedRadio radio;
  FakeClock clock{std::chrono::milliseconds(10)};
  CHighResolutionTick tick{clock};
  TSTDFU dfu{radio, tick};
};

TEST_F(DfuFixture, EveryRequestNeedsADevice) {
  DfuStatus status;
  uint8_t state = 0;
  std::array<uint8_t, 4> buffer{};
  EXPECT_EQ(dfu.GetStatus(status), kUsbNotOpen);
  EXPECT_EQ(dfu.ClearStatus(), kUsbNotOpen);
  EXPECT_EQ(dfu.GetState(state), kUsbNotOpen);
  EXPECT_EQ(dfu.Abort(), kUsbNotOpen);
  EXPECT_EQ(dfu.Download(buffer, 0), kUsbNotOpen);
  EXPECT_EQ(dfu.Upload(buffer, 0), kUsbNotOpen);
  EXPECT_FALSE(dfu.DownloadAndWait(buffer, 0));
  EXPECT_EQ(dfu.Open(""), kUsbBadParameter);
  EXPECT_EQ(dfu.Open("usb#vid_0483&pid_df11#elsewhere"), kUsbOpenFailed);
  EXPECT_FALSE(dfu.isOpen());
}

TEST_F(DfuFixture, ReadsTheFunctionalDescriptor) {
  radio.setTransferSize(2048);
  radio.setDfuVersion(0x011A);
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  int interfaceNumber = -1;
  int alternates = 0;
  DfuFunctionalDescriptor functional;
  ASSERT_EQ(dfu.DfuDescriptor(interfaceNumber, alternates, functional), kUsbOk);
  EXPECT_EQ(interfaceNumber, 0);
  EXPECT_EQ(alternates, 2);
  EXPECT_EQ(functional.transferSize(), 2048);
  EXPECT_EQ(functional.dfuVersion(), 0x011A);
}

TEST_F(DfuFixture, AManifestationStateLeavesNoDevice) {
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  radio.reportState({.bRequest = kDfuGetStatus}, kDfuManifestWaitReset);
  DfuStatus status;
  EXPECT_EQ(dfu.GetStatus(status), kUsbOk);
  EXPECT_EQ(status.state(), kDfuManifestWaitReset);
  EXPECT_FALSE(dfu.isOpen());
  EXPECT_EQ(dfu.ClearStatus(), kUsbNotOpen);
  EXPECT_FALSE(dfu.WaitForIdle(500));
}

TEST_F(DfuFixture, WaitForIdleEndsAtTheTimeOutOfAStalledRadio) {
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  radio.stallBusy({.bRequest = kDfuDnload});
  const std::array<uint8_t, 2> command{0x91, 0x01};
  const auto before = clock.elapsed();
  EXPECT_FALSE(dfu.DownloadAndWait(command, 0));
  const double waited = std::chrono::duration<double>(clock.elapsed() - before).count();
  EXPECT_GE(waited, 500.0);
  EXPECT_LT(waited, 501.0);
  EXPECT_EQ(radio.state(), kDfuDnbusy);
}

TEST_F(DfuFixture, WaitForIdleClearsAnErrorAndWaitsForTheCommand) {
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  const std::array<uint8_t, 2> command{0x91, 0x01};
  EXPECT_TRUE(dfu.DownloadAndWait(command, 0));
  EXPECT_TRUE(radio.inProgrammingMode());
  EXPECT_EQ(radio.state(), kDfuDnloadIdle);

  radio.failRequest({.bRequest = kDfuDnload});
  EXPECT_FALSE(dfu.DownloadAndWait(command, 0));
  EXPECT_EQ(radio.state(), kDfuError);
  EXPECT_TRUE(dfu.WaitForIdle(1));
  EXPECT_EQ(radio.state(), kDfuIdle);
}

TEST_F(DfuFixture, AFailedSelectionEndsTheWaitAtOnce) {
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  EXPECT_TRUE(dfu.SelectAndWait(0, 0, 1));
  radio.failSelect(1);
  const auto before = clock.elapsed();
  EXPECT_FALSE(dfu.SelectAndWait(0, 0, 0));
  EXPECT_LT(clock.elapsed() - before, std::chrono::seconds(1));
  EXPECT_EQ(dfu.ClearStatus(), kUsbNotOpen);
}

TEST_F(DfuFixture, AVanishedRadioFailsEveryRequest) {
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  radio.vanishAt({.bRequest = kDfuGetStatus});
  EXPECT_FALSE(dfu.WaitForIdle(500));
  DfuStatus status;
  EXPECT_NE(dfu.GetStatus(status), kUsbOk);
  std::vector<UsbDeviceProperties> present;
  radio.enumerate(present);
  EXPECT_TRUE(present.empty());
}

// Data blocks land at pointer + (block − 2) × block size and can only clear
// bits: a write over old data without an erase leaves the two ANDed.
TEST_F(DfuFixture, DataBlocksFollowTheAddressPointerWithNorSemantics) {
  std::vector<uint8_t> old(SimulatedRadio::kCodeplugSize, 0x0F);
  radio.setCodeplug(old);
  ASSERT_EQ(dfu.Open(radio.path()), kUsbOk);
  ASSERT_TRUE(dfu.SelectAndWait(0, 0, 1));
  const std::array<uint8_t, 2> programming{0x91, 0x01};
  ASSERT_TRUE(dfu.DownloadAndWait(programming, 0));
  const std::array<uint8_t, 5> pointer{0x21, 0x00, 0x04, 0x00, 0x00};  // 0x400
  ASSERT_TRUE(dfu.DownloadAndWait(pointer, 0));

  std::vector<uint8_t> block(1024, 0xF3);
  ASSERT_TRUE(dfu.DownloadAndWait(block, 3));
  auto memory = radio.codeplug();
  EXPECT_EQ(memory[0x800 - 1], 0x0F);
  EXPECT_EQ(memory[0x800], 0x03);
  EXPECT_EQ(memory[0xC00 - 1], 0x03);
  EXPECT_EQ(memory[0xC00], 0x0F);

  const std::array<uint8_t, 5> erase{0x41, 0x00, 0x00, 0x00, 0x00};
  ASSERT_TRUE(dfu.DownloadAndWait(erase, 0));
  ASSERT_TRUE(dfu.DownloadAndWait(block, 3));
  std::vector<uint8_t> back(1024);
  ASSERT_TRUE(dfu.UploadAndWait(back, 3));
  EXPECT_EQ(back, block);
  EXPECT_EQ(radio.codeplug()[0], 0xFF);
}

}  // namespace
}  // namespace tamberlin
