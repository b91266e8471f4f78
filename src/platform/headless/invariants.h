// The state a main form must never be in, whatever the user did: checked
// after every action by the action fuzzer and its regression replay, and
// along the way by the soak run.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/main_form.h"

namespace antraid {

// The checks scan whole layers. In the fuzzer they stay out of the
// fuzzer's coverage feedback, which would cost a call per patch, and the two
// plain scans over a layer's own cells skip the sanitizers' per-cell checks.
#if defined(__clang__)
#define ANTRAID_NOT_COVERED __attribute__((no_sanitize("coverage")))
#define ANTRAID_PLAIN_SCAN __attribute__((no_sanitize("address", "undefined", "coverage")))
#else
#define ANTRAID_NOT_COVERED
#define ANTRAID_PLAIN_SCAN __attribute__((no_sanitize("address", "undefined")))
#endif

namespace invariants_detail {

// Sum of |cell|. Most cells are 0: blocks of them are passed over by an OR
// that compilers turn into vector code.
ANTRAID_PLAIN_SCAN inline int64_t SumOfMagnitudes(const int32_t* cells, size_t n) {
  constexpr size_t kBlock = 64;
  int64_t sum = 0;
  for (size_t i = 0; i < n; i += kBlock) {
    const size_t end = n - i < kBlock ? n : i + kBlock;
    uint32_t any = 0;
    for (size_t j = i; j < end; ++j) any |= static_cast<uint32_t>(cells[j]);
    if (any == 0) continue;
    for (size_t j = i; j < end; ++j) sum += cells[j] < 0 ? -static_cast<int64_t>(cells[j]) : cells[j];
  }
  return sum;
}

// Smallest cell, or 0 when none is negative.
ANTRAID_PLAIN_SCAN inline int16_t Least(const int16_t* cells, size_t n) {
  uint16_t any = 0;  // collects the sign bits
  for (size_t i = 0; i < n; ++i) any |= static_cast<uint16_t>(cells[i]);
  if ((any & 0x8000u) == 0) return 0;
  int16_t least = 0;
  for (size_t i = 0; i < n; ++i) least = cells[i] < least ? cells[i] : least;
  return least;
}

// Sum of the cells.
ANTRAID_PLAIN_SCAN inline int64_t Sum(const int16_t* cells, size_t n) {
  int64_t sum = 0;
  for (size_t i = 0; i < n; ++i) sum += cells[i];
  return sum;
}

}  // namespace invariants_detail

// The first state the program must never be in, or an empty text when all is
// well:
// - every ant stands on a patch of the layers (when they exist);
// - each patch of antCountGrid holds the number of ants standing on it;
// - antsOut is the number of ants out of the nest;
// - no patch holds negative food, totalFood is not negative, and foodOnGround
//   is the food the layer holds;
// - the canvas scale is finite with a positive width and height, the pen at
//   least 1 pixel wide;
// - no read-out or message of the program shows a number that is not finite.
ANTRAID_NOT_COVERED inline std::string CheckInvariants(const MainForm& f) {
  const Layer<int32_t>& counts = f.run.antCountGrid;
  if (counts.exists()) {
    if (f.run.pherGrid.width() != counts.width() || f.run.pherGrid.height() != counts.height())
      return "pherGrid and antCountGrid differ in size";
    // Patch index of every ant, sorted: equal runs are the ants of a patch.
    std::vector<int64_t> at;
    at.reserve(f.run.ants.size());
    for (size_t k = 1; k < f.run.ants.size(); ++k) {
      const AntRecord& a = f.run.ants[k];
      const int64_t x = MainForm::PatchOf(a.xPos), y = MainForm::PatchOf(a.yPos);
      if (!counts.Contains(x, y))
        return "ant " + std::to_string(k) + " at (" + FormatSingle(a.xPos) + ", " + FormatSingle(a.yPos) +
               ") is off the " + std::to_string(counts.width()) + " x " + std::to_string(counts.height()) +
               " lattice";
      at.push_back((y - 1) * counts.width() + (x - 1));
    }
    std::sort(at.begin(), at.end());
    const std::vector<int32_t>& cells = counts.cells();
    size_t i = 0;
    int64_t antsCounted = 0;
    while (i < at.size()) {
      size_t j = i;
      while (j < at.size() && at[j] == at[i]) ++j;
      const int32_t held = cells[static_cast<size_t>(at[i])];
      if (held != static_cast<int32_t>(j - i))
        return "antCountGrid holds " + std::to_string(held) + " at patch index " + std::to_string(at[i]) + " with " +
               std::to_string(j - i) + " ants on it";
      antsCounted += held;
      i = j;
    }
    // Every patch with ants agrees; then the rest must be empty, which the
    // sum of magnitudes tells in one pass.
    const int64_t magnitude = invariants_detail::SumOfMagnitudes(cells.data(), cells.size());
    if (magnitude != antsCounted)
      return "antCountGrid counts ants on patches where none stand (" + std::to_string(magnitude) + " against " +
             std::to_string(antsCounted) + ")";
  }
  // "Ants out" counts the ants that have left the nest, made their first
  // move and not come back.
  int64_t out = 0;
  for (size_t k = 1; k < f.run.ants.size(); ++k)
    out += f.run.ants[k].state != AntState::kAtHome && !f.run.ants[k].justLeft;
  if (out != f.readouts.antsOut)
    return "antsOut is " + std::to_string(f.readouts.antsOut) + " with " + std::to_string(out) + " ants out";
  if (f.readouts.totalFood < 0) return "totalFood is " + std::to_string(f.readouts.totalFood);
  if (const int16_t least = invariants_detail::Least(f.run.foodGrid.cells().data(), f.run.foodGrid.cells().size());
      least < 0)
    return "foodGrid holds " + std::to_string(least) + " on a patch";
  if (const int64_t held = invariants_detail::Sum(f.run.foodGrid.cells().data(), f.run.foodGrid.cells().size());
      held != f.readouts.foodOnGround)
    return "foodOnGround is " + std::to_string(f.readouts.foodOnGround) + " with " + std::to_string(held) +
           " units in foodGrid";
  const Canvas& c = f.pctWorld;
  if (!(c.ScaleWidth() > 0) || !(c.ScaleHeight() > 0) || !std::isfinite(c.ScaleWidth()) ||
      !std::isfinite(c.ScaleHeight()) || !std::isfinite(c.ScaleLeft()) || !std::isfinite(c.ScaleTop()))
    return "canvas scale " + FormatSingle(c.ScaleLeft()) + ", " + FormatSingle(c.ScaleTop()) + ", " +
           FormatSingle(c.ScaleWidth()) + " x " + FormatSingle(c.ScaleHeight());
  if (c.DrawWidth() < 1 || f.drawing.drawWidth < 1) return "pen width " + std::to_string(f.drawing.drawWidth);
  // Read-outs the program writes; the user cannot type into them.
  const Panel& p = f.panel;
  const TextControl* readOuts[] = {&p.txtRunTimeMin,  &p.txtAntsOut,        &p.txtSwarmWidth,   &p.txtlColonyFoodAmt,
                                   &p.txtDeadAntCount, &p.txtColonyWidth,   &p.lblDistTraveled, &p.lblTravelVel,
                                   &p.lblTotalFood,    &p.lblTotalFoodItems, &p.lblWorldSizeInCm, &p.lblWorldWidth,
                                   &p.lblAntsPerStep,  &p.lblHomeYPos};
  for (const TextControl* r : readOuts)
    if (r->text().find("NaN") != std::string::npos || r->text().find("Infinity") != std::string::npos)
      return r->name() + " shows \"" + r->text() + "\"";
  // Messages: what the program writes, leaving out the user's texts it quotes
  // and the file name of a frame that could not be written.
  const std::string& msg = p.txtDebugMsg.text();
  if (msg.rfind("Image saving switched off: ", 0) != 0) {
    std::string own;
    bool quoted = false;
    for (char ch : msg) {
      if (ch == '"') quoted = !quoted;
      else if (!quoted) own += ch;
    }
    if (own.find("NaN") != std::string::npos || own.find("Infinity") != std::string::npos)
      return "txtDebugMsg shows \"" + msg + "\"";
  }
  return {};
}

}  // namespace antraid
