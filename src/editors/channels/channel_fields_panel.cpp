#include "editors/channels/channel_fields_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QValidator>
#include <algorithm>

#include "codeplug/c_codeplug.h"
#include "codeplug/codeplug_layout.h"
#include "editors/channels/channel_record.h"
#include "ui/toggle_switch.h"
#include "ui/wide_combo_box.h"

namespace tamberlin {

namespace {

enum Group { kGeneral, kAnalogue, kDigital, kOptions, kDecodes };
constexpr int kGroupCount = 5;

struct Definition {
  ChannelField field;
  int kind;  // 0 switch, 1 slider, 2 choice, 3 name list
  const char* label;
  const char* name;
  Group group;
  const char* on = nullptr;   // switch captions
  const char* off = nullptr;
  ListSectionId names = ListSectionId::Channels;
  const char* none = nullptr;  // the name list's first entry
};

using F = ChannelField;
const Definition kDefinitions[] = {
    {F::Mode, 0, " Mode ", "ModeToggleSwitch", kGeneral, "Digital", "Analogue"},
    {F::TxPower, 1, " Tx Power ", "TxPowerTrackBar", kGeneral},
    {F::RxRefFrequency, 1, " Rx Relative Frequency ", "RxRefFrequencyTrackBar", kGeneral},
    {F::TxRefFrequency, 1, " Tx Relative Frequency ", "TxRefFrequencyTrackBar", kGeneral},
    {F::AdmitCriteria, 2, "Admit Criteria ", "AdmitCriteriaComboBox", kGeneral},
    {F::InCallCriteria, 2, "In Call Criteria ", "InCallCriteriaComboBox", kGeneral},
    {F::ScanList, 3, "Scan List ", "ScanListComboBox", kGeneral, nullptr, nullptr, ListSectionId::ScanLists,
     "None"},
    {F::TxTimeOut, 2, "Tx Time Out ", "TxTimeOutComboBox", kGeneral},
    {F::RekeyDelay, 2, "Tx Time Out Rekey Delay ", "RekeyDelayComboBox", kGeneral},

    {F::Bandwidth, 0, " Analogue Bandwidth ", "BandwidthToggleSwitch", kAnalogue, "25kHz", "12.5kHz"},
    {F::Squelch, 1, "Analogue Squelch ", "SquelchTrackBar", kAnalogue},
    {F::RxTone, 2, "Rx CTCSS / CDCSS ", "RxToneComboBox", kAnalogue},
    {F::TxTone, 2, "Tx CTCSS / CDCSS ", "TxToneComboBox", kAnalogue},
    {F::TailReversal, 2, "CTCSS Tail Reversal ", "TailReversalComboBox", kAnalogue},
    {F::NonQtTurnOff, 2, "Non-QT/DQT Turn Off Freq ", "NonQtTurnOffComboBox", kAnalogue},
    {F::RxSignalling, 2, "Rx Signalling System ", "RxSignallingComboBox", kAnalogue},
    {F::TxSignalling, 2, "Tx Signalling System ", "TxSignallingComboBox", kAnalogue},

    {F::Contact, 3, "Tx Contact Destination ", "ContactComboBox", kDigital, nullptr, nullptr,
     ListSectionId::Contacts, "None"},
    {F::GroupList, 3, "Rx Group List ", "GroupListComboBox", kDigital, nullptr, nullptr, ListSectionId::GroupLists,
     "None"},
    {F::ColourCode, 2, "Colour Code ", "ColourCodeComboBox", kDigital},
    {F::TimeSlot, 0, "Time Slot ", "TimeSlotToggleSwitch", kDigital, "2", "1"},
    {F::EmergencySystem, 3, "Emergency System ", "EmergencySystemComboBox", kDigital, nullptr, nullptr,
     ListSectionId::EmergencySystems, "None "},
    {F::VoiceEncryption, 2, "Voice Encryption ", "VoiceEncryptionComboBox", kDigital},
    {F::GpsSystem, 2, "GPS System ", "GpsSystemComboBox", kDigital},
    {F::Dcdm, 2, "DCDM Switch ", "DcdmComboBox", kDigital},

    {F::TalkAround, 0, "Talk Around ", "TalkAroundToggleSwitch", kOptions},
    {F::RxOnly, 0, "Rx Only ", "RxOnlyToggleSwitch", kOptions},
    {F::Vox, 0, "VOX ", "VoxToggleSwitch", kOptions},
    {F::LoneWorker, 0, "Lone Worker", "LoneWorkerToggleSwitch", kOptions},
    {F::AutoScan, 0, "Auto Scan ", "AutoScanToggleSwitch", kOptions},
    {F::ReverseBurst, 0, "Reverse Burst ", "ReverseBurstToggleSwitch", kOptions},
    {F::CompressedUdp, 0, "Compressed UDP Data Header ", "CompressedUdpToggleSwitch", kOptions},
    {F::EmergencyAlarmAck, 0, "Emergency Alarm Ack ", "EmergencyAlarmAckToggleSwitch", kOptions},
    {F::PrivateCallConfirmed, 0, "Private Call Confirmed ", "PrivateCallConfirmedToggleSwitch", kOptions},
    {F::DataCallConfirmed, 0, "Data Call Confirmed ", "DataCallConfirmedToggleSwitch", kOptions},
    {F::DisplayPttId, 0, "Display PTT ID", "DisplayPttIdToggleSwitch", kOptions},
    {F::TxGpsInfo, 0, "Tx GPS Info ", "TxGpsInfoToggleSwitch", kOptions},
    {F::RxGpsInfo, 0, "Rx GPS Info ", "RxGpsInfoToggleSwitch", kOptions},
    {F::Decode1, 0, "Decode 1 ", "Decode1ToggleSwitch", kDecodes},
    {F::Decode2, 0, "Decode 2 ", "Decode2ToggleSwitch", kDecodes},
    {F::Decode3, 0, "Decode 3 ", "Decode3ToggleSwitch", kDecodes},
    {F::Decode4, 0, "Decode 4 ", "Decode4ToggleSwitch", kDecodes},
    {F::Decode5, 0, "Decode 5 ", "Decode5ToggleSwitch", kDecodes},
    {F::Decode6, 0, "Decode 6 ", "Decode6ToggleSwitch", kDecodes},
    {F::Decode7, 0, "Decode 7 ", "Decode7ToggleSwitch", kDecodes},
    {F::Decode8, 0, "Decode 8 ", "Decode8ToggleSwitch", kDecodes},
};

// Digits, one "." or "," and control keys.
class FrequencyValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    std::string text;
    for (QChar c : input) {
      if (c.unicode() > 0x7F || !frequencyCharacterAccepted(static_cast<char>(c.unicode()), text)) return Invalid;
      text += static_cast<char>(c.unicode());
    }
    return Acceptable;
  }
};

