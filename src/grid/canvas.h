// The world canvas: one in-memory 32-bit raster that the model draws into,
// the window shows and frame saving writes. World coordinates map to pixels
// through the four scale properties; drawing outside the raster is clipped
// silently.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace antraid {

inline constexpr int kCanvasPixels = 500;  // inner size of the canvas, pixels

enum DrawModes : int16_t { kDrawInvert = 6, kDrawCopyPen = 13 };

class Canvas {
 public:
  explicit Canvas(int size = kCanvasPixels);

  int width() const { return size_; }
  int height() const { return size_; }
  // Pixels as 0xFFRRGGBB, row after row from the top left.
  const uint32_t* pixels() const { return pixels_.data(); }
  // Colour of one pixel as RGB(r, g, b); 0 outside the raster.
  uint32_t Pixel(int px, int py) const;
  // Grows with every change of the raster (the window repaints on change).
  uint64_t version() const { return version_; }

  uint32_t BackColor() const { return backColor_; }
  uint32_t ForeColor() const { return foreColor_; }

  int16_t DrawWidth() const { return drawWidth_; }
  void SetDrawWidth(int16_t w) { drawWidth_ = w < 1 ? int16_t{1} : w; }
  int16_t DrawMode() const { return drawMode_; }
  void SetDrawMode(int16_t m) { drawMode_ = m; }

  float ScaleLeft() const { return scaleLeft_; }
  float ScaleTop() const { return scaleTop_; }
  float ScaleWidth() const { return scaleWidth_; }
  float ScaleHeight() const { return scaleHeight_; }
  void SetScaleLeft(float v) { scaleLeft_ = v; }
  void SetScaleTop(float v) { scaleTop_ = v; }
  // A width or height that is zero or not finite is refused (the mapping
  // would divide by it); the call reports whether it was taken.
  bool SetScaleWidth(float v);
  bool SetScaleHeight(float v);

  // A raster switched off draws nothing: clearing, dots, boxes and circles
  // leave the pixels as they are, while the scale, pen width and draw mode
  // behave as before (the model and the zoom rules read them). For runs that
  // nobody looks at, such as the runs of a sweep.
  void SetRasterOn(bool on) { rasterOn_ = on; }
  bool rasterOn() const { return rasterOn_; }

  // Fills the raster with the background colour.
  void Cls() {
    if (rasterOn_) Clear();
  }
  // A round dot of DrawWidth pixels at world (x, y).
  void PSet(float x, float y, uint32_t rgb) {
    if (rasterOn_) DrawDot(x, y, rgb);
  }
  void PSet(float x, float y) { PSet(x, y, foreColor_); }
  // Outline of the axis-parallel box with corners (x1, y1) and (x2, y2); every
  // pixel of the outline is drawn once, so invert mode twice restores it.
  void LineBox(float x1, float y1, float x2, float y2) {
    if (rasterOn_) DrawBox(x1, y1, x2, y2);
  }
  // Circle outline of world radius r around (x, y).
  void Circle(float x, float y, float r, uint32_t rgb) {
    if (rasterOn_) DrawCircle(x, y, r, rgb);
  }
  void Circle(float x, float y, float r) { Circle(x, y, r, foreColor_); }

  // World point to pixel (the pixel that contains the point); may lie outside.
  double ToPixelX(double x) const { return (x - scaleLeft_) * size_ / scaleWidth_; }
  double ToPixelY(double y) const { return (y - scaleTop_) * size_ / scaleHeight_; }
  // Pixel position to world coordinates (mouse events).
  float ToWorldX(double px) const { return static_cast<float>(scaleLeft_ + px * scaleWidth_ / size_); }
  float ToWorldY(double py) const { return static_cast<float>(scaleTop_ + py * scaleHeight_ / size_); }

  // Writes the raster as a 24-bit Windows bitmap; false when it cannot.
  bool SavePicture(const std::string& path) const;

 private:
  void Clear();
  void DrawDot(float x, float y, uint32_t rgb);
  void DrawBox(float x1, float y1, float x2, float y2);
  void DrawCircle(float x, float y, float r, uint32_t rgb);
  void Plot(int px, int py, uint32_t argb);
  void Dot(int cx, int cy, uint32_t argb);
  void PrepareStamp();

  int size_;
  std::vector<uint32_t> pixels_;
  uint64_t version_ = 0;
  uint32_t backColor_;
  uint32_t foreColor_;
  int16_t drawWidth_ = 1;
  int16_t drawMode_ = kDrawCopyPen;
  float scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
  bool rasterOn_ = true;
  // Rows drawn on since the last clear (none when top > bottom).
  int dirtyTop_ = 0, dirtyBottom_ = -1;
  // Row spans of the round dot for stampWidth_: dx range per dy.
  int stampWidth_ = 0;
  std::vector<int> stampDy_, stampX0_, stampX1_;
};

// Converts between RGB(r, g, b) and the raster's 0xFFRRGGBB.
inline uint32_t ToArgb(uint32_t rgb) {
  return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}
inline uint32_t FromArgb(uint32_t argb) {
  return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}

}  // namespace antraid
