#pragma once

#include <filesystem>

#include "app/settings_location.h"

namespace tamberlin {

// The settings file and data folder of the program installed beside this
// tool, so a cron job running tamberlin-cli refreshes the very database the
// program shows. `toolExecutable` is tamberlin-cli itself; the program is
// "tamberlin" in the same folder.
SettingsLocation programLocation(const std::filesystem::path& toolExecutable, bool folderWritable,
                                 const std::filesystem::path& userConfigFolder);

// The folder the program uses when its own is not writable:
// $XDG_CONFIG_HOME/Tamberlin, else $HOME/.config/Tamberlin (either may be
// unset: null).
std::filesystem::path userConfigFolder(const char* xdgConfigHome, const char* home);

// programLocation for this process.
SettingsLocation currentProgramLocation();

}  // namespace tamberlin
