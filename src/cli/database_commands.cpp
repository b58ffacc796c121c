#include "cli/database_commands.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/program_location.h"
#include "cli/stream_prompt.h"
#include "codeplug/ccommon.h"
#include "databases/country_list.h"
#include "databases/curl_http_client.h"
#include "databases/database_folder.h"
#include "databases/database_parse.h"
#include "databases/database_view.h"
#include "databases/download_sources.h"
#include "databases/downloader.h"
#include "databases/last_heard.h"
#include "databases/server_settings.h"
#include "databases/user_database.h"
#include "support/clock.h"
#include "support/ini_document.h"

namespace tamberlin {

const char* const kDatabaseUsage =
    "       tamberlin-cli db-import CSV [--dir DIR]\n"
    "       tamberlin-cli db-info [--dir DIR]\n"
    "       tamberlin-cli db-search TEXT [--country COUNTRY] [--dir DIR]\n"
    "       tamberlin-cli db-download [--http] [--dir DIR] [--settings FILE]\n"
    "         DIR and FILE default to the folder and settings file the program uses\n";

namespace {

struct DatabaseArgs {
  // Without --dir and --settings the program's own folder and settings file.
  std::filesystem::path directory;
  std::optional<std::string> country;
  std::vector<std::string> positional;
  // db-download only.
  bool http = false;
  std::optional<std::filesystem::path> settings;
  CurlHttpClientOptions client;
};

enum class Takes { Nothing, Country, DownloadOptions };

std::optional<DatabaseArgs> parseArgs(const std::vector<std::string>& args, Takes takes) {
  DatabaseArgs parsed;
  for (size_t i = 1; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--dir" && hasValue) {
      parsed.directory = args[++i];
    } else if (args[i] == "--country" && takes == Takes::Country && hasValue) {
      parsed.country = args[++i];
    } else if (takes == Takes::DownloadOptions && args[i] == "--http") {
      parsed.http = true;
    } else if (takes == Takes::DownloadOptions && args[i] == "--settings" && hasValue) {
      parsed.settings = args[++i];
    } else if (takes == Takes::DownloadOptions && args[i] == "--connect-to" && hasValue) {
      // Not in the usage, nor --no-proxy and --ca-file: let a test server on a free port stand in for 80 or
      // 443.
      parsed.client.connectTo.push_back(args[++i]);
    } else if (takes == Takes::DownloadOptions && args[i] == "--no-proxy" && hasValue) {
      parsed.client.noProxy = args[++i];
    } else if (takes == Takes::DownloadOptions && args[i] == "--ca-file" && hasValue) {
      parsed.client.caFile = args[++i];
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      parsed.positional.push_back(args[i]);
    }
  }
  if (parsed.directory.empty() || !parsed.settings) {
    const SettingsLocation program = currentProgramLocation();
    if (parsed.directory.empty()) {
      parsed.directory = program.dataDirectory;
      std::error_code ignored;
      std::filesystem::create_directories(parsed.directory, ignored);
    }
    if (!parsed.settings) parsed.settings = program.settingsFile;
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

// Says on stderr which URL is being fetched, as the progress label does.
class StartLine final : public FetchObserver {
 public:
  StartLine(const Downloader& downloader, std::ostream& err) : downloader_(downloader), err_(err) {}
  void fetchBegin(int) override { err_ << downloader_.startText() << '\n'; }

 private:
  const Downloader& downloader_;
  std::ostream& err_;
};

int usage(std::ostream& err) {
  err << "usage:\n" << kDatabaseUsage;
  return 2;
}

std::string loadProblem(int code) {
  if (code == -2) return "no file";
  return "damaged (load code " + std::to_string(code) + ")";
}

// The two lists of a data folder as the program holds them at start-up, so
// a parse completes the last-heard file from the new database as it does there.
struct LoadedLists {
  explicit LoadedLists(const std::filesystem::path& directory) : folder(common, directory) {
    folder.load(silentProgress());
  }
  DatabaseLists lists() { return folder.lists(); }

  CCommon common;
  DatabaseFolder folder;
  UserDatabase& database = folder.database();
  LastHeardList& lastHeard = folder.lastHeard();
};

}  // namespace

int databaseImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = parseArgs(args, Takes::Nothing);
  if (!parsed || parsed->positional.size() != 1) return usage(err);
  LoadedLists loaded(parsed->directory);
  UserDatabase& database = loaded.database;
  LastHeardList& lastHeard = loaded.lastHeard;
  LastStatus status;
  const int result = importDatabase(parsed->positional[0], loaded.lists(), status);
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
  const auto parsed = parseArgs(args, Takes::Nothing);
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
  const auto parsed = parseArgs(args, Takes::Country);
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

int databaseDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = parseArgs(args, Takes::DownloadOptions);
  if (!parsed || !parsed->positional.empty()) return usage(err);
  // A missing settings file reads as empty: the default servers.
  const ServerSettings servers = readServerSettings(readIniFile(*parsed->settings));
  const DownloadSource source = userDatabaseSource(servers, !parsed->http);
  LoadedLists loaded(parsed->directory);

  Downloader downloader;
  CurlHttpClient client(parsed->client);
  StreamPrompt prompt(err);
  StartLine startLine(downloader, err);
  std::vector<uint8_t> body;
  const int downloaded =
      downloader.download(client, SteadyClock::instance(), source.url,
                          {parsed->directory, source.fileName, {}}, prompt, startLine, body);
  if (downloaded < 0) {
    err << "[" << downloaded << "]\n";
    return 1;
  }
  LastStatus status;
  // As the buttons do: the body is a user database, whatever its first line.
  const int result = parseDatabase(2, body, loaded.lists(), status);
  if (result < 0) {
    err << status.text() << " [" << result << "]\n";
    return 1;
  }
  out << "database: " << loaded.database.records()->size() << " records in "
      << loaded.database.filePath().string() << "\n";
  return 0;
}

}  // namespace tamberlin
