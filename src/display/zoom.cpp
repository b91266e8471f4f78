// The zoom view: clicks change the canvas coordinate system; an ALT drag
// shows a rubber-band rectangle in invert mode.
#include <cmath>

#include "app/main_form.h"

namespace antraid {

void MainForm::pctWorld_MouseDown(int /*Button*/, int Shift, float X, float Y) {
  Message(FormatInt(Shift));  // 1
  if (Shift == 1) return;     // 2
  // A window reports only finite positions; anything else would carry the
  // view or the rectangle out of range.
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  if (Shift == 4) {           // 3
    Message("Hold down the ALT key while moving the mouse to select an area to zoom in to.");
    zoomSelecting = true;
    savedDrawMode = pctWorld.DrawMode();
    pctWorld.SetDrawMode(kDrawInvert);
    boxStartX = boxEndX = X;
    boxStartY = boxEndY = Y;
    pctWorld.LineBox(boxStartX, boxStartY, boxEndX, boxEndY);
  } else if (Shift == 0 && zoomEnabled) {  // 4
    ZoomIn(X, Y);
  } else if (Shift == 2 && zoomEnabled) {  // 5
    ZoomOut(X, Y);
  }
}

void MainForm::pctWorld_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y) {
  if (!zoomSelecting || !std::isfinite(X) || !std::isfinite(Y)) return;
  pctWorld.LineBox(boxStartX, boxStartY, boxEndX, boxEndY);  // 1
  float dx = X - boxStartX;  // 2
  float dy = Y - boxStartY;
  KeepAspectRatio(worldAspect, dx, dy);  // 3
  const float endX = boxStartX + dx, endY = boxStartY + dy;  // 4
  const float right = pctWorld.ScaleLeft() + pctWorld.ScaleWidth();
  const float bottom = pctWorld.ScaleTop() + pctWorld.ScaleHeight();
  // A corner beyond float range counts as beyond the edge.
  if (endX > right || endY > bottom || !std::isfinite(endX) || !std::isfinite(endY)) return;
  boxEndX = endX;  // 5
  boxEndY = endY;
  pctWorld.LineBox(boxStartX, boxStartY, boxEndX, boxEndY);
  Message(FormatSingle(boxEndX - boxStartX));
}

void MainForm::pctWorld_MouseUp(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  WriteWindowWidthCaption();  // 1
  if (!zoomSelecting) return;  // 2
  const float width = boxEndX - boxStartX;
  Message(FormatSingle(width));
  if (std::fabs(width) >= 40) {
    zoomSelecting = false;
    pctWorld.LineBox(boxStartX, boxStartY, boxEndX, boxEndY);
    pctWorld.SetDrawMode(savedDrawMode);
  }
}

void MainForm::KeepAspectRatio(float aspect, float& dx, float& dy) {
  if (aspect == 0 || dx == 0 || dy == 0) return;
  const float r = dy / dx;
  const float s = r < 0 ? -1.0f : 1.0f;
  if (std::fabs(r) <= aspect)
    dy = s * aspect * dx;
  else
    dx = s * dy / aspect;
}

void MainForm::ZoomIn(float X, float Y) {
  const float newWidth = pctWorld.ScaleWidth() / zoomFactor;  // 1
  const float aspectFactor = worldAspect * zoomFactor;
  const float newHeight = pctWorld.ScaleHeight() / aspectFactor;  // 2
  float left = X - newWidth / 2, right = X + newWidth / 2;  // 3
  float top = Y - newHeight / 2, bottom = Y + newHeight / 2;
  const float bottomEdge = pctWorld.ScaleTop() + pctWorld.ScaleHeight();
  if (bottom > bottomEdge) {  // 4
    top = top - (bottom - bottomEdge);
    bottom = bottomEdge;
  }
  const float rightEdge = pctWorld.ScaleLeft() + pctWorld.ScaleWidth();
  if (right > rightEdge) {  // 5
    left = left - (right - rightEdge);
    right = rightEdge;
  }
  if (left < 0) {  // 6
    right = right - left;
    left = 0;
  }
  if (top < 0) {  // 7
    bottom = bottom - top;
    top = 0;
  }
  // 8: a view that has collapsed or run out of range is not taken.
  if (!(newWidth > 0) || !(newHeight > 0) || !std::isfinite(newWidth) || !std::isfinite(newHeight) ||
      !std::isfinite(left) || !std::isfinite(top))
    return;
  pctWorld.SetScaleLeft(left);
  pctWorld.SetScaleTop(top);
  pctWorld.SetScaleWidth(newWidth);
  pctWorld.SetScaleHeight(newHeight);
  const auto w = ToInt16(static_cast<double>(worldXinCm) / newWidth);  // 9
  drawWidth = w && *w >= 1 ? *w : (w ? int16_t{1} : INT16_MAX);
  pctWorld.SetDrawWidth(drawWidth);
}

void MainForm::ZoomOut(float X, float Y) {
  float newWidth = pctWorld.ScaleWidth() * zoomFactor;  // 1
  if (newWidth > worldXinCm) newWidth = static_cast<float>(worldXinCm);
  float newHeight = zoomFactor * worldAspect * pctWorld.ScaleHeight();  // 2
  if (newHeight > worldYinCm) newHeight = static_cast<float>(worldYinCm);
  if (!(newWidth > 0) || !(newHeight > 0)) return;
  if (pctWorld.ScaleLeft() + newWidth < worldXinCm && pctWorld.ScaleTop() + newHeight < worldYinCm) {  // 3
    pctWorld.SetScaleLeft(X - newWidth / 2);
    pctWorld.SetScaleTop(Y - newHeight / 2);
    pctWorld.SetScaleWidth(newWidth);
    pctWorld.SetScaleHeight(newHeight);
  } else {  // 4
    pctWorld.SetScaleWidth(static_cast<float>(worldXinCm));
    pctWorld.SetScaleLeft(0);
    pctWorld.SetScaleTop(0);
    pctWorld.SetScaleHeight(static_cast<float>(worldYinCm));
  }
  const double w = RoundHalfEven(static_cast<double>(worldXinCm) / newWidth);  // 5
  drawWidth = w > 1 ? (w > INT16_MAX ? INT16_MAX : static_cast<int16_t>(w)) : int16_t{1};
  pctWorld.SetDrawWidth(drawWidth);
}

}  // namespace antraid
