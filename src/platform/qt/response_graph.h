// The response graph of the Pheromone group: its axes, the labels and the
// range box that stand on it, and the curve the form draws on its surface.
// The form draws in twips of its own window; the graph shows the part of
// that surface it covers. The curve is kept as a picture and only new points
// are drawn into it, so a repaint is one blit.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

class QPaintEvent;
class QResizeEvent;

namespace antraid {

class ControlWidgets;
class Surface;

class ResponseGraph : public QWidget {
 public:
  static constexpr double kTwipsPerPixel = 15.0;
  // The surface's area the graph covers, in pixels of the form's window.
  static constexpr int kLeft = 514, kTop = 304, kWidth = 190, kHeight = 100;

  // Takes the graph's controls (lblP_mMax, Label1, txtMaxPherValue) from
  // widgets and places them on the graph.
  ResponseGraph(const Surface& surface, const ControlWidgets& widgets, QWidget* parent);

  // Draws the points set since the last call, or all of them after a clear.
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Draw(size_t first);

  const Surface& surface_;
  QImage picture_;  // the curve on a transparent ground, in device pixels
  uint64_t shownClears_ = UINT64_MAX;
  uint64_t shownPoints_ = 0;  // points of the surface drawn since its last clear
};

}  // namespace antraid
