// r2, the market square on a warm morning: tenement fronts with attics, baroque and stepped
// gables around a cobbled square, the left row in shade and throwing its shadow across the
// stones, market stalls with striped awnings, and a brick church tower beyond the roofs.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

namespace {

constexpr double square_half = 26;  // side rows at x = +-26
constexpr double far_z = 52;        // the far row's fronts

const camera view = {{10, 1.8, 0}, 400, 360, 600};

const facade_light morning = {
    normalised({-0.8, 0.38, -0.46}), {255, 210, 156}, {108, 122, 156}, {206, 212, 214}, 380, {176, 194, 214}, {52, 58, 72}};

const std::vector<ramp_stop> morning_sky = {{0, {70, 112, 172}}, {150, {112, 150, 198}}, {280, {172, 194, 214}}, {360, {222, 220, 210}}};

// A clear morning sky with thin high veils.
void paint_sky(photo &p) {
  paint_all(p, [](int x, int y) { return sample_ramp(morning_sky, y) + rgb{18, 10, 0} * (1 - x / 800.0) * (y / 360.0); });
  cloud_deck veil = {23, view.cy, 2200, 0.9, 5.0, 0.36, 0.3, 2.0, {246, 242, 236}, {190, 196, 212}, {0.05, 0.03}, 0.6, 5};
  paint_clouds(p, veil, 0, 355);
  cloud_deck puffs = {24, view.cy, 1400, 0.7, 1.6, 0.4, 0.2, 6.0, {255, 250, 240}, {160, 170, 196}, {-0.06, 0.04}, 0.9, 6};
  paint_clouds(p, puffs, 0, 355);
}

// One house of a row: its front and the extent it covers along the row.
struct tenement {
  facade front;
  double start, width;  // along the row, in metres
};

// A row of tenements from `start` to `end` along `along`, its first corner at `origin`.
std::vector<tenement> make_row(vec3 origin, vec3 along, double length, uint32_t seed, int arcades) {
  const rgb walls[] = {{232, 190, 120}, {226, 150, 122}, {236, 214, 170}, {170, 200, 180}, {178, 194, 220},
                       {236, 200, 200}, {240, 222, 140}, {214, 130, 96},  {200, 180, 210}};
  const facade_top tops[] = {top_attic, top_baroque, top_stepped, top_gable, top_flat, top_baroque};
  forge_random random(seed);
  std::vector<tenement> row;
  for (double u = 0; length - u >= 5.5;) {
    tenement t;
    t.start = u;
    t.width = std::min(length - u, random.range(6.5, 9.0));
    if (length - u - t.width < 5.5) t.width = length - u;
    facade &f = t.front;
    f.origin = origin + along * u;
    f.along = along;
    f.width = t.width;
    f.floors = 2 + random.below(2);
    f.ground_height = random.range(4.2, 5.0);
    f.height = f.ground_height + f.floors * random.range(3.3, 3.8);
    f.top = tops[random.below(6)];
    f.top_height = f.top == top_flat ? 0 : (f.top == top_attic ? random.range(2.2, 3.0) : f.width * random.range(0.45, 0.7));
    f.bays = f.width > 8 ? 4 : 3;
    f.wall = walls[random.below(9)];
    f.trim = mix(f.wall, rgb{246, 242, 232}, 0.7);
    f.shutters = random.below(4) == 0;
    f.shutter = {70, 104, 88};
    f.ground = arcades > 0 ? ground_arcade : (random.below(3) != 0 ? ground_shops : ground_doors);
    f.seed = static_cast<uint32_t>(random.next());
    arcades--;
    row.push_back(t);
    u += t.width;
  }
  return row;
}

// The height of a row's top at `u` metres along it (wall plus crowning), 0 past its ends.
double row_top(const std::vector<tenement> &row, double u) {
  for (const tenement &t : row)
    if (u >= t.start && u < t.start + t.width) {
      const double s = (u - t.start) / t.width;
      const facade &f = t.front;
      const double crown = f.top == top_flat ? 0.3 : (f.top == top_attic ? f.top_height * 0.6 : f.top_height * (1 - std::fabs(2 * s - 1)));
      return f.height + crown;
    }
  return 0;
}

// The row of houses behind us (out of the picture), as the outline of its gables along x.
double behind_top(double x) {
  const double w = 7.5, u = x / w - std::floor(x / w);
  const int k = static_cast<int>(std::floor(x / w));
  const double wall = 6 + 2.5 * hash01(k, 0, 35);
  return hash01(k, 1, 35) < 0.6 ? wall + 4 * (1 - std::fabs(2 * u - 1)) : wall + 1;
}

// Whether the morning sun reaches a point, or the left row or the houses behind us stand in its way.
double sun_on(vec3 q, const std::vector<tenement> &left_row) {
  const vec3 &s = morning.sun;
  const double t = (-square_half - q.x) / s.x;
  if (t > 0) {
    const vec3 w = q + s * t;
    if (w.y < row_top(left_row, w.z - 6)) return 0;
  }
  const double tb = (-3 - q.z) / s.z;
  if (tb > 0) {
    const vec3 w = q + s * tb;
    if (w.y < behind_top(w.x)) return 0;
  }
  return 1;
}

// The cobbled square: domed granite setts in staggered rows, worn and dusty in patches, the
// shadows of the left row and of the houses behind us lying across it.
void paint_square(photo &p, const std::vector<tenement> &left_row) {
  for (int y = static_cast<int>(view.cy) + 1; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      vec3 h, hx, hy;
      if (!cast_ray(view, x + 0.5, y + 0.5, {0, 1, 0}, 0, h) || !cast_ray(view, x + 1.5, y + 0.5, {0, 1, 0}, 0, hx) ||
          !cast_ray(view, x + 0.5, y + 1.5, {0, 1, 0}, 0, hy))
        continue;
      const double fx = std::fabs(hx.x - h.x) + std::fabs(hy.x - h.x), fz = std::fabs(hx.z - h.z) + std::fabs(hy.z - h.z);
      const double sett_z = 0.13, sett_x = 0.15;
      const int row = static_cast<int>(std::floor(h.z / sett_z));
      const double shift = hash01(row, 0, 31) * sett_x;
      const int col = static_cast<int>(std::floor((h.x + shift) / sett_x));
      const double fade = smoothstep(0.2, 0.6, std::max(fx / sett_x, fz / sett_z));
      // Inside a sett: domed, lighter on its crown, with a dark joint round it.
      const double lx = (h.x + shift) / sett_x - col, lz = h.z / sett_z - row;
      const double crown = (1 - std::pow(2 * lx - 1, 2)) * (1 - std::pow(2 * lz - 1, 2));
      const double joints = std::max(line_pattern(h.z, sett_z, 0.022, fz), line_pattern(h.x + shift, sett_x, 0.022, fx));
      const double tone = (hash01(col, row, 32) - 0.5) * (1 - fade);
      const double wear = fractal_noise(h.x * 0.12, h.z * 0.12, 33, 5);
      rgb stone = mix(rgb{136, 128, 120}, rgb{160, 140, 118}, hash01(col, row, 34)) *
                  (1 + tone * 0.3 - joints * 0.45 + (crown - 0.5) * 0.22 * (1 - fade) + (wear - 0.5) * 0.35);
      const double dist = std::sqrt(dot(h - view.eye, h - view.eye));
      p.at(x, y) = shade_surface(stone, {0, 1, 0}, dist, sun_on(h, left_row), 0, morning);
    }
}

// A market stall: a counter with goods, four posts, and a striped canvas roof.
void paint_stall(photo &p, double x0, double z0, double w, rgb cloth, uint32_t seed) {
  const double d = 2.2, table = 0.95, eave = 2.3, ridge = 3.0;
  auto at = [&](double x, double y, double z) { return project(view, {x, y, z}); };
  // Shadow on the stones, thrown away from the sun.
  const vec3 &s = morning.sun;
  auto shadow = [&](double x, double y, double z) {
    const double t = y / s.y;
    return at(x - s.x * t, 0, z - s.z * t);
  };
  paint_shape(p, cover_polygon({shadow(x0, eave, z0), shadow(x0 + w, eave, z0), shadow(x0 + w, eave, z0 + d), shadow(x0, eave, z0 + d)}),
              [](int, int) { return rgb{60, 58, 66}; }, 0.45);
  const rgb wood = {96, 68, 46};
  for (const double px : {x0 + 0.1, x0 + w - 0.1}) {
    const double z = z0 + 0.1;
    paint_stroke(p, at(px, 0, z), at(px, eave, z), 0.09 * view.f / z, 0.09 * view.f / z, wood);
  }
  // Counter front and the goods heaped on it.
  const vec3 normal = {0, 0, -1};
  paint_shape(p, cover_polygon({at(x0 + 0.2, 0.2, z0 + 0.4), at(x0 + w - 0.2, 0.2, z0 + 0.4), at(x0 + w - 0.2, table, z0 + 0.4), at(x0 + 0.2, table, z0 + 0.4)}),
              [&](int, int y) {
                return shade_surface(rgb{150, 110, 76} * (0.9 + 0.1 * std::sin(y * 1.7)), normal, z0, 0.3, 0.2, morning);
              });
  forge_random random(seed);
  const rgb goods[] = {{210, 60, 40}, {236, 170, 40}, {120, 170, 60}, {230, 220, 200}, {180, 60, 110}, {250, 200, 120}};
  for (int i = 0; i < 70; i++) {
    const double gx = random.range(x0 + 0.3, x0 + w - 0.3), gz = random.range(z0 + 0.45, z0 + 1.4);
    const point g = at(gx, table + random.range(0.02, 0.14), gz);
    paint_disc(p, g.x, g.y, std::max(0.6, 0.09 * view.f / gz), shade_surface(goods[random.below(6)], {0, 1, 0}, gz, 0.4, 0, morning));
  }
  // The canvas roof: front slope and its scalloped valance, striped across.
  const vec3 roof_normal = normalised({0, d / 2, -(ridge - eave)});
  paint_shape(p, cover_polygon({at(x0 - 0.15, eave, z0 - 0.15), at(x0 + w + 0.15, eave, z0 - 0.15), at(x0 + w + 0.15, ridge, z0 + d / 2),
                                at(x0 - 0.15, ridge, z0 + d / 2)}),
              [&](int sx, int) {
                vec3 h;
                cast_ray(view, sx + 0.5, 300, {0, 0, 1}, z0, h);
                const double stripe = line_pattern(h.x - x0, 0.5, 0.25, 0.05);
                return shade_surface(mix(cloth, rgb{240, 234, 220}, stripe), roof_normal, z0, 1, 0, morning);
              });
  std::vector<point> valance;
  for (int i = 0; i <= 24; i++) valance.push_back(at(x0 - 0.15 + (w + 0.3) * i / 24.0, eave, z0 - 0.15));
  for (int i = 24; i >= 0; i--) {
    const double sag = 0.12 + 0.1 * std::fabs(std::sin(M_PI * i * (w + 0.3) / 24.0 / 0.5));
    valance.push_back(at(x0 - 0.15 + (w + 0.3) * i / 24.0, eave - sag - 0.1, z0 - 0.15));
  }
  paint_shape(p, cover_polygon(valance), [&](int sx, int) {
    vec3 h;
    cast_ray(view, sx + 0.5, 300, {0, 0, 1}, z0 - 0.15, h);
    const double stripe = line_pattern(h.x - x0, 0.5, 0.25, 0.05);
    return shade_surface(mix(cloth, rgb{240, 234, 220}, stripe), {0, 0, -1}, z0, 0.6, 0.1, morning);
  });
}

// The church tower beyond the far row: red brick, lancet openings, a slender slate spire.
void paint_church_tower(photo &p) {
  const double x0 = -14, x1 = -6, z0 = 130, z1 = 138, top = 46, spire = 30;
  facade front;
  front.origin = {x0, 0, z0};
  front.along = {1, 0, 0};
  front.width = x1 - x0;
  front.height = top;
  front.top = top_flat;
  front.floors = 3;
  front.ground_height = 16;
  front.bays = 1;
  front.wall = {168, 84, 62};
  front.trim = {190, 120, 96};
  front.seed = 71;
  paint_facade(p, view, front, morning);
  const point apex = project(view, {(x0 + x1) / 2, top + spire, (z0 + z1) / 2});
  const point l = project(view, {x0 - 0.3, top + 0.4, z0 - 0.3}), r = project(view, {x1 + 0.3, top + 0.4, z0 - 0.3});
  const point back = project(view, {x1 + 0.3, top + 0.4, z1 + 0.3});
  paint_shape(p, cover_polygon({back, r, apex}), [](int, int) { return rgb{70, 96, 100}; });
  paint_shape(p, cover_polygon({l, r, apex}), [](int x, int y) {
    return rgb{96, 136, 132} * (0.9 + 0.15 * fractal_noise(x * 0.3, y * 0.3, 72, 2));
  });
  paint_stroke(p, apex, {apex.x, apex.y - 8}, 1.1, 0.8, rgb{80, 70, 50});
  paint_stroke(p, {apex.x - 2.5, apex.y - 5.5}, {apex.x + 2.5, apex.y - 5.5}, 1, 1, rgb{80, 70, 50});
}

// A cast-iron lamp post in the right foreground with a four-sided lantern.
void paint_lamp_post(photo &p, double x, double z) {
  const double w = view.f / z;
  const rgb iron = {36, 38, 40};
  const point foot = project(view, {x, 0, z}), neck = project(view, {x, 3.6, z}), head = project(view, {x, 4.3, z});
  paint_shape(p, cover_polygon({{foot.x - 0.16 * w, foot.y}, {foot.x + 0.16 * w, foot.y}, {foot.x + 0.1 * w, foot.y - 0.5 * w},
                                {foot.x - 0.1 * w, foot.y - 0.5 * w}}),
              [&](int, int) { return iron; });
  paint_stroke(p, foot, neck, 0.12 * w, 0.07 * w, iron);
  paint_shape(p, cover_polygon({{head.x - 0.2 * w, head.y}, {head.x + 0.2 * w, head.y}, {neck.x + 0.12 * w, neck.y}, {neck.x - 0.12 * w, neck.y}}),
              [&](int, int y) { return mix(rgb{230, 226, 204}, rgb{170, 176, 170}, clamp01((y - head.y) / (neck.y - head.y))); });
  paint_stroke(p, {head.x - 0.2 * w, head.y}, {neck.x - 0.12 * w, neck.y}, 0.025 * w, 0.025 * w, iron);
  paint_stroke(p, {head.x + 0.2 * w, head.y}, {neck.x + 0.12 * w, neck.y}, 0.025 * w, 0.025 * w, iron);
  paint_shape(p, cover_polygon({{head.x - 0.27 * w, head.y}, {head.x + 0.27 * w, head.y}, {head.x, head.y - 0.25 * w}}), [&](int, int) { return iron; });
  paint_stroke(p, {head.x, head.y - 0.25 * w}, {head.x, head.y - 0.36 * w}, 0.04 * w, 0.02 * w, iron);
  // Its shadow on the stones.
  const vec3 &s = morning.sun;
  const point tip = project(view, {x - s.x / s.y * 4.3, 0, z - s.z / s.y * 4.3});
  paint_stroke(p, foot, tip, 0.12 * w, 0.08 * w, rgb{70, 70, 80}, 0.4);
}

// Pigeons pecking on the sunny stones: small grey bodies with darker heads.
void paint_pigeons(photo &p) {
  forge_random random(88);
  for (int i = 0; i < 14; i++) {
    const double x = random.range(2, 12), z = random.range(14, 24);
    const double w = view.f / z;
    const point c = project(view, {x, 0.14, z});
    const double dir = random.uniform() < 0.5 ? -1 : 1;
    const rgb body = rgb{120, 122, 132} * random.range(0.8, 1.1);
    paint_disc(p, c.x, c.y + 0.08 * w, 0.12 * w, rgb{70, 70, 80}, 0.35);
    paint_shape(p, cover_ellipse(c.x, c.y, 0.15 * w, 0.08 * w), [&](int, int) { return body; });
    paint_disc(p, c.x + dir * 0.14 * w, c.y - 0.06 * w, 0.05 * w, body * 0.7);
  }
}

// A round stone fountain: a low basin of water, a column carrying an upper bowl, and water
// falling from the bowl's rim into the basin.
void paint_fountain(photo &p, double cx, double cz) {
  auto ring = [&](double r, double y, bool front_only) {
    std::vector<point> pts;
    const int n = 48;
    for (int i = 0; i <= n; i++) {
      const double a = front_only ? M_PI + M_PI * i / n : 2 * M_PI * i / n;
      pts.push_back(project(view, {cx + r * std::cos(a), y, cz + r * std::sin(a)}));
    }
    return pts;
  };
  const rgb stone = {196, 184, 162};
  const double basin = 3.0, wall = 0.7;
  // The basin's wall: its front half as a band between the ground ring and the rim.
  std::vector<point> band = ring(basin, 0, true), top = ring(basin, wall, true);
  band.insert(band.end(), top.rbegin(), top.rend());
  paint_shape(p, cover_polygon(band), [&](int x, int) {
    const double across = clamp01((x - project(view, {cx - basin, 0, cz}).x) / (2 * basin * view.f / cz));
    return shade_surface(stone * (0.9 + 0.1 * std::sin(x * 0.8)), normalised({-0.8 + 1.6 * across, 0, -0.6}), cz, 1, 0.1, morning);
  });
  paint_shape(p, cover_polygon(ring(basin, wall, false)), [&](int, int) { return shade_surface(stone * 1.05, {0, 1, 0}, cz, 1, 0, morning); });
  paint_shape(p, cover_polygon(ring(basin - 0.3, wall, false)), [&](int x, int y) {
    const double ripple = fractal_noise(x * 0.3, y * 1.2, 36, 3);
    return mix(rgb{70, 96, 118}, rgb{170, 196, 220}, 0.3 + 0.5 * ripple);
  });
  // The column and the upper bowl.
  const point foot = project(view, {cx, wall, cz}), neck = project(view, {cx, 2.0, cz});
  const double w = view.f / cz;
  paint_shape(p, cover_rect(foot.x - 0.3 * w, neck.y, foot.x + 0.3 * w, foot.y), [&](int x, int) {
    return shade_surface(stone, normalised({(x - foot.x) / (0.3 * w), 0, -1}), cz, 1, 0.05, morning);
  });
  const std::vector<point> lip = ring(1.1, 2.25, true);
  std::vector<point> cup = {project(view, {cx - 0.3, 1.6, cz}), project(view, {cx + 0.3, 1.6, cz})};
  cup.insert(cup.end(), lip.begin(), lip.end());
  std::reverse(cup.begin() + 2, cup.end());
  paint_shape(p, cover_polygon(cup), [&](int x, int) {
    return shade_surface(stone, normalised({(x - foot.x) / (1.1 * w), -0.3, -1}), cz, 1, 0.1, morning);
  });
  paint_shape(p, cover_polygon(ring(1.1, 2.25, false)), [&](int, int) { return shade_surface(stone * 1.05, {0, 1, 0}, cz, 1, 0, morning); });
  // Water falling from the bowl's rim in thin bright veils.
  for (int i = 0; i < 24; i++) {
    const double a = M_PI + M_PI * (i + 0.5) / 24;
    const point from = project(view, {cx + 1.1 * std::cos(a), 2.2, cz + 1.1 * std::sin(a)});
    const point to = project(view, {cx + 1.45 * std::cos(a), wall + 0.05, cz + 1.45 * std::sin(a)});
    paint_stroke(p, from, to, 2.0, 3.2, rgb{226, 236, 244}, 0.18 + 0.1 * (i % 3 == 0));
  }
  const point spout = project(view, {cx, 2.25, cz}), jet = project(view, {cx, 3.3, cz});
  paint_stroke(p, spout, jet, 2.2, 1.0, rgb{236, 244, 250}, 0.7);
}

}  // namespace

