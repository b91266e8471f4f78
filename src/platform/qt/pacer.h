// The pace of a run in the window: a set number of model steps a second, or
// as fast as the machine allows. Toolkit-free: the host asks it at every
// event-processing pass whether the run may go on, and waits (handling the
// user's events) until it may.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace antraid {

// A speed setting in model steps a second; kFastest paces nothing.
inline constexpr int kFastest = 0;
inline constexpr int kDefaultSpeed = 30;       // steps/s
inline constexpr int kMaxPacedSpeed = 100000;  // steps/s, the most a setting may ask for

// The stops of the speed control, slowest first; the last is kFastest.
std::span<const int> SpeedStops();
// The stop at or above a speed (any speed above the last paced stop: kFastest).
int StopIndexOf(int speed);
// The next stop faster or slower than a speed; the ends stay where they are.
int FasterSpeed(int speed);
int SlowerSpeed(int speed);
// "30 steps/s", "1 step/s", "fastest".
std::string SpeedWords(int speed);
// "fastest" or a whole number of steps a second, 1 to kMaxPacedSpeed.
std::optional<int> ParseSpeed(std::string_view text);

class Pacer {
 public:
  using Nanos = int64_t;  // ns of a monotonic clock

  int speed() const { return speed_; }
  // A new setting takes effect at once: the next step may begin now.
  void SetSpeed(int speed, Nanos now);

  // The end of a model step, at a time of the same clock.
  void StepDone(Nanos now);
  uint64_t steps() const { return steps_; }

  // An event-processing pass begins (at "fastest" the host need not say).
  // True when a model step has ended since the last pass: the pass may have
  // to wait for NextStart() before the run goes on. Passes with no step
  // between them (after a saved frame, the pheromone plot's, those nested in
  // a wait) never wait.
  bool PassBegins(Nanos now);
  // When the next step may begin; nullopt when it need not wait at all.
  std::optional<Nanos> NextStart() const;

  // Steps a second achieved: the steps ended over at least kRateSpan,
  // counted from the end of one step to the end of another, so a steady pace
  // reads as its setting (1 step/s reads 1, never 0 or 2). A gap between two
  // steps longer than the span (a pause, a question box) starts the measure
  // afresh. 0 before the first measure.
  double MeasuredRate() const { return rate_; }
  static constexpr Nanos kRateSpan = 2'000'000'000;

 private:
  static constexpr Nanos kSecond = 1'000'000'000;
  // Steps begin at anchorTime_ + n / speed_ for n = 0, 1, ... counted from
  // anchorSteps_: a late wake-up does not slow the pace down. A run more
  // than a step behind (paused, or slower than the setting) starts again
  // from the present.
  void Reanchor(Nanos now);
  bool Behind(Nanos now) const;

  int speed_ = kDefaultSpeed;
  uint64_t steps_ = 0;        // steps done
  uint64_t gated_ = 0;        // steps done when the last pass began
  Nanos anchorTime_ = 0;
  uint64_t anchorSteps_ = 0;
  bool anchored_ = false;

  Nanos rateTime_ = 0;        // end of the step that began the measure in progress
  uint64_t rateSteps_ = 0;    // steps done at rateTime_
  Nanos lastStepTime_ = 0;    // end of the last step
  bool rateStarted_ = false;
  double rate_ = 0;           // steps/s, the last measure
};

}  // namespace antraid
