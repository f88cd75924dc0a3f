// Town-house fronts and tiled roofs in perspective, for the river and the market square: each
// pixel is traced back onto the wall plane, so windows, cornices and tiles keep their true size
// in metres, shrink with distance and fade out cleanly where they get too fine.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

// Sky fill plus sun (scaled by how much of it reaches the spot), less occlusion, then haze.
rgb shade_surface(rgb albedo, vec3 normal, double dist, double sunlit, double occlusion, const facade_light &light) {
  const double lambert = std::max(0.0, dot(normal, light.sun)) * sunlit;
  const double up = 0.62 + 0.38 * normal.y;
  const rgb c = (filter(albedo, light.sky_colour) * up + filter(albedo, light.sun_colour) * lambert) * (1 - occlusion);
  return mix(c, light.haze_colour, 1 - std::exp(-dist / light.haze_distance));
}

// The outline of a front in its own (u along, v up) metres: wall and crowning top.
static std::vector<point> facade_outline(const facade &f) {
  const double w = f.width, h = f.height, t = f.top_height;
  std::vector<point> right, pts = {{0, 0}, {w, 0}};
  switch (f.top) {
    case top_flat:
      right = {{w, h}};
      break;
    case top_gable:
      right = {{w, h}, {w / 2, h + t}};
      break;
    case top_stepped: {
      const double step = w * 0.4 / 3;
      right = {{w, h}};
      for (int k = 0; k < 3; k++) {
        const double level = h + t * (k + 1) / 4;
        right.push_back({w - step * k, level});
        right.push_back({w - step * (k + 1), level});
      }
      right.push_back({w - step * 3, h + t});
      break;
    }
    case top_baroque:
      for (int i = 0; i <= 12; i++) {
        const double s = i / 12.0;
        right.push_back({w - w * 0.3 * (1 - std::cos(M_PI * s)) / 2 - w * 0.04 * std::sin(M_PI * s), h + t * 0.72 * s});
      }
      right.push_back({w * 0.66, h + t * 0.72});
      right.push_back({w / 2, h + t});
      break;
    case top_attic: {
      const double rail = h + t * 0.55;
      right = {{w, h}, {w, rail}};
      for (int k = 4; k >= 1; k--) {
        const double c = w * k / 4;
        right.push_back({c, rail});
        right.push_back({c - 0.12, h + t * 0.8});
        right.push_back({c - 0.25, h + t});
        right.push_back({c - 0.38, h + t * 0.8});
        right.push_back({c - 0.5, rail});
      }
      right.push_back({0, rail});
      for (const point &q : right) pts.push_back(q);
      return pts;
    }
  }
  for (const point &q : right) pts.push_back(q);
  for (int i = static_cast<int>(right.size()) - 1; i >= 0; i--)
    if (right[i].x > w / 2 + 1e-6) pts.push_back({w - right[i].x, right[i].y});
  return pts;
}

// What one pixel of a front shows: its albedo, how much of the sun reaches it, occlusion,
// and whether it is glass (reflecting the sky, or lit from inside).
struct facade_sample {
  rgb albedo;
  double sunlit = 1, occlusion = 0;
  double glass = 0;
  rgb pane = {0, 0, 0};
};

