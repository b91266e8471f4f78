// Values the panel may hold but the model cannot run with. Each check returns
// the message to show, or nothing when the value is usable. The parameter load
// and the edit rules apply the same checks.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace antraid {

// Largest world the program builds: three layers of this many patches.
inline constexpr int64_t kMaxPatches = 400'000'000;
inline constexpr int32_t kMaxAnts = 32767;  // the ant pass counts in 16 bits
// The home row scroll bar's 16-bit maximum is the world's height less 5 cm.
inline constexpr int64_t kMaxWorldHeight = 327;  // m

inline std::optional<std::string> WorldSizeProblem(int64_t xInM, int64_t yInM) {
  constexpr int64_t kCmPerM = 100;
  if (xInM < 1 || yInM < 1) return "World size refused: width and height must be at least 1 m";
  if (yInM > kMaxWorldHeight) return "World height refused: at most 327 m (the home row scroll bar ends there)";
  if (xInM * kCmPerM > INT32_MAX) return "World width refused: too large";
  if (xInM * kCmPerM * yInM * kCmPerM > kMaxPatches)
    return "World size refused: " + std::to_string(xInM) + " m x " + std::to_string(yInM) +
           " m has more patches than fit in memory";
  return std::nullopt;
}

inline std::optional<std::string> AntCountProblem(int64_t n) {
  if (n > kMaxAnts) return "Total # refused: at most 32767 ants";
  if (n < 1) return "Total # refused: at least 1 ant";
  return std::nullopt;
}

// The model clock counts seconds in a 32-bit float and is shown times 30 (the
// frame number): a longer step could carry it beyond float range.
inline constexpr float kMaxTimeStep = 1e9f;

inline std::optional<std::string> TimeStepProblem(float step) {
  if (!(step > 0.0f) || !std::isfinite(step)) return "Timestep refused: it must be more than 0 seconds";
  if (step > kMaxTimeStep) return "Timestep refused: at most 1000000000 seconds";
  return std::nullopt;
}

// % Food is the share of the patches that receive a food item: at most all of
// them. Placing the items takes time in proportion to their number.
inline std::optional<std::string> PercentFoodProblem(double percent) {
  if (!(percent >= 0)) return "% Food refused: it cannot be negative";
  if (percent > 100) return "% Food refused: at most 100 (a food item on every patch)";
  return std::nullopt;
}

// steps: the save period in model steps; it must round to at least 1.
inline std::optional<std::string> SaveIntervalProblem(double steps) {
  if (!std::isfinite(steps) || std::nearbyint(steps) < 1.0)
    return "Save every refused: the period must be more than half a time step";
  if (std::nearbyint(steps) > 2147483647.0) return "Save every refused: the period is too long";
  return std::nullopt;
}

}  // namespace antraid
