// The plot dock's fourth chart: the three trail items (trailExtent,
// trailWidth, trailCount) of the pheromone row a user-set distance above the
// nest, against model time. Hidden at start; it samples the row at the end
// of every step only while it is shown, so a window without it pays nothing.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

class QChart;
class QChartView;
class QLineSeries;
class QSpinBox;
class QValueAxis;

namespace antraid {

class MainForm;

class TrailChart : public QWidget {
 public:
  static constexpr int kDefaultDistance = 400;  // cm above the nest's row
  static constexpr size_t kMaxSamples = 2000;   // then every second one is dropped

  explicit TrailChart(MainForm& form, QWidget* parent = nullptr);
  ~TrailChart() override;

  // Samples from the next step on (the curves start afresh), or stops.
  void SetSampling(bool on);
  bool sampling() const { return sampler_ != nullptr; }
  QSpinBox* distanceBox() const { return distance_; }
  // Curve i, in the order trailExtent, trailWidth (cm, left axis), trailCount (right axis).
  QLineSeries* curve(int i) const { return curves_[static_cast<size_t>(i)]; }
  QChartView* view() const { return view_; }

  // Copies the samples into the curves when they changed.
  void Refresh();

 private:
  struct Sampler;
  MainForm& form_;
  std::unique_ptr<Sampler> sampler_;
  QSpinBox* distance_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QValueAxis *x_ = nullptr, *cm_ = nullptr, *count_ = nullptr;
  std::array<QLineSeries*, 3> curves_{};
  uint64_t shown_ = UINT64_MAX;
};

}  // namespace antraid
