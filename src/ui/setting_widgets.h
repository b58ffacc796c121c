#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "codeplug/settings_fields.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QWidget;

namespace tamberlin {

class ToggleSwitch;

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A drop-down named after the setting, listing its items with the item's
// index as data; its list opens as wide as the longest item.
QComboBox* createChoiceBox(const ChoiceSetting& setting, QWidget* parent);
// Selects the item, or none, without running any handler.
void showChoice(QComboBox* box, std::optional<size_t> index);

// The mouse wheel changes the control only once it has the focus, so scrolling
// a tab past a drop-down or a track bar cannot alter a setting by accident.
void ignoreWheelUnlessFocused(QWidget* control);

ToggleSwitch* createSwitch(const SwitchSetting& setting, QWidget* parent);

// Adds the widget under the setting's label; the label's buddy is the widget.
void addSettingRow(QFormLayout* layout, std::string_view label, QWidget* field);

// A titled group box holding a form of settings.
struct SettingsGroup {
  QGroupBox* box;
  QFormLayout* form;
};
SettingsGroup createSettingsGroup(const QString& title, QWidget* parent);

// Fills the form with a frameless scroll area holding the content, so smaller
// windows scroll rather than squeeze the settings.
void placeInScrollArea(QWidget* form, QWidget* content);

// Gives the label column of every form the width of the widest, so the groups
// stacked in one column line their fields up.
void alignLabelColumns(std::initializer_list<QFormLayout*> forms);

}  // namespace tamberlin