constexpr const char* kMixed = "---- ";

}  // namespace

ChannelFieldsPanel::ChannelFieldsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("ChannelFieldsPanel");
  buildControls();
}

ChannelFieldsPanel::Control& ChannelFieldsPanel::add(ChannelField field, Kind kind, QWidget* widget, QLabel* label) {
  controls_.push_back({field, kind, widget, label, nullptr, ListSectionId::Channels});
  return controls_.back();
}

void ChannelFieldsPanel::buildControls() {
  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(0, 0, 0, 0);
  QGroupBox* boxes[kGroupCount] = {new QGroupBox("Channel", this), new QGroupBox("Analogue", this),
                                   new QGroupBox("Digital", this), new QGroupBox("Options", this),
                                   new QGroupBox("DTMF Decode", this)};
  QGridLayout* grids[kGroupCount];
  for (int g = 0; g < kGroupCount; ++g) {
    grids[g] = new QGridLayout(boxes[g]);
    grids[g]->setVerticalSpacing(4);
    grids[g]->setColumnStretch(1, 1);
  }
  auto* left = new QVBoxLayout;
  left->addWidget(boxes[kGeneral]);
  left->addWidget(boxes[kAnalogue]);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(boxes[kDigital]);
  right->addWidget(boxes[kOptions]);
  right->addWidget(boxes[kDecodes]);
  right->addStretch(1);
  columns->addLayout(left, 1);
  columns->addLayout(right, 1);

  // Frequencies open the channel box: they are what a channel is about.
  QGridLayout* general = grids[kGeneral];
  rxFrequency_ = new QLineEdit(boxes[kGeneral]);
  rxFrequency_->setObjectName("RxFreqEdit");
  txFrequency_ = new QLineEdit(boxes[kGeneral]);
  txFrequency_->setObjectName("TxFreqEdit");
  for (QLineEdit* edit : {rxFrequency_, txFrequency_}) {
    edit->setValidator(new FrequencyValidator(edit));
    edit->setMaxLength(12);
  }
  offset_ = new QLabel(boxes[kGeneral]);
  offset_->setObjectName("OffsetFreqLabel");
  general->addWidget(new QLabel("Rx Freq (MHz) ", boxes[kGeneral]), 0, 0);
  general->addWidget(rxFrequency_, 0, 1, 1, 2);
  general->addWidget(new QLabel("Tx Freq (MHz) ", boxes[kGeneral]), 1, 0);
  general->addWidget(txFrequency_, 1, 1, 1, 2);
  general->addWidget(new QLabel("Offset Freq (MHz) ", boxes[kGeneral]), 2, 0);
  general->addWidget(offset_, 2, 1, 1, 2);
  copyRxToTx_ = new QPushButton("Copy Rx Frequency to Tx Frequency ", boxes[kGeneral]);
  copyRxToTx_->setObjectName("CopyRxToTxBitBtn");
  copyTxToRx_ = new QPushButton("Copy Tx Frequency to Rx Frequency ", boxes[kGeneral]);
  copyTxToRx_->setObjectName("CopyTxToRxBitBtn");
  swap_ = new QPushButton("Swap Rx and Tx Frequencies ", boxes[kGeneral]);
  swap_->setObjectName("SwapRxTxBitBtn");
  auto* frequencyButtons = new QVBoxLayout;
  frequencyButtons->setSpacing(2);
  for (QPushButton* button : {copyRxToTx_, copyTxToRx_, swap_}) frequencyButtons->addWidget(button);
  general->addLayout(frequencyButtons, 3, 0, 1, 3);

  connect(rxFrequency_, &QLineEdit::textEdited, this, [this](const QString& t) { writeFrequency(true, t); });
  connect(txFrequency_, &QLineEdit::textEdited, this, [this](const QString& t) { writeFrequency(false, t); });
  connect(rxFrequency_, &QLineEdit::returnPressed, this, [this] { showStoredFrequency(true); });
  connect(txFrequency_, &QLineEdit::returnPressed, this, [this] { showStoredFrequency(false); });
  connect(copyRxToTx_, &QPushButton::clicked, this, [this] { copyFrequency(true); });
  connect(copyTxToRx_, &QPushButton::clicked, this, [this] { copyFrequency(false); });
  connect(swap_, &QPushButton::clicked, this, [this] { swapFrequencies(); });

  int rows[kGroupCount] = {general->rowCount(), 0, 0, 0, 0};
  int switchCount[kGroupCount] = {};
  controls_.reserve(std::size(kDefinitions));
  for (const Definition& d : kDefinitions) {
    QWidget* box = boxes[d.group];
    QGridLayout* grid = grids[d.group];
    const auto kind = static_cast<Kind>(d.kind);
    if (d.group == kOptions || d.group == kDecodes) {
      auto* toggle = new ToggleSwitch(d.label, d.label, box);
      toggle->setObjectName(d.name);
      const int perRow = d.group == kOptions ? 2 : 4;
      const int n = switchCount[d.group]++;
      grid->addWidget(toggle, n / perRow, n % perRow);
      add(d.field, kind, toggle);
      connect(toggle, &ToggleSwitch::switched, this, [this, f = d.field](bool on) { write(f, on ? 1 : 0); });
      continue;
    }
    auto* label = new QLabel(d.label, box);
    const int row = rows[d.group]++;
    grid->addWidget(label, row, 0);
    if (kind == Kind::Switch) {
      auto* toggle = new ToggleSwitch(d.on, d.off, box);
      toggle->setObjectName(d.name);
      grid->addWidget(toggle, row, 1, 1, 2);
      add(d.field, kind, toggle, label);
      connect(toggle, &ToggleSwitch::switched, this, [this, f = d.field](bool on) { write(f, on ? 1 : 0); });
    } else if (kind == Kind::Slider) {
      auto* slider = new QSlider(Qt::Horizontal, box);
      slider->setObjectName(d.name);
      slider->setPageStep(1);
      slider->setTickPosition(QSlider::TicksBelow);
      auto* value = new QLabel(kMixed, box);
      value->setObjectName(QString(d.name).replace("TrackBar", "Label"));
      value->setMinimumWidth(fontMetrics().horizontalAdvance("Normal  "));
      grid->addWidget(slider, row, 1);
      grid->addWidget(value, row, 2);
      Control& c = add(d.field, kind, slider, label);
      c.valueLabel = value;
      connect(slider, &QSlider::valueChanged, this, [this, f = d.field](int v) {
        if (!showing_) write(f, v);
      });
    } else {
      auto* combo = new WideComboBox(box);
      combo->setObjectName(d.name);
      combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      combo->setMinimumContentsLength(8);
      grid->addWidget(combo, row, 1, 1, 2);
      Control& c = add(d.field, kind, combo, label);
      c.names = d.names;
      connect(combo, &QComboBox::activated, this, [this, combo, f = d.field](int index) {
        if (index >= 0) write(f, combo->itemData(index).toInt());
      });
    }
  }
  for (int c = 0; c < 4; ++c) grids[kDecodes]->setColumnStretch(c, 1);
  grids[kOptions]->setColumnStretch(0, 1);
  applyFamily();
}

