#include "radio/program_radio_form.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <random>

#include "codeplug/ccommon.h"
#include "radio/dfu.h"
#include "radio/simulated_radio.h"
#include "support/clock.h"
#include "support/scripted_prompt.h"

namespace tamberlin {
namespace {

constexpr const char* kRadioButtons[] = {"QueryUSBDeviceButton", "RebootButton",
                                         "ReadFirmwareBitBtn",   "ReadCodeplugRadioBitBtn",
                                         "SaveFlashChipBitBtn",  "EraseUserDatabaseBitBtn",
                                         "WriteFirmwareBitBtn",  "WriteCodeplugRadioBitBtn",
                                         "WriteFlashChipBitBtn", "WriteDatabaseRadioBitBtn"};

bool waitUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

std::vector<uint8_t> randomImage(unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> image(SimulatedRadio::kCodeplugSize);
  for (uint8_t& b : image) b = static_cast<uint8_t>(random());
  return image;
}

bool readsData(const SimulatedRadio& radio) {
  const auto requests = radio.requests();
  return std::any_of(requests.begin(), requests.end(), [](const SimulatedRadio::Request& r) {
    // The 5-byte read-protection probe of every connection does not count.
    return r.bRequest == kDfuUpload && r.block >= 2 && r.length > 5;
  });
}

class ProgramRadioFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    radio.setCodeplug(randomImage(7));
    second.setPath(R"(\\?\usb#vid_0483&pid_df11#second&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed})");
    second.setLocation("Port_#0003.Hub_#0001");
    second.setAttached(false);
    form =
        std::make_unique<TProgramRadioForm>(common, prompt, std::vector<UsbDriver*>{&radio, &second}, clock);
    form->setCodeplugChangedHandler([this] { ++codeplugChanges; });
  }
  void TearDown() override {
    radio.resume();
    if (form) {
      EXPECT_TRUE(waitUntil([&] { return !form->isBusy(); }));
    }
    form.reset();
  }

  template <typename T>
  T* child(const char* name) {
    T* widget = form->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QPushButton* button(const char* name) { return child<QPushButton>(name); }
  QComboBox* devices() { return child<QComboBox>("USBDeviceComboBox"); }
  QString log() { return child<QPlainTextEdit>("Memo1")->toPlainText(); }

  void openOnSlot(int slot) {
    form->openForSlot(slot);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    form->refreshDevices();
  }
  void clickAndFinish(const char* name) {
    QTest::mouseClick(button(name), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return !form->isBusy(); }));
  }
  // Gives slot 0 a codeplug with this memory image and marks it saved.
  void fillSlot(const std::vector<uint8_t>& image) {
    std::vector<uint8_t> file = common.blankTemplate(TemplateId::BlankMd390);
    std::copy(image.begin(), image.end(), file.begin() + kMemoryImageOffset);
    ASSERT_EQ(common.place(0, kModelMd390, "/home/op/work/club.rdt", file), 0);
  }

  CCommon common;
  test::ScriptedPrompt prompt;
  SimulatedRadio radio;
  SimulatedRadio second;
  FakeClock clock{std::chrono::milliseconds(1)};
  std::unique_ptr<TProgramRadioForm> form;
  int codeplugChanges = 0;
};

TEST_F(ProgramRadioFormTest, ControlsCarryTheirCaptionsAndHints) {
  struct Control {
    const char* name;
    const char* caption;
    const char* hint;
  };
  const Control controls[] = {
      {"QueryUSBDeviceButton", "?", "Query the selected USB device "},
      {"RebootButton", "Reboot", "Reboots the radio"},
      {"ReadFirmwareBitBtn", "Read Firmware", "Read and save the current radios firmware"},
      {"ReadCodeplugRadioBitBtn", "Read Codeplug", "Read codeplug from the radio"},
      {"SaveFlashChipBitBtn", "Read Flash Chip", "Reads and saves the entire contents of the SPI flash chip"},
      {"EraseUserDatabaseBitBtn", "Erase User Database", "Erase the large user database"},
      {"WriteFirmwareBitBtn", "Write Firmware", "Write new firmware to the radio"},
      {"WriteCodeplugRadioBitBtn", "Write Codeplug", "Write codeplug to the radio"},
      {"WriteFlashChipBitBtn", "Write Flash Chip",
       "WARNING !!     Writes the entire contents of the SPI flash chip from a previously saved file "},
      {"WriteDatabaseRadioBitBtn", "Write User Database", "Write the large database to the radio  "},
      {"ClearButton", "Clear", "Clears the text below"},
      {"CloseBitBtn", "Close", "Close this window"},
  };
  for (const Control& c : controls) {
    QPushButton* b = button(c.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), c.caption) << c.name;
    EXPECT_EQ(b->toolTip(), c.hint) << c.name;
  }
  EXPECT_EQ(devices()->toolTip(), "Select the radio to read/write ");
  EXPECT_EQ(child<QProgressBar>("ProgressBar1")->maximum(), 200);
  EXPECT_TRUE(child<QPlainTextEdit>("Memo1")->isReadOnly());
  EXPECT_EQ(child<QLabel>("CodeplugLabel")->text(), " No Codeplug loaded ");
}

