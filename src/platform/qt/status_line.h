// The status bar: model time, steps a second achieved, the speed setting,
// the fixed seed when there is one, and where frames are being saved.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

class QLabel;
class QStatusBar;

namespace antraid {

struct StatusFacts {
  float modelTime = 0;               // s
  std::optional<double> achieved;    // steps/s while a run goes on
  int speed = 0;                     // the setting, or kFastest
  std::optional<uint64_t> seed;      // the fixed seed
  bool seedPending = false;          // the seed takes effect at the next Start
  std::optional<std::string> frames; // where frames go while a series is saved
};

class StatusLine {
 public:
  explicit StatusLine(QStatusBar& bar);
  void Show(const StatusFacts& facts);

  QLabel* time() const { return time_; }
  QLabel* achieved() const { return achieved_; }
  QLabel* speed() const { return speed_; }
  QLabel* seed() const { return seed_; }
  QLabel* frames() const { return frames_; }

 private:
  QLabel* time_;
  QLabel* achieved_;
  QLabel* speed_;
  QLabel* seed_;
  QLabel* frames_;
};

}  // namespace antraid
