#include "radio/program_radio_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <new>

#include "app/app_paths.h"
#include "codeplug/ccommon.h"
#include "codeplug/radio_models.h"
#include "databases/server_settings.h"
#include "radio/libusb_driver.h"
#include "radio/radio_messages.h"
#include "radio/simulated_radio.h"
#include "support/ini_document.h"
#include "support/prompt.h"

namespace tamberlin {

namespace {

constexpr int kRefreshIntervalMs = 500;
constexpr double kSettleSeconds = 5;
constexpr auto kSettleStep = std::chrono::milliseconds(20);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TProgramRadioForm::Drivers TProgramRadioForm::ownDrivers(CCommon& common, bool includeSimulatedRadio) {
  Drivers d;
  d.libusb = std::make_unique<LibusbDriver>();
  d.list.push_back(d.libusb.get());
  if (includeSimulatedRadio) {
    d.simulated = std::make_unique<SimulatedRadio>();
    // A radio that holds a blank codeplug, slow enough to watch it work.
    const auto& blank = common.blankTemplate(TemplateId::BlankMd390);
    d.simulated->setCodeplug(std::span<const uint8_t>(blank).subspan(kMemoryImageOffset, kKib256ImageSize));
    d.simulated->setRequestDelay(std::chrono::milliseconds(2));
    d.list.push_back(d.simulated.get());
  }
  return d;
}

TProgramRadioForm::TProgramRadioForm(CCommon& common, Prompt& prompt, bool includeSimulatedRadio,
                                     QWidget* parent)
    : TProgramRadioForm(common, prompt, ownDrivers(common, includeSimulatedRadio), SteadyClock::instance(),
                        parent) {}

TProgramRadioForm::TProgramRadioForm(CCommon& common, Prompt& prompt, std::vector<UsbDriver*> drivers,
                                     Clock& clock, QWidget* parent)
    : TProgramRadioForm(common, prompt, Drivers{nullptr, nullptr, std::move(drivers)}, clock, parent) {}

TProgramRadioForm::TProgramRadioForm(CCommon& common, Prompt& prompt, Drivers drivers, Clock& clock,
                                     QWidget* parent)
    : QDialog(parent),
      common_(common),
      prompt_(prompt),
      ownedLibusb_(std::move(drivers.libusb)),
      ownedSimulated_(std::move(drivers.simulated)),
      drivers_(std::make_unique<UsbDriverSet>(std::move(drivers.list))),
      clock_(clock),
      link_(*drivers_, clock, *this),
      settleTick_(clock),
      lastFolder_(QString::fromStdString(common.programDirectory())) {
  setObjectName("ProgramRadioForm");
  setWindowTitle(tr("Program Radio"));
  setModal(false);
  link_.setCancelFlag(&closing_);
  buildControls();

  refreshTimer_ = new QTimer(this);
  refreshTimer_->setInterval(kRefreshIntervalMs);
  connect(refreshTimer_, &QTimer::timeout, this, &TProgramRadioForm::refreshDevices);
  refreshTimer_->start();
  updateButtons();
}

TProgramRadioForm::~TProgramRadioForm() {
  closing_ = true;
  refreshTimer_->stop();
  if (worker_.joinable()) worker_.join();
  link_.CloseConnection(true);
}

void TProgramRadioForm::buildControls() {
  codeplugLabel_ = new QLabel(QString::fromUtf8(radio_messages::kNoCodeplug), this);
  codeplugLabel_->setObjectName("CodeplugLabel");
  codeplugLabel_->setFrameShape(QFrame::StyledPanel);

  deviceCombo_ = new QComboBox(this);
  deviceCombo_->setObjectName("USBDeviceComboBox");
  deviceCombo_->setToolTip(tr("Select the radio to read/write "));
  deviceCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  deviceCombo_->setMinimumContentsLength(40);
  queryButton_ = makeButton(this, "QueryUSBDeviceButton", "?", tr("Query the selected USB device "));
  queryButton_->setFixedWidth(queryButton_->fontMetrics().horizontalAdvance("M") * 3);
  rebootButton_ = makeButton(this, "RebootButton", tr("Reboot"), tr("Reboots the radio"));

  readFirmware_ = makeButton(this, "ReadFirmwareBitBtn", tr("Read Firmware"),
                             tr("Read and save the current radios firmware"));
  readCodeplug_ =
      makeButton(this, "ReadCodeplugRadioBitBtn", tr("Read Codeplug"), tr("Read codeplug from the radio"));
  saveFlashChip_ = makeButton(this, "SaveFlashChipBitBtn", tr("Read Flash Chip"),
                              tr("Reads and saves the entire contents of the SPI flash chip"));
  eraseUserDatabase_ = makeButton(this, "EraseUserDatabaseBitBtn", tr("Erase User Database"),
                                  tr("Erase the large user database"));
  writeFirmware_ =
      makeButton(this, "WriteFirmwareBitBtn", tr("Write Firmware"), tr("Write new firmware to the radio"));
  writeCodeplug_ =
      makeButton(this, "WriteCodeplugRadioBitBtn", tr("Write Codeplug"), tr("Write codeplug to the radio"));
  writeFlashChip_ = makeButton(
      this, "WriteFlashChipBitBtn", tr("Write Flash Chip"),
      tr("WARNING !!     Writes the entire contents of the SPI flash chip from a previously saved file "));
  writeDatabase_ = makeButton(this, "WriteDatabaseRadioBitBtn", tr("Write User Database"),
                              tr("Write the large database to the radio  "));
  writeDatabase_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* website = new QAction(tr("Go to database &website"), writeDatabase_);
  connect(website, &QAction::triggered, this, [] {
    // Read when asked, so an edited settings file takes effect without a restart.
    const ServerSettings servers = readServerSettings(readIniFile(appPaths().settingsFile.toStdString()));
    QDesktopServices::openUrl(QUrl(QString::fromStdString(servers.databaseWebSite)));
  });
  auto* separator = new QAction(writeDatabase_);
  separator->setSeparator(true);
  writeDatabase_->addActions({website, separator, new QAction(tr("&Cancel"), writeDatabase_)});

  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, RadioLink::kProgressMaximum);
  progress_->setValue(0);
  progress_->setTextVisible(false);

