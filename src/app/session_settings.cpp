#include "app/session_settings.h"

#include <algorithm>
#include <string_view>

namespace tamberlin {

namespace {

constexpr std::string_view kMainForm = "MainForm";
constexpr std::string_view kMisc = "Misc";
constexpr std::string_view kCodePlug = "CodePlug";
constexpr std::string_view kFileDir = "FileDir";
constexpr std::string_view kContacts = "Contacts";

std::string fileKey(int slot) { return "File" + std::to_string(slot); }

std::optional<int> integer(const IniDocument& document, std::string_view section, std::string_view key) {
  const auto text = document.value(section, key);
  return text ? parseIniInteger(*text) : std::nullopt;
}

bool ownedKey(std::string_view section, std::string_view key) {
  static constexpr std::pair<std::string_view, std::string_view> kOwned[] = {
      {kMainForm, "Top"},         {kMainForm, "Left"},        {kMainForm, "Width"},   {kMainForm, "Height"},
      {kMisc, "Style"},           {kMisc, "WarningBeep"},     {kMisc, "Tab"},         {kCodePlug, "Selected"},
      {kCodePlug, "File0"},       {kCodePlug, "File1"},       {kCodePlug, "File2"},   {kCodePlug, "File3"},
      {kFileDir, "CodeplugPath"}, {kFileDir, "FirmwarePath"}, {kContacts, "Country"},
  };
  return std::any_of(std::begin(kOwned), std::end(kOwned), [&](const auto& owned) {
    return sameIniName(owned.first, section) && sameIniName(owned.second, key);
  });
}

}  // namespace

SessionSettings readSessionSettings(const IniDocument& document) {
  SessionSettings settings;
  settings.top = integer(document, kMainForm, "Top");
  settings.left = integer(document, kMainForm, "Left");
  settings.width = integer(document, kMainForm, "Width");
  settings.height = integer(document, kMainForm, "Height");
  settings.style = document.value(kMisc, "Style");
  settings.selectedSlot = std::clamp(integer(document, kCodePlug, "Selected").value_or(0), 0, 3);
  for (int slot = 0; slot < 4; ++slot) {
    settings.slotFiles[static_cast<size_t>(slot)] = document.value(kCodePlug, fileKey(slot)).value_or("");
  }
  settings.codeplugDirectory = document.value(kFileDir, "CodeplugPath");
  settings.firmwareDirectory = document.value(kFileDir, "FirmwarePath");
  settings.warningBeep = integer(document, kMisc, "WarningBeep").value_or(0) != 0;
  settings.tab = integer(document, kMisc, "Tab");
  settings.contactsCountry = document.value(kContacts, "Country");
  return settings;
}

IniDocument sessionSettingsDocument(const SessionSettings& settings, const IniDocument& previous) {
  IniDocument document;
  const auto setInteger = [&](std::string_view section, std::string_view key,
                              const std::optional<int>& value) {
    if (value) document.set(section, key, std::to_string(*value));
  };
  const auto setText = [&](std::string_view section, std::string_view key,
                           const std::optional<std::string>& value) {
    if (value) document.set(section, key, *value);
  };
  setInteger(kMainForm, "Top", settings.top);
  setInteger(kMainForm, "Left", settings.left);
  setInteger(kMainForm, "Width", settings.width);
  setInteger(kMainForm, "Height", settings.height);
  setText(kMisc, "Style", settings.style);
  document.set(kCodePlug, "Selected", std::to_string(std::clamp(settings.selectedSlot, 0, 3)));
  for (int slot = 0; slot < 4; ++slot) {
    const std::string& file = settings.slotFiles[static_cast<size_t>(slot)];
    if (!file.empty()) document.set(kCodePlug, fileKey(slot), file);
  }
  setText(kFileDir, "CodeplugPath", settings.codeplugDirectory);
  setText(kFileDir, "FirmwarePath", settings.firmwareDirectory);
  document.set(kMisc, "WarningBeep", settings.warningBeep ? "1" : "0");
  setInteger(kMisc, "Tab", settings.tab);
  setText(kContacts, "Country", settings.contactsCountry);

  for (const IniDocument::Section& section : previous.sections()) {
    for (const IniDocument::Entry& entry : section.entries) {
      if (!ownedKey(section.name, entry.key)) document.set(section.name, entry.key, entry.value);
    }
  }
  return document;
}

}  // namespace tamberlin
