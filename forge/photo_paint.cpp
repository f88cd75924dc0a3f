// The painting kit of the background photographs: ramps, shape coverage, the camera, clouds,
// glow and the finishing touches shared by the five scenes.
#include <allegro.h>

#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

// The colour of a piecewise-linear ramp at t, clamped to the first and last stop.
rgb sample_ramp(const std::vector<ramp_stop> &stops, double t) {
  if (t <= stops.front().at) return stops.front().colour;
  for (size_t i = 1; i < stops.size(); i++)
    if (t <= stops[i].at) {
      const double span = stops[i].at - stops[i - 1].at;
      return mix(stops[i - 1].colour, stops[i].colour, span > 0 ? (t - stops[i - 1].at) / span : 1);
    }
  return stops.back().colour;
}

// Integer hash of a lattice point and a seed, mapped to 0..1.
double hash01(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return (h & 0xFFFFFF) / 16777215.0;
}

// A disc whose rim pixels take their covered share.
void paint_disc(photo &p, double cx, double cy, double r, rgb c, double opacity) {
  const int x0 = static_cast<int>(std::floor(cx - r - 1)), x1 = static_cast<int>(std::ceil(cx + r + 1));
  const int y0 = static_cast<int>(std::floor(cy - r - 1)), y1 = static_cast<int>(std::ceil(cy + r + 1));
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      lay_pixel(p, x, y, c, clamp01(r + 0.5 - d) * opacity);
    }
}

// A tapered quad along the segment; sub-pixel widths fade instead of vanishing.
void paint_stroke(photo &p, point a, point b, double wa, double wb, rgb c, double opacity) {
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  if (len < 1e-6) return;
  const double fade = std::min(1.0, (wa + wb) / 2);
  wa = std::max(wa, 1.0) / 2, wb = std::max(wb, 1.0) / 2;
  const point n = {-(b.y - a.y) / len, (b.x - a.x) / len};
  paint_shape(p, cover_polygon({{a.x + n.x * wa, a.y + n.y * wa}, {b.x + n.x * wb, b.y + n.y * wb},
                                {b.x - n.x * wb, b.y - n.y * wb}, {a.x - n.x * wa, a.y - n.y * wa}}),
              [&](int, int) { return c; }, opacity * fade);
}

// Scan-converts a polygon into per-pixel coverage: four sub-rows per pixel row, and the exact
// overlap of each span with each pixel along the row.
coverage cover_polygon(const std::vector<point> &pts) {
  coverage c;
  if (pts.size() < 3) return c;
  double minx = pts[0].x, maxx = pts[0].x, miny = pts[0].y, maxy = pts[0].y;
  for (const point &p : pts) {
    minx = std::min(minx, p.x), maxx = std::max(maxx, p.x);
    miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
  }
  c.x0 = std::max(0, static_cast<int>(std::floor(minx)));
  c.y0 = std::max(0, static_cast<int>(std::floor(miny)));
  const int x1 = std::min(photo_width - 1, static_cast<int>(std::floor(maxx)));
  const int y1 = std::min(photo_height - 1, static_cast<int>(std::floor(maxy)));
  if (x1 < c.x0 || y1 < c.y0) return c;
  c.w = x1 - c.x0 + 1;
  c.h = y1 - c.y0 + 1;
  c.a.assign(static_cast<size_t>(c.w) * c.h, 0.0f);
  std::vector<double> cuts;
  for (int j = 0; j < c.h; j++) {
    float *row = &c.a[static_cast<size_t>(j) * c.w];
    for (int s = 0; s < 4; s++) {
      const double sy = c.y0 + j + (s + 0.5) / 4;
      cuts.clear();
      for (size_t i = 0; i < pts.size(); i++) {
        const point &p = pts[i], &q = pts[(i + 1) % pts.size()];
        if ((p.y <= sy && sy < q.y) || (q.y <= sy && sy < p.y)) cuts.push_back(p.x + (sy - p.y) * (q.x - p.x) / (q.y - p.y));
      }
      std::sort(cuts.begin(), cuts.end());
      for (size_t k = 0; k + 1 < cuts.size(); k += 2) {
        const double xa = std::max(cuts[k], static_cast<double>(c.x0));
        const double xb = std::min(cuts[k + 1], static_cast<double>(x1 + 1));
        if (xb <= xa) continue;
        for (int px = static_cast<int>(std::floor(xa)); px <= x1 && px < xb; px++) {
          const double overlap = std::min(xb, px + 1.0) - std::max(xa, static_cast<double>(px));
          if (overlap > 0) row[px - c.x0] += static_cast<float>(overlap * 0.25);
        }
      }
    }
  }
  return c;
}