// One window opening round the bay centre: frame, sill, lintel, glass with its cross bar,
// a shadowed reveal on the sun side, optional shutters and a curtain.
static void lay_window(facade_sample &s, const facade &f, double lu, double lv, double half, double y0, double y1,
                       double fu, double fv, int key, const facade_light &light) {
  const double glass = box_cover(lu, -half, half, fu) * box_cover(lv, y0, y1, fv);
  const double frame = box_cover(lu, -half - 0.14, half + 0.14, fu) * box_cover(lv, y0 - 0.1, y1 + 0.14, fv) - glass;
  const double sill = box_cover(lu, -half - 0.24, half + 0.24, fu) * box_cover(lv, y0 - 0.24, y0 - 0.08, fv);
  const double lintel = box_cover(lu, -half - 0.2, half + 0.2, fu) * box_cover(lv, y1 + 0.16, y1 + 0.34, fv);
  const double under_sill = box_cover(lu, -half - 0.2, half + 0.2, fu) * box_cover(lv, y0 - 0.44, y0 - 0.24, fv);
  // Rain has washed dirt down from the sill: a faint streak fading downwards.
  const double drip = box_cover(lu, -half * 0.9, half * 0.9, fu) * smoothstep(y0 - 2.2, y0 - 0.4, lv) * (lv < y0 ? 1 : 0) *
                      (0.5 + fractal_noise(lu * 4, lv * 0.5, f.seed + 9, 2));
  s.albedo = mix(s.albedo, f.trim, clamp01(frame + sill + lintel));
  s.occlusion = std::max(s.occlusion, std::max(under_sill * 0.35, drip * 0.12));
  if (f.shutters) {
    const double leaf = box_cover(std::fabs(lu), half + 0.18, half * 2 + 0.2, fu) * box_cover(lv, y0, y1, fv);
    const double slats = line_pattern(lv, 0.16, 0.05, fv);
    s.albedo = mix(s.albedo, f.shutter * (1 - 0.3 * slats), leaf);
  }
  if (glass <= 0) return;
  const double t = clamp01((lv - y0) / (y1 - y0));
  const double bar = std::max(line_pattern(lu + 0.04, 100, 0.08, fu), line_pattern(lv - y0 - (y1 - y0) * 0.64 + 0.04, 100, 0.08, fv));
  const double reveal = std::max(box_cover(lv, y1 - 0.2, y1, fv), box_cover(lu * (light.sun.x >= 0 ? 1 : -1), -half, -half + 0.16, fu));
  const bool lit = hash01(key, 5, f.seed) < f.lit_share;
  // Each pane catches the sky a little differently; a soft diagonal sheen crosses it.
  const double catch_light = 0.55 + 0.7 * hash01(key, 8, f.seed);
  const double sheen = smoothstep(0.3, 0.0, std::fabs((lu / half) * 0.5 + t - 0.8)) * 0.35;
  rgb pane = lit ? f.glow * (0.75 + 0.35 * hash01(key, 6, f.seed))
                 : mix(light.glass_low, light.glass_high, clamp01(t * catch_light + sheen));
  if (!lit && hash01(key, 7, f.seed) < 0.45) {
    const double curtain = box_cover(lv, y0 + (y1 - y0) * 0.55, y1, fv) * (0.6 + 0.4 * line_pattern(lu, 0.18, 0.08, fu));
    pane = mix(pane, rgb{120, 116, 108}, curtain * 0.6);
  }
  pane = mix(pane, f.trim * 0.5, bar * 0.85) * (1 - 0.45 * reveal);
  s.glass = glass;
  s.pane = pane;
}

