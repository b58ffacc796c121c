#include "databases/download_sources.h"

#include <gtest/gtest.h>

namespace tamberlin {
namespace {

TEST(ServerSettings, DefaultsUnlessTheSettingsFileNamesAServer) {
  const ServerSettings defaults = readServerSettings(IniDocument());
  EXPECT_EQ(defaults.userDatabaseServer, "www.radioid.net");
  EXPECT_EQ(defaults.listServer, "ham-digital.org");
  EXPECT_EQ(defaults.repeaterListServer, "ham-digital.org");
  EXPECT_EQ(defaults.databaseWebSite, "https://www.radioid.net/");

  const ServerSettings read =
      readServerSettings(IniDocument::parse("[servers]\r\nuserdatabaseserver= ids.example.org "
                                            "\r\nListServer=\r\nRepeaterListServer=rpt.example.net\r\n"
                                            "DatabaseWebSite=https://ids.example.org/info\r\n"));
  EXPECT_EQ(read.userDatabaseServer, "ids.example.org");
  EXPECT_EQ(read.listServer, "ham-digital.org");  // blank keeps the default
  EXPECT_EQ(read.repeaterListServer, "rpt.example.net");
  EXPECT_EQ(read.databaseWebSite, "https://ids.example.org/info");
}

TEST(DownloadSources, UrlAndFileOfEveryButton) {
  ServerSettings servers;
  servers.userDatabaseServer = "first.example";
  servers.listServer = "second.example";
  servers.repeaterListServer = "repeaters.example";
  struct Case {
    DownloadSource source;
    DownloadKind kind;
    std::string url;
    std::string fileName;
  };
  const std::vector<Case> cases = {
      {userDatabaseSource(servers, true), DownloadKind::UserDatabase,
       "https://first.example/static/users.csv", "database.csv"},
      {userDatabaseSource(servers, false), DownloadKind::UserDatabase,
       "http://second.example/status/users.csv", "database.csv"},
      {lastHeardSource(servers, 0), DownloadKind::LastHeard, "https://second.example/user_by_lh.php",
       "lastheard_0.csv"},
      {lastHeardSource(servers, 2621234), DownloadKind::LastHeard,
       "https://second.example/user_by_lh.php?id=2621234&n=1000", "lastheard_2621234.csv"},
      {repeaterListSource(servers, false), DownloadKind::RepeaterList,
       "http://repeaters.example/status/rptrs.csv", "repeater_database.csv"},
      {repeaterListSource(servers, true), DownloadKind::RepeaterList,
       "https://repeaters.example/status/rptrs.csv", "repeater_database.csv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(c.source.kind, c.kind);
    EXPECT_EQ(c.source.url, c.url);
    EXPECT_EQ(c.source.fileName, c.fileName);
  }
}

}  // namespace
}  // namespace tamberlin