// An ellipse as a fine polygon.
coverage cover_ellipse(double cx, double cy, double rx, double ry) {
  const int n = std::max(16, static_cast<int>((rx + ry) * 1.5));
  std::vector<point> pts;
  for (int i = 0; i < n; i++) {
    const double t = 2 * M_PI * i / n;
    pts.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
  return cover_polygon(pts);
}

// An axis-aligned rectangle with sub-pixel edges.
coverage cover_rect(double x0, double y0, double x1, double y1) {
  return cover_polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// A line every `period` along u: its coverage within the pixel footprint, with the contrast
// fading to the line's average share once the footprint nears the period.
double line_pattern(double u, double period, double width, double fu) {
  const double m = u - period * std::floor(u / period);
  const double on = box_cover(m, 0, width, fu) + box_cover(m, period, period + width, fu) + box_cover(m, -period, width - period, fu);
  const double fade = smoothstep(0.25, 0.6, fu / period);
  return on + (width / period - on) * fade;
}

// The unit vector along v (v itself when it has no length).
vec3 normalised(vec3 v) {
  const double len = std::sqrt(dot(v, v));
  return len > 0 ? v * (1 / len) : v;
}

// Perspective projection; points at or behind the eye are pushed just in front of it.
point project(const camera &cam, vec3 p) {
  const vec3 d = p - cam.eye;
  const double z = std::max(d.z, 0.05);
  return {cam.cx + cam.f * d.x / z, cam.cy - cam.f * d.y / z};
}

// Intersects the ray through a screen point with a plane.
bool cast_ray(const camera &cam, double sx, double sy, vec3 n, double d, vec3 &hit) {
  const vec3 dir = {(sx - cam.cx) / cam.f, (cam.cy - sy) / cam.f, 1};
  const double den = dot(n, dir);
  if (std::fabs(den) < 1e-9) return false;
  const double t = (d - dot(n, cam.eye)) / den;
  if (t <= 0) return false;
  hit = cam.eye + dir * t;
  return true;
}

// Projects a world polygon and scan-converts it.
coverage cover_world(const camera &cam, const std::vector<vec3> &pts) {
  std::vector<point> flat;
  for (const vec3 &p : pts) flat.push_back(project(cam, p));
  return cover_polygon(flat);
}

// Clouds on a horizontal deck: fractal noise cut at a threshold, lit on the side that faces
// the light (where the density falls off towards it), thinning out into the horizon haze.
void paint_clouds(photo &p, const cloud_deck &deck, int y0, int y1) {
  const double cut = 1 - deck.cover;
  for (int y = std::max(0, y0); y < y1 && y < p.h; y++) {
    const double dy = deck.horizon - y;
    if (dy <= 1) continue;
    const double z = deck.height / dy;
    const double fade = smoothstep(2, 70, dy) * deck.opacity;
    for (int x = 0; x < p.w; x++) {
      const double u = (x - 400) * z / 500 / deck.stretch + deck.drift;
      const double v = z;
      const double n = fractal_noise(u * deck.scale, v * deck.scale, deck.seed, deck.octaves);
      const double density = smoothstep(cut, cut + deck.softness, n);
      if (density <= 0.003) continue;
      const double n2 = fractal_noise((u + deck.light.x) * deck.scale, (v + deck.light.y) * deck.scale, deck.seed,
                                      deck.octaves);
      const double lit = clamp01(0.55 + (n - n2) * 5) * (1 - 0.35 * density);
      lay_pixel(p, x, y, mix(deck.shade, deck.lit, lit), density * fade);
    }
  }
}

// One pass of a running-sum box blur along rows (stride 1) or columns (stride w).
static void blur_line(std::vector<rgb> &buf, std::vector<rgb> &tmp, int start, int count, int stride, int radius) {
  rgb sum = {0, 0, 0};
  const double norm = 1.0 / (2 * radius + 1);
  auto at = [&](int i) { return buf[start + std::clamp(i, 0, count - 1) * stride]; };
  for (int i = -radius; i <= radius; i++) sum = sum + at(i);
  for (int i = 0; i < count; i++) {
    tmp[i] = sum * norm;
    sum = sum + at(i + radius + 1) - at(i - radius);
  }
  for (int i = 0; i < count; i++) buf[start + i * stride] = tmp[i];
}

// Row passes then column passes, repeated.
void blur_buffer(std::vector<rgb> &buf, int w, int h, int radius, int passes) {
  std::vector<rgb> tmp(std::max(w, h));
  for (int k = 0; k < passes; k++) {
    for (int y = 0; y < h; y++) blur_line(buf, tmp, y * w, w, 1, radius);
    for (int x = 0; x < w; x++) blur_line(buf, tmp, x, h, w, radius);
  }
}

// Glow: the bright part of the picture, blurred at half size and added back.
void add_bloom(photo &p, double threshold, int radius, double strength) {
  const int hw = p.w / 2, hh = p.h / 2;
  std::vector<rgb> half(static_cast<size_t>(hw) * hh);
  for (int y = 0; y < hh; y++)
    for (int x = 0; x < hw; x++) {
      rgb sum = {0, 0, 0};
      for (int k = 0; k < 4; k++) {
        const rgb c = p.at(2 * x + (k & 1), 2 * y + (k >> 1));
        const double l = luma(c);
        sum = sum + c * (l > threshold ? (l - threshold) / std::max(l, 1.0) : 0);
      }
      half[static_cast<size_t>(y) * hw + x] = sum * 0.25;
    }
  blur_buffer(half, hw, hh, std::max(1, radius / 2), 3);
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      // Bilinear lookup of the half-size glow.
      const double fx = std::clamp((x - 0.5) / 2, 0.0, hw - 1.001), fy = std::clamp((y - 0.5) / 2, 0.0, hh - 1.001);
      const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
      const double tx = fx - ix, ty = fy - iy;
      const rgb *row0 = &half[static_cast<size_t>(iy) * hw], *row1 = row0 + hw;
      const rgb g = mix(mix(row0[ix], row0[ix + 1], tx), mix(row1[ix], row1[ix + 1], tx), ty);
      p.at(x, y) = p.at(x, y) + g * strength;
    }
}

// Soft shoulder for highlights, so bright light rolls off instead of clipping.
static double shoulder(double v) { return v <= 215 ? v : 215 + 40 * (1 - std::exp(-(v - 215) / 40)); }

// The finishing pass over the whole canvas: vignette, grain weighted to the mid-tones, and a
// soft shoulder on the highlights.
void finish_photo(photo &p, double vignette, double grain, uint32_t seed) {
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      const double dx = (x - 399.5) / 400, dy = (y - 299.5) / 300;
      const double r = std::sqrt(dx * dx * 0.8 + dy * dy * 0.7);
      const double v = 1 - vignette * smoothstep(0.35, 1.15, r);
      rgb c = p.at(x, y) * v;
      const double l = clamp01(luma(c) / 255);
      const double g = (hash01(x, y, seed) + hash01(x, y, seed + 7) - 1) * grain * (0.5 + 2 * l * (1 - l));
      c = c + rgb{g, g, g};
      p.at(x, y) = {shoulder(c.r), shoulder(c.g), shoulder(c.b)};
    }
}

