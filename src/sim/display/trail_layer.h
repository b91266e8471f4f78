// The trails: the pheromone layer as the view shows it over the canvas. It is
// a picture of its own, composed from the canvas and the pheromone layer, and
// never drawn into the canvas: the canvas, its saved frames and every pixel
// the program draws stay as they are.
//
// A pixel the canvas shows in its background colour shows the pheromone of
// its place instead, in the colours of the pheromone plot (a patch holding a
// third as many units as there are ants is full red, fewer units are paler);
// every other pixel (ants, nest, food, a plot drawn on the canvas) shows the
// canvas, so the ants stay visible over their trails. Where a pixel covers
// several patches it shows the strongest of them, so that a trail one patch
// wide stays visible in a large world.
#pragma once

#include <cstdint>
#include <vector>

namespace antraid {

class MainForm;

class TrailLayer {
 public:
  // The canvas with the trails, 0xFFRRGGBB row after row, as large as the
  // canvas. Before the first run the canvas alone.
  const std::vector<uint32_t>& Compose(const MainForm& form);
  // The last picture composed.
  const std::vector<uint32_t>& picture() const { return picture_; }

  // Colour (0xFFRRGGBB) of a patch holding `units` of pheromone with
  // `numAnts` ants, as the pheromone plot paints it.
  static uint32_t Colour(int32_t units, int32_t numAnts);

 private:
  std::vector<uint32_t> picture_;
  std::vector<int32_t> strongest_;  // pheromone units per pixel
  std::vector<int32_t> columns_;    // pixel column of each visible patch column, -1 outside
};

}  // namespace antraid
