// The plots drawn for a file at a size of the user's choice: each chart is
// built afresh off screen at its share of the size, with every sample and
// fonts in proportion, so a large picture is sharp rather than a blown-up
// screen grab. PNG, or SVG (Qt SVG) when the name ends in ".svg".
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QFont>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/qt/plot_dock.h"

namespace antraid {

namespace {
constexpr int kScreenFontPx = 10;   // the charts' font on screen
constexpr int kScreenChartPx = 200; // about the height of a chart on screen

// A copy of a chart on screen with every sample of its figures.
std::unique_ptr<QChart> CopyOf(const QChart& shown, const PlotSeries& series,
                              const std::array<QLineSeries*, kPlotFigureCount>& curves, int fontPx) {
  auto chart = std::make_unique<QChart>();
  QFont font = shown.titleFont();
  font.setPixelSize(fontPx);
  chart->setTitle(shown.title());
  chart->setTitleFont(font);
  chart->legend()->setFont(font);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setBackgroundRoundness(0);
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  auto* x = new QValueAxis;
  auto* y = new QValueAxis;
  const auto* shownX = static_cast<const QValueAxis*>(shown.axes(Qt::Horizontal).value(0));
  const auto* shownY = static_cast<const QValueAxis*>(shown.axes(Qt::Vertical).value(0));
  for (auto [axis, from] : {std::pair{x, shownX}, std::pair{y, shownY}}) {
    axis->setRange(from->min(), from->max());
    axis->setTickCount(from->tickCount());
    axis->setTitleText(from->titleText());
    axis->setLabelFormat(from->labelFormat());
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
  }
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  const std::vector<double>& times = series.times();
  for (size_t f = 0; f < curves.size(); ++f) {
    if (!curves[f] || curves[f]->chart() != &shown) continue;
    auto* line = new QLineSeries;
    line->setName(curves[f]->name());
    QPen pen = curves[f]->pen();
    pen.setWidthF(pen.widthF() * fontPx / kScreenFontPx);
    line->setPen(pen);
    QList<QPointF> points;
    const std::vector<double>& values = series.values(f);
    for (size_t i = 0; i < times.size(); ++i) points.append(QPointF(times[i] / 60.0, values[i]));
    line->replace(points);
    chart->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
  }
  return chart;
}
}  // namespace

bool PlotDock::SavePicture(const QString& path, int chart, QSize size) {
  if (!(chart == kAllCharts || (chart >= 0 && chart < kChartCount)) || size.isEmpty()) return false;
  Refresh();  // the axes as the screen shows them now
  std::vector<int> shown;
  for (int c = 0; c < kChartCount; ++c)
    if (chart == kAllCharts || chart == c) shown.push_back(c);
  // The charts one above the other, each the full width.
  const int rows = static_cast<int>(shown.size());
  const int rowHeight = size.height() / rows;
  const int fontPx = std::max(kScreenFontPx, static_cast<int>(std::lround(
                                                 kScreenFontPx * std::min(size.width() / 380.0,
                                                                          rowHeight / double(kScreenChartPx)))));
  auto draw = [&](QPainter& painter) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    for (int r = 0; r < rows; ++r) {
      QGraphicsScene scene;
      std::unique_ptr<QChart> copy = CopyOf(*charts_[static_cast<size_t>(shown[r])].chart, series_, curves_, fontPx);
      QChart* item = copy.release();
      scene.addItem(item);  // the scene owns it now
      const QRectF area(0, 0, size.width(), r + 1 == rows ? size.height() - r * rowHeight : rowHeight);
      item->setGeometry(area);
      item->layout()->activate();
      scene.setSceneRect(area);
      scene.render(&painter, area.translated(0, r * rowHeight), area);
    }
  };
  bool ok = false;
  if (path.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("antraid plots");
    QPainter painter;
    if (painter.begin(&svg)) {
      draw(painter);
      ok = painter.end();
    }
    // The generator says nothing of a file it could not open.
    ok = ok && QFileInfo(path).size() > 0;
  } else {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    ok = image.save(path, "PNG");
  }
  if (!ok) Report("Plot picture not saved", path);
  return ok;
}

}  // namespace antraid