void ChannelFieldsPanel::fillChoices(Control& control, const std::vector<FieldChoice>& choices) {
  if (control.kind == Kind::Slider) {
    auto* slider = static_cast<QSlider*>(control.widget);
    const QSignalBlocker blocker(slider);
    slider->setRange(0, std::max(static_cast<int>(choices.size()) - 1, 0));
    return;
  }
  auto* combo = static_cast<WideComboBox*>(control.widget);
  const QSignalBlocker blocker(combo);
  combo->clear();
  for (const FieldChoice& choice : choices) combo->addItem(QString::fromStdString(choice.text), choice.value);
  combo->setCurrentIndex(-1);
}

void ChannelFieldsPanel::setSlot(c_codeplug* slot) {
  slot_ = slot;
  const ModelFamily family = slot && slot->holdsCodeplug() ? modelFamily(slot->modelCode) : ModelFamily::None;
  if (family != family_) {
    family_ = family;
    applyFamily();
  }
}

// The per-model control set: two power and squelch positions and no DCDM or
// non-QT controls for the 256 KiB family.
void ChannelFieldsPanel::applyFamily() {
  const bool uv = family_ != ModelFamily::Kib256;
  for (Control& c : controls_) {
    if (c.kind == Kind::Slider || c.kind == Kind::Choice) {
      if (c.field != ChannelField::AdmitCriteria) fillChoices(c, channelFieldChoices(c.field, family_));
    }
    if (c.field == ChannelField::Dcdm || c.field == ChannelField::NonQtTurnOff) {
      c.widget->setVisible(uv);
      if (c.label) c.label->setVisible(uv);
    }
    if (c.field == ChannelField::Dcdm && uv) static_cast<WideComboBox*>(c.widget)->setCurrentIndex(0);
  }
}