  clearButton_ = makeButton(this, "ClearButton", tr("Clear"), tr("Clears the text below"));
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName("Memo1");
  memo_->setReadOnly(true);
  memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  closeButton_ = makeButton(this, "CloseBitBtn", tr("Close"), tr("Close this window"));

  auto* deviceRow = new QHBoxLayout;
  deviceRow->addWidget(deviceCombo_, 1);
  deviceRow->addWidget(queryButton_);
  deviceRow->addWidget(rebootButton_);

  auto* buttons = new QGridLayout;
  const QPushButton* grid[2][4] = {{readFirmware_, readCodeplug_, saveFlashChip_, eraseUserDatabase_},
                                   {writeFirmware_, writeCodeplug_, writeFlashChip_, writeDatabase_}};
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 4; ++column) {
      buttons->addWidget(const_cast<QPushButton*>(grid[row][column]), row, column);
    }
  }

  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(progress_, 1);
  progressRow->addWidget(clearButton_);

  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  closeRow->addWidget(closeButton_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(codeplugLabel_);
  layout->addLayout(deviceRow);
  layout->addLayout(buttons);
  layout->addLayout(progressRow);
  layout->addWidget(memo_, 1);
  layout->addLayout(closeRow);

  // The window keeps its width; only its height follows the user.
  const int width = std::max(sizeHint().width(), 860);
  setMinimumSize(width, 420);
  setMaximumWidth(width);
  resize(width, 560);

  connect(readCodeplug_, &QPushButton::clicked, this, &TProgramRadioForm::readCodeplug);
  connect(writeCodeplug_, &QPushButton::clicked, this, &TProgramRadioForm::writeCodeplug);
  connect(queryButton_, &QPushButton::clicked, this, &TProgramRadioForm::queryRadio);
  connect(rebootButton_, &QPushButton::clicked, this, &TProgramRadioForm::rebootRadio);
  connect(clearButton_, &QPushButton::clicked, memo_, &QPlainTextEdit::clear);
  connect(closeButton_, &QPushButton::clicked, this, &TProgramRadioForm::close);
  connect(deviceCombo_, &QComboBox::activated, this, [this] {
    updateButtons();
    if (radioSelected()) queryRadio();
  });
}

bool TProgramRadioForm::isBusy() const { return working_.load() || link_.IsOpen(); }

