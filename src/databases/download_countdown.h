#pragma once

namespace tamberlin {

// Keeps the download buttons of a window disabled for six ticks of its
// one-second timer after every attempt, and from the window's creation. A
// running download holds the countdown, so the buttons never come back while
// it runs, even when it runs off the window's thread.
class DownloadCountdown {
 public:
  static constexpr int kTicks = 6;

  void restart() {
    ticks_ = kTicks;
    enabled_ = false;
  }
  void enableNow() { enabled_ = true; }
  void setBusy(bool busy) { busy_ = busy; }
  // One timer tick; true when the buttons should be enabled now.
  bool tick() {
    if (busy_ || ticks_ == 0) return false;
    if (--ticks_ > 0) return false;
    enabled_ = true;
    return true;
  }
  bool buttonsEnabled() const { return enabled_ && !busy_; }
  bool busy() const { return busy_; }

 private:
  int ticks_ = kTicks;
  bool enabled_ = false;
  bool busy_ = false;
};

}  // namespace tamberlin
