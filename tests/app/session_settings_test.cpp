#include "app/session_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings_location.h"
#include "support/ini_document.h"
#include "support/temp_dir.h"

namespace tamberlin {
namespace {

TEST(IniDocument, ReadsAWindowsSettingsFileAsWritten) {
  // Written by the Windows program: CRLF, mixed case, raw backslashes, quotes.
  const IniDocument ini = IniDocument::parse(
      "; remembered codeplugs\r\n[codeplug]\r\nfile0=C:\\radio\\a.rdt\r\nFILE1 = \"D:\\b, c.rdt\" \r\n"
      "File0=ignored\r\nnot a key line\r\n[Misc]\r\nStyle=Windows\r\n");
  EXPECT_EQ(ini.value("CodePlug", "File0"), "C:\\radio\\a.rdt");
  EXPECT_EQ(ini.value("CodePlug", "File1"), "D:\\b, c.rdt");
  EXPECT_EQ(ini.value("MISC", "style"), "Windows");
  EXPECT_EQ(ini.value("Misc", "Tab"), std::nullopt);
  EXPECT_EQ(ini.value("Nowhere", "Style"), std::nullopt);
}

TEST(IniDocument, KeepsValuesThatWouldNotReadBackUnchanged) {
  IniDocument ini;
  ini.set("A", "Quoted", "\"x\"");
  ini.set("A", "Broken", "one\r\ntwo=three");
  ini.set("a", "quoted", "\"y\"");  // same key, other case: replaced in place
  const IniDocument again = IniDocument::parse(ini.text());
  EXPECT_EQ(again.value("A", "Quoted"), "\"y\"");
  EXPECT_EQ(again.value("A", "Broken"), "one  two=three");
  EXPECT_EQ(again.value("A", "two"), std::nullopt);
  ASSERT_EQ(again.sections().size(), 1u);
}

TEST(IniDocument, ParsesOnlyWholeNumbers) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"7", 7},
      {" -2 ", -2},
      {"+3", 3},
      {"0", 0},
      {"", std::nullopt},
      {"x", std::nullopt},
      {"3x", std::nullopt},
      {"99999999999", std::nullopt},
      {"-", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(parseIniInteger(text), expected) << "'" << text << "'";
}

TEST(SessionSettings, SelectedSlotIsClampedToTheFourSlots) {
  const std::pair<const char*, int> cases[] = {{"7", 3}, {"-2", 0}, {"2", 2}, {"3", 3}, {"junk", 0}};
  for (const auto& [text, slot] : cases) {
    const IniDocument ini = IniDocument::parse(std::string("[CodePlug]\nSelected=") + text + "\n");
    EXPECT_EQ(readSessionSettings(ini).selectedSlot, slot) << text;
  }
  EXPECT_EQ(readSessionSettings(IniDocument()).selectedSlot, 0);
}

TEST(SessionSettings, MissingKeysStayUnset) {
  const SessionSettings settings = readSessionSettings(IniDocument::parse("[Misc]\nWarningBeep=1\nTab=4\n"));
  EXPECT_TRUE(settings.warningBeep);
  EXPECT_EQ(settings.tab, 4);
  EXPECT_FALSE(settings.top.has_value());
  EXPECT_FALSE(settings.style.has_value());
  EXPECT_FALSE(settings.codeplugDirectory.has_value());
  EXPECT_FALSE(settings.contactsCountry.has_value());
  EXPECT_EQ(settings.slotFiles[0], "");
}

TEST(SessionSettings, WritesTheKeysInTheirOrderAndKeepsOthers) {
  SessionSettings settings;
  settings.top = 10;
  settings.left = 20;
  settings.width = 900;
  settings.height = 600;
  settings.style = "Fusion";
  settings.selectedSlot = 2;
  settings.slotFiles = {"/a.rdt", "", "/c.rdt", ""};
  settings.codeplugDirectory = "/codeplugs";
  settings.firmwareDirectory = "/firmware";
  settings.warningBeep = true;
  settings.tab = 12;
  settings.contactsCountry = "Germany";

  // A stale File1 of the window's own goes; the radio window's key stays.
  const IniDocument previous =
      IniDocument::parse("[Radio]\nSimulated=1\n[CodePlug]\nFile1=/old.rdt\nExtra=kept\n[misc]\nstyle=Old\n");
  EXPECT_EQ(sessionSettingsDocument(settings, previous).text(),
            "[MainForm]\nTop=10\nLeft=20\nWidth=900\nHeight=600\n"
            "[Misc]\nStyle=Fusion\nWarningBeep=1\nTab=12\n"
            "[CodePlug]\nSelected=2\nFile0=/a.rdt\nFile2=/c.rdt\nExtra=kept\n"
            "[FileDir]\nCodeplugPath=/codeplugs\nFirmwarePath=/firmware\n"
            "[Contacts]\nCountry=Germany\n"
            "[Radio]\nSimulated=1\n");
}

TEST(SessionSettings, ReadBackGivesWhatWasWritten) {
  test::TempDir dir;
  SessionSettings settings;
  settings.selectedSlot = 1;
  settings.slotFiles = {"", "/home/ham/my codeplug, v2.rdt", "", ""};
  settings.warningBeep = false;
  const std::filesystem::path file = dir.path() / "tamberlin.ini";
  ASSERT_TRUE(writeIniFile(file, sessionSettingsDocument(settings, {})));
  const SessionSettings read = readSessionSettings(readIniFile(file));
  EXPECT_EQ(read.selectedSlot, 1);
  EXPECT_EQ(read.slotFiles, settings.slotFiles);
  EXPECT_FALSE(read.warningBeep);
  EXPECT_FALSE(read.contactsCountry.has_value());
}

TEST(SessionSettings, AnAnsiFileFromWindowsReadsAsWritten) {
  test::TempDir dir;
  const std::string path =
      dir.write("tamberlin.ini", {'[', 'C', 'o', 'd', 'e', 'P', 'l',  'u',  'g', ']', '\n', 'F', 'i',
                                  'l', 'e', '0', '=', 'C', ':', '\\', 0xE9, '.', 'r', 'd',  't', '\n'});
  EXPECT_EQ(readSessionSettings(readIniFile(path)).slotFiles[0], "C:\\\u00e9.rdt");
}

TEST(SessionSettings, AFailedWriteLeavesTheOldFile) {
  test::TempDir dir;
  EXPECT_FALSE(writeIniFile(dir.path() / "missing folder" / "tamberlin.ini", IniDocument()));
  EXPECT_TRUE(readIniFile(dir.path() / "missing folder" / "tamberlin.ini").sections().empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(SettingsLocation, BesideTheProgramUnlessItsFolderIsReadOnly) {
  const SettingsLocation portable =
      settingsLocation("/opt/tamberlin/tamberlin", true, "/home/ham/.config/Tamberlin");
  EXPECT_EQ(portable.settingsFile, "/opt/tamberlin/tamberlin.ini");
  EXPECT_EQ(portable.dataDirectory, "/opt/tamberlin");

  const SettingsLocation installed =
      settingsLocation("/usr/bin/tamberlin", false, "/home/ham/.config/Tamberlin");
  EXPECT_EQ(installed.settingsFile, "/home/ham/.config/Tamberlin/tamberlin.ini");
  EXPECT_EQ(installed.dataDirectory, "/home/ham/.config/Tamberlin");

  EXPECT_EQ(settingsLocation("C:/Ham/Tamberlin.exe", true, "").settingsFile, "C:/Ham/Tamberlin.ini");
}

}  // namespace
}  // namespace tamberlin
