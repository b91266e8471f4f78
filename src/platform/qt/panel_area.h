// The panel's outer arrangement: the world picture as a square at the top
// left, the read-outs right under it, the controls right beside it. Given
// more room the picture grows as far as both the width and the height allow
// and the read-outs and controls move with its edges, so that at any size
// nothing drifts away from the picture; what is left over stays blank at the
// right and bottom.
#pragma once

#include <QWidget>

class QResizeEvent;

namespace antraid {

class PanelArea : public QWidget {
 public:
  static constexpr int kLeft = 4, kTop = 4, kRight = 6, kBottom = 4;  // px of margin
  static constexpr int kBeside = 8;  // px between the picture and the controls
  static constexpr int kBelow = 3;   // px between the picture and the read-outs

  // Takes the three as its children.
  PanelArea(QWidget* picture, QWidget* readOuts, QWidget* controls);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSize Around(int side, int controlsHeight) const;
  void Place();

  QWidget* picture_;
  QWidget* readOuts_;
  QWidget* controls_;
};

}  // namespace antraid
