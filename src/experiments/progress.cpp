#include "experiments/progress.h"

#include <cmath>
#include <ostream>

#include "common/numbers.h"

namespace antraid::experiments {

Progress::Progress(std::ostream& err, int64_t total, bool shown) : err_(err), total_(total), shown_(shown && total > 0) {
  if (shown_) Show(false);
}

void Progress::Done() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++done_;
  if (shown_ && Clock::now() - lastShown_ > std::chrono::milliseconds(200)) Show(false);
}

void Progress::Finish() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (shown_) Show(true);
}

void Progress::Show(bool last) {
  lastShown_ = Clock::now();
  const double seconds = std::chrono::duration<double>(lastShown_ - start_).count();
  std::string line = "\r" + FormatInt(done_) + "/" + FormatInt(total_) + " runs";
  if (done_ > 0 && seconds > 0) {
    const double rate = static_cast<double>(done_) / seconds;
    line += ", " + FormatDouble(RoundDecimals(rate, rate < 10 ? 2 : 1)) + " runs/s";
    const auto left = static_cast<long long>(std::ceil(static_cast<double>(total_ - done_) / rate));
    line += ", " + (left >= 60 ? FormatInt(left / 60) + " min " : std::string()) + FormatInt(left % 60) + " s left";
  }
  line += "   ";
  err_ << line << (last ? "\n" : "") << std::flush;
}

}  // namespace antraid::experiments
