#include "platform/qt/plot_dock.h"

#include <QAction>
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QLegend>
#include <QLineSeries>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QPixmap>
#include <QPointF>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <vector>

#include "app/main_form.h"

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
    {"Food (units)", {0, 1}, {"retrieved", "on the ground (patch sum)"},
     "retrieved (colonyFood): food units delivered to the nest\n"
     "on the ground (foodOnGround): the food units lying on all patches, not the TotalFood count",
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

bool ValidChart(int chart) { return chart == PlotDock::kAllCharts || (chart >= 0 && chart < PlotDock::kChartCount); }

}  // namespace

PlotDock::PlotDock(MainForm& form, std::function<void(const std::function<void()>&)> run, QWidget* parent)
    : QDockWidget("Plots", parent), form_(form), run_(std::move(run)), series_(form) {
  setObjectName("plotDock");
  auto* content = new QWidget(this);
  layout_ = new QBoxLayout(QBoxLayout::LeftToRight, content);
  layout_->setContentsMargins(2, 2, 2, 2);
  layout_->setSpacing(2);
  for (int c = 0; c < kChartCount; ++c) BuildChart(c);
  content->setMinimumSize(240, 180);
  setWidget(content);
  // Side by side below the panel, one above the other beside it.
  connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
    const bool beside = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    layout_->setDirection(beside ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
  });

  saveCsv_ = new QAction("Save plot data as CSV...", this);
  saveCsv_->setObjectName("actionSavePlotCsv");
  connect(saveCsv_, &QAction::triggered, this, [this] { AskAndSaveCsv(kAllCharts); });
  savePng_ = new QAction("Save plot as PNG...", this);
  savePng_->setObjectName("actionSavePlotPng");
  connect(savePng_, &QAction::triggered, this, [this] { AskAndSavePng(kAllCharts); });
  toggleViewAction()->setText("Plots");

  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, [this] {
    if (isVisible()) Refresh();
  });
  timer_->start(kRefreshMs);
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
  ch.x->setRange(0, 1);
  ch.y->setRange(0, 1);

  ch.view = new QChartView(ch.chart);  // owns the chart
  ch.view->setObjectName(QString("chart_") + plan.stem);
  ch.view->setRenderHint(QPainter::Antialiasing);
  ch.view->setToolTip(plan.tip);
  ch.view->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* menu = new QMenu(ch.view);
  connect(menu->addAction("Save plot data as CSV..."), &QAction::triggered, this, [this, c] { AskAndSaveCsv(c); });
  connect(menu->addAction("Save plot as PNG..."), &QAction::triggered, this, [this, c] { AskAndSavePng(c); });
  connect(ch.view, &QWidget::customContextMenuRequested, menu,
          [menu, view = ch.view](const QPoint& pos) { menu->popup(view->viewport()->mapToGlobal(pos)); });
  layout_->addWidget(ch.view);
}

void PlotDock::Refresh() {
  if (series_.version() == shown_) return;
  shown_ = series_.version();
  const std::vector<double>& times = series_.times();
  const size_t n = times.size();
  const double lastMinute = n ? times.back() / 60.0 : 0.0;
  QList<QPointF> points(static_cast<qsizetype>(n));
  for (const ChartPlan& plan : kPlans) {
    const Chart& ch = charts_[static_cast<size_t>(&plan - kPlans)];
    double low = 0, high = 1;
    for (size_t f : plan.figures) {
      const std::vector<double>& v = series_.values(f);
      for (size_t i = 0; i < n; ++i) {
        points[static_cast<qsizetype>(i)] = QPointF(times[i] / 60.0, v[i]);
        low = std::min(low, v[i]);
        high = std::max(high, v[i]);
      }
      curves_[f]->replace(points);
    }
    ch.x->setRange(0, std::max(lastMinute, 1.0));
    ch.x->applyNiceNumbers();
    ch.y->setRange(low, high);
    ch.y->applyNiceNumbers();
  }
}

bool PlotDock::SaveCsv(const QString& path, int chart) {
  if (!ValidChart(chart)) return false;
  const std::vector<size_t> figures = FiguresOf(chart);
  if (series_.SaveCsv(QFile::encodeName(path).toStdString(), figures)) return true;
  Report("Plot data not saved", path);
  return false;
}

bool PlotDock::SavePng(const QString& path, int chart) {
  if (!ValidChart(chart)) return false;
  Refresh();
  const QPixmap picture = chart == kAllCharts ? widget()->grab() : chartView(chart)->grab();
  if (picture.save(path, "PNG")) return true;
  Report("Plot picture not saved", path);
  return false;
}

void PlotDock::AskAndSaveCsv(int chart) {
  const QString path = QFileDialog::getSaveFileName(this, "Save plot data as CSV", StemOf(chart) + ".csv",
                                                    "CSV files (*.csv);;All files (*)");
  if (!path.isEmpty()) SaveCsv(path, chart);
}

void PlotDock::AskAndSavePng(int chart) {
  const QString path =
      QFileDialog::getSaveFileName(this, "Save plot as PNG", StemOf(chart) + ".png", "PNG pictures (*.png)");
  if (!path.isEmpty()) SavePng(path, chart);
}

void PlotDock::Report(const QString& what, const QString& path) {
  const std::string text = (what + ": cannot write " + path).toStdString();
  run_([this, &text] { form_.Message(text); });
}

void AttachPlotDock(QMainWindow& window, PlotDock& dock, QMenu& fileMenu, QMenu& viewMenu) {
  window.addDockWidget(Qt::BottomDockWidgetArea, &dock);
  window.resizeDocks({&dock}, {230}, Qt::Vertical);
  fileMenu.addAction(dock.saveCsvAction());
  fileMenu.addAction(dock.savePngAction());
  viewMenu.addAction(dock.toggleViewAction());
}

}  // namespace antraid
