// The world canvas pctWorld on the screen: shows the form's raster without
// copying it, as the largest square the widget holds (one raster pixel per
// pixel at the window's first size), scaled without smoothing, and turns
// mouse events into the form's mouse actions in world units. The trails,
// when shown, are composed over the canvas here, never drawn into it.
#pragma once

#include <QPointF>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "sim/display/trail_layer.h"

class QPaintEvent;
class QMouseEvent;

namespace antraid {

class MainForm;

class WorldView : public QWidget {
 public:
  static constexpr int kBorder = 1;  // px of frame around the raster

  // run executes a form handler on behalf of the user (and mirrors after it).
  WorldView(MainForm& form, std::function<void(const std::function<void()>&)> run, QWidget* parent);

  // The raster at one pixel per pixel, in its frame.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint() / 2; }

  // Where the raster is shown, in widget coordinates: a square at the top
  // left, over the read-outs.
  QRect rasterRect() const;
  // A widget position in raster pixels (may lie outside the raster).
  QPointF ToRaster(QPointF pos) const;

  // The trails shown over the canvas (a layer of this view only).
  void SetTrails(bool on);
  bool trails() const { return trails_; }
  // What the view shows, one pixel per raster pixel (0xFFRRGGBB): the canvas,
  // with the trails when they are shown.
  const uint32_t* Shown();

  // Mouse button and modifier codes of the form's handlers.
  static int ButtonCode(Qt::MouseButtons buttons);
  static int ShiftCode(Qt::KeyboardModifiers modifiers);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  MainForm& form_;
  std::function<void(const std::function<void()>&)> run_;
  TrailLayer trailLayer_;
  bool trails_ = false;
  uint64_t composedVersion_ = UINT64_MAX;  // canvas version the trail picture was composed from
};

}  // namespace antraid
