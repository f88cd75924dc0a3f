// Shape tools for the pieces of play and the frame overlay: rounded boxes with a bevelled rim,
// and anti-aliased coverage of any shape, so that soft edges can be blended into a known ground
// colour instead of the mask colour.
#pragma once

#include <allegro.h>

#include <cmath>

#include "forge/palette.h"

// The ground under the masked pieces that land on the side panel: the face of its plates.
// Soft edges of those pieces are blended into this colour, never into the mask colour.
constexpr rgb panel_ground_rgb = plate_rgb;

// Signed distance from the point (px, py) to the box whose pixel edges are x0..x1, y0..y1
// (x1, y1 exclusive) with corners rounded by r; negative inside. (nx, ny) is the outward
// direction of the nearest edge.
double rounded_box_distance(double px, double py, double x0, double y0, double x1, double y1, double r, double *nx,
                            double *ny);

// How a bevelled box looks: a dark outline ring, a rim of `rim` pixels lit from the upper left
// (raised) or from the lower right (sunken), and a face with a faint grain.
struct bevel_look {
  rgb outline = ink_dark_rgb;
  rgb lit = trim_light_rgb;
  rgb shade = scale(trim_rgb, 0.55);
  rgb face = plate_rgb;
  int rim = 2;
  bool sunken = false;
  double grain = 0.0;       // face brightness varies by up to +-grain (a fraction)
  double sheen = 0.0;       // the top rows of the face lighten by up to this fraction
  uint32_t seed = 1;        // grain pattern
  int hairline = 0;         // a fine trim line this many pixels inside the rim (0: none)
  rgb hairline_colour = trim_rgb;
};

// Paints the box x, y, w x h with corner radius r in `look`. The outer edge is hard: every pixel
// whose centre lies inside is painted, every other pixel is left alone.
void paint_bevel_box(BITMAP *bmp, int x, int y, int w, int h, double r, const bevel_look &look);

// The fraction (0..1) of the pixel (px, py) that lies inside the shape, from a grid of
// n x n samples; `inside(x, y)` takes continuous coordinates (pixel centres at +0.5).
template <typename shape>
double pixel_coverage(const shape &inside, int px, int py, int n = 4) {
  int hits = 0;
  for (int sy = 0; sy < n; sy++)
    for (int sx = 0; sx < n; sx++)
      if (inside(px + (sx + 0.5) / n, py + (sy + 0.5) / n)) hits++;
  return static_cast<double>(hits) / (n * n);
}
