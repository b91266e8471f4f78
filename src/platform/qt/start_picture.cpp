#include "platform/qt/start_picture.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <cmath>

namespace antraid {

namespace {

struct Stroke {
  QPointF a, b, c;
};

// Legs (hind, middle, front on each side) and antennae, as in the SVG file.
constexpr Stroke kStrokes[] = {
    {{27.5, 14.5}, {31, 8}, {35, 6}},   {{27.5, 14.5}, {31, 21}, {35, 23}}, {{26, 14.5}, {25, 7}, {22, 4}},
    {{26, 14.5}, {25, 22}, {22, 25}},   {{24.5, 14.5}, {19, 8}, {14, 5}},   {{24.5, 14.5}, {19, 21}, {14, 24}},
    {{36, 13}, {39, 7}, {44, 6}},       {{36, 16}, {39, 22}, {44, 23}},
};

struct Blob {
  QPointF centre;
  qreal rx, ry;
};

// Gaster, waist, thorax, head.
constexpr Blob kBody[] = {{{13, 14.5}, 8, 5.5}, {{21.6, 14.5}, 1.6, 1.6}, {{26, 14.5}, 4.5, 2.8}, {{33.5, 14.5}, 3.6, 3.6}};

}  // namespace

QPixmap StartPicture(qreal devicePixelRatio) {
  const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  QPixmap pm(static_cast<int>(std::ceil(kStartPictureWidth * dpr)), static_cast<int>(std::ceil(kStartPictureHeight * dpr)));
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ant(0x3b, 0x1f, 0x0e);
  QPen pen(ant, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const Stroke& s : kStrokes) {
    const QPointF pts[] = {s.a, s.b, s.c};
    p.drawPolyline(pts, 3);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(ant);
  for (const Blob& b : kBody) p.drawEllipse(b.centre, b.rx, b.ry);

  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(QColor(0x8b, 0, 0));
  const QString word = "START";
  const qreal w = QFontMetricsF(font).horizontalAdvance(word);
  p.drawText(QPointF(25 - w / 2, 39), word);
  return pm;
}

QIcon StartIcon() {
  QIcon icon;
  icon.addPixmap(StartPicture(1.0));
  icon.addPixmap(StartPicture(2.0));
  return icon;
}

}  // namespace antraid