TEST_F(ProgramRadioFormTest, WithoutARadioEverythingIsDisabled) {
  radio.setAttached(false);
  openOnSlot(0);
  EXPECT_EQ(child<QLabel>("CodeplugLabel")->text(), " Codeplug 1 .. empty ");
  EXPECT_EQ(devices()->count(), 0);
  EXPECT_FALSE(devices()->isEnabled());
  for (const char* name : kRadioButtons) EXPECT_FALSE(button(name)->isEnabled()) << name;
  EXPECT_TRUE(button("ClearButton")->isEnabled());
  EXPECT_TRUE(button("CloseBitBtn")->isEnabled());
}

TEST_F(ProgramRadioFormTest, OneRadioIsCurrentAndItsButtonsAreEnabled) {
  fillSlot(randomImage(1));
  openOnSlot(0);
  EXPECT_EQ(child<QLabel>("CodeplugLabel")->text(), " Codeplug 1 .. club.rdt ");
  ASSERT_EQ(devices()->count(), 1);
  EXPECT_EQ(devices()->currentIndex(), 0);
  EXPECT_EQ(devices()->currentText().toStdString(), "Simulated USB port " + radio.path() + " ");
  EXPECT_FALSE(devices()->isEnabled());
  for (const char* name :
       {"QueryUSBDeviceButton", "RebootButton", "ReadCodeplugRadioBitBtn", "WriteCodeplugRadioBitBtn"}) {
    EXPECT_TRUE(button(name)->isEnabled()) << name;
  }
  // Firmware and flash operations are not offered yet.
  for (const char* name : {"ReadFirmwareBitBtn", "SaveFlashChipBitBtn", "EraseUserDatabaseBitBtn",
                           "WriteFirmwareBitBtn", "WriteFlashChipBitBtn", "WriteDatabaseRadioBitBtn"}) {
    EXPECT_FALSE(button(name)->isEnabled()) << name;
  }
}

TEST_F(ProgramRadioFormTest, TheCurrentRadioStaysCurrentAcrossRefreshes) {
  second.setAttached(true);
  openOnSlot(0);
  ASSERT_EQ(devices()->count(), 2);
  EXPECT_TRUE(devices()->isEnabled());
  devices()->setCurrentIndex(1);
  form->refreshDevices();
  EXPECT_EQ(devices()->currentIndex(), 1);

  // Unplugged and plugged in again at the same place: still the current one.
  second.setAttached(false);
  second.setAttached(true);
  form->refreshDevices();
  EXPECT_EQ(devices()->currentIndex(), 1);

  second.setAttached(false);
  form->refreshDevices();
  EXPECT_EQ(devices()->count(), 1);
  second.setAttached(true);
  form->refreshDevices();
  EXPECT_EQ(devices()->currentIndex(), 0) << "it came back after the first one was made current";

  devices()->setCurrentIndex(1);
  second.setLocation("Port_#0004.Hub_#0002");
  form->refreshDevices();
  EXPECT_EQ(devices()->currentIndex(), 0) << "a radio at another place is not the one chosen";
}

TEST_F(ProgramRadioFormTest, ARefreshLeavesAnOpenDropDownAlone) {
  openOnSlot(0);
  ASSERT_EQ(devices()->count(), 1);
  devices()->showPopup();
  ASSERT_TRUE(waitUntil([&] { return devices()->view()->isVisible(); }));
  second.setAttached(true);
  form->refreshDevices();
  EXPECT_EQ(devices()->count(), 1);
  devices()->hidePopup();
  ASSERT_TRUE(waitUntil([&] { return !devices()->view()->isVisible(); }));
  form->refreshDevices();
  EXPECT_EQ(devices()->count(), 2);
}

