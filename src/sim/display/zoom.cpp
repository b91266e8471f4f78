// The zoom view: clicks change the canvas coordinate system; an ALT drag
// shows a rubber-band rectangle in invert mode.
#include <cmath>

#include "sim/main_form.h"
#include "sim/display/mouse_modifiers.h"

namespace antraid {

namespace {
// A rubber-band rectangle narrower than this stays active at a release.
constexpr float kMinBoxWidth = 40;  // cm
}  // namespace

void MainForm::pctWorld_MouseDown(int /*Button*/, int Shift, float X, float Y) {
  // Every press shows its modifier mask; Shift alone does nothing more, and
  // neither does any mask but Alt, Ctrl or none.
  Message(FormatInt(Shift));
  if (Shift == kShiftMask) return;
  // A window reports only finite positions; anything else would carry the
  // view or the rectangle out of range.
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  if (Shift == kAltMask) {
    // A rubber band in invert mode, restarted when it was active already.
    Message("Hold down the ALT key while moving the mouse to select an area to zoom in to.");
    drawing.zoomSelecting = true;
    drawing.savedDrawMode = pctWorld.DrawMode();
    pctWorld.SetDrawMode(kDrawInvert);
    drawing.boxStartX = drawing.boxEndX = X;
    drawing.boxStartY = drawing.boxEndY = Y;
    pctWorld.LineBox(drawing.boxStartX, drawing.boxStartY, drawing.boxEndX, drawing.boxEndY);
  } else if (Shift == 0 && drawing.zoomEnabled) {
    ZoomIn(X, Y);
  } else if (Shift == kCtrlMask && drawing.zoomEnabled) {
    ZoomOut(X, Y);
  }
}

void MainForm::pctWorld_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y) {
  if (!drawing.zoomSelecting || !std::isfinite(X) || !std::isfinite(Y)) return;
  // In invert mode the outline drawn again at its corners is removed.
  pctWorld.LineBox(drawing.boxStartX, drawing.boxStartY, drawing.boxEndX, drawing.boxEndY);
  float dx = X - drawing.boxStartX;
  float dy = Y - drawing.boxStartY;
  KeepAspectRatio(drawing.worldAspect, dx, dy);
  // A corner beyond the view's right or bottom edge (the only two tested) is
  // not taken and no outline is drawn: moves out there alternately remove
  // and restore the last outline.
  const float endX = drawing.boxStartX + dx, endY = drawing.boxStartY + dy;
  const float right = pctWorld.ScaleLeft() + pctWorld.ScaleWidth();
  const float bottom = pctWorld.ScaleTop() + pctWorld.ScaleHeight();
  // A corner beyond float range counts as beyond the edge.
  if (endX > right || endY > bottom || !std::isfinite(endX) || !std::isfinite(endY)) return;
  drawing.boxEndX = endX;
  drawing.boxEndY = endY;
  pctWorld.LineBox(drawing.boxStartX, drawing.boxStartY, drawing.boxEndX, drawing.boxEndY);
  Message(FormatSingle(drawing.boxEndX - drawing.boxStartX));
}

void MainForm::pctWorld_MouseUp(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
  WriteWindowWidthCaption();
  if (!drawing.zoomSelecting) return;
  // A narrow rectangle stays active and shown; a wide enough one is removed
  // and the draw mode restored. The rectangle selects nothing.
  const float width = drawing.boxEndX - drawing.boxStartX;
  Message(FormatSingle(width));
  if (std::fabs(width) >= kMinBoxWidth) {
    drawing.zoomSelecting = false;
    pctWorld.LineBox(drawing.boxStartX, drawing.boxStartY, drawing.boxEndX, drawing.boxEndY);
    pctWorld.SetDrawMode(drawing.savedDrawMode);
  }
}

// Grows the drag in one direction until |dy / dx| is the aspect, keeping its
// direction; a flat or upright drag stays as it is.
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
  // A view zoomFactor times smaller around (X, Y), all in 32-bit floats.
  const float newWidth = pctWorld.ScaleWidth() / drawing.zoomFactor;
  const float aspectFactor = drawing.worldAspect * drawing.zoomFactor;
  const float newHeight = pctWorld.ScaleHeight() / aspectFactor;
  float left = X - newWidth / 2, right = X + newWidth / 2;
  float top = Y - newHeight / 2, bottom = Y + newHeight / 2;
  // Shifted back inside the current view on the bottom and right, then
  // inside the world on the left and top, in this order.
  const float bottomEdge = pctWorld.ScaleTop() + pctWorld.ScaleHeight();
  if (bottom > bottomEdge) {
    top = top - (bottom - bottomEdge);
    bottom = bottomEdge;
  }
  const float rightEdge = pctWorld.ScaleLeft() + pctWorld.ScaleWidth();
  if (right > rightEdge) {
    left = left - (right - rightEdge);
    right = rightEdge;
  }
  if (left < 0) {
    right = right - left;
    left = 0;
  }
  if (top < 0) {
    bottom = bottom - top;
    top = 0;
  }
  // A view that has collapsed or run out of range is not taken.
  if (!(newWidth > 0) || !(newHeight > 0) || !std::isfinite(newWidth) || !std::isfinite(newHeight) ||
      !std::isfinite(left) || !std::isfinite(top))
    return;
  pctWorld.SetScaleLeft(left);
  pctWorld.SetScaleTop(top);
  pctWorld.SetScaleWidth(newWidth);
  pctWorld.SetScaleHeight(newHeight);
  // The pen grows with the zoom: world width over view width, rounded half
  // to even.
  const auto w = ToInt16(static_cast<double>(params.worldXinCm) / newWidth);
  drawing.drawWidth = w && *w >= 1 ? *w : (w ? int16_t{1} : INT16_MAX);
  pctWorld.SetDrawWidth(drawing.drawWidth);
}

void MainForm::ZoomOut(float X, float Y) {
  // A view zoomFactor times larger, never larger than the world, around
  // (X, Y) and with no further limit; when the current left or top edge plus
  // the new size reaches the world's far edge, the whole world instead.
  float newWidth = pctWorld.ScaleWidth() * drawing.zoomFactor;
  if (newWidth > params.worldXinCm) newWidth = static_cast<float>(params.worldXinCm);
  float newHeight = drawing.zoomFactor * drawing.worldAspect * pctWorld.ScaleHeight();
  if (newHeight > params.worldYinCm) newHeight = static_cast<float>(params.worldYinCm);
  if (!(newWidth > 0) || !(newHeight > 0)) return;
  if (pctWorld.ScaleLeft() + newWidth < params.worldXinCm && pctWorld.ScaleTop() + newHeight < params.worldYinCm) {
    pctWorld.SetScaleLeft(X - newWidth / 2);
    pctWorld.SetScaleTop(Y - newHeight / 2);
    pctWorld.SetScaleWidth(newWidth);
    pctWorld.SetScaleHeight(newHeight);
  } else {
    pctWorld.SetScaleWidth(static_cast<float>(params.worldXinCm));
    pctWorld.SetScaleLeft(0);
    pctWorld.SetScaleTop(0);
    pctWorld.SetScaleHeight(static_cast<float>(params.worldYinCm));
  }
  // The pen follows the enlarged width, also when the whole world is shown.
  const double w = RoundHalfEven(static_cast<double>(params.worldXinCm) / newWidth);
  drawing.drawWidth = w > 1 ? (w > INT16_MAX ? INT16_MAX : static_cast<int16_t>(w)) : int16_t{1};
  pctWorld.SetDrawWidth(drawing.drawWidth);
}

}  // namespace antraid
