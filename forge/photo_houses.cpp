// Houses in oblique view for the town pictures: a plastered front with a window grid, the side
// going back, and a tiled roof slope, lit per face, optionally under snow and fading into haze.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

// A parallelogram O + a*e1 + b*e2 on screen, and the inverse that gives (a, b) for a pixel.
struct slab {
  point o, e1, e2;
  double det;
};

static slab make_slab(point o, point e1, point e2) { return {o, e1, e2, e1.x * e2.y - e1.y * e2.x}; }

// The screen point at slab coordinates (a, b).
static point slab_at(const slab &s, double a, double b) {
  return {s.o.x + s.e1.x * a + s.e2.x * b, s.o.y + s.e1.y * a + s.e2.y * b};
}

// The slab coordinates (a, b) of a screen point.
static void slab_coords(const slab &s, double x, double y, double &a, double &b) {
  const double px = x - s.o.x, py = y - s.o.y;
  a = (px * s.e2.y - py * s.e2.x) / s.det;
  b = (s.e1.x * py - s.e1.y * px) / s.det;
}

// The screen quad covering slab coordinates a0..a1 by b0..b1.
static std::vector<point> slab_quad(const slab &s, double a0, double a1, double b0, double b1) {
  return {slab_at(s, a0, b0), slab_at(s, a1, b0), slab_at(s, a1, b1), slab_at(s, a0, b1)};
}

// Plaster: the wall colour with low blotches, fine speckle and grime towards the ground.
static rgb plaster(const house_style &s, double x, double y, double light) {
  const double blotch = fractal_noise(x * 0.06, y * 0.06, s.seed + 11, 3) - 0.5;
  const double speck = hash01(static_cast<int>(x), static_cast<int>(y), s.seed) - 0.5;
  const double grime = smoothstep(s.base - s.wall * 0.25, s.base, y) * 0.18;
  return s.wall_colour * (light * (1 + blotch * 0.22 + speck * 0.06 - grime));
}

// One window: frame, glass (lit or reflecting), muntins and a sill, on the quad q.
static void paint_window(photo &p, const house_style &s, const std::vector<point> &q, double light, bool lit,
                         double wiggle, double fog) {
  const double wx = std::hypot(q[1].x - q[0].x, q[1].y - q[0].y);
  const double wy = std::hypot(q[3].x - q[0].x, q[3].y - q[0].y);
  const rgb trim = mix(s.trim_colour * light, s.haze_colour, fog);
  if (wx >= 4) {
    std::vector<point> frame = q;
    frame[0].x -= 0.8, frame[3].x -= 0.8, frame[1].x += 0.8, frame[2].x += 0.8;
    frame[0].y += 0.8, frame[1].y += 0.8, frame[2].y -= 0.8, frame[3].y -= 0.8;
    paint_shape(p, cover_polygon(frame), [&](int, int) { return trim; });
  }
  const double top = std::min(q[2].y, q[3].y), bottom = std::max(q[0].y, q[1].y);
  auto shade = [&](int, int y) {
    const double t = clamp01((y - top) / std::max(1.0, bottom - top));
    rgb c;
    if (lit)
      c = s.glow * ((0.85 + 0.3 * wiggle) * (0.8 + 0.3 * t));
    else
      c = s.glass * (1.15 - 0.45 * t);
    return mix(c, s.haze_colour, fog * (lit ? 0.5 : 1));
  };
  paint_shape(p, cover_polygon(q), shade);
  if (wx >= 7 && wy >= 8) {
    const rgb bar = lit ? s.glow * 0.35 : trim;
    const point c0 = {(q[0].x + q[1].x) / 2, (q[0].y + q[1].y) / 2}, c1 = {(q[3].x + q[2].x) / 2, (q[3].y + q[2].y) / 2};
    paint_shape(p, cover_polygon({{c0.x - 0.5, c0.y}, {c0.x + 0.5, c0.y}, {c1.x + 0.5, c1.y}, {c1.x - 0.5, c1.y}}),
                [&](int, int) { return bar; }, 0.9);
    const double m = 0.62;
    const point l = {q[0].x + (q[3].x - q[0].x) * m, q[0].y + (q[3].y - q[0].y) * m};
    const point r = {q[1].x + (q[2].x - q[1].x) * m, q[1].y + (q[2].y - q[1].y) * m};
    paint_shape(p, cover_polygon({{l.x, l.y - 0.5}, {r.x, r.y - 0.5}, {r.x, r.y + 0.5}, {l.x, l.y + 0.5}}),
                [&](int, int) { return bar; }, 0.9);
  }
  if (s.snow > 0 && wx >= 3) {
    const rgb snow = mix(s.snow_colour * light, s.haze_colour, fog);
    paint_shape(p, cover_polygon({{q[0].x - 1, q[0].y}, {q[1].x + 1, q[1].y}, {q[1].x + 1, q[1].y + 1.6}, {q[0].x - 1, q[0].y + 1.6}}),
                [&](int, int) { return snow; }, s.snow);
  }
}