// The pattern of a front at (u, v) metres, for a pixel footprint of (fu, fv) metres.
static facade_sample sample_facade(const facade &f, double u, double v, double fu, double fv, const facade_light &light) {
  facade_sample s;
  const double blot = fractal_noise(u * 0.5, v * 0.5, f.seed, 4) - 0.5;
  const double patch = fractal_noise(u * 0.12, v * 0.12, f.seed + 2, 3) - 0.5;
  const double streak = fractal_noise(u * 2.5, v * 0.3, f.seed + 1, 3) - 0.5;
  const double damp = smoothstep(1.4, 0.0, v) * 0.22;
  s.albedo = f.wall * (1 + blot * 0.2 + patch * 0.18 + streak * 0.1 - damp);
  // Dirt gathers where the front meets the ground and its neighbours.
  s.occlusion = std::max(smoothstep(1.0, 0.0, v) * 0.2, (box_cover(u, 0, 0.14, fu) + box_cover(u, f.width - 0.14, f.width, fu)) * 0.35);
  const double fh = (f.height - f.ground_height) / std::max(1, f.floors);
  const double bw = f.width / f.bays;
  const int bay = std::clamp(static_cast<int>(std::floor(u / bw)), 0, f.bays - 1);
  const double lu = u - (bay + 0.5) * bw;

  // Corner pilasters and the rusticated ground storey.
  const double pilaster = box_cover(u, 0, 0.32, fu) + box_cover(u, f.width - 0.32, f.width, fu);
  s.albedo = mix(s.albedo, f.trim * (0.95 + blot * 0.1), clamp01(pilaster) * 0.7);
  if (v < f.ground_height) s.occlusion = std::max(s.occlusion, line_pattern(v, 0.45, 0.05, fv) * 0.3);

  if (v < f.height) {
    if (v < f.ground_height) {
      const int door_bay = static_cast<int>(hash01(f.bays, 0, f.seed) * f.bays);
      if (f.ground == ground_arcade) {
        const double half = bw * 0.36, spring = f.ground_height * 0.5;
        const double crown = std::sqrt(std::max(0.0, half * half - lu * lu));
        const double inside = box_cover(lu, -half, half, fu) * box_cover(v, 0, spring + crown, fv);
        const double ring = box_cover(lu, -half - 0.22, half + 0.22, fu) *
                            box_cover(v, 0, spring + std::sqrt(std::max(0.0, (half + 0.22) * (half + 0.22) - lu * lu)), fv) - inside;
        s.albedo = mix(s.albedo, f.trim, clamp01(ring));
        if (inside > 0) {
          const double depth = clamp01((spring + crown - v) / 1.5);
          s.albedo = mix(s.albedo, rgb{60, 52, 46} + rgb{60, 40, 20} * (1 - depth) * hash01(bay, 3, f.seed), inside);
          s.sunlit *= 1 - inside;
          s.occlusion = std::max(s.occlusion, inside * (0.35 + 0.3 * depth));
        }
      } else if (bay == door_bay) {
        const double half = 0.68, top = std::min(2.7, f.ground_height * 0.78);
        const double arch = top + std::sqrt(std::max(0.0, half * half - lu * lu)) - half;
        const double door = box_cover(lu, -half, half, fu) * box_cover(v, 0, arch, fv);
        const double surround = box_cover(lu, -half - 0.25, half + 0.25, fu) * box_cover(v, 0, arch + 0.25, fv) - door;
        const double panels = line_pattern(lu + half, half, 0.06, fu) + line_pattern(v, 0.7, 0.06, fv);
        s.albedo = mix(s.albedo, f.trim, clamp01(surround));
        s.albedo = mix(s.albedo, rgb{92, 58, 36} * (1 - 0.35 * clamp01(panels)), door);
        s.occlusion = std::max(s.occlusion, door * 0.25);
      } else if (f.ground == ground_shops) {
        const double half = bw * 0.36, y0 = 0.55, y1 = f.ground_height - 0.75;
        const double pane = box_cover(lu, -half, half, fu) * box_cover(v, y0, y1, fv);
        const double frame = box_cover(lu, -half - 0.12, half + 0.12, fu) * box_cover(v, y0 - 0.12, y1 + 0.12, fv) - pane;
        const double awning = box_cover(lu, -half - 0.3, half + 0.3, fu) * box_cover(v, y1 + 0.15, f.ground_height - 0.05, fv);
        const bool striped = hash01(bay, 4, f.seed) < 0.6;
        const rgb cloth = hash01(bay, 8, f.seed) < 0.5 ? rgb{176, 52, 44} : rgb{46, 96, 70};
        const double stripe = striped ? line_pattern(lu, 0.5, 0.25, fu) : 0;
        s.albedo = mix(s.albedo, rgb{58, 50, 44}, clamp01(frame));
        if (pane > 0) {
          s.glass = pane;
          s.pane = mix(rgb{40, 36, 34}, rgb{150, 120, 80}, hash01(bay, 9, f.seed) * clamp01((v - y0) / (y1 - y0)) * 0.6);
        }
        if (awning > 0) {
          s.albedo = mix(s.albedo, mix(cloth, rgb{236, 228, 210}, stripe), awning);
          s.occlusion = std::max(s.occlusion, awning * 0.1);
        }
        s.occlusion = std::max(s.occlusion, box_cover(lu, -half - 0.3, half + 0.3, fu) * box_cover(v, y1 - 0.5, y1 + 0.15, fv) * 0.45);
      } else {
        lay_window(s, f, lu, v, std::min(0.55, bw * 0.22), 1.0, f.ground_height - 0.9, fu, fv, bay, light);
      }
    } else if (f.floors > 0) {
      const int storey = std::min(f.floors - 1, static_cast<int>((v - f.ground_height) / fh));
      const double lv = v - f.ground_height - storey * fh;
      lay_window(s, f, lu, lv, std::min(0.6, bw * 0.24), fh * 0.28, fh * 0.28 + std::min(fh * 0.56, 2.0), fu, fv,
                 (storey + 1) * 31 + bay, light);
    }
    // Storey bands: a trim moulding with a thin cast shadow beneath.
    for (int k = 0; k < f.floors; k++) {
      const double line = f.ground_height + k * fh;
      const double band = box_cover(v, line - 0.05, line + 0.18, fv);
      s.albedo = mix(s.albedo, f.trim, band);
      s.occlusion = std::max(s.occlusion, box_cover(v, line - 0.22, line - 0.05, fv) * 0.3 * light.sun.y);
    }
  } else {
    // The gable or attic: an oval window, niches along an attic.
    if (f.top == top_attic) {
      const double pitch = f.width / 8;
      const double lu2 = u - (std::floor(u / pitch) + 0.5) * pitch;
      const double niche = box_cover(lu2, -pitch * 0.22, pitch * 0.22, fu) * box_cover(v - f.height, 0.35, f.top_height * 0.45, fv);
      s.occlusion = std::max(s.occlusion, niche * 0.35);
    } else if (f.top != top_flat) {
      const double cu = u - f.width / 2, cv = v - f.height - f.top_height * 0.35;
      const double r = std::min(0.55, f.width * 0.07);
      const double d = std::sqrt(cu * cu + cv * cv * 0.7);
      const double ring = box_cover(d, r, r + 0.15, std::max(fu, fv));
      const double eye = box_cover(d, -1, r, std::max(fu, fv));
      s.albedo = mix(s.albedo, f.trim, ring);
      if (eye > 0) s.glass = eye, s.pane = light.glass_low;
    }
  }
  // The main cornice, its lit top edge and the shadow it throws.
  const double cornice = box_cover(v, f.height - 0.1, f.height + 0.32, fv);
  s.albedo = mix(s.albedo, f.trim * 1.05, cornice);
  s.occlusion = std::max(s.occlusion, box_cover(v, f.height - 0.6, f.height - 0.1, fv) * 0.45 * light.sun.y);
  return s;
}

