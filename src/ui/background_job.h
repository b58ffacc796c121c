#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

namespace tamberlin {

// Runs one piece of long work at a time on a worker thread and hands its end
// back to the window's thread, so the window keeps painting and answering
// while a download or a parse of 300,000 lines runs. Destroying the job asks
// the work to stop (cancelRequested) and waits for it.
class BackgroundJob {
 public:
  explicit BackgroundJob(QObject* owner) : owner_(owner) {}
  ~BackgroundJob();
  BackgroundJob(const BackgroundJob&) = delete;
  BackgroundJob& operator=(const BackgroundJob&) = delete;

  // Starts `work` on the worker; `done` then runs on the owner's thread. false
  // (and nothing runs) while earlier work has not finished.
  bool run(std::function<void()> work, std::function<void()> done);
  bool busy() const { return busy_; }
  const std::atomic<bool>* cancelRequested() const { return &cancel_; }
  // Lets the owner's thread run queued calls from the worker (progress) on its
  // own, by posting them through the owner.
  void post(std::function<void()> call) const;
  // Waits for the work to end (tests, shutdown).
  void wait();

 private:
  QObject* owner_;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  bool busy_ = false;
};

}  // namespace tamberlin
