// Progress of a sweep on standard error. On a terminal: runs done of the
// total, runs per second and the time left, rewritten in place a few times a
// second. Elsewhere (a batch system's log, a pipe): one line at a time, each
// once a twentieth of the runs has ended since the last line and a minute has
// passed, so a long sweep writes at most twenty lines and a log never fills
// with them. Runs end on several threads: Done() may be called from any.
// The sweep closes with Summary() unless asked to be quiet.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <string>

namespace antraid::experiments {

class Progress {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Shown { kNothing, kInPlace, kLines };
  static constexpr std::chrono::seconds kLineInterval{60};

  // `now` is the clock; tests give their own.
  Progress(std::ostream& err, int64_t total, Shown shown, std::function<Clock::time_point()> now = Clock::now);
  // In place when `inPlace`, else nothing.
  Progress(std::ostream& err, int64_t total, bool inPlace)
      : Progress(err, total, inPlace ? Shown::kInPlace : Shown::kNothing) {}
  void Done(bool ok = true);  // one more run has ended
  void Finish();       // ends the progress line on a terminal

  int64_t done() const;
  int64_t failed() const;
  // "antraid-sweep: 12 runs (1 failed) in 3.4 s; results in DIR": the runs
  // ended since the start, the seconds since the start.
  std::string Summary(const std::string& dir) const;

 private:
  std::string Figures(double seconds) const;
  void ShowInPlace(bool last);
  std::ostream& err_;
  const int64_t total_;
  const Shown shown_;
  const std::function<Clock::time_point()> now_;
  const Clock::time_point start_;
  mutable std::mutex mutex_;
  int64_t done_ = 0;
  int64_t failed_ = 0;
  Clock::time_point lastShown_{};
  int64_t lastLineDone_ = 0;  // runs done at the last line (kLines)
  Clock::time_point lastLine_;
};

}  // namespace antraid::experiments
