#include "platform/qt/trail_chart.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QSpinBox>
#include <QValueAxis>
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "app/measure_items.h"
#include "app/raid_shape.h"
#include "sim/form_observer.h"
#include "sim/main_form.h"

namespace antraid {

// The row's three figures at the end of every step of the run.
struct TrailChart::Sampler final : FormObserver {
  Sampler(MainForm& f, int64_t d) : form(f), distance(d) { form.Subscribe(*this); }
  ~Sampler() { form.Unsubscribe(*this); }
  Sampler(const Sampler&) = delete;
  Sampler& operator=(const Sampler&) = delete;

  void RunBuilt() override {
    times.clear();
    for (auto& v : values) v.clear();
    ++version;
  }
  void StepDone() override {
    const auto row = TrailRowCells(form, distance);
    if (!row) return;  // no world yet, or the row lies off it: no sample
    if (times.size() == kMaxSamples) {
      auto halve = [](std::vector<double>& v) {
        size_t kept = 0;
        for (size_t i = 1; i < v.size(); i += 2) v[kept++] = v[i];
        v.resize(kept);
      };
      halve(times);
      for (auto& v : values) halve(v);
    }
    times.push_back(form.run.modelTime);
    values[0].push_back(static_cast<double>(TrailExtent(*row)));
    values[1].push_back(TrailWidth(*row));
    values[2].push_back(static_cast<double>(TrailCount(*row)));
    ++version;
  }

  MainForm& form;
  int64_t distance;
  std::vector<double> times;  // modelTime, s
  std::array<std::vector<double>, 3> values;
  uint64_t version = 0;
};

namespace {
// A round upper end for an axis that starts at 0.
double Top(double high) {
  if (!(high > 0)) return 1;
  const double step = std::pow(10.0, std::floor(std::log10(high)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (high <= m * step) return m * step;
  return 10 * step;
}
}  // namespace

TrailChart::TrailChart(MainForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("trailChart");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Trails at", this));
  distance_ = new QSpinBox(this);
  distance_->setObjectName("trailDistance");
  distance_->setRange(1, INT_MAX);
  distance_->setValue(kDefaultDistance);
  distance_->setSuffix(" cm");
  distance_->setToolTip("the pheromone row this many centimetres above the nest's row");
  distance_->setFocusPolicy(Qt::ClickFocus);
  top->addWidget(distance_);
  top->addStretch();
  layout->addLayout(top);

  chart_ = new QChart;
  QFont small = chart_->font();
  small.setPixelSize(10);
  chart_->legend()->setFont(small);
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setMargins(QMargins(2, 2, 2, 2));
  chart_->layout()->setContentsMargins(0, 0, 0, 0);
  chart_->setBackgroundRoundness(0);
  x_ = new QValueAxis;
  x_->setTitleText("model time (min)");
  cm_ = new QValueAxis;
  cm_->setTitleText("cm");
  count_ = new QValueAxis;
  count_->setTitleText("trails");
  for (QValueAxis* a : {x_, cm_, count_}) {
    a->setLabelsFont(small);
    a->setTitleFont(small);
    a->setLabelFormat("%g");
    a->setRange(0, 1);
  }
  chart_->addAxis(x_, Qt::AlignBottom);
  chart_->addAxis(cm_, Qt::AlignLeft);
  chart_->addAxis(count_, Qt::AlignRight);
  const char* names[3] = {"extent", "width", "trails"};
  for (size_t i = 0; i < 3; ++i) {
    curves_[i] = new QLineSeries;
    curves_[i]->setName(names[i]);
    chart_->addSeries(curves_[i]);
    curves_[i]->attachAxis(x_);
    curves_[i]->attachAxis(i == 2 ? count_ : cm_);
  }
  view_ = new QChartView(chart_, this);  // owns the chart
  view_->setObjectName("chart_trails");
  view_->setToolTip("extent (trailExtent D): first to last patch holding pheromone\n"
                    "width (trailWidth D): the centimetres that effectively carry it\n"
                    "trails (trailCount D): separate trails crossing the row");
  view_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(view_);

  connect(distance_, &QSpinBox::valueChanged, this, [this] {
    if (sampling()) SetSampling(true);  // the curves start afresh at the new row
  });
}

TrailChart::~TrailChart() = default;

void TrailChart::SetSampling(bool on) {
  sampler_.reset();
  if (on) sampler_ = std::make_unique<Sampler>(form_, distance_->value());
  shown_ = UINT64_MAX;
  Refresh();
}

void TrailChart::Refresh() {
  const uint64_t version = sampler_ ? sampler_->version : 0;
  if (version == shown_) return;
  shown_ = version;
  static const std::vector<double> kNone;
  const std::vector<double>& times = sampler_ ? sampler_->times : kNone;
  double cm = 0, count = 0;
  for (size_t i = 0; i < 3; ++i) {
    QList<QPointF> points;
    const std::vector<double>& values = sampler_ ? sampler_->values[i] : kNone;
    for (size_t k = 0; k < times.size(); ++k) {
      points.append(QPointF(times[k] / 60.0, values[k]));
      (i == 2 ? count : cm) = std::max(i == 2 ? count : cm, values[k]);
    }
    curves_[i]->replace(points);
  }
  x_->setRange(0, Top(times.empty() ? 1.0 : times.back() / 60.0));
  cm_->setRange(0, Top(cm));
  count_->setRange(0, Top(count));
}

}  // namespace antraid
