#include "platform/qt/panel_area.h"

#include <QResizeEvent>
#include <algorithm>

namespace antraid {

namespace {
// A widget's size as it asks for it, and never below its least size (the
// read-outs have a fixed width).
QSize Wanted(const QWidget* w) { return w->sizeHint().expandedTo(w->minimumSize()); }
}  // namespace

PanelArea::PanelArea(QWidget* picture, QWidget* readOuts, QWidget* controls)
    : picture_(picture), readOuts_(readOuts), controls_(controls) {
  for (QWidget* w : {picture, readOuts, controls}) w->setParent(this);
}

// The size that holds a picture of the given side and controls of the given
// height.
QSize PanelArea::Around(int side, int controlsHeight) const {
  const int leftWidth = std::max(side, Wanted(readOuts_).width());
  const int leftHeight = side + kBelow + Wanted(readOuts_).height();
  return {kLeft + leftWidth + kBeside + controls_->sizeHint().width() + kRight,
          kTop + std::max(leftHeight, controlsHeight) + kBottom};
}

QSize PanelArea::sizeHint() const {
  return Around(picture_->sizeHint().width(), controls_->sizeHint().height());
}

QSize PanelArea::minimumSizeHint() const {
  return Around(picture_->minimumSizeHint().width(), controls_->minimumSizeHint().height());
}

void PanelArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void PanelArea::Place() {
  const int controlsWidth = controls_->sizeHint().width();
  const QSize readOuts = Wanted(readOuts_);
  // The largest square that leaves room for the controls beside it and the
  // read-outs under it, and never smaller than the picture's least size.
  const int byWidth = width() - kLeft - kBeside - controlsWidth - kRight;
  const int byHeight = height() - kTop - kBelow - readOuts.height() - kBottom;
  const int side = std::max(picture_->minimumSizeHint().width(), std::min(byWidth, byHeight));
  picture_->setGeometry(kLeft, kTop, side, side);
  readOuts_->setGeometry(kLeft, kTop + side + kBelow, readOuts.width(), readOuts.height());
  const int controlsLeft = kLeft + std::max(side, readOuts.width()) + kBeside;
  controls_->setGeometry(controlsLeft, kTop, controlsWidth, std::max(0, height() - kTop - kBottom));
}

}  // namespace antraid
