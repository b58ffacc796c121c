#include "databases/download_sources.h"

namespace tamberlin {

namespace {

std::string schemeFor(bool https) { return https ? "https://" : "http://"; }

}  // namespace

DownloadSource userDatabaseSource(const ServerSettings& servers, bool https) {
  const std::string url = https ? schemeFor(true) + servers.userDatabaseServer + "/static/users.csv"
                                : schemeFor(false) + servers.listServer + "/status/users.csv";
  return {DownloadKind::UserDatabase, url, "database.csv"};
}

DownloadSource lastHeardSource(const ServerSettings& servers, int id) {
  std::string url = schemeFor(true) + servers.listServer + "/user_by_lh.php";
  if (id > 0) url += "?id=" + std::to_string(id) + "&n=1000";
  return {DownloadKind::LastHeard, url, "lastheard_" + std::to_string(id) + ".csv"};
}

DownloadSource repeaterListSource(const ServerSettings& servers, bool https) {
  return {DownloadKind::RepeaterList, schemeFor(https) + servers.repeaterListServer + "/status/rptrs.csv",
          "repeater_database.csv"};
}

}  // namespace tamberlin
