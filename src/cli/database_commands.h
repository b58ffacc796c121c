#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tamberlin {

// db-import CSV [--dir DIR], db-info [--dir DIR], db-search TEXT [--country C]
// [--dir DIR]: the user database files of a data folder (default: the
// current one). `args` start with the command name; the exit code.
int databaseImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int databaseInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// db-download [--http] [--dir DIR] [--settings FILE]: what the two download
// buttons do, into DIR, with the servers the settings file names.
int databaseDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int databaseSearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kDatabaseUsage;

}  // namespace tamberlin
