#pragma once

#include <string>

#include "databases/server_settings.h"

namespace tamberlin {

enum class DownloadKind { UserDatabase, LastHeard, RepeaterList };

// What a download button fetches and where the answer is saved.
struct DownloadSource {
  DownloadKind kind;
  std::string url;
  std::string fileName;
};

// DownloadDatabaseBitBtn1 (HTTPS, first server) and DownloadDatabaseBitBtn2 (HTTP, list server).
DownloadSource userDatabaseSource(const ServerSettings& servers, bool https);
// With a positive ID the list is asked for around that ID.
DownloadSource lastHeardSource(const ServerSettings& servers, int id);
DownloadSource repeaterListSource(const ServerSettings& servers, bool https);

}  // namespace tamberlin
