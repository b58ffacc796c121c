#pragma once

#include <QString>

namespace tamberlin {

// Where this run keeps its settings file and its downloaded databases
// ("dmr_database.dat" and the others): both in one folder, chosen once.
struct AppPaths {
  QString settingsFile;
  QString dataDirectory;
};

// Beside the executable when that folder is writable, else in the user's
// configuration folder (created when missing).
AppPaths appPaths();

}  // namespace tamberlin
