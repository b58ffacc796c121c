#include "ui/background_job.h"

#include <QMetaObject>

namespace tamberlin {

BackgroundJob::~BackgroundJob() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

bool BackgroundJob::run(std::function<void()> work, std::function<void()> done) {
  if (busy_) return false;
  if (worker_.joinable()) worker_.join();
  busy_ = true;
  cancel_ = false;
  worker_ = std::thread([this, work = std::move(work), done = std::move(done)]() mutable {
    work();
    // The owner's thread learns of the end only after the work is over, so
    // `done` may read whatever the work produced.
    QMetaObject::invokeMethod(
        owner_,
        [this, done = std::move(done)] {
          if (worker_.joinable()) worker_.join();
          busy_ = false;
          done();
        },
        Qt::QueuedConnection);
  });
  return true;
}

void BackgroundJob::post(std::function<void()> call) const {
  QMetaObject::invokeMethod(owner_, std::move(call), Qt::QueuedConnection);
}

void BackgroundJob::wait() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace tamberlin
