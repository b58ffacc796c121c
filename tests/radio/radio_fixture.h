#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "radio/radio_link.h"
#include "radio/simulated_radio.h"
#include "support/clock.h"

namespace tamberlin::test {

class RecordingObserver final : public RadioLinkObserver {
 public:
  void logLine(const std::string& text) override {
    std::lock_guard lock(mutex_);
    lines_.push_back(text);
  }
  void setProgress(int position) override {
    std::lock_guard lock(mutex_);
    progress_.push_back(position);
  }
  std::vector<std::string> lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  std::vector<int> progress() const {
    std::lock_guard lock(mutex_);
    return progress_;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
    progress_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::vector<int> progress_;
};

// A simulated radio, a clock that moves 10 ms per reading (so a polling loop
// reaches its time-out quickly) and a link that logs into `log`.
struct LinkFixture {
  SimulatedRadio radio;
  FakeClock clock{std::chrono::milliseconds(10)};
  RecordingObserver log;
  RadioLink link{radio, clock, log};

  bool open() { return link.OpenConnection(radio.path()); }
};

}  // namespace tamberlin::test
