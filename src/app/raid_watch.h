// The raid's end, watched from outside the model step. A raid is over at the
// end of the first model step such that every ant has left the nest at least
// once and no ant has changed its position or state during the last
// kStillSteps model steps. The watch says so once per run; a new run (Start,
// a confirmed restart or change of the number of ants) watches afresh.
//
// Cost: one pass over the ants per step, outside the model's own ant loop,
// comparing each ant with its copy from the step before (a flat array, sized
// once per run: no allocation per step).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sim/form_observer.h"

namespace antraid {

class MainForm;

class RaidWatch final : private FormObserver {
 public:
  static constexpr int kStillSteps = 20;  // model steps with no ant changed

  // onOver runs once, at the end of the step that ends the raid (inside the
  // form's StepDone: it must not act on the form; a window defers its action
  // to the next event-processing pass).
  RaidWatch(MainForm& form, std::function<void()> onOver);
  ~RaidWatch();
  RaidWatch(const RaidWatch&) = delete;
  RaidWatch& operator=(const RaidWatch&) = delete;

  bool over() const { return over_; }
  // Model time (s) at the end of the step that ended the raid.
  float overAt() const { return overAt_; }
  // Model steps in a row, up to the last, in which no ant changed.
  int stillSteps() const { return still_; }
  // "Raid over at 28 min: no ant has moved for 10 s"; empty before the end.
  std::string Message() const;

 private:
  struct Seen {
    float x, y;
    int16_t state;
  };
  void RunBuilt() override;
  void StepDone() override;
  void TakeFirstLook();

  MainForm& form_;
  std::function<void()> onOver_;
  std::vector<Seen> last_;      // every ant as the last step left it; [0] unused
  std::vector<uint8_t> left_;   // 1 once the ant has been seen out of the nest
  int64_t stillAtHome_ = 0;     // ants never yet seen out of the nest
  int still_ = 0;
  bool watching_ = false;       // a run has been built
  bool over_ = false;
  float overAt_ = 0;
  float stillSeconds_ = 0;      // s: kStillSteps steps of the time step in force at the end
};

// A span of model time as a reader wants it: under a minute in seconds as the
// program writes a 32-bit float ("10 s", "2.5 s"), under two hours in whole
// minutes, rounded down ("28 min"), beyond in hours and minutes ("3 h 5 min").
std::string ModelTimeText(double seconds);

}  // namespace antraid