// Tiles on a roof slab: courses along e1, staggered joints, a shadow line under each course,
// lichen blotches, and snow lying in drifts when the style asks for it.
static rgb roof_tiles(const house_style &s, const slab &r, int x, int y) {
  double a, b;
  slab_coords(r, x + 0.5, y + 0.5, a, b);
  const double len1 = std::hypot(r.e1.x, r.e1.y), len2 = std::hypot(r.e2.x, r.e2.y);
  const double courses = std::max(3.0, len2 / 4.5), per_course = std::max(3.0, len1 / 5.0);
  const double cb = b * courses;
  const int course = static_cast<int>(std::floor(cb));
  const double ca = a * per_course + (course & 1) * 0.5;
  const int tile = static_cast<int>(std::floor(ca));
  const double fb = courses / len2, fa = per_course / len1;  // pixel footprint in course units
  const double edge = line_pattern(cb, 1, 0.22, fb);
  const double joint = line_pattern(ca, 1, 0.12, fa);
  const double vary = hash01(tile, course, s.seed + 5) - 0.5;
  const double lichen = fractal_noise(a * 3 + s.seed % 97, b * 3, s.seed + 17, 3);
  rgb c = s.roof_colour * (1 + vary * 0.22 - edge * 0.3 - joint * 0.15);
  c = mix(c, c * 0.7 + rgb{12, 14, 4}, smoothstep(0.55, 0.8, lichen) * 0.5);
  c = c * (s.roof_light * (0.92 + 0.16 * b));
  if (s.snow > 0) {
    const double drift = fractal_noise(a * 5 + 3, b * 7, s.seed + 23, 4);
    const double lie = smoothstep(0.2, 0.35, s.snow * 1.1 - (drift - 0.5) * 0.6 - edge * 0.15 * (1 - s.snow));
    c = mix(c, s.snow_colour * (s.roof_light * (0.9 + 0.1 * b)) * (1 - 0.12 * edge), lie);
  }
  return c + s.rim * (smoothstep(0.5, 1.0, b) * 0.6);
}

