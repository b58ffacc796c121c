#include "app/settings_location.h"

namespace tamberlin {

SettingsLocation settingsLocation(const std::filesystem::path& executable, bool executableFolderWritable,
                                  const std::filesystem::path& userConfigFolder) {
  std::filesystem::path fileName = executable.filename();
  fileName.replace_extension(".ini");
  const std::filesystem::path folder = executableFolderWritable ? executable.parent_path() : userConfigFolder;
  return {folder / fileName, folder};
}

}  // namespace tamberlin
