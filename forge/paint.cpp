#include "forge/paint.h"

#include <jpgalleg.h>
#include <loadpng.h>

#include <algorithm>
#include <cmath>

#include "forge/forge.h"

int mask_rgb() { return makecol(255, 0, 255); }

uint64_t forge_random::next() {
  uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double forge_random::uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }

double forge_random::range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

int forge_random::below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }

static double lattice(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777215.0;
}

double value_noise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = x - fx, ty = y - fy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double top = lattice(ix, iy, seed) + (lattice(ix + 1, iy, seed) - lattice(ix, iy, seed)) * sx;
  const double bottom = lattice(ix, iy + 1, seed) + (lattice(ix + 1, iy + 1, seed) - lattice(ix, iy + 1, seed)) * sx;
  return top + (bottom - top) * sy;
}

double fractal_noise(double x, double y, uint32_t seed, int octaves, double persistence) {
  double sum = 0, amplitude = 1, total = 0, frequency = 1;
  for (int i = 0; i < octaves; i++) {
    sum += value_noise(x * frequency, y * frequency, seed + 1013u * i) * amplitude;
    total += amplitude;
    amplitude *= persistence;
    frequency *= 2;
  }
  return sum / total;
}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double e0, double e1, double x) {
  const double t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

rgb mix(rgb a, rgb b, double t) {
  t = clamp01(t);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

rgb scale(rgb c, double f) { return {c.r * f, c.g * f, c.b * f}; }

static int channel(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); }

int to_colour(rgb c) { return makecol(channel(c.r), channel(c.g), channel(c.b)); }

rgb from_colour(int colour) {
  return {static_cast<double>(getr(colour)), static_cast<double>(getg(colour)), static_cast<double>(getb(colour))};
}

void blend_pixel(BITMAP *bmp, int x, int y, rgb c, double alpha) {
  if (x < 0 || y < 0 || x >= bmp->w || y >= bmp->h || alpha <= 0) return;
  if (alpha >= 1) {
    putpixel(bmp, x, y, to_colour(c));
    return;
  }
  putpixel(bmp, x, y, to_colour(mix(from_colour(getpixel(bmp, x, y)), c, alpha)));
}

BITMAP *create_canvas(int w, int h) {
  BITMAP *bmp = create_bitmap_ex(forge_depth, w, h);
  if (!bmp) forge_fail("cannot create a " + std::to_string(w) + "x" + std::to_string(h) + " bitmap");
  return bmp;
}

void save_picture(BITMAP *bmp, const std::string &path, const RGB *palette) {
  const std::string ext = path.size() > 4 ? path.substr(path.size() - 4) : "";
  int result = -1;
  if (ext == ".png") {
    result = save_png(path.c_str(), bmp, const_cast<RGB *>(palette));
  } else if (ext == ".jpg") {
    // Quality 92, no chroma subsampling: the photographs stay crisp.
    result = save_jpg_ex(path.c_str(), bmp, const_cast<RGB *>(palette), 92, JPG_SAMPLING_444 | JPG_OPTIMIZE, nullptr);
  } else {
    result = save_bitmap(path.c_str(), bmp, const_cast<RGB *>(palette));
  }
  if (result != 0) forge_fail("cannot write " + path);
}
