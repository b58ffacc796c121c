#pragma once

#include <string>

#include "support/ini_document.h"

namespace tamberlin {

inline constexpr const char* kServersSection = "Servers";

// The web servers the databases come from, as the [Servers] section of the
// settings file names them; a missing or blank key keeps the default.
struct ServerSettings {
  std::string userDatabaseServer = "www.radioid.net";  // key UserDatabaseServer: the HTTPS user database
  std::string listServer =
      "ham-digital.org";  // key ListServer: the HTTP user database and the last-heard list
  std::string repeaterListServer = "ham-digital.org";  // key RepeaterListServer
  std::string databaseWebSite =
      "https://www.radioid.net/";  // key DatabaseWebSite: opened from the programming window
};

ServerSettings readServerSettings(const IniDocument& document);

}  // namespace tamberlin
