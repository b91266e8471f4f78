#include "experiments/atlas.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "common/numbers.h"
#include "grid/png.h"
#include "experiments/result_files.h"
#include "experiments/run_script.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>
#include <stb_easy_font.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace antraid::experiments {

namespace {

constexpr int kGap = 4;        // pixels around cells
constexpr int kMargin = 8;     // pixels around labels
constexpr int kHeader = 24;    // the strip of repetition numbers at the top
constexpr uint32_t kPaper = 0xFFFFFFFF, kInk = 0xFF000000, kNoPicture = 0xFFC8C8C8;
// Cell sides tried in turn until the rows fit kAtlasHeight: the 500-pixel
// world picture divided by 2, 4, 5, 10 or 20.
constexpr int kCellSides[] = {250, 125, 100, 50, 25};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

class Raster {
 public:
  Raster(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * static_cast<size_t>(h), kPaper) {}
  int width() const { return w_; }
  int height() const { return h_; }
  const uint32_t* pixels() const { return px_.data(); }

  // Fills the part of `r` that lies inside `clip` and the raster.
  void Fill(Rect r, uint32_t colour, Rect clip) {
    const int x0 = std::max({r.x, clip.x, 0}), y0 = std::max({r.y, clip.y, 0});
    const int x1 = std::min({r.x + r.w, clip.x + clip.w, w_}), y1 = std::min({r.y + r.h, clip.y + clip.h, h_});
    for (int y = y0; y < y1; ++y)
      std::fill(px_.begin() + Index(x0, y), px_.begin() + Index(x1, y), colour);
  }
  void Fill(Rect r, uint32_t colour) { Fill(r, colour, {0, 0, w_, h_}); }

  // Text in stb_easy_font's bitmap letters, `scale` pixels to its unit, its
  // top left at (x, y), cut off outside `clip`.
  void Text(int x, int y, const std::string& text, int scale, Rect clip) {
    std::string t;
    for (char c : text) t += (c >= 32 && c < 127) ? c : '?';
    std::vector<char> quads(t.size() * 400 + 64);
    const int n = stb_easy_font_print(0, 0, t.data(), nullptr, quads.data(), static_cast<int>(quads.size()));
    for (int q = 0; q < n; ++q) {
      float v[12];  // four vertices: x, y, z and four colour bytes each; the first and third span the quad
      std::memcpy(&v[0], quads.data() + q * 64, 8);
      std::memcpy(&v[2], quads.data() + q * 64 + 32, 8);
      const int qx = static_cast<int>(v[0]), qy = static_cast<int>(v[1]);
      Fill({x + qx * scale, y + qy * scale, (static_cast<int>(v[2]) - qx) * scale, (static_cast<int>(v[3]) - qy) * scale},
           kInk, clip);
    }
  }

  // The picture (w x h, 8-bit RGB) scaled into `cell` by averaging over the
  // block of source pixels each cell pixel covers.
  void Scaled(const unsigned char* rgb, int w, int h, Rect cell) {
    for (int cy = 0; cy < cell.h; ++cy) {
      const int sy0 = cy * h / cell.h, sy1 = std::max(sy0 + 1, (cy + 1) * h / cell.h);
      for (int cx = 0; cx < cell.w; ++cx) {
        const int sx0 = cx * w / cell.w, sx1 = std::max(sx0 + 1, (cx + 1) * w / cell.w);
        uint64_t sum[3] = {0, 0, 0};
        for (int y = sy0; y < sy1; ++y)
          for (int x = sx0; x < sx1; ++x)
            for (int c = 0; c < 3; ++c) sum[c] += rgb[(static_cast<size_t>(y) * w + x) * 3 + c];
        const uint64_t n = static_cast<uint64_t>(sy1 - sy0) * static_cast<uint64_t>(sx1 - sx0);
        uint32_t p = 0xFF000000;
        for (int c = 0; c < 3; ++c) p |= static_cast<uint32_t>((sum[c] + n / 2) / n) << (16 - 8 * c);
        px_[Index(cell.x + cx, cell.y + cy)] = p;
      }
    }
  }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x); }
  int w_, h_;
  std::vector<uint32_t> px_;
};

int TextWidth(const std::string& text, int scale) {
  std::string t = text;
  return stb_easy_font_width(t.data()) * scale;
}