// Copies the canvas into a 24-bit bitmap and saves it as JPEG.
void write_photo(const photo &p, const std::string &path) {
  BITMAP *bmp = create_canvas(p.w, p.h);
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) putpixel(bmp, x, y, to_colour(p.at(x, y)));
  save_picture(bmp, path);
  destroy_bitmap(bmp);
}

// The outline's height at x, interpolated between quarter-pixel samples.
double skyline::at(double x) const {
  const double fx = std::clamp(x * 4, 0.0, static_cast<double>(top.size() - 2));
  const int i = static_cast<int>(fx);
  return top[i] + (top[i + 1] - top[i]) * (fx - i);
}

// Lays out the houses left to right with a seeded generator; the outline keeps the highest point.
skyline make_skyline(uint32_t seed, double base, double low, double high, double narrow, double wide,
                     const std::vector<steeple> &steeples) {
  skyline s;
  s.top.assign(photo_width * 4 + 8, base);
  forge_random random(seed);
  auto raise = [&](double x, double y) {
    const int i = static_cast<int>(std::lround(x * 4));
    if (i >= 0 && i < static_cast<int>(s.top.size())) s.top[i] = std::min(s.top[i], y);
  };
  for (double x = -wide; x < photo_width + wide;) {
    const double w = random.range(narrow, wide), h = random.range(low, high);
    const int kind = random.below(3);
    const double roof = kind == 0 ? 0 : w * random.range(0.25, 0.5);
    for (double u = 0; u <= w; u += 0.25) {
      const double ridge = kind == 0 ? 0 : kind == 1 ? roof * (1 - std::fabs(2 * u / w - 1))
                                                     : std::min(roof, roof * 2.5 * std::min(u, w - u) / w);
      raise(x + u, base - h - ridge);
    }
    if (random.below(3) == 0) {
      const double cx = x + w * random.range(0.2, 0.8), ch = h + roof * 0.6 + random.range(2, 5);
      for (double u = -1; u <= 1; u += 0.25) raise(cx + u, base - ch);
    }
    x += w * random.range(0.7, 1.0);
  }
  for (const steeple &t : steeples)
    for (double u = -t.width; u <= t.width; u += 0.25) {
      const double body = std::fabs(u) <= t.width * 0.8 ? base - t.body : base;
      const double spire = base - t.body - t.spire * (1 - std::fabs(u) / (t.width * 0.75));
      raise(t.x + u, std::min(body, std::fabs(u) <= t.width * 0.75 ? spire : base));
    }
  return s;
}

}  // namespace photo_kit
