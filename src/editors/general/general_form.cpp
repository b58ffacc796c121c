#include "editors/general/general_form.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "codeplug/ccommon.h"
#include "editors/general/general_model.h"
#include "support/prompt.h"
#include "ui/lock_window.h"
#include "ui/setting_widgets.h"
#include "ui/toggle_switch.h"

namespace tamberlin {

namespace {

constexpr int kTextWidth = 180;

// The radio name and boot-up lines take only what the radio can show.
class RadioTextValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const QChar c : input) {
      if (!acceptsTextCharacter(c.unicode())) return Invalid;
    }
    return Acceptable;
  }
};

QLineEdit* digitsEdit(const QString& name, const QString& hint, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  if (!hint.isEmpty()) edit->setToolTip(hint);
  edit->setMaxLength(8);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
  edit->setMinimumWidth(kTextWidth);
  return edit;
}

void showPasswordError(Prompt& prompt, const std::string& text) {
  prompt.showTitled(std::string(kPasswordErrorTitle), PromptIcon::Error, text);
}

}  // namespace

TGeneralForm::TGeneralForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  content_ = new QWidget;
  auto* first = new QVBoxLayout;
  alignLabelColumns(
      {layOutGroup("Radio",
                   {"RadioNameEdit", "RadioIDEdit", "MonitorTypeToggleSwitch", "VOXSensitivityComboBox",
                    "TxPreambleDurationComboBox", "RxLowBatteryIntervalComboBox", "BacklightTimeComboBox",
                    "KeyPadLockTimeComboBox", "LEDsToggleSwitch", "GroupCallHangTimeComboBox",
                    "PrivateCallHangTimeComboBox"},
                   first),
       layOutGroup("Passwords",
                   {"PowerOnPasswordEdit", "PCProgrammingPasswordEdit", "RadioProgramPasswordEdit"}, first)});
  first->addStretch(1);

  auto* second = new QVBoxLayout;
  alignLabelColumns(
      {layOutGroup("Intro Screen",
                   {"IntroScreenTextLine1Edit", "IntroScreenTextLine2Edit", "IntroScreenTypeToggleSwitch"},
                   second),
       layOutGroup("Alert Tones",
                   {"TalkPermitToneComboBox", "CallAlertToneDurationComboBox",
                    "MonitorTypeAllTonesToggleSwitch", "MonitorTypeChannelFreeIndicationToneToggleSwitch"},
                   second),
       layOutGroup("Scan", {"ScanDigitalHangTimeComboBox", "ScanAnalogueHangTimeComboBox"}, second),
       layOutGroup("Lone Worker", {"LoneWorkerResponseTimeComboBox", "LoneWorkerReminderTimeComboBox"},
                   second),
       layOutGroup("Battery Saver",
                   {"BatterySaverSavePreambleToggleSwitch", "BatterySaverSaveModeRxToggleSwitch"}, second)});
  second->addStretch(1);

  auto* third = new QVBoxLayout;
  layOutGroup("Dual-Band Radios",
              {"RadioID1Edit", "RadioID2Edit", "RadioID3Edit", "CHVoiceAnnouncementComboBox",
               "ChannelsHangTimeComboBox", "TimeZoneComboBox", "MicLevelTrackBar", "TxModeComboBox",
               "FCModeToggleSwitch", "ModeSelectAToggleSwitch", "ModeSelectBToggleSwitch",
               "GroupCallMatchToggleSwitch", "PrivateCallMatchToggleSwitch", "EditRadioIDToggleSwitch",
               "PublicZoneToggleSwitch"},
              third);
  uvPanel_ = third->itemAt(0)->widget();
  uvPanel_->setObjectName("Panel1");
  third->addStretch(1);

  auto* columns = new QHBoxLayout(content_);
  columns->addLayout(first);
  columns->addLayout(second);
  columns->addLayout(third);
  columns->addStretch(1);

  placeInScrollArea(this, content_);

  refresh();
}

QFormLayout* TGeneralForm::layOutGroup(const QString& title, const std::vector<const char*>& names,
                                       QVBoxLayout* column) {
  const SettingsGroup group = createSettingsGroup(title, content_);
  column->addWidget(group.box);
  for (const char* name : names) {
    QWidget* field = createField(name);
    addSettingRow(group.form, labels_.value(name).toStdString(), field);
  }
  return group.form;
}