bool TProgramRadioForm::radioSelected() const {
  return deviceCombo_->currentIndex() >= 0 && deviceCombo_->currentData().toInt() >= 0;
}

std::string TProgramRadioForm::selectedPath() const {
  if (!radioSelected()) return {};
  const int index = deviceCombo_->currentData().toInt();
  if (index < 0 || static_cast<size_t>(index) >= devices_.size()) return {};
  return devices_[static_cast<size_t>(index)].path;
}

void TProgramRadioForm::updateButtons() {
  const bool idle = !isBusy();
  const bool ready = radioSelected() && idle;
  const c_codeplug* slot = common_.slot(slot_);
  deviceCombo_->setEnabled(ready && deviceCombo_->count() > 1);
  queryButton_->setEnabled(ready);
  rebootButton_->setEnabled(ready && !devicePath_.empty());
  readCodeplug_->setEnabled(ready);
  writeCodeplug_->setEnabled(ready && slot != nullptr && slot->holdsCodeplug());
  // Firmware and SPI flash operations are not offered yet.
  for (QPushButton* later :
       {readFirmware_, saveFlashChip_, eraseUserDatabase_, writeFirmware_, writeFlashChip_, writeDatabase_}) {
    later->setEnabled(false);
  }
}

void TProgramRadioForm::openForSlot(int slot) {
  const c_codeplug* s = common_.slot(slot);
  if (s == nullptr) return;
  slot_ = slot;
  codeplugLabel_->setText(QString::fromStdString(radio_messages::codeplugSlotText(slot, s->fileName)));
  updateButtons();
  show();
  raise();
  activateWindow();
}

void TProgramRadioForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  refreshDevices();
}

void TProgramRadioForm::reject() {
  if (isBusy()) {
    prompt_.beep(800, 500);
    prompt_.show(PromptIcon::Information, radio_messages::kBusy);
    return;
  }
  link_.CloseConnection(true);
  slot_ = -1;
  QDialog::reject();
}

void TProgramRadioForm::refreshDevices() {
  std::unique_lock lock(link_.radioLock(), std::try_to_lock);
  if (!lock.owns_lock() || closing_ || isBusy() || !isVisible()) return;

  devices_.clear();
  if (!EnumerateRadios(*drivers_, devices_)) return;
  if (devices_.empty() && deviceCombo_->count() == 0) return;
  // The user is choosing: the list must not change under the mouse.
  if (deviceCombo_->view()->isVisible()) return;

  const QString remembered = deviceCombo_->currentText().trimmed().toLower();
  {
    const QSignalBlocker blocker(deviceCombo_);
    deviceCombo_->clear();
    int current = -1;
    for (size_t i = 0; i < devices_.size(); ++i) {
      const QString text = QString::fromStdString(displayText(devices_[i]));
      deviceCombo_->addItem(text, static_cast<int>(i));
      // Both sides trimmed: every display text ends in a space.
      if (text.trimmed().toLower() == remembered) current = static_cast<int>(i);
    }
    if (current < 0 && deviceCombo_->count() > 0) current = 0;
    deviceCombo_->setCurrentIndex(current);
  }

  int widest = 0;
  for (int i = 0; i < deviceCombo_->count(); ++i) {
    widest = std::max(widest, deviceCombo_->fontMetrics().horizontalAdvance(deviceCombo_->itemText(i)));
  }
  int dropDownWidth = widest + 8;
  if (deviceCombo_->count() > deviceCombo_->maxVisibleItems()) {
    dropDownWidth += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  }
  deviceCombo_->view()->setMinimumWidth(dropDownWidth);

  if (const std::string path = selectedPath(); !path.empty()) {
    devicePath_ = path;
    link_.setDevicePath(path);
  }
  updateButtons();
}

void TProgramRadioForm::onUiThread(std::function<void()> f) {
  QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
}

void TProgramRadioForm::logLine(const std::string& text) {
  onUiThread([this, line = QString::fromStdString(text)] { memo_->appendPlainText(line); });
}

void TProgramRadioForm::setProgress(int position) {
  onUiThread([this, position] { progress_->setValue(position); });
}

void TProgramRadioForm::startWork(std::function<void()> work) {
  if (working_) return;
  if (worker_.joinable()) worker_.join();
  working_ = true;
  updateButtons();
  worker_ = std::thread([this, work = std::move(work)] {
    work();
    onUiThread([this] { workFinished(); });
  });
}

