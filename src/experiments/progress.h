// Progress of a sweep on standard error when it is a terminal: runs done of
// the total, runs per second and the time left, rewritten in place a few
// times a second. Runs end on several threads: Done() may be called from any.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <mutex>

namespace antraid::experiments {

class Progress {
 public:
  // Shows nothing when `shown` is false.
  Progress(std::ostream& err, int64_t total, bool shown);
  void Done();    // one more run has ended
  void Finish();  // ends the progress line

 private:
  void Show(bool last);
  using Clock = std::chrono::steady_clock;
  std::ostream& err_;
  const int64_t total_;
  const bool shown_;
  const Clock::time_point start_ = Clock::now();
  std::mutex mutex_;
  int64_t done_ = 0;
  Clock::time_point lastShown_{};
};

}  // namespace antraid::experiments
