#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "codeplug/ccommon.h"
#include "databases/database_csv.h"
#include "databases/database_parse.h"
#include "databases/database_progress.h"
#include "databases/last_heard.h"
#include "databases/user_database.h"
#include "support/temp_dir.h"

namespace tamberlin::test {

// Keeps what the status label and the progress bar were told.
class RecordingProgress final : public DatabaseProgress {
 public:
  void status(std::string_view text) override { statuses.emplace_back(text); }
  void setRange(int maximum) override { ranges.push_back(maximum); }
  void setPosition(int value) override { positions.push_back(value); }
  void hide() override { ++hides; }

  bool showed(std::string_view text) const {
    for (const std::string& s : statuses) {
      if (s == text) return true;
    }
    return false;
  }

  std::vector<std::string> statuses;
  std::vector<int> ranges;
  std::vector<int> positions;
  int hides = 0;
};

inline std::vector<uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// The window's two lists over a fresh data folder.
class DatabaseFixture : public ::testing::Test {
 protected:
  int parse(int kind, std::string_view text) {
    return parseDatabase(kind, bytesOf(text), {database, lastHeard}, progress);
  }
  const DatabaseRecordSet& users() const { return *database.records(); }
  const DatabaseRecordSet& heard() const { return *lastHeard.records(); }
  std::vector<int32_t> ids(const DatabaseRecordSet& records) const {
    std::vector<int32_t> out;
    for (size_t i = 0; i < records.size(); ++i) out.push_back(records[i].radioId());
    return out;
  }

  TempDir dir;
  CCommon common;
  UserDatabase database{common, dir.path()};
  LastHeardList lastHeard{dir.path()};
  RecordingProgress progress;
};

}  // namespace tamberlin::test
