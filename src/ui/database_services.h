#pragma once

#include <filesystem>

#include "databases/server_settings.h"

namespace tamberlin {

class Clock;
class FileDialog;
class HttpClient;

// What the windows that download and keep the online databases need from the
// program: where the files go, the web servers, the network and a clock for
// its stall rule, and a file dialog for imports.
struct DatabaseServices {
  // "dmr_database.dat", "dmr_last_heard.dat" and the downloaded .csv files.
  std::filesystem::path dataDirectory;
  ServerSettings servers;
  HttpClient& http;
  Clock& clock;
  FileDialog& fileDialog;
};

}  // namespace tamberlin
