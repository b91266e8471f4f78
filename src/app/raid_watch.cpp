#include "app/raid_watch.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "sim/main_form.h"
#include "common/numbers.h"

namespace antraid {

RaidWatch::RaidWatch(MainForm& form, std::function<void()> onOver) : form_(form), onOver_(std::move(onOver)) {
  form_.Subscribe(*this);
  // A watch created in the middle of a run starts from what it sees now.
  if (form_.run.antsCreated) TakeFirstLook();
}

RaidWatch::~RaidWatch() { form_.Unsubscribe(*this); }

void RaidWatch::RunBuilt() { TakeFirstLook(); }

void RaidWatch::TakeFirstLook() {
  const size_t n = form_.run.ants.size();
  last_.resize(n);
  left_.assign(n, 0);
  stillAtHome_ = 0;
  for (size_t k = 1; k < n; ++k) {
    const AntRecord& a = form_.run.ants[k];
    last_[k] = {a.xPos, a.yPos, static_cast<int16_t>(a.state)};
    left_[k] = a.state != AntState::kAtHome;
    stillAtHome_ += !left_[k];
  }
  still_ = 0;
  over_ = false;
  overAt_ = 0;
  watching_ = true;
}

void RaidWatch::StepDone() {
  if (!watching_ || over_) return;
  // The ants are rebuilt only with a new run; a population that changed size
  // otherwise is looked at afresh rather than compared.
  if (form_.run.ants.size() != last_.size()) {
    TakeFirstLook();
    return;
  }
  bool changed = false;
  const size_t n = last_.size();
  for (size_t k = 1; k < n; ++k) {
    const AntRecord& a = form_.run.ants[k];
    Seen& s = last_[k];
    const auto state = static_cast<int16_t>(a.state);
    // Positions are compared bit for bit: a NaN that stays a NaN is no move.
    const bool same = std::memcmp(&s.x, &a.xPos, sizeof(float)) == 0 &&
                      std::memcmp(&s.y, &a.yPos, sizeof(float)) == 0 && s.state == state;
    if (same) continue;
    changed = true;
    s = {a.xPos, a.yPos, state};
    if (!left_[k] && a.state != AntState::kAtHome) {
      left_[k] = 1;
      --stillAtHome_;
    }
  }
  still_ = changed ? 0 : still_ + 1;
  if (stillAtHome_ == 0 && still_ >= kStillSteps) {
    over_ = true;
    overAt_ = form_.run.modelTime;
    stillSeconds_ = static_cast<float>(kStillSteps) * form_.params.modelTimeStep;
    if (onOver_) onOver_();
  }
}

std::string RaidWatch::Message() const {
  if (!over_) return {};
  return "Raid over at " + ModelTimeText(overAt_) + ": no ant has moved for " + ModelTimeText(stillSeconds_);
}

std::string ModelTimeText(double seconds) {
  constexpr double kMinute = 60, kHour = 3600;
  if (!std::isfinite(seconds)) return FormatDouble(seconds) + " s";
  if (std::fabs(seconds) < kMinute) return FormatSingle(static_cast<float>(seconds)) + " s";
  const double minutes = std::floor(seconds / kMinute);
  if (seconds < 2 * kHour) return FormatInt(static_cast<long long>(minutes)) + " min";
  const auto hours = static_cast<long long>(std::floor(seconds / kHour));
  const auto rest = static_cast<long long>(minutes) - hours * 60;
  return FormatInt(hours) + " h " + FormatInt(rest) + " min";
}

}  // namespace antraid
