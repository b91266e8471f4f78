// The pheromone response function and its graph in the panel.
#include <algorithm>
#include <cmath>

#include "sim/main_form.h"

namespace antraid {

namespace {
// The graph frame in the window, twips.
constexpr double kXAxisLeft = 8520, kXAxisTop = 5760, kXAxisWidth = 1815;
constexpr double kYAxisHeight = 855;
constexpr double kUnitHeight = kYAxisHeight - 10;  // from P = 0 to P = 1
constexpr int64_t kMostPointsDrawn = 20000;  // more would only overlap
}  // namespace

double MainForm::ResponseP(double n, double f) {
  double z = (f == 0.0 ? 0.0 : n / f) - 1.0;
  double e = std::exp(z);
  double t = (e - 1.0 / e) / (e + 1.0 / e);
  if (std::isnan(t)) t = z > 0 ? 1.0 : -1.0;  // exp overflowed: the curve has saturated
  return (t + 1.0) / 2.0;
}

void MainForm::PlotResponseCurve() {
  ParsedNumber maxText = ParseNumber(panel.txtMaxPherValue.text());
  if (auto f = ToInt16(ParseNumber(panel.txtFiftyPercProb.text()).value);
      f && ParseNumber(panel.txtFiftyPercProb.text()).ok())
    params.fiftyPercProb = *f;
  // Nothing to draw for a range that is not a positive number or a scale of 0.
  if (!maxText.ok() || !(maxText.value > 0) || params.fiftyPercProb == 0) return;
  const double M = maxText.value;
  const double xStep = kXAxisWidth / M;
  const double N = RoundHalfEven(M);
  const int64_t count = N > 2e9 ? int64_t{2000000000} : static_cast<int64_t>(N);
  const int64_t stride = std::max<int64_t>(1, count / kMostPointsDrawn);
  for (int64_t n = stride; n <= count; n += stride) {
    double P = ResponseP(static_cast<double>(n), params.fiftyPercProb);
    double x = kXAxisLeft + xStep * static_cast<double>(n);
    double y = kXAxisTop - kUnitHeight * P;
    formSurface.PSet(static_cast<float>(x), static_cast<float>(y), RGB(100, 100, 100));
  }
}

}  // namespace antraid