TEST_F(ProgramRadioFormTest, TheListRefreshesByItselfOnlyWhileShown) {
  form->refreshDevices();
  EXPECT_EQ(devices()->count(), 0) << "hidden";
  openOnSlot(0);
  ASSERT_EQ(devices()->count(), 1);
  second.setAttached(true);
  EXPECT_TRUE(waitUntil([&] { return devices()->count() == 2; }, 3000));
}

TEST_F(ProgramRadioFormTest, ReadingOverUnsavedWorkAsksFirst) {
  ASSERT_EQ(common.newCodeplug(0, kModelMd390, prompt), 0);
  ASSERT_TRUE(common.isDirty(0));
  const std::vector<uint8_t> before = common.slot(0)->buffer;
  openOnSlot(0);
  radio.clearRequests();

  prompt.answerNext(PromptAnswer::No);
  QTest::mouseClick(button("ReadCodeplugRadioBitBtn"), Qt::LeftButton);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Unsaved code plug. \n\nDiscard it ? ");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompt.shown[0].defaultAnswer, PromptAnswer::No);
  EXPECT_EQ(prompt.beeps, (std::vector<std::pair<int, int>>{{800, 500}}));
  EXPECT_FALSE(form->isBusy());
  EXPECT_TRUE(radio.requests().empty());
  EXPECT_EQ(common.slot(0)->buffer, before);

  prompt.answerNext(PromptAnswer::Yes);
  clickAndFinish("ReadCodeplugRadioBitBtn");
  const c_codeplug* slot = common.slot(0);
  EXPECT_EQ(slot->modelCode, kModelMd390);
  EXPECT_EQ(slot->fileName, "");
  ASSERT_EQ(slot->buffer.size(), 262709u);
  EXPECT_TRUE(std::equal(slot->buffer.begin() + kMemoryImageOffset, slot->buffer.end() - kTrailerSize,
                         radio.codeplug().begin()));
  EXPECT_EQ(codeplugChanges, 1);
  EXPECT_EQ(prompt.shown.size(), 2u) << "a successful read shows no message";
  EXPECT_TRUE(log().contains("read codeplug \n done \nrebooting the radio .. \n done "));
  EXPECT_EQ(radio.reboots(), 1);
}

TEST_F(ProgramRadioFormTest, WriteCodeplugSendsTheSlotAndAnEmptySlotNothing) {
  openOnSlot(1);
  radio.clearRequests();
  EXPECT_FALSE(button("WriteCodeplugRadioBitBtn")->isEnabled());
  QTest::mouseClick(button("WriteCodeplugRadioBitBtn"), Qt::LeftButton);
  EXPECT_FALSE(form->isBusy());
  EXPECT_TRUE(radio.requests().empty());

  const std::vector<uint8_t> image = randomImage(2);
  fillSlot(image);
  openOnSlot(0);
  ASSERT_TRUE(button("WriteCodeplugRadioBitBtn")->isEnabled());
  clickAndFinish("WriteCodeplugRadioBitBtn");
  EXPECT_EQ(radio.codeplug(), image);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(log().contains("write codeplug .. \n done \nrebooting the radio .. "));
}

TEST_F(ProgramRadioFormTest, ARadioInFirmwareModeIsRefused) {
  fillSlot(randomImage(3));
  radio.setMode(SimulatedRadio::Mode::Firmware);
  openOnSlot(0);
  radio.clearRequests();
  clickAndFinish("ReadCodeplugRadioBitBtn");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text,
            "You need to have the radio in normal user mode. \r\n\nPlease switch it off and on again.");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Error);
  EXPECT_EQ(prompt.beeps, (std::vector<std::pair<int, int>>{{440, 100}}));
  EXPECT_FALSE(readsData(radio));
  EXPECT_EQ(common.slot(0)->fileName, "/home/op/work/club.rdt");
}

