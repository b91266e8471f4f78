#include "platform/qt/plot_dock.h"

#include <QAction>
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QList>
#include <QMenu>
#include <QPixmap>
#include <QPointF>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/qt/size_dialog.h"
#include "platform/qt/trail_chart.h"
#include "sim/main_form.h"

namespace antraid {

namespace {

// What each chart shows: two figures (indices into PlotFigures()) on one
// value axis, their legends, what they are (the chart's tool tip, with the
// script items that give the same numbers), and the stem of the file names
// offered.
struct ChartPlan {
  const char* title;
  size_t figures[2];
  const char* legends[2];
  const char* tip;
  const char* stem;
};

constexpr ChartPlan kPlans[PlotDock::kChartCount] = {
    {"Food (units)", {0, 1}, {"retrieved", "left on the patches"},
     "retrieved (colonyFood): food units delivered to the nest\n"
     "left on the patches (foodOnGround): the food units lying on the ground, not the TotalFood count",
     "food"},
    {"Ants", {2, 3}, {"out", "returning with food"},
     "out (antsOut): the Ants out count\nreturning with food (antsReturning): ants on their way home",
     "ants"},
    {"Swarm (cm)", {4, 5}, {"swarm width", "distance reached"},
     "swarm width (lastSwarmWidth): the width of the last completed measurement, as the read-out shows it\n"
     "distance reached (maxDistTraveled): the distance read-out",
     "swarm"},
};

std::vector<size_t> FiguresOf(int chart) {
  if (chart == PlotDock::kAllCharts) {
    std::vector<size_t> all(kPlotFigureCount);
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    return all;
  }
  const ChartPlan& plan = kPlans[chart];
  return {plan.figures[0], plan.figures[1]};
}

QString StemOf(int chart) { return chart == PlotDock::kAllCharts ? "plots" : QString("plot-") + kPlans[chart].stem; }

// Fits an axis to values from low to high: from a round number at or below
// low to one at or above high, in at most four steps of 1, 2 or 5 times a
// power of ten, so that every label is short.
void FitAxis(QValueAxis& axis, double low, double high) {
  const double span = std::max(high - low, 1e-9);
  double step = std::pow(10.0, std::floor(std::log10(span / 4)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (span / (step * m) <= 4) {
      step *= m;
      break;
    }
  }
  const double from = std::floor(low / step) * step, to = std::ceil(high / step) * step;
  axis.setRange(from, to);
  axis.setTickCount(static_cast<int>(std::lround((to - from) / step)) + 1);
}

// The points of a curve as drawn. Of the samples that fall in one pixel
// column, only the lowest and the highest are drawn, in the order they were
// taken, or the column's last sample alone when they lie within one pixel
// row; the run's last sample is always drawn. The line looks the same, and a
// curve of 2000 samples costs what one of a few hundred does. Every sample is
// drawn when the pixels are not known yet (minutesPerColumn 0).
void DrawnPoints(const std::vector<double>& times, const std::vector<double>& values, double minutesPerColumn,
                 double unitsPerRow, QList<QPointF>& out) {
  out.clear();
  const size_t n = times.size();
  auto point = [&](size_t i) { return QPointF(times[i] / 60.0, values[i]); };
  if (!(minutesPerColumn > 0)) {
    for (size_t i = 0; i < n; ++i) out.append(point(i));
    return;
  }
  auto column = [&](size_t i) { return std::floor(times[i] / 60.0 / minutesPerColumn); };
  size_t i = 0;
  while (i < n) {
    const double here = column(i);
    size_t lowest = i, highest = i, j = i + 1;
    for (; j < n && column(j) == here; ++j) {
      if (values[j] < values[lowest]) lowest = j;
      if (values[j] > values[highest]) highest = j;
    }
    if (values[highest] - values[lowest] < unitsPerRow) {
      out.append(point(j - 1));
    } else {
      out.append(point(std::min(lowest, highest)));
      out.append(point(std::max(lowest, highest)));
      if (j == n && std::max(lowest, highest) != n - 1) out.append(point(n - 1));
    }
    i = j;
  }
}

bool ValidChart(int chart) { return chart == PlotDock::kAllCharts || (chart >= 0 && chart < PlotDock::kChartCount); }

}  // namespace

PlotDock::PlotDock(MainForm& form, std::function<void(const std::function<void()>&)> run, QWidget* parent)
    : QDockWidget("Plots", parent), form_(form), run_(std::move(run)), series_(form) {
  setObjectName("plotDock");
  auto* content = new QWidget(this);
  layout_ = new QBoxLayout(QBoxLayout::LeftToRight, content);
  layout_->setContentsMargins(2, 2, 2, 2);
  layout_->setSpacing(2);
  trailAction_ = new QAction("&Trail chart", this);
  trailAction_->setObjectName("actionTrailChart");
  trailAction_->setCheckable(true);
  for (int c = 0; c < kChartCount; ++c) BuildChart(c);
  trails_ = new TrailChart(form_, content);
  trails_->hide();
  layout_->addWidget(trails_);
  connect(trailAction_, &QAction::toggled, this, [this](bool on) {
    trails_->SetSampling(on);
    trails_->setVisible(on);
  });
  content->setMinimumSize(240, 180);
  setWidget(content);
  // Side by side below the panel, one above the other beside it.
  connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
    const bool beside = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    layout_->setDirection(beside ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
  });

