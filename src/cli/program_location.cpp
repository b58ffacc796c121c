#include "cli/program_location.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace tamberlin {

SettingsLocation programLocation(const std::filesystem::path& toolExecutable, bool folderWritable,
                                 const std::filesystem::path& userConfigFolder) {
  return settingsLocation(toolExecutable.parent_path() / "tamberlin", folderWritable, userConfigFolder);
}

std::filesystem::path userConfigFolder(const char* xdgConfigHome, const char* home) {
  // Only an absolute XDG_CONFIG_HOME counts, as the desktop's own rule says.
  if (xdgConfigHome && xdgConfigHome[0] == '/') return std::filesystem::path(xdgConfigHome) / "Tamberlin";
  const std::filesystem::path base = home && home[0] != '\0' ? home : ".";
  return base / ".config" / "Tamberlin";
}

SettingsLocation currentProgramLocation() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) executable = std::filesystem::current_path(error) / "tamberlin-cli";
  const bool writable = ::access(executable.parent_path().c_str(), W_OK) == 0;
  return programLocation(executable, writable,
                         userConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
}

}  // namespace tamberlin