// Traces every covered pixel back onto the wall plane and shades what the front shows there.
void paint_facade(photo &p, const camera &cam, const facade &f, const facade_light &light) {
  const vec3 normal = {f.along.z, 0, -f.along.x};
  const double plane = dot(normal, f.origin);
  std::vector<vec3> world;
  for (const point &q : facade_outline(f)) world.push_back(f.origin + f.along * q.x + vec3{0, q.y, 0});
  paint_shape(p, cover_world(cam, world), [&](int x, int y) {
    vec3 h, hx, hy;
    if (!cast_ray(cam, x + 0.5, y + 0.5, normal, plane, h) || !cast_ray(cam, x + 1.5, y + 0.5, normal, plane, hx) ||
        !cast_ray(cam, x + 0.5, y + 1.5, normal, plane, hy))
      return f.wall;
    const vec3 r = h - f.origin, rx = hx - f.origin, ry = hy - f.origin;
    const double u = dot(r, f.along), v = r.y;
    const double fu = std::fabs(dot(rx, f.along) - u) + std::fabs(dot(ry, f.along) - u);
    const double fv = std::fabs(rx.y - v) + std::fabs(ry.y - v);
    const facade_sample s = sample_facade(f, u, v, fu, fv, light);
    const double dist = std::sqrt(dot(h - cam.eye, h - cam.eye));
    rgb c = shade_surface(s.albedo, normal, dist, s.sunlit, s.occlusion, light);
    if (s.glass > 0) {
      const rgb pane = mix(s.pane, light.haze_colour, 1 - std::exp(-dist / light.haze_distance));
      c = mix(c, pane, s.glass);
    }
    return c;
  });
}

void paint_roof(photo &p, const camera &cam, vec3 e0, vec3 e1, vec3 r0, rgb tiles, const facade_light &light,
                uint32_t seed) {
  const vec3 along = e1 - e0, slope = r0 - e0;
  const double len_a = std::sqrt(dot(along, along)), len_s = std::sqrt(dot(slope, slope));
  const vec3 ua = along * (1 / len_a), us = slope * (1 / len_s);
  vec3 normal = normalised({ua.y * us.z - ua.z * us.y, ua.z * us.x - ua.x * us.z, ua.x * us.y - ua.y * us.x});
  if (normal.y < 0) normal = normal * -1;
  const double plane = dot(normal, e0);
  paint_shape(p, cover_world(cam, {e0, e1, e1 + slope, r0}), [&](int x, int y) {
    vec3 h, hx, hy;
    if (!cast_ray(cam, x + 0.5, y + 0.5, normal, plane, h) || !cast_ray(cam, x + 1.5, y + 0.5, normal, plane, hx) ||
        !cast_ray(cam, x + 0.5, y + 1.5, normal, plane, hy))
      return tiles;
    const double a = dot(h - e0, ua), b = dot(h - e0, us);
    const double fa = std::fabs(dot(hx - h, ua)) + std::fabs(dot(hy - h, ua));
    const double fb = std::fabs(dot(hx - h, us)) + std::fabs(dot(hy - h, us));
    const double course = 0.36, tile = 0.26;
    const int row = static_cast<int>(std::floor(b / course));
    const double shift = (row & 1) * tile / 2;
    const int col = static_cast<int>(std::floor((a + shift) / tile));
    const double edge = line_pattern(b, course, 0.07, fb);
    const double joint = line_pattern(a + shift, tile, 0.03, fa);
    const double vary = hash01(col, row, seed) - 0.5;
    const double fade = smoothstep(0.1, 0.3, fb / course);
    const double lichen = smoothstep(0.55, 0.8, fractal_noise(a * 0.4, b * 0.4, seed + 3, 4));
    rgb albedo = tiles * (1 + vary * 0.25 * (1 - fade) - edge * 0.3 - joint * 0.12);
    albedo = mix(albedo, rgb{96, 100, 70}, lichen * 0.35);
    const double dist = std::sqrt(dot(h - cam.eye, h - cam.eye));
    return shade_surface(albedo, normal, dist, 1, 0, light);
  });
}

}  // namespace photo_kit