TEST_F(ProgramRadioFormTest, FailuresAreReportedAndTheSlotKept) {
  fillSlot(randomImage(4));
  const std::vector<uint8_t> before = common.slot(0)->buffer;
  openOnSlot(0);
  radio.failRequest({.bRequest = kDfuUpload, .block = 30});
  clickAndFinish("ReadCodeplugRadioBitBtn");
  radio.failRequest({.bRequest = kDfuDnload, .block = 30});
  clickAndFinish("WriteCodeplugRadioBitBtn");
  ASSERT_EQ(prompt.texts(),
            (std::vector<std::string>{"Failed to read the codeplug.", "Could not write the codeplug "}));
  EXPECT_EQ(common.slot(0)->buffer, before);
  EXPECT_EQ(codeplugChanges, 0);
  EXPECT_TRUE(log().contains(" error: reading block "));
  EXPECT_TRUE(log().contains(" error: writing block "));
  EXPECT_EQ(radio.reboots(), 2) << "the radio is restarted after a failure too";
}

// The transfer runs while the window goes on: it paints the log and the
// progress, refuses to close and ignores the buttons until the radio is done.
TEST_F(ProgramRadioFormTest, TheWindowStaysAliveAndRefusesToCloseDuringATransfer) {
  fillSlot(randomImage(5));
  openOnSlot(0);
  radio.pauseAt({.bRequest = kDfuUpload, .block = 130});
  QTest::mouseClick(button("ReadCodeplugRadioBitBtn"), Qt::LeftButton);
  ASSERT_TRUE(radio.waitUntilPaused(std::chrono::seconds(20)));

  bool timerFired = false;
  QTimer::singleShot(0, [&] { timerFired = true; });
  EXPECT_TRUE(waitUntil([&] { return timerFired && log().contains("read codeplug "); }));
  EXPECT_TRUE(waitUntil([&] { return child<QProgressBar>("ProgressBar1")->value() > 90; }));
  EXPECT_TRUE(form->isBusy());
  for (const char* name : kRadioButtons) EXPECT_FALSE(button(name)->isEnabled()) << name;
  EXPECT_TRUE(button("CloseBitBtn")->isEnabled());

  QTest::mouseClick(button("CloseBitBtn"), Qt::LeftButton);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(prompt.shown.size(), 2u);
  for (const auto& shown : prompt.shown) {
    EXPECT_EQ(shown.text, "Currently busy reading/writing with the radio. ");
    EXPECT_EQ(shown.icon, PromptIcon::Information);
  }
  EXPECT_EQ(prompt.beeps, (std::vector<std::pair<int, int>>{{800, 500}, {800, 500}}));
  QTest::mouseClick(button("ReadCodeplugRadioBitBtn"), Qt::LeftButton);  // disabled: nothing happens
  // The device list holds still under a running operation.
  second.setAttached(true);
  form->refreshDevices();
  EXPECT_EQ(devices()->count(), 1);

  radio.resume();
  ASSERT_TRUE(waitUntil([&] { return !form->isBusy(); }));
  EXPECT_EQ(codeplugChanges, 1);
  EXPECT_EQ(radio.reboots(), 1);
  EXPECT_TRUE(button("ReadCodeplugRadioBitBtn")->isEnabled());

  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->slotIndex(), -1);
}

TEST_F(ProgramRadioFormTest, QueryLogsTheIdentificationAndClearEmptiesTheLog) {
  openOnSlot(0);
  clickAndFinish("QueryUSBDeviceButton");
  EXPECT_TRUE(log().contains("desc 4: DFU Config"));
  EXPECT_TRUE(log().contains("SPI flash chip: 16777216 bytes, W25Q128FV"));
  EXPECT_EQ(radio.openHandles(), 0) << "the query leaves the radio closed";
  EXPECT_EQ(radio.reboots(), 0);
  QTest::mouseClick(button("ClearButton"), Qt::LeftButton);
  EXPECT_TRUE(log().isEmpty());

  // A radio that fails half-way through the identification does not leave the window busy.
  radio.failSelect(1);
  clickAndFinish("QueryUSBDeviceButton");
  EXPECT_TRUE(log().contains(" error: select current config "));
  EXPECT_FALSE(form->isBusy());
  EXPECT_TRUE(button("ReadCodeplugRadioBitBtn")->isEnabled());
}

TEST_F(ProgramRadioFormTest, RebootRestartsTheChosenRadio) {
  openOnSlot(0);
  clickAndFinish("RebootButton");
  EXPECT_TRUE(log().contains("rebooting the radio ..\n done "));
  EXPECT_EQ(radio.reboots(), 1);
}

}  // namespace
}  // namespace tamberlin