// Side face, roof slope and chimneys, then the front with its gable edge and windows, each
// lit by its own face brightness and fogged by the style's haze.
void paint_house(photo &p, const house_style &s) {
  const double fx0 = s.x, fx1 = s.x + s.width, top = s.base - s.wall;
  const bool right = s.side.x >= 0;
  const double xs = right ? fx1 : fx0;
  const point apex = {s.x + s.width / 2, top - s.ridge};
  auto fog = [&](rgb c) { return mix(c, s.haze_colour, s.haze); };

  // The side face, going back from the front corner.
  std::vector<point> side = {{xs, s.base}, {xs, top}};
  if (!s.gable_front) side.push_back({xs + s.side.x / 2, top + s.side.y / 2 - s.ridge});
  side.push_back({xs + s.side.x, top + s.side.y});
  side.push_back({xs + s.side.x, s.base + s.side.y});
  paint_shape(p, cover_polygon(side), [&](int x, int y) {
    const double up = smoothstep(s.base, top - s.ridge, y);
    return fog(plaster(s, x, y, s.side_light) + s.rim * (0.35 + 0.65 * up));
  });

  // The roof slope that shows, with a little overhang.
  const slab roof = s.gable_front ? make_slab({xs, top}, s.side, {apex.x - xs, apex.y - top})
                                  : make_slab({fx0, top}, {s.width, 0}, {s.side.x / 2, s.side.y / 2 - s.ridge});
  const std::vector<point> roof_quad =
      s.gable_front ? slab_quad(roof, -0.06, 1.04, -0.12, 1.0) : slab_quad(roof, -0.05, 1.05, -0.14, 1.0);
  paint_shape(p, cover_polygon(roof_quad), [&](int x, int y) { return fog(roof_tiles(s, roof, x, y)); });

  // Chimneys standing on the roof near the ridge: a front, a side and a dark cap.
  for (int i = 0; i < s.chimneys; i++) {
    const double ca = s.gable_front ? 0.3 + 0.4 * i + 0.1 * hash01(i, 3, s.seed) : 0.15 + 0.6 * i + 0.1 * hash01(i, 3, s.seed);
    const point foot = slab_at(roof, ca, 0.8);
    const double cw = std::max(2.0, s.width * 0.1), ch = s.ridge * 0.22 + cw * 1.2;
    const double sx = s.side.x * 0.12, sy = s.side.y * 0.12;
    const double cx0 = foot.x - cw / 2, cx1 = foot.x + cw / 2;
    const double xs2 = right ? cx1 : cx0;
    paint_shape(p, cover_polygon({{xs2, foot.y + cw}, {xs2, foot.y - ch}, {xs2 + sx, foot.y - ch + sy}, {xs2 + sx, foot.y + cw + sy}}),
                [&](int x, int y) { return fog(plaster(s, x, y, s.side_light * 0.9) * 0.8 + s.rim * 0.7); });
    paint_shape(p, cover_rect(cx0, foot.y - ch, cx1, foot.y + cw), [&](int, int y) {
      const double brick = line_pattern(y + 0.5, 3, 0.7, 1);
      return fog(s.roof_colour * (s.front_light * (1.0 - 0.25 * brick)) + s.wall_colour * 0.15 * s.front_light);
    });
    paint_shape(p, cover_rect(cx0 - 0.8, foot.y - ch - 1.6, cx1 + 0.8, foot.y - ch + 0.4),
                [&](int, int) { return fog(mix(rgb{50, 44, 44} * s.front_light + s.rim * 0.5, s.snow_colour * s.roof_light, s.snow)); });
  }

  // The front face.
  std::vector<point> front = {{fx0, s.base}, {fx0, top}};
  if (s.gable_front) front.push_back(apex);
  front.push_back({fx1, top});
  front.push_back({fx1, s.base});
  paint_shape(p, cover_polygon(front), [&](int x, int y) { return fog(plaster(s, x, y, s.front_light)); });
  if (s.gable_front) {
    // The roof edge along the gable, its thickness seen from the front.
    const double t = std::max(1.4, s.width * 0.05);
    const rgb edge = fog(mix(s.roof_colour * s.roof_light * 0.8, s.snow_colour * s.roof_light, s.snow * 0.9) + s.rim * 0.5);
    paint_shape(p, cover_polygon({{fx0 - t, top + t * 0.6}, {apex.x, apex.y - t}, {fx1 + t, top + t * 0.6},
                                  {fx1 + t * 0.2, top + t * 1.6}, {apex.x, apex.y + t * 0.4}, {fx0 - t * 0.2, top + t * 1.6}}),
                [&](int, int) { return edge; });
  } else {
    // The shadow under the eaves.
    paint_shape(p, cover_rect(fx0, top, fx1, top + std::max(1.0, s.wall * 0.05)),
                [&](int, int) { return fog(s.wall_colour * s.front_light * 0.55); });
  }

  if (s.floors <= 0) return;
  // Windows on the front: a grid of floors and bays, one ground-floor bay taken by a door.
  const double fh = s.wall / (s.floors + 0.2), bw = s.width / s.bays;
  const int door = static_cast<int>(hash01(s.bays, s.floors, s.seed + 3) * s.bays);
  int k = 0;
  for (int f = 0; f < s.floors; f++)
    for (int b = 0; b < s.bays; b++, k++) {
      const double cx = fx0 + (b + 0.5) * bw, hw = bw * 0.22;
      const double ft = s.base - (f + 1) * fh;
      const bool lit = hash01(k, 1, s.seed + 9) < s.lit_share;
      const double wiggle = hash01(k, 2, s.seed + 9);
      if (f == 0 && b == door) {
        paint_shape(p, cover_rect(cx - hw * 1.1, ft + fh * 0.25, cx + hw * 1.1, s.base),
                    [&](int, int) { return fog(rgb{52, 36, 26} * s.front_light); });
        continue;
      }
      paint_window(p, s, {{cx - hw, ft + fh * 0.82}, {cx + hw, ft + fh * 0.82}, {cx + hw, ft + fh * 0.3}, {cx - hw, ft + fh * 0.3}},
                   s.front_light, lit, wiggle, s.haze);
    }
  if (s.gable_front && s.ridge > 9) {
    const double gw = std::max(1.5, s.width * 0.07), gy = top - s.ridge * 0.32;
    paint_window(p, s, {{apex.x - gw, gy + gw * 1.2}, {apex.x + gw, gy + gw * 1.2}, {apex.x + gw, gy - gw * 1.2}, {apex.x - gw, gy - gw * 1.2}},
                 s.front_light, hash01(7, 7, s.seed) < s.lit_share, 0.5, s.haze);
  }
  // Windows on the side face, sheared with it.
  const double span = std::fabs(s.side.x);
  const int columns = static_cast<int>(span / 10);
  for (int f = 0; f < s.floors && columns > 0; f++)
    for (int c = 0; c < columns; c++, k++) {
      const double a0 = (c + 0.32) / columns, a1 = (c + 0.68) / columns;
      const double b0 = f * fh + fh * 0.2, b1 = f * fh + fh * 0.7;
      auto at = [&](double a, double h) { return point{xs + s.side.x * a, s.base + s.side.y * a - h}; };
      const double l0 = right ? a0 : a1, l1 = right ? a1 : a0;
      paint_window(p, s, {at(l0, b0), at(l1, b0), at(l1, b1), at(l0, b1)}, s.side_light, hash01(k, 1, s.seed + 9) < s.lit_share,
                   hash01(k, 2, s.seed + 9), s.haze);
    }
}

}  // namespace photo_kit