  saveCsv_ = new QAction("Save plot &data as CSV...", this);
  saveCsv_->setObjectName("actionSavePlotCsv");
  connect(saveCsv_, &QAction::triggered, this, [this] { AskAndSaveCsv(kAllCharts); });
  savePng_ = new QAction("Save plot as P&NG or SVG...", this);
  savePng_->setObjectName("actionSavePlotPng");
  connect(savePng_, &QAction::triggered, this, [this] { AskAndSavePng(kAllCharts); });
  toggleViewAction()->setText("P&lots");
  toggleViewAction()->setObjectName("actionPlots");
  askSaveFile = [this](const QString& title, const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(this, title, suggested, filter);
  };
  askSize = [this](QSize offered) { return AskPictureSize(this, "Plot picture size", offered); };

  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] {
    if (isVisible()) Refresh();
  });
  timer->start(kRefreshMs);
}

PlotDock::~PlotDock() = default;

void PlotDock::BuildChart(int c) {
  const ChartPlan& plan = kPlans[c];
  Chart& ch = charts_[static_cast<size_t>(c)];
  ch.chart = new QChart;
  ch.chart->setTitle(plan.title);
  QFont small = ch.chart->font();
  small.setPixelSize(10);
  ch.chart->setTitleFont(small);
  ch.chart->legend()->setFont(small);
  ch.chart->legend()->setAlignment(Qt::AlignBottom);
  ch.chart->setMargins(QMargins(2, 2, 2, 2));
  ch.chart->layout()->setContentsMargins(0, 0, 0, 0);
  ch.chart->setBackgroundRoundness(0);
  ch.x = new QValueAxis;
  ch.x->setTitleText("model time (min)");
  ch.y = new QValueAxis;
  for (QValueAxis* axis : {ch.x, ch.y}) {
    axis->setLabelsFont(small);
    axis->setTitleFont(small);
    axis->setLabelFormat("%g");
  }
  ch.chart->addAxis(ch.x, Qt::AlignBottom);
  ch.chart->addAxis(ch.y, Qt::AlignLeft);
  for (int i = 0; i < 2; ++i) {
    auto* line = new QLineSeries;
    line->setName(plan.legends[i]);
    ch.chart->addSeries(line);
    line->attachAxis(ch.x);
    line->attachAxis(ch.y);
    curves_[plan.figures[i]] = line;
  }
  FitAxis(*ch.x, 0, 1);
  FitAxis(*ch.y, 0, 1);

  ch.view = new QChartView(ch.chart);  // owns the chart
  ch.view->setObjectName(QString("chart_") + plan.stem);
  ch.view->setToolTip(plan.tip);
  ch.view->setFocusPolicy(Qt::NoFocus);  // the keys stay with the panel
  ch.view->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* menu = new QMenu(ch.view);
  connect(menu->addAction("Save plot data as CSV..."), &QAction::triggered, this, [this, c] { AskAndSaveCsv(c); });
  connect(menu->addAction("Save plot as PNG or SVG..."), &QAction::triggered, this, [this, c] { AskAndSavePng(c); });
  menu->addSeparator();
  menu->addAction(trailAction_);
  connect(ch.view, &QWidget::customContextMenuRequested, menu,
          [menu, view = ch.view](const QPoint& pos) { menu->popup(view->viewport()->mapToGlobal(pos)); });
  layout_->addWidget(ch.view);
}

void PlotDock::Refresh() {
  if (trails_->isVisible()) trails_->Refresh();
  if (series_.version() == shown_) return;
  shown_ = series_.version();
  const std::vector<double>& times = series_.times();
  const double lastMinute = times.empty() ? 0.0 : times.back() / 60.0;
  QList<QPointF> points;
  for (int c = 0; c < kChartCount; ++c) {
    const ChartPlan& plan = kPlans[c];
    const Chart& ch = charts_[static_cast<size_t>(c)];
    double low = 0, high = 1;
    for (size_t f : plan.figures) {
      for (double v : series_.values(f)) {
        low = std::min(low, v);
        high = std::max(high, v);
      }
    }
    FitAxis(*ch.x, 0, std::max(lastMinute, 1.0));
    FitAxis(*ch.y, low, high);
    const QRectF area = ch.chart->plotArea();
    const double minutesPerColumn = area.width() >= 1 ? (ch.x->max() - ch.x->min()) / area.width() : 0.0;
    const double unitsPerRow = area.height() >= 1 ? (ch.y->max() - ch.y->min()) / area.height() : 0.0;
    for (size_t f : plan.figures) {
      DrawnPoints(times, series_.values(f), minutesPerColumn, unitsPerRow, points);
      curves_[f]->replace(points);
    }
  }
  // The new axes are laid out now rather than at the next turn of the event
  // loop, so that a picture taken next shows them.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

bool PlotDock::SaveCsv(const QString& path, int chart) {
  if (!ValidChart(chart)) return false;
  const std::vector<size_t> figures = FiguresOf(chart);
  if (series_.SaveCsv(QFile::encodeName(path).toStdString(), figures)) return true;
  Report("Plot data not saved", path);
  return false;
}

void PlotDock::AskAndSaveCsv(int chart) {
  const QString path = askSaveFile("Save plot data as CSV", StemOf(chart) + ".csv", "CSV files (*.csv)");
  if (!path.isEmpty()) SaveCsv(path, chart);
}

void PlotDock::AskAndSavePng(int chart) {
  const QString path =
      askSaveFile("Save plot as PNG or SVG", StemOf(chart) + ".png", "PNG images (*.png);;SVG drawings (*.svg)");
  if (path.isEmpty()) return;
  const std::optional<QSize> size = askSize(kPictureSize);
  if (size) SavePicture(path, chart, *size);
}

void PlotDock::Report(const QString& what, const QString& path) {
  const std::string text = (what + ": cannot write " + path).toStdString();
  run_([this, &text] { form_.Message(text); });
}

}  // namespace antraid
