#pragma once

#include <string_view>

namespace tamberlin {

// The status label and progress bar beside the database list. Long database
// work reports through it; every call may be ignored. The window repaints
// inside these calls, which is why the callers report only every few hundred
// lines.
class DatabaseProgress {
 public:
  virtual ~DatabaseProgress() = default;
  // An empty text clears the label.
  virtual void status(std::string_view /*text*/) {}
  // Shows the bar with this maximum and moves it to 0.
  virtual void setRange(int /*maximum*/) {}
  virtual void setPosition(int /*value*/) {}
  virtual void hide() {}
};

// For work nobody watches.
inline DatabaseProgress& silentProgress() {
  static DatabaseProgress silent;
  return silent;
}

}  // namespace tamberlin
