#include "experiments/progress.h"

#include <cmath>
#include <ostream>

#include "common/numbers.h"

namespace antraid::experiments {

Progress::Progress(std::ostream& err, int64_t total, Shown shown, std::function<Clock::time_point()> now)
    : err_(err), total_(total), shown_(total > 0 ? shown : Shown::kNothing), now_(std::move(now)), start_(now_()),
      lastLine_(start_) {
  if (shown_ == Shown::kInPlace) ShowInPlace(false);
}

void Progress::Done(bool ok) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++done_;
  if (!ok) ++failed_;
  if (shown_ == Shown::kInPlace) {
    if (now_() - lastShown_ > std::chrono::milliseconds(200)) ShowInPlace(false);
  } else if (shown_ == Shown::kLines) {
    // A twentieth of the runs and a minute since the last line, both.
    const Clock::time_point t = now_();
    if ((done_ - lastLineDone_) * 20 >= total_ && t - lastLine_ >= kLineInterval) {
      err_ << "antraid-sweep: " << Figures(std::chrono::duration<double>(t - start_).count()) << '\n' << std::flush;
      lastLineDone_ = done_;
      lastLine_ = t;
    }
  }
}

void Progress::Finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (shown_ == Shown::kInPlace) ShowInPlace(true);
}

int64_t Progress::done() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return done_;
}

int64_t Progress::failed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

std::string Progress::Summary(const std::string& dir) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const double seconds = std::chrono::duration<double>(now_() - start_).count();
  return "antraid-sweep: " + FormatInt(done_) + (done_ == 1 ? " run (" : " runs (") + FormatInt(failed_) +
         " failed) in " + FormatDouble(RoundDecimals(seconds, 1)) + " s; results in " + dir;
}

// "45/100 runs (2 failed), 0.75 runs/s, 1 min 13 s left"
std::string Progress::Figures(double seconds) const {
  std::string line = FormatInt(done_) + "/" + FormatInt(total_) + " runs";
  if (failed_ > 0) line += " (" + FormatInt(failed_) + " failed)";
  if (done_ > 0 && seconds > 0) {
    const double rate = static_cast<double>(done_) / seconds;
    line += ", " + FormatDouble(RoundDecimals(rate, rate < 10 ? 2 : 1)) + " runs/s";
    const auto left =
        static_cast<long long>(std::ceil(static_cast<double>(total_ - done_) * seconds / static_cast<double>(done_)));
    line += ", " + (left >= 60 ? FormatInt(left / 60) + " min " : std::string()) + FormatInt(left % 60) + " s left";
  }
  return line;
}

void Progress::ShowInPlace(bool last) {
  lastShown_ = now_();
  err_ << "\r" << Figures(std::chrono::duration<double>(lastShown_ - start_).count()) << "   " << (last ? "\n" : "")
       << std::flush;
}

}  // namespace antraid::experiments
