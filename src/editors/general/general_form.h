#pragma once

#include <QHash>
#include <string_view>
#include <vector>

#include "ui/editor_form.h"

class QComboBox;
class QFormLayout;
class QVBoxLayout;
class QLineEdit;
class QSlider;

namespace tamberlin {

struct ChoiceSetting;
struct SwitchSetting;
struct TextSetting;
struct RadioIdSetting;
class ToggleSwitch;
enum class PasswordExit;
class GeneralSettings;

// The General tab: the radio-wide settings. Every change goes straight into
// the selected slot's codeplug; the UV-family panel (`Panel1`) is shown only
// for the dual-band models.
class TGeneralForm : public EditorForm {
  Q_OBJECT

 public:
  TGeneralForm(EditorContext context, QWidget* parent = nullptr);

  void refreshAll() override;
  void refreshShown() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* createField(const QString& name);
  QLineEdit* passwordEdit(const QString& name, const QString& label, const QString& hint,
                          void (GeneralSettings::*enter)(std::string_view));
  QFormLayout* layOutGroup(const QString& title, const std::vector<const char*>& names, QVBoxLayout* column);
  void refresh();
  void checkPasswordLength(QLineEdit* edit, PasswordExit exit);

  std::vector<std::pair<const ChoiceSetting*, QComboBox*>> choices_;
  std::vector<std::pair<const SwitchSetting*, ToggleSwitch*>> switches_;
  std::vector<std::pair<const TextSetting*, QLineEdit*>> texts_;
  std::vector<std::pair<const RadioIdSetting*, QLineEdit*>> radioIds_;
  QHash<QString, QWidget*> fields_;
  QHash<QString, QString> labels_;
  QLineEdit* powerOnPassword_ = nullptr;
  QLineEdit* radioProgramPassword_ = nullptr;
  QLineEdit* pcProgramPassword_ = nullptr;
  QSlider* micLevel_ = nullptr;
  QWidget* uvPanel_ = nullptr;
  QWidget* content_ = nullptr;
  bool checkingPassword_ = false;
};

}  // namespace tamberlin