// Builds the control of the named setting and connects it to what it writes.
QWidget* TGeneralForm::createField(const QString& name) {
  const std::string key = name.toStdString();
  for (const ChoiceSetting& setting : generalChoices()) {
    if (setting.name != key) continue;
    QComboBox* box = createChoiceBox(setting, this);
    box->setMinimumWidth(kTextWidth);
    choices_.emplace_back(&setting, box);
    labels_[name] = toQString(setting.label);
    connect(box, &QComboBox::activated, this, [this, &setting, box](int index) {
      GeneralSettings(common().selected()).choose(setting, box->itemData(index).toULongLong());
    });
    return box;
  }
  for (const SwitchSetting& setting : generalSwitches()) {
    if (setting.name != key) continue;
    ToggleSwitch* toggle = createSwitch(setting, this);
    switches_.emplace_back(&setting, toggle);
    labels_[name] = toQString(setting.label);
    connect(toggle, &ToggleSwitch::switched, this,
            [this, &setting](bool on) { GeneralSettings(common().selected()).setSwitch(setting, on); });
    return toggle;
  }
  for (const TextSetting& setting : generalTexts()) {
    if (setting.name != key) continue;
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (!setting.hint.empty()) edit->setToolTip(toQString(setting.hint));
    edit->setMaxLength(setting.units);
    edit->setValidator(new RadioTextValidator(edit));
    edit->setMinimumWidth(kTextWidth);
    texts_.emplace_back(&setting, edit);
    labels_[name] = toQString(setting.label);
    connect(edit, &QLineEdit::textEdited, this, [this, &setting](const QString& text) {
      GeneralSettings(common().selected()).setText(setting, text.toStdU16String());
    });
    return edit;
  }
  for (const RadioIdSetting& setting : generalRadioIds()) {
    if (setting.name != key) continue;
    QLineEdit* edit = digitsEdit(name, toQString(setting.hint), this);
    radioIds_.emplace_back(&setting, edit);
    labels_[name] = toQString(setting.label);
    connect(edit, &QLineEdit::textEdited, this, [this, &setting, edit](const QString& text) {
      const std::optional<std::string> shown =
          GeneralSettings(common().selected()).enterRadioId(setting, text.toStdString());
      if (shown) edit->setText(QString::fromStdString(*shown));
    });
    return edit;
  }
  if (name == "PowerOnPasswordEdit") {
    powerOnPassword_ = passwordEdit(name, "Power-On Password ", {}, &GeneralSettings::enterPowerOnPassword);
    powerOnPassword_->installEventFilter(this);
    return powerOnPassword_;
  }
  if (name == "RadioProgramPasswordEdit") {
    radioProgramPassword_ =
        passwordEdit(name, "Radio Program Password ", "Ditto .. If used it must be 8 characters in length ",
                     &GeneralSettings::enterRadioProgramPassword);
    radioProgramPassword_->installEventFilter(this);
    return radioProgramPassword_;
  }
  if (name == "PCProgrammingPasswordEdit") {
    pcProgramPassword_ = passwordEdit(name, "PC Programming Password ", "Set this and lock yourself out !!",
                                      &GeneralSettings::enterPcProgramPassword);
    return pcProgramPassword_;
  }
  // The mic level is the one remaining control.
  micLevel_ = new QSlider(Qt::Horizontal, this);
  micLevel_->setObjectName(name);
  micLevel_->setRange(0, kMicLevelMax);
  micLevel_->setPageStep(1);
  micLevel_->setTickPosition(QSlider::TicksBelow);
  micLevel_->setTickInterval(1);
  micLevel_->setMinimumWidth(kTextWidth);
  ignoreWheelUnlessFocused(micLevel_);
  labels_[name] = "Mic Level ";
  connect(micLevel_, &QSlider::valueChanged, this,
          [this](int level) { GeneralSettings(common().selected()).setMicLevel(level); });
  return micLevel_;
}

QLineEdit* TGeneralForm::passwordEdit(const QString& name, const QString& label, const QString& hint,
                                      void (GeneralSettings::*enter)(std::string_view)) {
  QLineEdit* edit = digitsEdit(name, hint, this);
  labels_[name] = label;
  connect(edit, &QLineEdit::textEdited, this, [this, enter](const QString& text) {
    GeneralSettings settings(common().selected());
    (settings.*enter)(text.toStdString());
  });
  return edit;
}

void TGeneralForm::refreshAll() { refresh(); }
void TGeneralForm::refreshShown() { refresh(); }

void TGeneralForm::refresh() {
  LockWindow lock(this);
  const GeneralSettings settings(common().selected());
  setEnabled(settings.active());
  uvPanel_->setVisible(settings.showsUvPanel());
  for (auto& [setting, box] : choices_) showChoice(box, settings.shownChoice(*setting));
  for (auto& [setting, toggle] : switches_) {
    toggle->setChecked(settings.switchIsOn(*setting));
    toggle->setEnabled(settings.switchEnabled(*setting));
  }
  for (auto& [setting, edit] : texts_) edit->setText(QString::fromStdU16String(settings.text(*setting)));
  for (auto& [setting, edit] : radioIds_)
    edit->setText(QString::fromStdString(settings.radioIdText(*setting)));
  powerOnPassword_->setText(QString::fromStdString(settings.powerOnPasswordText()));
  radioProgramPassword_->setText(QString::fromStdString(settings.radioProgramPasswordText()));
  pcProgramPassword_->setText(QString::fromStdString(settings.pcProgramPasswordText()));
  const QSignalBlocker quiet(micLevel_);
  micLevel_->setValue(settings.micLevel());
}

bool TGeneralForm::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit != nullptr && (edit == powerOnPassword_ || edit == radioProgramPassword_)) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        checkPasswordLength(edit, PasswordExit::EnterOrEscape);
      }
    } else if (event->type() == QEvent::FocusOut) {
      // Another window or a menu taking the focus does not leave the box.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        QMetaObject::invokeMethod(
            this, [this, edit] { checkPasswordLength(edit, PasswordExit::FocusLost); }, Qt::QueuedConnection);
      }
    }
  }
  return EditorForm::eventFilter(watched, event);
}

void TGeneralForm::checkPasswordLength(QLineEdit* edit, PasswordExit exit) {
  if (checkingPassword_) return;
  checkingPassword_ = true;
  GeneralSettings settings(common().selected());
  const std::string text = edit->text().toStdString();
  const std::optional<std::string> error = edit == powerOnPassword_
                                               ? settings.checkPowerOnPasswordLength(text, exit)
                                               : settings.checkRadioProgramPasswordLength(text);
  if (error) {
    showPasswordError(prompt(), *error);
    edit->setFocus(Qt::OtherFocusReason);
  }
  checkingPassword_ = false;
}

}  // namespace tamberlin
