#include "editors/basic/basic_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "codeplug/ccommon.h"
#include "editors/basic/basic_model.h"
#include "ui/lock_window.h"
#include "ui/setting_widgets.h"

namespace tamberlin {

namespace {

constexpr int kFieldWidth = 240;

QComboBox* bandBox(const char* name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  for (const BandChoice& band : bandChoices()) box->addItem(toQString(band.text), band.index);
  box->setMinimumWidth(kFieldWidth);
  return box;
}

void select(QComboBox* box, std::optional<int> data) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(data ? box->findData(*data) : -1);
}

}  // namespace

TBasicForm::TBasicForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  setWindowTitle("Basic radio information ");

  auto* column = new QVBoxLayout;
  QFormLayout* radio = addGroup("Radio", column);
  model_ = new QComboBox(this);
  model_->setObjectName("ModelNameComboBox");
  for (const ModelChoice& choice : basicModelChoices()) model_->addItem(toQString(choice.text), choice.code);
  model_->setMinimumWidth(kFieldWidth);
  model_->setEnabled(false);
  addSettingRow(radio, "Radio Model ", model_);
  bandA_ = bandBox("FrequencyRangeAComboBox", this);
  addSettingRow(radio, "Frequency Range A ", bandA_);
  bandB_ = bandBox("FrequencyRangeBComboBox", this);
  addSettingRow(radio, "Frequency Range B ", bandB_);

  QFormLayout* identity = addGroup("Identity", column);
  serialNumber_ = addReadOnlyRow(identity, "SerialNumberEdit", "Serial Number ");
  serialNumber_->setToolTip("The serial number on the back of your radio");
  deviceIdentity_ = addReadOnlyRow(identity, "UniqueDeviceIDEdit", "Unique Device ID ");
  hardwareVersion_ = addReadOnlyRow(identity, "HardwareVersionEdit", "Hardware Version ");
  mcuVersion_ = addReadOnlyRow(identity, "MCUVersionEdit", "MCU Version ");

  QFormLayout* programming = addGroup("Programming", column);
  lastProgrammed_ = addReadOnlyRow(programming, "LastProgrammedDateEdit", "Last Programmed Date ");
  softwareVersion_ = addReadOnlyRow(programming, "CPSSoftwareVersionEdit", "CPS Software Version ");
  column->addStretch(1);
  alignLabelColumns({radio, identity, programming});

  auto* outer = new QHBoxLayout(this);
  outer->addLayout(column);
  outer->addStretch(1);

  refresh();
}

QFormLayout* TBasicForm::addGroup(const QString& title, QVBoxLayout* column) {
  const SettingsGroup group = createSettingsGroup(title, this);
  column->addWidget(group.box);
  return group.form;
}

QLineEdit* TBasicForm::addReadOnlyRow(QFormLayout* layout, const char* name, const char* label) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setMinimumWidth(kFieldWidth);
  addSettingRow(layout, label, edit);
  return edit;
}

void TBasicForm::refreshAll() { refresh(); }
void TBasicForm::refreshShown() { refresh(); }

// A band picked in an enabled band box is only shown, never stored: the next
// refresh shows the codeplug's band again.
void TBasicForm::refresh() {
  LockWindow lock(this);
  const BasicInfo info = basicInfo(common().selected());
  setEnabled(info.enabled);
  select(model_, info.modelCode);
  select(bandA_, info.bandA);
  select(bandB_, info.bandB);
  bandA_->setEnabled(info.enabled);
  bandB_->setEnabled(info.enabled && info.bandBEnabled);
  serialNumber_->setText(QString::fromStdString(info.serialNumber));
  lastProgrammed_->setText(QString::fromStdString(info.lastProgrammed));
  softwareVersion_->setText(QString::fromStdString(info.softwareVersion));
  hardwareVersion_->setText(QString::fromStdString(info.hardwareVersion));
  mcuVersion_->setText(QString::fromStdString(info.mcuVersion));
  deviceIdentity_->setText(QString::fromStdString(info.deviceIdentity));
}

}  // namespace tamberlin