void TProgramRadioForm::workFinished() {
  if (worker_.joinable()) worker_.join();
  working_ = false;
  updateButtons();
}

void TProgramRadioForm::settle() {
  while (settleTick_.elapsedSeconds() < kSettleSeconds && !closing_) clock_.sleepFor(kSettleStep);
}

void TProgramRadioForm::runNormalModeOperation(const std::string& path,
                                               const std::function<bool(RadioLink&)>& procedure,
                                               const std::function<void()>& onSuccess,
                                               const std::string& failureMessage) {
  std::unique_lock lock(link_.radioLock());
  link_.SetProgress(0);
  if (!link_.OpenConnection(path)) {
    lock.unlock();
    link_.CloseConnection(true);
    return;
  }
  if (!link_.IsNormalMode()) {
    lock.unlock();
    link_.CloseConnection(true);
    onUiThread([this] {
      prompt_.beep(440, 100);
      prompt_.error(radio_messages::kNormalModeNeeded);
    });
    return;
  }
  onUiThread([this] { updateButtons(); });
  const bool ok = procedure(link_);
  if (ok && onSuccess) onUiThread(onSuccess);
  link_.RebootRadio();
  lock.unlock();
  settleTick_.restart();
  if (!ok) {
    onUiThread([this, failureMessage] {
      prompt_.beep(440, 100);
      prompt_.error(failureMessage);
    });
  }
  settle();
}

void TProgramRadioForm::readCodeplug() {
  if (isBusy()) return;
  link_.CloseConnection(true);
  if (common_.slot(slot_) == nullptr) return;
  if (common_.isDirty(slot_)) {
    prompt_.beep(800, 500);
    if (!prompt_.askYesNo(radio_messages::kDiscardUnsaved)) return;
  }
  const std::string path = selectedPath();
  if (path.empty()) return;
  std::shared_ptr<std::vector<uint8_t>> buffer;
  try {
    buffer = std::make_shared<std::vector<uint8_t>>(common_.blankTemplate(TemplateId::BlankMd390));
  } catch (const std::bad_alloc&) {
    prompt_.beep(440, 100);
    prompt_.error(radio_messages::kNotEnoughMemory);
    return;
  }
  const int slot = slot_;
  startWork([this, path, buffer, slot] {
    runNormalModeOperation(
        path,
        [buffer](RadioLink& link) {
          return link.ReadCodeplug(std::span<uint8_t>(*buffer).subspan(kMemoryImageOffset, kKib256ImageSize));
        },
        [this, buffer, slot] {
          common_.place(slot, kModelMd390, "", *buffer);
          if (slot == slot_) {
            codeplugLabel_->setText(QString::fromStdString(radio_messages::codeplugSlotText(slot, "")));
          }
          if (codeplugChanged_) codeplugChanged_();
        },
        radio_messages::kReadFailed);
  });
}

void TProgramRadioForm::writeCodeplug() {
  if (isBusy()) return;
  link_.CloseConnection(true);
  const c_codeplug* slot = common_.slot(slot_);
  if (slot == nullptr || !slot->holdsCodeplug()) return;
  const std::string path = selectedPath();
  if (path.empty()) return;
  auto bytes = std::make_shared<std::vector<uint8_t>>(slot->buffer);
  startWork([this, path, bytes] {
    runNormalModeOperation(
        path, [bytes](RadioLink& link) { return link.WriteCodeplug(*bytes); }, {},
        radio_messages::kWriteFailed);
  });
}

void TProgramRadioForm::queryRadio() {
  if (isBusy()) return;
  const std::string path = selectedPath();
  if (path.empty()) {
    updateButtons();
    return;
  }
  startWork([this, path] {
    std::lock_guard lock(link_.radioLock());
    // Closed whatever the outcome: a connection that failed half-way would
    // otherwise leave the window busy for good.
    link_.OpenConnection(path);
    link_.CloseConnection(false);
  });
}

void TProgramRadioForm::rebootRadio() {
  if (isBusy() || !radioSelected() || devicePath_.empty()) return;
  startWork([this] {
    settleTick_.restart();
    link_.ResetRadio();
    settle();
  });
}

}  // namespace tamberlin
