// The figures of a run over time, sampled at the end of model steps for the
// window's plots: toolkit-free, so that tests and tools read the same
// series. Memory stays bounded however long the run: one sample every step
// up to kMaxSamples, then every second sample is dropped and the interval
// between samples doubles, again and again. The samples always fall on the
// steps (counted from the start of the run) that are multiples of the
// interval, so they are the rows `record <interval>` writes for the run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/form_observer.h"

namespace antraid {

class MainForm;

// One figure the plots draw. `item` is its print/record item of
// antraid-script and its column in the CSV files.
struct PlotFigure {
  std::string_view item;
  bool whole;  // written as a whole number; otherwise as a 32-bit real
  double (*read)(const MainForm&);
};

// colonyFood, foodOnGround, antsOut, antsReturning, lastSwarmWidth,
// maxDistTraveled: the columns of the plot data, in this order.
inline constexpr size_t kPlotFigureCount = 6;
std::span<const PlotFigure, kPlotFigureCount> PlotFigures();

class PlotSeries final : public FormObserver {
 public:
  static constexpr size_t kMaxSamples = 2000;

  // Listens to the form for as long as it lives.
  explicit PlotSeries(MainForm& form);
  ~PlotSeries();
  PlotSeries(const PlotSeries&) = delete;
  PlotSeries& operator=(const PlotSeries&) = delete;

  size_t size() const { return times_.size(); }
  const std::vector<double>& times() const { return times_; }  // modelTime, s
  const std::vector<double>& values(size_t figure) const { return values_[figure]; }
  int64_t interval() const { return interval_; }  // steps from one sample to the next
  // Changes with every sample taken and every clearing.
  uint64_t version() const { return version_; }

  // The CSV text of the given figures (indices into PlotFigures()), exactly
  // as `record` writes it: a header `modelTime,ITEM,...`, then one row per
  // sample with the numbers as `print` writes them.
  std::string Csv(std::span<const size_t> figures) const;
  // Writes Csv(figures) into a file; false when it cannot be written.
  bool SaveCsv(const std::string& path, std::span<const size_t> figures) const;

  void RunBuilt() override;  // a new run: the curves start afresh
  void StepDone() override;  // takes the sample when one is due

 private:
  void Thin();

  MainForm& form_;
  std::vector<double> times_;
  std::array<std::vector<double>, kPlotFigureCount> values_;
  int64_t steps_ = 0;     // model steps since the run was built
  int64_t interval_ = 1;  // steps
  uint64_t version_ = 0;
};

}  // namespace antraid
