// The plots' figures sampled over a run, thinned as it grows, and their CSV.
#include "app/plot_series.h"

#include <fstream>

#include "sim/main_form.h"
#include "common/numbers.h"

namespace antraid {

std::span<const PlotFigure, kPlotFigureCount> PlotFigures() {
  static constexpr PlotFigure kFigures[kPlotFigureCount] = {
      {"colonyFood", true, [](const MainForm& f) { return static_cast<double>(f.readouts.colonyFood); }},
      {"foodOnGround", true, [](const MainForm& f) { return static_cast<double>(f.readouts.foodOnGround); }},
      {"antsOut", true, [](const MainForm& f) { return static_cast<double>(f.readouts.antsOut); }},
      {"antsReturning", true, [](const MainForm& f) { return static_cast<double>(f.AntsReturning()); }},
      {"lastSwarmWidth", false, [](const MainForm& f) { return static_cast<double>(f.readouts.lastSwarmWidth); }},
      {"maxDistTraveled", false, [](const MainForm& f) { return static_cast<double>(f.readouts.maxDistTraveled); }},
  };
  return std::span<const PlotFigure, kPlotFigureCount>(kFigures);
}

PlotSeries::PlotSeries(MainForm& form) : form_(form) {
  times_.reserve(kMaxSamples);
  for (auto& v : values_) v.reserve(kMaxSamples);
  form_.Subscribe(*this);
}

PlotSeries::~PlotSeries() { form_.Unsubscribe(*this); }

void PlotSeries::RunBuilt() {
  times_.clear();
  for (auto& v : values_) v.clear();
  steps_ = 0;
  interval_ = 1;
  ++version_;
}

void PlotSeries::StepDone() {
  ++steps_;
  if (steps_ % interval_ != 0) return;
  if (times_.size() == kMaxSamples) {
    Thin();
    if (steps_ % interval_ != 0) return;
  }
  times_.push_back(form_.run.modelTime);
  const auto figures = PlotFigures();
  for (size_t i = 0; i < kPlotFigureCount; ++i) values_[i].push_back(figures[i].read(form_));
  ++version_;
}

// Keeps the samples of the steps that are multiples of twice the interval:
// the second, fourth, ... of those held.
void PlotSeries::Thin() {
  auto halve = [](std::vector<double>& v) {
    size_t kept = 0;
    for (size_t i = 1; i < v.size(); i += 2) v[kept++] = v[i];
    v.resize(kept);
  };
  halve(times_);
  for (auto& v : values_) halve(v);
  interval_ *= 2;
  ++version_;
}

std::string PlotSeries::Csv(std::span<const size_t> figures) const {
  const auto all = PlotFigures();
  std::string csv = "modelTime";
  for (size_t f : figures) csv.append(",").append(all[f].item);
  csv += '\n';
  char buf[kNumberBufSize];
  for (size_t row = 0; row < times_.size(); ++row) {
    csv.append(FormatSingleTo(buf, static_cast<float>(times_[row])));
    for (size_t f : figures) {
      const double v = values_[f][row];
      csv += ',';
      csv.append(all[f].whole ? FormatIntTo(buf, static_cast<long long>(v)) : FormatSingleTo(buf, static_cast<float>(v)));
    }
    csv += '\n';
  }
  return csv;
}

bool PlotSeries::SaveCsv(const std::string& path, std::span<const size_t> figures) const {
  std::ofstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out) return false;
  const std::string csv = Csv(figures);
  out.write(csv.data(), static_cast<std::streamsize>(csv.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace antraid
