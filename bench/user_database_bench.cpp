// Times the user database on a generated 300,000-line users.csv against the
// lz4 command-line tool on the same records, each as a whole process:
// tamberlin-cli db-import (read, parse, sort, de-duplicate, save) against
// `lz4 -3` compressing the record array, db-info (read, CRCs, decompress)
// against `lz4 -d` of that block. In the process: one search over all records
// against a load, and a file of one repeated ID against a normal file of the
// same length. Peak memory of db-search with the database loaded against the
// record array plus what db-search takes over an empty data folder. Prints the
// figures; exits 1 when a target is missed.
#include <fcntl.h>
#include <lz4.h>
#include <lz4hc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "codeplug/ccommon.h"
#include "databases/database_parse.h"
#include "databases/database_view.h"
#include "databases/last_heard.h"
#include "databases/user_database.h"

extern char** environ;

namespace {

using namespace tamberlin;
namespace fs = std::filesystem;

double bestOf3(const std::function<void()>& work) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) best = std::min(best, bench::seconds(work));
  return best;
}

struct Run {
  double seconds = 0;
  long peakKiB = 0;
};

// Runs a program with stdout and stderr sent to /dev/null; stops the bench
// when it cannot be started or does not exit 0.
Run runProcess(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    std::fprintf(stderr, "cannot start %s\n", args[0].c_str());
    std::exit(2);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", args[0].c_str());
    std::exit(2);
  }
  Run run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKiB = usage.ru_maxrss;
  return run;
}

// Best of three runs; `before` runs ahead of each, untimed.
Run bestRunOf3(
    const std::vector<std::string>& args, const std::function<void()>& before = [] {}) {
  Run best{1e9, 0};
  for (int round = 0; round < 3; ++round) {
    before();
    const Run run = runProcess(args);
    best.seconds = std::min(best.seconds, run.seconds);
    best.peakKiB = std::max(best.peakKiB, run.peakKiB);
  }
  return best;
}

std::optional<std::string> lz4Tool() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    const size_t end = std::min(dirs.find(':', start), dirs.size());
    const fs::path candidate = fs::path(dirs.substr(start, end - start)) / "lz4";
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return std::nullopt;
}

std::string word(std::mt19937& random, size_t minLength, size_t maxLength, bool capital) {
  std::uniform_int_distribution<size_t> length(minLength, maxLength);
  std::uniform_int_distribution<int> letter(0, 25);
  std::string text;
  const size_t n = length(random);
  for (size_t i = 0; i < n; ++i)
    text.push_back(static_cast<char>((capital && i == 0 ? 'A' : 'a') + letter(random)));
  return text;
}

