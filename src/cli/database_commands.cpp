#include "cli/database_commands.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "codeplug/ccommon.h"
#include "databases/country_list.h"
#include "databases/database_parse.h"
#include "databases/database_view.h"
#include "databases/last_heard.h"
#include "databases/user_database.h"

namespace tamberlin {

const char* const kDatabaseUsage =
    "       tamberlin-cli db-import CSV [--dir DIR]\n"
    "       tamberlin-cli db-info [--dir DIR]\n"
    "       tamberlin-cli db-search TEXT [--country COUNTRY] [--dir DIR]\n";

namespace {

struct DatabaseArgs {
  std::filesystem::path directory = ".";
  std::optional<std::string> country;
  std::vector<std::string> positional;
};

std::optional<DatabaseArgs> parseArgs(const std::vector<std::string>& args, bool takesCountry) {
  DatabaseArgs parsed;
  for (size_t i = 1; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--dir" && hasValue) {
      parsed.directory = args[++i];
    } else if (args[i] == "--country" && takesCountry && hasValue) {
      parsed.country = args[++i];
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      parsed.positional.push_back(args[i]);
    }
  }
  return parsed;
}

// Keeps the last status text, which says what went wrong when a step fails.
class LastStatus final : public DatabaseProgress {
 public:
  void status(std::string_view text) override {
    if (!text.empty()) text_ = text;
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

int usage(std::ostream& err) {
  err << "usage:\n" << kDatabaseUsage;
  return 2;
}

std::string loadProblem(int code) {
  if (code == -2) return "no file";
  return "damaged (load code " + std::to_string(code) + ")";
}

}  // namespace

int databaseImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = parseArgs(args, false);
  if (!parsed || parsed->positional.size() != 1) return usage(err);
  CCommon common;
  UserDatabase database(common, parsed->directory);
  LastHeardList lastHeard(parsed->directory);
  // As at start-up: a last-heard file is completed from the database there.
  database.load(database.filePath());
  lastHeard.load(silentProgress());
  LastStatus status;
  const int result = importDatabase(parsed->positional[0], {database, lastHeard}, status);
  if (result < 0) {
    err << (status.text().empty() ? "Cannot open " + parsed->positional[0] : status.text()) << " [" << result
        << "]\n";
    return 1;
  }
  out << "database: " << database.records()->size() << " records in " << database.filePath().string() << "\n";
  out << "last heard: " << lastHeard.records()->size() << " records in " << lastHeard.filePath().string()
      << "\n";
  return 0;
}

int databaseInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = parseArgs(args, false);
  if (!parsed || !parsed->positional.empty()) return usage(err);
  CCommon common;
  UserDatabase database(common, parsed->directory);
  const int loaded = database.load(database.filePath());
  database.rebuildCountryList(silentProgress());
  out << "file: " << database.filePath().string() << " " << (loaded >= 0 ? "ok" : loadProblem(loaded))
      << "\n";
  out << "records: " << database.records()->size() << "\n";
  out << "countries: " << database.countries().size() << "\n";
  LastHeardList lastHeard(parsed->directory);
  const int heard = lastHeard.load(silentProgress());
  out << "last heard: " << lastHeard.filePath().string() << " " << (heard >= 0 ? "ok" : loadProblem(heard))
      << ", " << lastHeard.records()->size() << " records\n";
  return loaded >= 0 || loaded == -2 ? 0 : 1;
}

int databaseSearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = parseArgs(args, true);
  if (!parsed || parsed->positional.size() != 1) return usage(err);
  CCommon common;
  UserDatabase database(common, parsed->directory);
  database.load(database.filePath());
  const DatabaseView view =
      buildDatabaseView(DatabaseSource::Database, database.records(), parsed->country.value_or("All"),
                        parsed->positional[0], silentProgress());
  out << "DMR ID\tCallsign\tName\tCity\tState\tCountry\n";
  for (size_t i = 0; i < view.size(); ++i) {
    const DatabaseEntryView r = view.row(i);
    out << r.radioId() << '\t' << r.callSign() << '\t' << r.name() << '\t' << r.city() << '\t' << r.state()
        << '\t' << r.country() << '\n';
  }
  err << databaseViewTitle(DatabaseSource::Database, view.size(), 0) << "\n";
  return 0;
}

}  // namespace tamberlin
