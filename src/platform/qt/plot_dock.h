// The plot dock: live charts of the run's figures against model time, drawn
// from a PlotSeries at most kRefreshMs apart. Right-click on a chart saves
// its data (CSV, as `record` writes it) or its picture (PNG or SVG, at a size
// asked for); the actions
// for the File menu save every chart at once.
#pragma once

#include <QDockWidget>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/plot_series.h"

class QAction;
class QBoxLayout;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace antraid {

class MainForm;
class TrailChart;

class PlotDock : public QDockWidget {
 public:
  static constexpr int kRefreshMs = 100;  // at most 10 repaints a second
  static constexpr int kChartCount = 3;   // food, ants, swarm
  static constexpr int kAllCharts = -1;
  static constexpr int kWidthBeside = 380;  // px, first width beside the panel

  // run executes a form handler on behalf of the user (and mirrors after it):
  // a file that cannot be written is reported in the Messages box.
  PlotDock(MainForm& form, std::function<void(const std::function<void()>&)> run, QWidget* parent = nullptr);
  ~PlotDock() override;

  const PlotSeries& series() const { return series_; }
  QChartView* chartView(int chart) const { return charts_[static_cast<size_t>(chart)].view; }
  // The curve of a figure (an index into PlotFigures()).
  QLineSeries* curve(size_t figure) const { return curves_[figure]; }

  // Copies the samples into the charts when they changed since the last copy.
  void Refresh();

  // The figures of one chart, or of all (kAllCharts), written as CSV, or
  // drawn at a size (the charts one above the other, every sample) as PNG,
  // or as SVG when the name ends in ".svg" (plot_export.cpp). False, with a
  // message, when the file cannot be written.
  bool SaveCsv(const QString& path, int chart = kAllCharts);
  bool SavePicture(const QString& path, int chart = kAllCharts, QSize size = kPictureSize);
  static constexpr QSize kPictureSize{1600, 1200};  // px, offered first

  // File menu entries: every chart, file name asked for.
  QAction* saveCsvAction() const { return saveCsv_; }
  QAction* savePngAction() const { return savePng_; }
  // Shows and hides the trail chart (hidden at start; every chart's
  // right-click menu offers it).
  QAction* trailChartAction() const { return trailAction_; }
  TrailChart* trailChart() const { return trails_; }

  // Asks for the file to save into (title, suggested name, filter); empty
  // when the user cancels. A file dialog unless the window answers.
  std::function<QString(const QString&, const QString&, const QString&)> askSaveFile;
  // Asks for a picture's size, offering one; nullopt when the user cancels.
  std::function<std::optional<QSize>(QSize)> askSize;

 private:
  struct Chart {
    QChart* chart = nullptr;
    QChartView* view = nullptr;
    QValueAxis* x = nullptr;
    QValueAxis* y = nullptr;
  };

  void BuildChart(int chart);
  void AskAndSaveCsv(int chart);
  void AskAndSavePng(int chart);
  void Report(const QString& what, const QString& path);

  MainForm& form_;
  std::function<void(const std::function<void()>&)> run_;
  PlotSeries series_;
  QBoxLayout* layout_ = nullptr;
  std::array<Chart, kChartCount> charts_;
  std::array<QLineSeries*, kPlotFigureCount> curves_{};
  QAction* saveCsv_ = nullptr;
  QAction* savePng_ = nullptr;
  QAction* trailAction_ = nullptr;
  TrailChart* trails_ = nullptr;
  uint64_t shown_ = UINT64_MAX;  // version of the series last copied
};

}  // namespace antraid
