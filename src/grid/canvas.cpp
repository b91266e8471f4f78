#include "grid/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/numbers.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO_UNUSED
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace antraid {

Canvas::Canvas(int size)
    : size_(size),
      pixels_(static_cast<size_t>(size) * size),
      backColor_(RGB(238, 236, 162)),
      foreColor_(RGB(0, 0, 0)) {
  scaleWidth_ = static_cast<float>(size);
  scaleHeight_ = static_cast<float>(size);
  dirtyTop_ = 0;
  dirtyBottom_ = size - 1;
  Clear();
}

uint32_t Canvas::Pixel(int px, int py) const {
  if (px < 0 || py < 0 || px >= size_ || py >= size_) return 0;
  return FromArgb(pixels_[static_cast<size_t>(py) * size_ + px]);
}

bool Canvas::SetScaleWidth(float v) {
  if (!(v != 0.0f) || !std::isfinite(v)) return false;
  scaleWidth_ = v;
  return true;
}

bool Canvas::SetScaleHeight(float v) {
  if (!(v != 0.0f) || !std::isfinite(v)) return false;
  scaleHeight_ = v;
  return true;
}

void Canvas::Clear() {
  // Only the rows drawn on since the last clear differ from the background:
  // refill those, one row by a plain loop and the rest by memcpy.
  if (dirtyTop_ <= dirtyBottom_) {
    const uint32_t c = ToArgb(backColor_);
    uint32_t* p = pixels_.data() + static_cast<size_t>(dirtyTop_) * size_;
    std::fill_n(p, size_, c);
    const size_t rowBytes = static_cast<size_t>(size_) * sizeof(uint32_t);
    const size_t rows = static_cast<size_t>(dirtyBottom_ - dirtyTop_ + 1);
    size_t done = 1;
    while (done < rows) {
      size_t n = std::min(done, rows - done);
      std::memcpy(p + done * size_, p, n * rowBytes);
      done += n;
    }
    dirtyTop_ = size_;
    dirtyBottom_ = -1;
  }
  ++version_;
}

inline void Canvas::Plot(int px, int py, uint32_t argb) {
  if (static_cast<unsigned>(px) >= static_cast<unsigned>(size_) ||
      static_cast<unsigned>(py) >= static_cast<unsigned>(size_))
    return;
  if (py < dirtyTop_) dirtyTop_ = py;
  if (py > dirtyBottom_) dirtyBottom_ = py;
  uint32_t& p = pixels_[static_cast<size_t>(py) * size_ + px];
  if (drawMode_ == kDrawInvert)
    p = 0xFF000000u | (~p & 0x00FFFFFFu);
  else
    p = argb;
}

void Canvas::PrepareStamp() {
  // A dot of diameter w: odd widths are centred on the pixel's centre, even
  // widths on its top-left corner; a pixel belongs to the dot when its centre
  // lies within w/2 of that centre. One span of pixels per row.
  const int w = drawWidth_;
  stampWidth_ = w;
  stampDy_.clear();
  stampX0_.clear();
  stampX1_.clear();
  const double r2 = (w / 2.0) * (w / 2.0) + 1e-9;
  const double shift = (w % 2 == 0) ? 0.5 : 0.0;
  const int lo = -(w / 2), hi = (w - 1) / 2;
  for (int dy = lo; dy <= hi; ++dy) {
    const double ddy = dy + shift;
    if (ddy * ddy > r2) continue;
    const double m = std::sqrt(r2 - ddy * ddy);
    const int x0 = std::max(lo, static_cast<int>(std::ceil(-m - shift)));
    const int x1 = std::min(hi, static_cast<int>(std::floor(m - shift)));
    if (x0 > x1) continue;
    stampDy_.push_back(dy);
    stampX0_.push_back(x0);
    stampX1_.push_back(x1);
  }
}

void Canvas::Dot(int cx, int cy, uint32_t argb) {
  if (drawWidth_ == 1) {
    Plot(cx, cy, argb);
    return;
  }
  if (stampWidth_ != drawWidth_) PrepareStamp();
  for (size_t k = 0; k < stampDy_.size(); ++k) {
    const int py = cy + stampDy_[k];
    if (py < 0 || py >= size_) continue;
    // Clip the span to the raster before touching pixels: wide pens stay cheap.
    const long x0 = std::max<long>(static_cast<long>(cx) + stampX0_[k], 0);
    const long x1 = std::min<long>(static_cast<long>(cx) + stampX1_[k], size_ - 1);
    for (long px = x0; px <= x1; ++px) Plot(static_cast<int>(px), py, argb);
  }
}

namespace {
// Pixel index of a pixel coordinate, kept in int range (far points clip). The
// view is closed on its right and bottom edges: a point exactly on one lies on
// the last pixel, so a patch on the world's border is drawn on the border line.
int PixelIndex(double p, int size) {
  if (!(p > -1e6)) return -1000000;
  if (p > 1e6) return 1000000;
  if (p == size) return size - 1;
  return static_cast<int>(std::floor(p));
}
}  // namespace

void Canvas::DrawDot(float x, float y, uint32_t rgb) {
  Dot(PixelIndex(ToPixelX(x), size_), PixelIndex(ToPixelY(y), size_), ToArgb(rgb));
  ++version_;
}

void Canvas::DrawBox(float x1, float y1, float x2, float y2) {
  int ax = PixelIndex(ToPixelX(x1), size_), bx = PixelIndex(ToPixelX(x2), size_);
  int ay = PixelIndex(ToPixelY(y1), size_), by = PixelIndex(ToPixelY(y2), size_);
  if (ax > bx) std::swap(ax, bx);
  if (ay > by) std::swap(ay, by);
  const int lo = drawWidth_ / 2, hi = (drawWidth_ - 1) / 2;
  // Outer rectangle of the thick outline, and the hole inside it.
  const int ox0 = ax - lo, ox1 = bx + hi, oy0 = ay - lo, oy1 = by + hi;
  const int ix0 = ax + hi + 1, ix1 = bx - lo - 1, iy0 = ay + hi + 1, iy1 = by - lo - 1;
  const uint32_t argb = ToArgb(foreColor_);
  const int cx0 = std::max(ox0, 0), cx1 = std::min(ox1, size_ - 1);
  const int cy0 = std::max(oy0, 0), cy1 = std::min(oy1, size_ - 1);
  for (int py = cy0; py <= cy1; ++py) {
    bool rowInHole = py >= iy0 && py <= iy1;
    for (int px = cx0; px <= cx1; ++px) {
      if (rowInHole && px >= ix0 && px <= ix1) {
        px = ix1;
        continue;
      }
      Plot(px, py, argb);
    }
  }
  ++version_;
}

void Canvas::DrawCircle(float x, float y, float r, uint32_t rgb) {
  const double cx = ToPixelX(x), cy = ToPixelY(y);
  const double rx = std::fabs(r * size_ / scaleWidth_), ry = std::fabs(r * size_ / scaleHeight_);
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rx) || !std::isfinite(ry)) return;
  if (rx > 4 * size_ || ry > 4 * size_) return;
  const uint32_t argb = ToArgb(rgb);
  const int steps = std::max(16, static_cast<int>(8 * std::max(rx, ry)));
  int lastX = INT32_MIN, lastY = INT32_MIN;
  for (int k = 0; k < steps; ++k) {
    double a = 2.0 * 3.14159265358979323846 * k / steps;
    int px = PixelIndex(cx + rx * std::cos(a), size_), py = PixelIndex(cy + ry * std::sin(a), size_);
    if (px == lastX && py == lastY) continue;
    Dot(px, py, argb);
    lastX = px;
    lastY = py;
  }
  ++version_;
}

bool Canvas::SavePicture(const std::string& path) const {
  std::vector<unsigned char> rgb(static_cast<size_t>(size_) * size_ * 3);
  for (size_t i = 0, n = pixels_.size(); i < n; ++i) {
    uint32_t p = pixels_[i];
    rgb[3 * i] = static_cast<unsigned char>(p >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(p >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(p);
  }
  return stbi_write_bmp(path.c_str(), size_, size_, 3, rgb.data()) != 0;
}

}  // namespace antraid
