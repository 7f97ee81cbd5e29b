// A second thread that runs one job at a time for its owner: PumpStream's
// reading and writing, so that decoding one block overlaps writing the last
// and reading the next.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vortane {

class HelperThread {
 public:
  HelperThread();
  // Waits for a job still running, then ends the thread.
  ~HelperThread();
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;

  // Starts `job` on the thread. Only one job runs at a time: call Wait before
  // the next Start. What the job uses must stay valid until Wait returns.
  void Start(std::function<void()> job);
  // Waits for the job started last to finish.
  void Wait();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool pending_ = false;  // a job was started and has not finished
  bool quit_ = false;
  std::thread thread_;  // last, so that it starts after the members above exist
};

}  // namespace vortane
