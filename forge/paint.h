// Small painting and randomness helpers shared by the forge's drawing routines.
// Everything here is deterministic: the same seed gives the same picture on every run.
#pragma once

#include <allegro.h>
#include <cstdint>
#include <string>

// The forge's colour depth and the mask colour of every masked picture.
constexpr int forge_depth = 24;
int mask_rgb();  // makecol(255, 0, 255)

// A seeded generator (splitmix64); never rand(), so the output is the same everywhere.
struct forge_random {
  uint64_t state;
  explicit forge_random(uint64_t seed) : state(seed) {}
  uint64_t next();
  double uniform();                  // [0, 1)
  double range(double lo, double hi);  // [lo, hi)
  int below(int n);                  // 0 .. n-1
};

// Smooth value noise in [0, 1] and its fractal sum over `octaves`.
double value_noise(double x, double y, uint32_t seed);
double fractal_noise(double x, double y, uint32_t seed, int octaves, double persistence = 0.5);

// Colours as doubles 0..255 per channel, so that mixing and shading stay precise.
struct rgb {
  double r, g, b;
};
rgb mix(rgb a, rgb b, double t);       // a + (b - a) * t, t clamped to 0..1
rgb scale(rgb c, double f);            // brightness
int to_colour(rgb c);                  // makecol with clamping and rounding
rgb from_colour(int colour);           // getr/getg/getb
double clamp01(double v);
double smoothstep(double e0, double e1, double x);

// Blends `c` over the pixel at (x, y) with opacity `alpha` (0..1); clipped to the bitmap.
void blend_pixel(BITMAP *bmp, int x, int y, rgb c, double alpha);

// Creates a 24-bit memory bitmap or fails the forge.
BITMAP *create_canvas(int w, int h);

// Writes `bmp` to `path` by its extension (.png, .jpg, .pcx), or fails the forge.
void save_picture(BITMAP *bmp, const std::string &path, const RGB *palette = nullptr);
