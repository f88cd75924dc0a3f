// The painting kit of the background photographs: a floating-point canvas, anti-aliased shape
// coverage, a pin-hole camera for facades and ground planes, clouds, glow, grain and vignetting.
// The five scenes (photo_*.cpp) paint on a `photo` in any thread; only write_photo touches Allegro.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "forge/paint.h"

namespace photo_kit {

constexpr int photo_width = 800;
constexpr int photo_height = 600;

// ---- colours ----------------------------------------------------------------------

inline rgb operator+(rgb a, rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline rgb operator-(rgb a, rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline rgb operator*(rgb a, double f) { return {a.r * f, a.g * f, a.b * f}; }
// Channel-wise product with a filter given in 0..255 (255 lets the channel through).
inline rgb filter(rgb a, rgb f) { return {a.r * f.r / 255.0, a.g * f.g / 255.0, a.b * f.b / 255.0}; }
inline double luma(rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// One stop of a colour ramp: the colour at position `at`.
struct ramp_stop {
  double at;
  rgb colour;
};
// The colour of a piecewise-linear ramp at t (stops in rising order; clamped at the ends).
rgb sample_ramp(const std::vector<ramp_stop> &stops, double t);

// White noise in 0..1 for a lattice point, for grain, speckle and per-item variation.
double hash01(int x, int y, uint32_t seed);

// ---- the canvas ---------------------------------------------------------------------

struct photo {
  int w = photo_width, h = photo_height;
  std::vector<rgb> px = std::vector<rgb>(static_cast<size_t>(photo_width) * photo_height, rgb{0, 0, 0});
  rgb &at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
  const rgb &at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

// Fills the whole canvas from a per-pixel function rgb(x, y).
template <class Shade>
void paint_all(photo &p, Shade shade) {
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) p.at(x, y) = shade(x, y);
}

// Lays colour over a pixel with opacity a (0..1); pixels off the canvas are ignored.
inline void lay_pixel(photo &p, int x, int y, rgb c, double a) {
  if (x < 0 || y < 0 || x >= p.w || y >= p.h || a <= 0) return;
  rgb &d = p.at(x, y);
  d = a >= 1 ? c : d + (c - d) * a;
}

// Brightens a pixel by light `c` times a (additive, for glows and sparkles).
inline void add_light(photo &p, int x, int y, rgb c, double a) {
  if (x < 0 || y < 0 || x >= p.w || y >= p.h || a <= 0) return;
  p.at(x, y) = p.at(x, y) + c * a;
}

// Lays a soft round dot of radius r (anti-aliased rim) centred at (cx, cy).
void paint_disc(photo &p, double cx, double cy, double r, rgb c, double opacity = 1);

// ---- shapes -------------------------------------------------------------------------

struct point {
  double x, y;
};

// Lays a straight stroke from a to b, wa wide at a and wb wide at b; strokes thinner than a
// pixel are drawn one pixel wide and fainter, so that far railings and posts stay smooth.
void paint_stroke(photo &p, point a, point b, double wa, double wb, rgb c, double opacity = 1);

// The fraction of each pixel a shape covers, over the shape's bounding box on the canvas.
struct coverage {
  int x0 = 0, y0 = 0, w = 0, h = 0;
  std::vector<float> a;
};

// Coverage of a polygon (any winding, even-odd rule), 4 sub-rows per pixel, exact across a row.
coverage cover_polygon(const std::vector<point> &pts);
coverage cover_ellipse(double cx, double cy, double rx, double ry);
coverage cover_rect(double x0, double y0, double x1, double y1);

// Lays shade(x, y) over every pixel a shape covers, weighted by its coverage and `opacity`.
template <class Shade>
void paint_shape(photo &p, const coverage &c, Shade shade, double opacity = 1) {
  for (int j = 0; j < c.h; j++)
    for (int i = 0; i < c.w; i++) {
      const double a = c.a[static_cast<size_t>(j) * c.w + i] * opacity;
      if (a > 0.002) lay_pixel(p, c.x0 + i, c.y0 + j, shade(c.x0 + i, c.y0 + j), a);
    }
}

// Lays shade(x, y) under a skyline: every pixel below top(x) in columns x0..x1-1, the edge
// anti-aliased from three samples of top() per column.
template <class Top, class Shade>
void paint_below(photo &p, Top top, Shade shade, int x0 = 0, int x1 = photo_width, int y_end = photo_height) {
  for (int x = x0 < 0 ? 0 : x0; x < x1 && x < p.w; x++) {
    const double t[3] = {top(x + 1.0 / 6), top(x + 0.5), top(x + 5.0 / 6)};
    const double lo = std::fmin(t[0], std::fmin(t[1], t[2]));
    const double hi = std::fmax(t[0], std::fmax(t[1], t[2]));
    for (int y = std::max(0, static_cast<int>(std::floor(lo))); y < y_end && y < p.h; y++) {
      double a = 1;
      if (y < hi + 1) a = (clamp01(y + 1 - t[0]) + clamp01(y + 1 - t[1]) + clamp01(y + 1 - t[2])) / 3;
      if (a > 0.002) lay_pixel(p, x, y, shade(x, y), a);
    }
  }
}

// How much of the pixel footprint [u - fu/2, u + fu/2] falls inside [lo, hi]: an anti-aliased box.
inline double box_cover(double u, double lo, double hi, double fu) {
  if (fu < 1e-6) fu = 1e-6;
  const double a = std::fmax(u - fu / 2, lo), b = std::fmin(u + fu / 2, hi);
  return clamp01((b - a) / fu);
}

// A thin line every `period` along u, `width` wide, anti-aliased and faded out where the
// pixel footprint fu makes it too fine to show (0 off the line, 1 on it).
double line_pattern(double u, double period, double width, double fu);

// ---- a pin-hole camera ---------------------------------------------------------------

struct vec3 {
  double x, y, z;
};
inline vec3 operator+(vec3 a, vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline vec3 operator-(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline vec3 operator*(vec3 a, double f) { return {a.x * f, a.y * f, a.z * f}; }
inline double dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
vec3 normalised(vec3 v);

// Looks along +z, y up, from `eye`; the horizon is the screen row cy, focal length f pixels.
struct camera {
  vec3 eye;
  double cx, cy, f;
};
point project(const camera &cam, vec3 p);
// Where the ray through screen point (sx, sy) meets the plane dot(n, P) = d; false if it does
// not meet it in front of the camera.
bool cast_ray(const camera &cam, double sx, double sy, vec3 n, double d, vec3 &hit);
// Projects a polygon of world points and returns its coverage.
coverage cover_world(const camera &cam, const std::vector<vec3> &pts);

// ---- sky ----------------------------------------------------------------------------------

// A deck of clouds seen in perspective above the horizon.
struct cloud_deck {
  uint32_t seed;
  double horizon;        // screen row of the horizon
  double height;         // deck height: larger spreads the clouds further down the sky
  double scale;          // noise frequency on the deck
  double stretch;        // horizontal stretch of the cloud shapes
  double cover;          // 0 clear .. 1 overcast
  double softness;       // width of the cloud edge in noise units
  double drift;          // sideways offset of the pattern
  rgb lit, shade;        // lit tops and shaded bellies
  point light;           // direction towards the light on the deck (u, v)
  double opacity;
  int octaves;
};
// Lays the deck over the sky rows y0..y1-1; it thins out towards the horizon.
void paint_clouds(photo &p, const cloud_deck &deck, int y0, int y1);

// ---- finishing -----------------------------------------------------------------------------

// Separable box blur of a colour buffer, `passes` times (three passes approach a Gaussian).
void blur_buffer(std::vector<rgb> &buf, int w, int h, int radius, int passes);
// Adds a soft glow around everything brighter than `threshold` (luma), scaled by `strength`.
void add_bloom(photo &p, double threshold, int radius, double strength);
// Darkens towards the corners (strength 0..1) and adds fine film grain (amount in levels).
void finish_photo(photo &p, double vignette, double grain, uint32_t seed);

// Writes the canvas to a 24-bit bitmap and saves it as JPEG (main thread only: uses Allegro).
void write_photo(const photo &p, const std::string &path);

// ---- distant towns -------------------------------------------------------------------------

// A town's outline against the sky: the top edge sampled every quarter pixel.
struct skyline {
  std::vector<double> top;  // 4 samples per pixel column, from x = 0
  double at(double x) const;
};
// One church or town-hall tower in a skyline: where it stands, how wide, body and spire heights.
struct steeple {
  double x, width, body, spire;
};
// Houses of random width and height standing on `base`, gables, hips and chimneys, and the
// given steeples among them.
skyline make_skyline(uint32_t seed, double base, double low, double high, double narrow, double wide,
                     const std::vector<steeple> &steeples);

// ---- houses in oblique view ------------------------------------------------------------------

// A house drawn as its front face, one side face going back by `side` (to the right when
// side.x > 0, to the left when it is negative) and the roof slope that shows.
struct house_style {
  double x = 0, base = 0;             // front face: left edge and the ground line
  double width = 40, wall = 40, ridge = 20;  // front width, wall height, roof height above the eaves
  point side = {10, -4};              // the offset of the back corner from the front corner
  bool gable_front = true;            // the gable faces us (else the eaves do)
  rgb wall_colour = {190, 170, 150}, roof_colour = {140, 72, 58}, trim_colour = {120, 110, 120};
  double front_light = 1, side_light = 0.7, roof_light = 0.9;  // brightness of the three faces
  rgb rim = {0, 0, 0};                // warm light along the parts that face the light (additive)
  int floors = 2, bays = 3;           // window grid of the front face (0 floors: no windows)
  double lit_share = 0;               // how many windows are lit
  rgb glow = {255, 190, 110}, glass = {40, 40, 60};  // a lit window, an unlit one
  int chimneys = 0;                   // 0..2 chimneys on the roof
  double snow = 0;                    // 0..1: snow on the roof and sills
  rgb snow_colour = {240, 244, 255};
  double haze = 0;                    // 0..1 towards haze_colour, for distance
  rgb haze_colour = {128, 128, 128};
  uint32_t seed = 1;
};
void paint_house(photo &p, const house_style &s);

// ---- facades in perspective -----------------------------------------------------------------

// Daylight for facades and roofs: the direction towards the sun, its colour, the sky's fill light
// from above, and the haze that swallows distant walls. Colours act as filters (255 = full).
struct facade_light {
  vec3 sun;
  rgb sun_colour, sky_colour;
  rgb haze_colour;
  double haze_distance;   // metres at which about 63% of a wall is haze
  rgb glass_high, glass_low;  // what the window panes reflect, top and bottom
};

enum facade_top { top_flat, top_gable, top_stepped, top_baroque, top_attic };
enum facade_ground { ground_doors, ground_shops, ground_arcade };

// A town-house front: a plastered wall with storeys of windows, cornices, a ground storey and
// a crowning gable or attic. It stands on `origin` (its lower left corner seen from the front)
// and runs along the horizontal unit vector `along`.
struct facade {
  vec3 origin = {0, 0, 0}, along = {1, 0, 0};
  double width = 8, height = 12;        // the wall up to the main cornice
  facade_top top = top_gable;
  double top_height = 4;
  int floors = 3;                        // storeys above the ground storey
  double ground_height = 4;
  int bays = 3;
  rgb wall = {210, 190, 150}, trim = {236, 228, 210}, shutter = {70, 100, 80};
  bool shutters = false;
  facade_ground ground = ground_doors;
  double lit_share = 0;                  // lit windows, for dusk
  rgb glow = {255, 200, 130};
  uint32_t seed = 1;
};
void paint_facade(photo &p, const camera &cam, const facade &f, const facade_light &light);

// A tiled roof plane: eaves from e0 to e1, rising to the ridge r0 (above e0) and r0 + (e1 - e0).
void paint_roof(photo &p, const camera &cam, vec3 e0, vec3 e1, vec3 r0, rgb tiles, const facade_light &light,
                uint32_t seed);

// The lit colour of a surface of colour `albedo` facing `normal` at distance `dist`: sky fill,
// the sun scaled by `sunlit` (0 where something shades it), darkened by `occlusion`, then haze.
rgb shade_surface(rgb albedo, vec3 normal, double dist, double sunlit, double occlusion, const facade_light &light);

// ---- trees -------------------------------------------------------------------------------------

// A leafy crown: round clumps inside an ellipse, a dense dark inside and leaf dots towards the
// edge. Backlit crowns glow at the edges facing the light; front-lit ones are shaded like a
// ball of foliage, lit on the side facing the light and under the sky on top.
struct crown_style {
  point centre = {0, 0};
  double rx = 50, ry = 50;
  int clumps = 60;
  double clump_small = 12, clump_large = 28;
  rgb dark = {20, 30, 20}, lit = {120, 150, 70}, sky = {20, 24, 40};
  point light = {0.7, -0.7};  // on screen, towards the light
  int leaves = 4000;
  double leaf_small = 1.0, leaf_large = 2.5;
  bool backlit = false;
  uint32_t seed = 1;
};
void paint_crown(photo &p, const crown_style &s);
// A tapered limb or trunk along a polyline, `w0` wide at its start and `w1` at its end.
void paint_limb(photo &p, const std::vector<point> &path, double w0, double w1, rgb bark);

// ---- the scenes ----------------------------------------------------------------------------

void paint_title_view(photo &p);    // r0: dusk over the rooftops, church tower
void paint_river_view(photo &p);    // r1: river, stone bridge, old houses
void paint_square_view(photo &p);   // r2: market square and tenements
void paint_fields_view(photo &p);   // r3: hills, fields and forest at the edge of town
void paint_snow_view(photo &p);     // r4: the town on a snowy night

}  // namespace photo_kit
