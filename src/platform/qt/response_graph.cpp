#include "platform/qt/response_graph.h"

#include <QFont>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/surface.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/group_style.h"
#include "platform/qt/qt_text.h"

namespace antraid {

namespace {

constexpr int Tw(int twips) { return twips / 15; }

// A piece of the graph, in twips of the form's window.
struct Piece {
  const char* name;
  int left, top, width, height;
};
// The axes and the tick of the 1.
constexpr Piece kShapes[] = {
    {"shpXAxis", 8520, 5760, 1815, 15},
    {"shpYAxis", 8520, 4920, 15, 855},
    {"Shape3", 8460, 4920, 75, 15},
};
// The value labels at the ends of the y axis and the box of the x range.
constexpr Piece kControls[] = {
    {"lblP_mMax", 8280, 4860, 180, 210},
    {"Label1", 8280, 5640, 180, 210},
    {"txtMaxPherValue", 10080, 5790, 375, 210},
};

QRect Place(const Piece& p) {
  return QRect(Tw(p.left) - ResponseGraph::kLeft, Tw(p.top) - ResponseGraph::kTop, std::max(1, Tw(p.width)),
               std::max(1, Tw(p.height)));
}

}  // namespace

ResponseGraph::ResponseGraph(const Surface& surface, const ControlWidgets& widgets, QWidget* parent)
    : QWidget(parent), surface_(surface) {
  setObjectName("responseGraph");
  setProperty(GroupStyle::kBackground, true);  // the form's own surface
  setFixedSize(kWidth, kHeight);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  for (const Piece& s : kShapes) {
    auto* w = new QWidget(this);
    w->setObjectName(s.name);
    w->setPalette(grey);
    w->setAutoFillBackground(true);
    w->setGeometry(Place(s));
  }
  for (const Piece& c : kControls) {
    if (QWidget* w = widgets.Find(c.name)) {
      w->setParent(this);
      w->setGeometry(Place(c));
    }
  }
  if (auto* max = widgets.Get<QLineEdit>("txtMaxPherValue")) {
    QFont small = max->font();
    small.setPixelSize(9);
    max->setFont(small);
    max->setTextMargins(0, 0, 0, 0);
  }
}

void ResponseGraph::resizeEvent(QResizeEvent* /*event*/) {
  shownClears_ = UINT64_MAX;
  Sync();
}

void ResponseGraph::Sync() {
  const qreal dpr = devicePixelRatioF();
  const QSize device = (QSizeF(size()) * dpr).toSize();
  if (surface_.clears() != shownClears_ || picture_.size() != device) {
    picture_ = QImage(device, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(dpr);
    picture_.fill(Qt::transparent);
    shownClears_ = surface_.clears();
    shownPoints_ = 0;
  }
  const uint64_t fresh = surface_.drawnSinceClear() - shownPoints_;
  if (fresh == 0) return;
  const size_t kept = surface_.points().size();
  Draw(kept - std::min<uint64_t>(fresh, kept));
  shownPoints_ = surface_.drawnSinceClear();
  update();
}

void ResponseGraph::Draw(size_t first) {
  QPainter p(&picture_);
  p.translate(-kLeft, -kTop);
  QPen pen;
  pen.setWidthF(1.0);
  std::vector<QPointF> run;  // consecutive points of one colour
  uint32_t current = UINT32_MAX;
  auto flush = [&] {
    if (run.empty()) return;
    pen.setColor(ColorOf(current));
    p.setPen(pen);
    p.drawPoints(run.data(), static_cast<int>(run.size()));
    run.clear();
  };
  const auto& points = surface_.points();
  for (size_t i = first; i < points.size(); ++i) {
    const SurfacePoint& sp = points[i];
    if (!std::isfinite(sp.x) || !std::isfinite(sp.y)) continue;
    if (sp.color != current) {
      flush();
      current = sp.color;
    }
    run.emplace_back(sp.x / kTwipsPerPixel, sp.y / kTwipsPerPixel);
  }
  flush();
}

void ResponseGraph::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.drawImage(0, 0, picture_);
}

}  // namespace antraid