void ChannelFieldsPanel::setFieldShown(ChannelField field, bool shown) {
  for (Control& c : controls_) {
    if (c.field != field) continue;
    c.widget->setVisible(shown);
    if (c.label) c.label->setVisible(shown);
    if (c.valueLabel) c.valueLabel->setVisible(shown);
  }
}

void ChannelFieldsPanel::rebuildNameLists() {
  for (Control& c : controls_) {
    if (c.kind != Kind::NameList) continue;
    const Definition* d = std::find_if(std::begin(kDefinitions), std::end(kDefinitions),
                                       [&](const Definition& def) { return def.field == c.field; });
    if (slot_ && slot_->holdsCodeplug()) {
      fillChoices(c, nameListChoices(*slot_, c.names, d->none));
    } else {
      fillChoices(c, {});
    }
  }
}

void ChannelFieldsPanel::setRecordSource(RecordSource source) { source_ = std::move(source); }

void ChannelFieldsPanel::fetchRecords() {
  records_ = source_ ? source_() : std::vector<std::span<uint8_t>>{};
  std::erase_if(records_, [](std::span<uint8_t> r) { return r.size() < 32; });
}

void ChannelFieldsPanel::showControl(Control& c) {
  const std::optional<int> value = commonChannelField(records_, family_, c.field);
  switch (c.kind) {
    case Kind::Switch: {
      auto* toggle = static_cast<ToggleSwitch*>(c.widget);
      toggle->setOn(value.value_or(0) != 0);
      // A state caption (mode, bandwidth, time slot) would name one of the values.
      if (c.label) toggle->setCaptionShown(value.has_value());
      break;
    }
    case Kind::Slider: {
      auto* slider = static_cast<QSlider*>(c.widget);
      const auto choices = channelFieldChoices(c.field, family_);
      const bool shown = value && *value >= 0 && *value < static_cast<int>(choices.size());
      if (shown) slider->setValue(*value);
      c.valueLabel->setText(shown ? QString::fromStdString(choices[*value].text) : QString(kMixed));
      break;
    }
    case Kind::Choice:
    case Kind::NameList: {
      auto* combo = static_cast<WideComboBox*>(c.widget);
      combo->setCurrentIndex(value ? combo->findData(*value) : -1);
      break;
    }
  }
}

