#include "support/high_resolution_tick.h"

namespace tamberlin {

void CHighResolutionTick::restart() {
  std::lock_guard lock(mutex_);
  start_ = clock_.now();
}

double CHighResolutionTick::elapsedSeconds() {
  std::lock_guard lock(mutex_);
  return std::chrono::duration<double>(clock_.now() - start_).count();
}

}  // namespace tamberlin
