#pragma once

#include <mutex>

#include "support/clock.h"

namespace tamberlin {

// A stopwatch: restart, then read the seconds gone since. It may be read from
// another thread than the one that restarts it.
class CHighResolutionTick {
 public:
  explicit CHighResolutionTick(Clock& clock) : clock_(clock), start_(clock.now()) {}

  void restart();
  double elapsedSeconds();
  Clock& clock() { return clock_; }

 private:
  Clock& clock_;
  std::mutex mutex_;
  Clock::TimePoint start_;
};

}  // namespace tamberlin
