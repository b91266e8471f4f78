#include "platform/qt/pacer.h"

#include <algorithm>
#include <charconv>

namespace antraid {

namespace {
constexpr int kStops[] = {1, 2, 5, 10, 20, 30, 60, 120, 250, 500, 1000, kFastest};
constexpr int kLastPaced = 1000;  // steps/s, the fastest paced stop
}  // namespace

std::span<const int> SpeedStops() { return kStops; }

int StopIndexOf(int speed) {
  if (speed == kFastest || speed > kLastPaced) return static_cast<int>(std::size(kStops)) - 1;
  int i = 0;
  while (kStops[i] < speed) ++i;
  return i;
}

int FasterSpeed(int speed) {
  const int i = StopIndexOf(speed);
  if (speed == kFastest) return kFastest;
  // A setting between two stops goes to the stop above it.
  return kStops[kStops[i] == speed ? i + 1 : i];
}

int SlowerSpeed(int speed) {
  const int i = StopIndexOf(speed);
  return kStops[std::max(i - 1, 0)];
}

std::string SpeedWords(int speed) {
  if (speed == kFastest) return "fastest";
  return std::to_string(speed) + (speed == 1 ? " step/s" : " steps/s");
}

std::optional<int> ParseSpeed(std::string_view text) {
  if (text == "fastest") return kFastest;
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < 1 || v > kMaxPacedSpeed) return std::nullopt;
  return v;
}

void Pacer::SetSpeed(int speed, Nanos now) {
  speed_ = speed;
  Reanchor(now);
}

void Pacer::Reanchor(Nanos now) {
  anchorTime_ = now;
  anchorSteps_ = steps_;
  anchored_ = true;
}

std::optional<Pacer::Nanos> Pacer::NextStart() const {
  if (speed_ == kFastest || !anchored_) return std::nullopt;
  // Whole nanoseconds, rounded down: the n-th start never drifts.
  return anchorTime_ + static_cast<Nanos>((steps_ - anchorSteps_) * kSecond / static_cast<uint64_t>(speed_));
}

bool Pacer::Behind(Nanos now) const {
  const auto next = NextStart();
  return !next || now - *next > kSecond / speed_;
}

bool Pacer::PassBegins(Nanos now) {
  if (speed_ == kFastest) return false;
  if (Behind(now)) Reanchor(now);
  const bool stepped = steps_ != gated_;
  gated_ = steps_;
  return stepped;
}

void Pacer::StepDone(Nanos now) {
  ++steps_;
  if (!rateStarted_ || now < lastStepTime_ || now - lastStepTime_ > kRateSpan) {
    rateTime_ = now;
    rateSteps_ = steps_;
    rateStarted_ = true;
  } else if (now - rateTime_ >= kRateSpan) {
    rate_ = static_cast<double>(steps_ - rateSteps_) * kSecond / static_cast<double>(now - rateTime_);
    rateTime_ = now;
    rateSteps_ = steps_;
  }
  lastStepTime_ = now;
}

}  // namespace antraid
