#pragma once

#include <QWidget>

namespace tamberlin {

// Suspends redrawing of a widget while an editor refreshes and resumes it at
// the end of the scope, if it was the one that suspended it.
class LockWindow {
 public:
  explicit LockWindow(QWidget* widget) : widget_(widget && widget->updatesEnabled() ? widget : nullptr) {
    if (widget_) widget_->setUpdatesEnabled(false);
  }
  ~LockWindow() {
    if (widget_) widget_->setUpdatesEnabled(true);
  }
  LockWindow(const LockWindow&) = delete;
  LockWindow& operator=(const LockWindow&) = delete;

 private:
  QWidget* widget_;
};

}  // namespace tamberlin
