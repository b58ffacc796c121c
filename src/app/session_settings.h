#pragma once

#include <array>
#include <optional>
#include <string>

#include "support/ini_document.h"

namespace tamberlin {

// What the main window keeps in the settings file between runs. Keys that are
// missing from the file stay unset, so the window keeps its own defaults.
struct SessionSettings {
  std::optional<int> top, left, width, height;
  std::optional<std::string> style;
  int selectedSlot = 0;                  // 0..3 whatever the file says
  std::array<std::string, 4> slotFiles;  // empty: no file remembered
  std::optional<std::string> codeplugDirectory, firmwareDirectory;
  bool warningBeep = false;
  std::optional<int> tab;
  std::optional<std::string> contactsCountry;
};

SessionSettings readSessionSettings(const IniDocument& document);

// The settings as the file holds them after a write: the window's keys in
// their fixed order (slots without a file name leave no key), then every key
// of `previous` the window does not own, so settings other parts of the
// program read (such as [Radio]) survive.
IniDocument sessionSettingsDocument(const SessionSettings& settings, const IniDocument& previous);

}  // namespace tamberlin
