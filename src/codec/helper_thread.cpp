#include "codec/helper_thread.h"

#include <utility>

namespace vortane {

HelperThread::HelperThread() : thread_([this] { Run(); }) {}

HelperThread::~HelperThread() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !pending_; });
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void HelperThread::Start(std::function<void()> job) {
  {
    const std::lock_guard lock(mutex_);
    job_ = std::move(job);
    pending_ = true;
  }
  changed_.notify_all();
}

void HelperThread::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !pending_; });
}

void HelperThread::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || quit_; });
    if (!pending_) {
      return;
    }
    std::function<void()> job = std::move(job_);
    lock.unlock();
    job();
    lock.lock();
    pending_ = false;
    changed_.notify_all();
  }
}

}  // namespace vortane
