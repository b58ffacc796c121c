#pragma once

#include <atomic>
#include <chrono>

// Time as the radio link sees it. Waits and time-outs read a Clock so that a
// test can run a 500-second time-out without waiting for it.
namespace tamberlin {

class Clock {
 public:
  using Duration = std::chrono::nanoseconds;
  using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

  virtual ~Clock() = default;
  virtual TimePoint now() = 0;
  virtual void sleepFor(Duration duration) = 0;
};

// The machine's monotonic clock.
class SteadyClock final : public Clock {
 public:
  TimePoint now() override;
  void sleepFor(Duration duration) override;

  // One is enough for the whole program.
  static SteadyClock& instance();
};

// A clock that only moves when told to: sleeping advances it at once, and
// every reading may advance it by a fixed step, so that a loop that polls
// without sleeping still reaches its time-out. Safe to use from several threads.
class FakeClock final : public Clock {
 public:
  explicit FakeClock(Duration stepPerReading = Duration::zero()) : step_(stepPerReading.count()) {}

  TimePoint now() override { return TimePoint(Duration(ticks_.fetch_add(step_.load()) + step_.load())); }
  void sleepFor(Duration duration) override { ticks_ += duration.count(); }

  void advance(Duration duration) { ticks_ += duration.count(); }
  void setStepPerReading(Duration step) { step_ = step.count(); }
  Duration elapsed() const { return Duration(ticks_.load()); }

 private:
  std::atomic<Duration::rep> ticks_{0};
  std::atomic<Duration::rep> step_;
};

}  // namespace tamberlin
