// Trees for the photographs: tapered limbs and leafy crowns built from clumps and leaf dots.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

// Quads along the polyline, shaded round like a branch lit from the right.
void paint_limb(photo &p, const std::vector<point> &path, double w0, double w1, rgb bark) {
  for (size_t i = 0; i + 1 < path.size(); i++) {
    const point a = path[i], b = path[i + 1];
    const double ta = static_cast<double>(i) / (path.size() - 1), tb = static_cast<double>(i + 1) / (path.size() - 1);
    const double wa = (w0 + (w1 - w0) * ta) / 2, wb = (w0 + (w1 - w0) * tb) / 2;
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const point n = {-(b.y - a.y) / len, (b.x - a.x) / len};
    paint_shape(p, cover_polygon({{a.x + n.x * wa, a.y + n.y * wa}, {b.x + n.x * wb, b.y + n.y * wb},
                                  {b.x - n.x * wb, b.y - n.y * wb}, {a.x - n.x * wa, a.y - n.y * wa}}),
                [&](int x, int y) {
                  // Round in section: lit on its right, shaded on its left, furrowed bark.
                  const double along = ((x + 0.5 - a.x) * (b.x - a.x) + (y + 0.5 - a.y) * (b.y - a.y)) / (len * len);
                  const double half = wa + (wb - wa) * clamp01(along);
                  const double across = ((x + 0.5 - a.x) * n.x + (y + 0.5 - a.y) * n.y) / std::max(0.5, half);
                  const double side = n.x >= 0 ? across : -across;
                  const double furrow = fractal_noise(x * 0.5, y * 0.05, 5, 3);
                  return bark * (0.55 + 0.5 * clamp01(0.5 + 0.5 * side) + 0.3 * (furrow - 0.5));
                });
  }
}

namespace {

struct clump {
  point c;
  double r;
};

// How far inside the crown a point lies (above 0 inside), and its offset from the centre of
// the clump it belongs to, in clump radii.
double crown_field(const std::vector<clump> &clumps, double x, double y, uint32_t seed, point &off) {
  double best = -9;
  for (const clump &k : clumps) {
    const double dx = x - k.c.x, dy = y - k.c.y;
    if (std::fabs(dx) > k.r * 1.5 || std::fabs(dy) > k.r * 1.5) continue;
    const double v = 1 - std::sqrt(dx * dx + dy * dy) / k.r;
    if (v > best) best = v, off = {dx / k.r, dy / k.r};
  }
  return best + (fractal_noise(x * 0.07, y * 0.07, seed + 3, 4, 0.6) - 0.5);
}

}  // namespace

// Places the clumps, fills the dense inside, then scatters the leaf dots over it.
void paint_crown(photo &p, const crown_style &s) {
  forge_random random(s.seed);
  std::vector<clump> clumps;
  while (static_cast<int>(clumps.size()) < s.clumps) {
    const double angle = random.range(0, 2 * M_PI), radius = std::pow(random.uniform(), 0.4);
    const point c = {s.centre.x + std::cos(angle) * radius * s.rx, s.centre.y + std::sin(angle) * radius * s.ry};
    const double ex = (c.x - s.centre.x) / s.rx, ey = (c.y - s.centre.y) / s.ry;
    if (ex * ex + ey * ey > 1) continue;
    clumps.push_back({c, random.range(s.clump_small, s.clump_large) * (1.05 - 0.2 * ey)});
  }
  const double reach = s.clump_large * 1.8;
  const int x0 = std::max(0, static_cast<int>(s.centre.x - s.rx - reach)), x1 = std::min(p.w, static_cast<int>(s.centre.x + s.rx + reach));
  const int y0 = std::max(0, static_cast<int>(s.centre.y - s.ry - reach)), y1 = std::min(p.h, static_cast<int>(s.centre.y + s.ry + reach));
  // The dense inside of the crown.
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      point off = {0, 0};
      const double v = crown_field(clumps, x, y, s.seed, off);
      const double a = smoothstep(0.22, 0.34, v);
      if (a <= 0) continue;
      const double shade = fractal_noise(x * 0.12, y * 0.12, s.seed + 5, 3);
      rgb c = s.dark * (0.7 + 0.6 * shade);
      if (!s.backlit) {
        const double gx = (x - s.centre.x) / s.rx, gy = (y - s.centre.y) / s.ry;
        c = mix(c, s.lit * 0.5, clamp01(0.25 * (off.x * s.light.x + off.y * s.light.y) + 0.4 * (gx * s.light.x + gy * s.light.y)) * 0.6);
      }
      lay_pixel(p, x, y, c, a);
    }
  // Leaf clusters: dots thick inside and scattered towards the edge.
  for (int i = 0; i < s.leaves; i++) {
    const double x = random.range(x0, x1), y = random.range(y0, y1);
    point off = {0, 0};
    const double v = crown_field(clumps, x, y, s.seed, off);
    if (v < -0.12 || random.uniform() > smoothstep(-0.12, 0.3, v)) continue;
    const double facing = std::max(0.0, off.x * s.light.x + off.y * s.light.y);
    const double edge = 1 - smoothstep(-0.05, 0.3, v);
    const double top = std::max(0.0, -off.y);
    const double tone = random.uniform();
    rgb c;
    if (s.backlit) {
      c = s.dark * (0.7 + 0.7 * tone) + s.sky * (top * edge) + s.lit * (facing * facing * edge * (0.3 + 0.7 * tone));
    } else {
      const double gx = (x - s.centre.x) / s.rx, gy = (y - s.centre.y) / s.ry;
      const double clump_turn = off.x * s.light.x + off.y * s.light.y, crown_turn = gx * s.light.x + gy * s.light.y;
      const double lambert = clamp01(0.4 + 0.3 * clump_turn + 0.45 * crown_turn);
      c = mix(s.dark, s.lit, lambert * (0.55 + 0.45 * tone) * (0.6 + 0.4 * (1 - smoothstep(0.2, 0.6, v)))) + s.sky * (top * 0.5);
    }
    paint_disc(p, x, y, random.range(s.leaf_small, s.leaf_large), c, 0.95);
  }
}

}  // namespace photo_kit