void ChannelFieldsPanel::showRecords() {
  fetchRecords();
  showing_ = true;
  const bool any = !records_.empty();
  for (Control& c : controls_) {
    const QSignalBlocker blocker(c.widget);
    if (c.field == ChannelField::AdmitCriteria) fillChoices(c, admitCriteriaChoices(records_));
    showControl(c);
    c.widget->setEnabled(any);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{rxFrequency_, txFrequency_, copyRxToTx_, copyTxToRx_, swap_}) {
    w->setEnabled(any);
  }
  showFrequencies();
  showing_ = false;
}

void ChannelFieldsPanel::write(ChannelField field, int value) {
  fetchRecords();
  if (records_.empty()) return;
  for (std::span<uint8_t> r : records_) writeChannelField(r, family_, field, value);
  if (field == ChannelField::Mode) {
    for (Control& c : controls_) {
      if (c.field != ChannelField::AdmitCriteria && c.field != ChannelField::Mode) continue;
      const QSignalBlocker blocker(c.widget);
      if (c.field == ChannelField::AdmitCriteria) fillChoices(c, admitCriteriaChoices(records_));
      showControl(c);
    }
  } else {
    for (Control& c : controls_) {
      if (c.field == field && c.kind == Kind::Slider) showControl(c);
    }
  }
  emit recordsWritten();
}

void ChannelFieldsPanel::writeFrequency(bool rx, const QString& text) {
  fetchRecords();
  if (records_.empty() || !slot_) return;
  const auto band = [this](size_t offset) -> uint8_t {
    const auto b = slot_->bytes(offset, 1);
    return b.empty() ? 0 : b[0];
  };
  const auto hz = parseFrequencyEntry(text.toStdString(), family_, band(layout::kBandAIndex),
                                      family_ == ModelFamily::Uv ? band(layout::kBandBIndex) : 0xFF);
  if (hz) {
    for (std::span<uint8_t> r : records_) {
      const ChannelRecord record(r);
      encodeFrequencyHz(rx ? record.rxFrequency() : record.txFrequency(), *hz);
    }
    emit recordsWritten();
  }
  updateOffset();
}

void ChannelFieldsPanel::showFrequencies() {
  auto common = [this](bool rx) -> QString {
    if (records_.empty()) return {};
    const auto first = rx ? ChannelRecord(records_.front()).rxFrequency() : ChannelRecord(records_.front()).txFrequency();
    for (std::span<uint8_t> r : records_) {
      const auto f = rx ? ChannelRecord(r).rxFrequency() : ChannelRecord(r).txFrequency();
      if (!std::equal(f.begin(), f.end(), first.begin())) return {};
    }
    return QString::fromStdString(frequencyFieldText(first));
  };
  rxFrequency_->setText(common(true));
  txFrequency_->setText(common(false));
  updateOffset();
}

// Enter shows what was stored, in the first record.
void ChannelFieldsPanel::showStoredFrequency(bool rx) {
  fetchRecords();
  if (records_.empty()) return;
  const ChannelRecord first(records_.front());
  QLineEdit* edit = rx ? rxFrequency_ : txFrequency_;
  edit->setText(QString::fromStdString(frequencyFieldText(rx ? first.rxFrequency() : first.txFrequency())));
  updateOffset();
}

void ChannelFieldsPanel::updateOffset() {
  offset_->setText(QString::fromStdString(offsetText(rxFrequency_->text().toStdString(), txFrequency_->text().toStdString())));
}

void ChannelFieldsPanel::copyFrequency(bool rxToTx) {
  fetchRecords();
  for (std::span<uint8_t> r : records_) {
    const ChannelRecord record(r);
    const auto from = rxToTx ? record.rxFrequency() : record.txFrequency();
    const auto to = rxToTx ? record.txFrequency() : record.rxFrequency();
    std::copy(from.begin(), from.end(), to.begin());
  }
  if (rxToTx) {
    txFrequency_->setText(rxFrequency_->text());
  } else {
    rxFrequency_->setText(txFrequency_->text());
  }
  updateOffset();
  if (!records_.empty()) emit recordsWritten();
}

void ChannelFieldsPanel::swapFrequencies() {
  fetchRecords();
  for (std::span<uint8_t> r : records_) {
    const ChannelRecord record(r);
    std::swap_ranges(record.rxFrequency().begin(), record.rxFrequency().end(), record.txFrequency().begin());
  }
  const QString rx = rxFrequency_->text();
  rxFrequency_->setText(txFrequency_->text());
  txFrequency_->setText(rx);
  updateOffset();
  if (!records_.empty()) emit recordsWritten();
}

}  // namespace tamberlin
