#pragma once

#include <filesystem>

namespace tamberlin {

// Where the settings file and the downloaded databases live.
struct SettingsLocation {
  std::filesystem::path settingsFile;
  std::filesystem::path dataDirectory;
};

// Beside the executable ("tamberlin" -> "tamberlin.ini") when its folder is
// writable, as a portable copy expects; otherwise (an install under /usr) the
// same file name in the user's configuration folder.
SettingsLocation settingsLocation(const std::filesystem::path& executable, bool executableFolderWritable,
                                  const std::filesystem::path& userConfigFolder);

}  // namespace tamberlin
