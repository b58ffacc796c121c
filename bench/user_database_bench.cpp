// Times the user database on a generated 300,000-line users.csv against the
// LZ4 work at its core: an import (read, parse, sort, de-duplicate, save)
// against LZ4 HC level 3 compression of the same records, a load (read, CRCs,
// decompression) against LZ4 decompression of the same block, one search over
// all records against the load, and a file of one repeated ID against a
// normal file of the same length. Prints the figures; exits 1 when a target
// is missed.
#include <lz4.h>
#include <lz4hc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "codeplug/ccommon.h"
#include "databases/database_parse.h"
#include "databases/database_view.h"
#include "databases/last_heard.h"
#include "databases/user_database.h"

namespace {

using namespace tamberlin;
namespace fs = std::filesystem;

double bestOf3(const std::function<void()>& work) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
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

bool report(const char* what, double ratio, double limit) {
  const bool ok = ratio <= limit;
  std::printf("  %-44s %6.2f (target <= %.2f) %s\n", what, ratio, limit, ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace

int main() {
  const fs::path directory = fs::temp_directory_path() / ("tamberlin-bench-" + std::to_string(::getpid()));
  fs::create_directories(directory);
  const fs::path users = directory / "users.csv";
  writeUsersCsv(users, 300000, 0);
  std::printf("users.csv: 300000 lines, %.1f MB\n", static_cast<double>(fs::file_size(users)) / 1e6);

  size_t count = 0;
  const double import = importSeconds(users, directory, count);
  CCommon common;
  UserDatabase database(common, directory);
  const fs::path dat = database.filePath();
  if (database.load(dat) != static_cast<int>(count)) return 2;
  const auto raw = database.records()->bytes();

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
  CCommon fresh;
  const double load = bestOf3([&] {
    UserDatabase again(fresh, directory);
    if (again.load(dat) != static_cast<int>(count)) std::exit(2);
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

  std::printf("records %zu, array %.1f MB, file %.1f MB\n", count, static_cast<double>(raw.size()) / 1e6,
              static_cast<double>(fs::file_size(dat)) / 1e6);
  std::printf("  db-import (read, parse, sort, de-duplicate, save) %8.1f ms\n", import * 1e3);
  std::printf("  LZ4 HC level 3 compression of the records      %8.1f ms\n", compress * 1e3);
  std::printf("  load (read, CRCs, decompress)                  %8.1f ms\n", load * 1e3);
  std::printf("  LZ4 decompression of the block                 %8.1f ms\n", decompress * 1e3);
  std::printf("  search \"mar\" over all records (%zu hits)     %8.1f ms\n", hits, search * 1e3);
  std::printf("  import, 200000 lines of unique IDs (%zu)      %8.1f ms\n", normalCount, normalImport * 1e3);
  std::printf("  import, 200000 lines of one ID (%zu)               %8.1f ms\n", repeatedCount,
              repeatedImport * 1e3);
  bool ok = true;
  ok &= report("import / compression", import / compress, 2.5);
  ok &= report("load / decompression", load / decompress, 2.0);
  ok &= report("search / load", search / load, 0.1);
  ok &= report("one repeated ID / unique IDs", repeatedImport / normalImport, 1.5);
  fs::remove_all(directory);
  return ok ? 0 : 1;
}
