#include "cli/program_location.h"

#include <gtest/gtest.h>

namespace tamberlin {
namespace {

TEST(ProgramLocation, FindsTheProgramsSettingsBesideOrInTheUserConfigFolder) {
  struct Case {
    bool writable;
    const char* settings;
    const char* data;
  };
  const Case cases[] = {
      {true, "/opt/tamberlin/tamberlin.ini", "/opt/tamberlin"},
      {false, "/home/ham/.config/Tamberlin/tamberlin.ini", "/home/ham/.config/Tamberlin"},
  };
  for (const Case& c : cases) {
    const SettingsLocation location =
        programLocation("/opt/tamberlin/tamberlin-cli", c.writable, "/home/ham/.config/Tamberlin");
    EXPECT_EQ(location.settingsFile, c.settings);
    EXPECT_EQ(location.dataDirectory, c.data);
  }
}

TEST(ProgramLocation, UserConfigFolderFollowsTheDesktopRule) {
  EXPECT_EQ(userConfigFolder("/xdg", "/home/ham"), "/xdg/Tamberlin");
  EXPECT_EQ(userConfigFolder("relative", "/home/ham"), "/home/ham/.config/Tamberlin");
  EXPECT_EQ(userConfigFolder(nullptr, "/home/ham"), "/home/ham/.config/Tamberlin");
  EXPECT_EQ(userConfigFolder(nullptr, nullptr), "./.config/Tamberlin");
}

}  // namespace
}  // namespace tamberlin