// The whole scene, back to front: sky, church tower, the square, the three rows of fronts,
// stalls, fountain, pigeons and lamp post; then glow, vignette and grain.
void paint_square_view(photo &p) {
  paint_sky(p);
  // The church tower beyond the far row.
  paint_church_tower(p);
  const std::vector<tenement> far_row = make_row({-square_half, 0, far_z}, {1, 0, 0}, 2 * square_half, 301, 0);
  const std::vector<tenement> left_row = make_row({-square_half, 0, 6}, {0, 0, 1}, far_z - 6, 302, 0);
  const std::vector<tenement> right_row = make_row({square_half, 0, far_z}, {0, 0, -1}, far_z - 6, 303, 8);
  paint_square(p, left_row);
  for (const tenement &t : far_row) paint_facade(p, view, t.front, morning);
  for (const tenement &t : left_row) paint_facade(p, view, t.front, morning);
  for (const tenement &t : right_row) paint_facade(p, view, t.front, morning);
  paint_stall(p, 15, 38, 3.0, rgb{200, 150, 40}, 403);
  paint_stall(p, 5, 34, 3.2, rgb{46, 84, 140}, 404);
  paint_stall(p, 16, 30, 3.2, rgb{180, 50, 44}, 401);
  paint_stall(p, 17, 22, 3.4, rgb{40, 110, 90}, 402);
  paint_fountain(p, 2, 28);
  paint_pigeons(p);
  paint_lamp_post(p, 14.5, 9);
  add_bloom(p, 215, 10, 0.25);
  finish_photo(p, 0.35, 4, 1002);
}

}  // namespace photo_kit
