#include "platform/qt/world_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <algorithm>
#include <utility>

#include "sim/main_form.h"
#include "sim/display/mouse_modifiers.h"

namespace antraid {

WorldView::WorldView(MainForm& form, std::function<void(const std::function<void()>&)> run, QWidget* parent)
    : QWidget(parent), form_(form), run_(std::move(run)) {
  setObjectName("pctWorld");
  // Moves arrive with no button held too: the ALT rectangle follows the pointer.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize WorldView::sizeHint() const {
  return {form_.pctWorld.width() + 2 * kBorder, form_.pctWorld.height() + 2 * kBorder};
}

QRect WorldView::rasterRect() const {
  const int side = std::max(0, std::min(width(), height()) - 2 * kBorder);
  return {kBorder, kBorder, side, side};
}

QPointF WorldView::ToRaster(QPointF pos) const {
  const QRect r = rasterRect();
  const Canvas& c = form_.pctWorld;
  return {(pos.x() - r.x()) * c.width() / r.width(), (pos.y() - r.y()) * c.height() / r.height()};
}

namespace {
// The form's mouse handlers take the buttons held as a bit mask.
constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
}  // namespace

int WorldView::ButtonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= kLeftButton;
  if (buttons & Qt::RightButton) code |= kRightButton;
  if (buttons & Qt::MiddleButton) code |= kMiddleButton;
  return code;
}

int WorldView::ShiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= kShiftMask;
  if (modifiers & Qt::ControlModifier) code |= kCtrlMask;
  if (modifiers & Qt::AltModifier) code |= kAltMask;
  return code;
}

void WorldView::SetTrails(bool on) {
  if (trails_ == on) return;
  trails_ = on;
  composedVersion_ = UINT64_MAX;
  update();
}

const uint32_t* WorldView::Shown() {
  const Canvas& c = form_.pctWorld;
  if (!trails_) return c.pixels();
  // The canvas is cleared on every step, so its version follows the layer.
  if (composedVersion_ != c.version()) {
    trailLayer_.Compose(form_);
    composedVersion_ = c.version();
  }
  return trailLayer_.picture().data();
}

void WorldView::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QRect raster = rasterRect();
  const QRect frame = raster.adjusted(-kBorder, -kBorder, kBorder - 1, kBorder - 1);
  // Around the square, the window's own colour.
  const QRegion around = QRegion(rect()) - QRegion(frame.adjusted(0, 0, 1, 1));
  for (const QRect& r : around) p.fillRect(r, palette().color(QPalette::Window));
  p.setPen(QColor(64, 64, 64));
  p.drawRect(frame);
  const Canvas& c = form_.pctWorld;
  // The raster itself (or the trail picture), no copy: a read-only image over its pixels.
  const QImage image(reinterpret_cast<const uchar*>(Shown()), c.width(), c.height(),
                     c.width() * static_cast<int>(sizeof(uint32_t)), QImage::Format_RGB32);
  // Nearest-neighbour scaling: on a high-density screen each canvas pixel
  // becomes a sharp block of device pixels.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(raster, image);
}

void WorldView::mousePressEvent(QMouseEvent* event) {
  const QPointF px = ToRaster(event->position());
  const int button = ButtonCode(event->button());
  const int shift = ShiftCode(event->modifiers());
  run_([&] {
    form_.actions.MouseDown(button, shift, form_.pctWorld.ToWorldX(px.x()), form_.pctWorld.ToWorldY(px.y()));
  });
}

void WorldView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF px = ToRaster(event->position());
  const int buttons = ButtonCode(event->buttons());
  const int shift = ShiftCode(event->modifiers());
  run_([&] {
    form_.actions.MouseMove(buttons, shift, form_.pctWorld.ToWorldX(px.x()), form_.pctWorld.ToWorldY(px.y()));
  });
}

void WorldView::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF px = ToRaster(event->position());
  const int button = ButtonCode(event->button());
  const int shift = ShiftCode(event->modifiers());
  run_([&] {
    form_.actions.MouseUp(button, shift, form_.pctWorld.ToWorldX(px.x()), form_.pctWorld.ToWorldY(px.y()));
  });
}

}  // namespace antraid