// The label lines of a combination: its number, then NAME = VALUE for each
// varied name it sets.
std::vector<std::string> Label(const RunPlan& plan, const PlannedRun& run) {
  std::vector<std::string> lines = {"combination " + FormatInt(run.combination)};
  for (size_t i = 0; i < plan.columnNames().size(); ++i)
    if (!run.columns[i].empty()) lines.push_back(plan.columnNames()[i] + " = " + run.columns[i]);
  return lines;
}

bool RunSucceeded(const std::string& dir, int64_t number) {
  const std::string status = ReadFile(RunPath(dir, number, ".status"));
  return status.rfind("ok\n", 0) == 0;
}

void WriteAtlas(const std::string& dir, const Experiment& e, const RunPlan& plan, std::string_view layer, int cell) {
  const int columns = static_cast<int>(std::min<int64_t>(e.repetitions, kAtlasColumns));
  const int rows = static_cast<int>(plan.combinations());
  const int scale = cell >= 100 ? 2 : 1;
  const int lineHeight = 12 * scale;
  int labelWidth = 0;
  for (int64_t c = 1; c <= plan.combinations(); ++c)
    for (const std::string& line : Label(plan, plan.Run((c - 1) * e.repetitions + 1)))
      labelWidth = std::max(labelWidth, TextWidth(line, scale) + 2 * kMargin);
  labelWidth = std::min(labelWidth, kAtlasWidth - kGap - columns * (cell + kGap));
  Raster atlas(labelWidth + kGap + columns * (cell + kGap), kHeader + rows * (cell + kGap) + kGap);
  for (int r = 1; r <= columns; ++r)
    atlas.Text(labelWidth + kGap + (r - 1) * (cell + kGap), 6, "repetition " + FormatInt(r), 1,
               {labelWidth + kGap + (r - 1) * (cell + kGap), 0, cell, kHeader});
  for (int row = 0; row < rows; ++row) {
    const int top = kHeader + row * (cell + kGap);
    const int64_t first = static_cast<int64_t>(row) * e.repetitions + 1;
    const Rect labelBox{0, top, labelWidth, cell};
    int y = top + kMargin;
    for (const std::string& line : Label(plan, plan.Run(first))) {
      atlas.Text(kMargin, y, line, scale, labelBox);
      y += lineHeight;
    }
    for (int r = 0; r < columns; ++r) {
      const int64_t number = first + r;
      const Rect box{labelWidth + kGap + r * (cell + kGap), top, cell, cell};
      const std::string file = dir + "/" + PictureFile(e, number, layer, e.steps);
      int w = 0, h = 0, channels = 0;
      unsigned char* rgb = nullptr;
      if (RunSucceeded(dir, number)) {
        const std::string png = ReadFile(file);
        rgb = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(png.data()), static_cast<int>(png.size()),
                                    &w, &h, &channels, 3);
      }
      if (rgb) {
        atlas.Scaled(rgb, w, h, box);
        stbi_image_free(rgb);
      } else {
        atlas.Fill(box, kNoPicture);
        atlas.Text(box.x + kMargin, box.y + kMargin, "run " + FormatInt(number) + ": no picture", 1, box);
      }
    }
  }
  const std::string png = EncodePng(atlas.width(), atlas.height(), atlas.pixels());
  if (png.empty()) throw IoError("cannot write " + dir + "/atlas-" + std::string(layer) + ".png: cannot encode it");
  WriteFileAtomically(dir + "/atlas-" + std::string(layer) + ".png", png, TemporarySuffix());
}

}  // namespace

std::string WriteAtlases(const std::string& dir, const Experiment& e, const RunPlan& plan) {
  if (!e.pictures.any()) return {};
  int cell = 0;
  for (int side : kCellSides)
    if (kHeader + plan.combinations() * (side + kGap) + kGap <= kAtlasHeight) {
      cell = side;
      break;
    }
  if (cell == 0)
    return "no atlas: " + FormatInt(plan.combinations()) + " combinations do not fit one picture (at most " +
           FormatInt((kAtlasHeight - kHeader - kGap) / (kCellSides[4] + kGap)) + ")";
  for (std::string_view layer : PictureLayers(e)) WriteAtlas(dir, e, plan, layer, cell);
  return {};
}

}  // namespace antraid::experiments