std::string callSign(std::mt19937& random) {
  static const char* const prefixes[] = {"DL", "G", "F", "ON", "PA", "OE", "HB9", "K", "W", "VK", "JA", "EA"};
  std::uniform_int_distribution<int> prefix(0, 11), digit(0, 9);
  std::string text = prefixes[prefix(random)] + std::to_string(digit(random)) + word(random, 2, 3, false);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Seven fields, ascending unique IDs as the download has them; with
// `repeatedId` every line carries that one ID.
void writeUsersCsv(const fs::path& path, int lines, int repeatedId) {
  static const char* const countries[] = {"Germany",     "United States", "United Kingdom", "France",
                                          "Netherlands", "Italy",         "Spain",          "Australia",
                                          "Japan",       "Brazil",        "Austria",        "Canada"};
  std::mt19937 random(42);
  std::uniform_int_distribution<int> country(0, 11), gap(1, 9);
  std::ofstream out(path, std::ios::binary);
  out << "Radio_ID,Callsign,Name,City,State,Country,Remarks\n";
  int id = 1023001;
  for (int i = 0; i < lines; ++i) {
    id += gap(random);
    out << (repeatedId > 0 ? repeatedId : id) << ',' << callSign(random) << ',' << word(random, 3, 8, true)
        << ' ' << word(random, 4, 10, true) << ',' << word(random, 4, 12, true) << ','
        << word(random, 4, 14, true) << ',' << countries[country(random)] << ",DMR\n";
  }
}

double importSeconds(const fs::path& csv, const fs::path& directory, size_t& records) {
  CCommon common;
  return bestOf3([&] {
    UserDatabase database(common, directory);
    LastHeardList lastHeard(directory);
    if (importDatabase(csv.string(), {database, lastHeard}, silentProgress()) != 0) std::exit(2);
    records = database.records()->size();
  });
}

void writeFile(const fs::path& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::exit(2);
}

bool report(const char* what, double ratio, double limit) {
  const bool ok = ratio <= limit;
  std::printf("  %-52s %6.2f (target <= %.2f) %s\n", what, ratio, limit, ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace

int main() {
  const fs::path directory = fs::temp_directory_path() / ("tamberlin-bench-" + std::to_string(::getpid()));
  const fs::path binDir = fs::read_symlink("/proc/self/exe").parent_path();
  const std::string cli = (binDir / "tamberlin-cli").string();
  if (::access(cli.c_str(), X_OK) != 0) {
    std::fprintf(stderr, "no tamberlin-cli beside the bench: %s\n", cli.c_str());
    return 2;
  }
  const std::optional<std::string> lz4 = lz4Tool();
  fs::create_directories(directory);
  const fs::path users = directory / "users.csv";
  writeUsersCsv(users, 300000, 0);
  std::printf("users.csv: 300000 lines, %.1f MB\n", static_cast<double>(fs::file_size(users)) / 1e6);

  // db-import as a process, each round into a data folder without a database.
  const fs::path data = directory / "data";
  const Run cliImport = bestRunOf3({cli, "db-import", users.string(), "--dir", data.string()}, [&] {
    fs::remove_all(data);
    fs::create_directories(data);
  });
  const Run cliInfo = bestRunOf3({cli, "db-info", "--dir", data.string()});
  const fs::path empty = directory / "empty";
  fs::create_directories(empty);
  const Run searchLoaded = bestRunOf3({cli, "db-search", "mar", "--dir", data.string()});
  const Run searchEmpty = bestRunOf3({cli, "db-search", "mar", "--dir", empty.string()});

  CCommon common;
  UserDatabase database(common, data);
  const fs::path dat = database.filePath();
  const int count = database.load(dat);
  if (count <= 0) return 2;
  const auto raw = database.records()->bytes();
  const fs::path array = directory / "array.bin";
  const fs::path arrayLz4 = directory / "array.lz4";
  const fs::path arrayOut = directory / "array.out";
  writeFile(array, raw);

  Run lz4Compress, lz4Decompress;
  if (lz4) {
    lz4Compress = bestRunOf3({*lz4, "-3", "-f", array.string(), arrayLz4.string()});
    lz4Decompress = bestRunOf3({*lz4, "-d", "-f", arrayLz4.string(), arrayOut.string()});
  }

  std::vector<char> block(static_cast<size_t>(LZ4_compressBound(static_cast<int>(raw.size()))));
  int compressedSize = 0;
  const double compress = bestOf3([&] {
    compressedSize = LZ4_compress_HC(reinterpret_cast<const char*>(raw.data()), block.data(),
                                     static_cast<int>(raw.size()), static_cast<int>(block.size()), 3);
  });
  std::vector<char> decompressed(raw.size());
  const double decompress = bestOf3([&] {
    if (LZ4_decompress_safe(block.data(), decompressed.data(), compressedSize,
                            static_cast<int>(raw.size())) != static_cast<int>(raw.size())) {
      std::exit(2);
    }
  });
  std::vector<char>().swap(decompressed);
  std::vector<char>().swap(block);

  CCommon fresh;
  const double load = bestOf3([&] {
    UserDatabase again(fresh, data);
    if (again.load(dat) != count) std::exit(2);
  });
  size_t hits = 0;
  const double search = bestOf3([&] {
    hits = buildDatabaseView(DatabaseSource::Database, database.records(), "All ", "mar", silentProgress())
               .size();
  });

  const fs::path normal200 = directory / "normal200.csv";
  const fs::path repeated200 = directory / "repeated200.csv";
  writeUsersCsv(normal200, 200000, 0);
  writeUsersCsv(repeated200, 200000, 2345678);
  size_t normalCount = 0, repeatedCount = 0;
  const double normalImport = importSeconds(normal200, directory / "n", normalCount);
  const double repeatedImport = importSeconds(repeated200, directory / "r", repeatedCount);

  const double arrayMB = static_cast<double>(raw.size()) / 1e6;
  const double loadedMB = static_cast<double>(searchLoaded.peakKiB) * 1024 / 1e6;
  const double emptyMB = static_cast<double>(searchEmpty.peakKiB) * 1024 / 1e6;
  std::printf("records %d, array %.1f MB, file %.1f MB\n", count, arrayMB,
              static_cast<double>(fs::file_size(dat)) / 1e6);
  std::printf("  tamberlin-cli db-import (process)                    %8.1f ms\n", cliImport.seconds * 1e3);
  std::printf("  tamberlin-cli db-info (process)                      %8.1f ms\n", cliInfo.seconds * 1e3);
  if (lz4) {
    std::printf("  lz4 -3 of the record array (process)                 %8.1f ms\n",
                lz4Compress.seconds * 1e3);
    std::printf("  lz4 -d of that block (process)                       %8.1f ms\n",
                lz4Decompress.seconds * 1e3);
  } else {
    std::printf("  no lz4 tool on PATH (Debian package lz4): its ratios are skipped\n");
  }
  std::printf("  load in the process (read, CRCs, decompress, index)  %8.1f ms\n", load * 1e3);
  std::printf("  search \"mar\" over all records (%zu hits)           %8.2f ms\n", hits, search * 1e3);
  std::printf("  LZ4 HC level 3 in the process (information)          %8.1f ms\n", compress * 1e3);
  std::printf("  LZ4 decompression in the process (information)       %8.1f ms\n", decompress * 1e3);
  std::printf("  db-search peak: loaded %.1f MB, empty folder %.1f MB\n", loadedMB, emptyMB);
  std::printf("  import, 200000 lines of unique IDs (%zu)            %8.1f ms\n", normalCount,
              normalImport * 1e3);
  std::printf("  import, 200000 lines of one ID (%zu)                     %8.1f ms\n", repeatedCount,
              repeatedImport * 1e3);
  bool ok = true;
  if (lz4) {
    ok &= report("db-import / lz4 -3", cliImport.seconds / lz4Compress.seconds, 2.5);
    ok &= report("db-info / lz4 -d", cliInfo.seconds / lz4Decompress.seconds, 2.0);
  }
  ok &= report("search / load", search / load, 0.1);
  ok &= report("(db-search peak - empty folder peak) / array", (loadedMB - emptyMB) / arrayMB, 1.3);
  ok &= report("one repeated ID / unique IDs", repeatedImport / normalImport, 1.5);
  fs::remove_all(directory);
  return ok ? 0 : 1;
}
