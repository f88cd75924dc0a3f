// r1, the river: looking down the river on a summer afternoon. Old gabled houses line both
// quays, the right bank in sunlight, the left in shade; a stone bridge of three arches crosses
// further down, twin church towers rise beyond it, and the water mirrors it all.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

namespace {

constexpr double river_half = 15;   // water between x = -15 and 15
constexpr double quay_top = 2.2;    // the quay walls' height above the water
constexpr double front_line = 21;   // the house fronts stand at x = +-21
constexpr double bridge_z = 72;     // the bridge's upstream face
constexpr double deck_y = 7.4, parapet_y = 8.5;
constexpr double town_end = 250;  // the house rows and quays end here

const camera view = {{3, 12, 0}, 400, 200, 720};

const facade_light daylight = {
    normalised({-0.55, 0.62, -0.56}), {255, 232, 194}, {112, 124, 150}, {192, 204, 214}, 420, {168, 186, 204}, {46, 54, 66}};

const std::vector<ramp_stop> summer_sky = {
    {0, {58, 98, 158}}, {100, {92, 132, 184}}, {160, {148, 174, 204}}, {200, {196, 206, 214}}, {600, {196, 206, 214}}};

// The sky, a deck of fair-weather cumulus and a thin veil higher up.
void paint_sky(photo &p) {
  paint_all(p, [](int x, int y) { return sample_ramp(summer_sky, y) + rgb{14, 8, 0} * (x / 800.0); });
  cloud_deck veil = {12, view.cy, 2600, 0.7, 4.0, 0.3, 0.35, 1.0, {236, 238, 244}, {190, 198, 214}, {-0.05, 0.04}, 0.45, 5};
  paint_clouds(p, veil, 0, 195);
  cloud_deck cumulus = {19, view.cy, 1500, 0.55, 1.8, 0.44, 0.22, 4.0, {252, 248, 240}, {150, 162, 186}, {-0.05, 0.05}, 0.95, 6};
  paint_clouds(p, cumulus, 0, 198);
}

// Hills far away and the old town beyond the bridge with its twin-towered church.
void paint_distance(photo &p) {
  paint_below(p, [](double x) { return 188 - 14 * fractal_noise(x * 0.006, 0.3, 40, 4) - 8 * std::sin(x * 0.004 + 1); },
              [](int, int y) { return mix(rgb{150, 170, 186}, rgb{126, 150, 150}, (y - 170) / 40.0); });
  const skyline town = make_skyline(41, 206, 6, 13, 6, 13, {{352, 5, 44, 20}, {373, 5, 44, 20}, {470, 4, 26, 16}});
  // The far town: hazy roofs along the outline, walls below them dotted with windows.
  paint_below(p, [&](double x) { return town.at(x); }, [&](int x, int y) {
    const double below = y - town.at(x + 0.5);
    const double n = fractal_noise(x * 0.1, y * 0.1, 42, 3);
    const rgb roof = {168, 130, 118}, wall = {176, 176, 180};
    rgb c = mix(roof, wall, smoothstep(2, 5, below + 2 * n));
    if (below > 5 && (x % 4) == 1 && (y % 5) == 2 && hash01(x / 4, y / 5, 43) < 0.6) c = c * 0.82;
    c = c * (0.92 + 0.12 * n);
    return mix(c, rgb{178, 192, 204}, 0.45);
  });
  // Where the quays end, the trees of a riverside park in front of the far town.
  paint_below(p, [](double x) { return 214 - 7 * fractal_noise(x * 0.08, 0.5, 44, 3) - 3 * fractal_noise(x * 0.3, 0.5, 45, 2); },
              [](int x, int y) {
                const double leaf = fractal_noise(x * 0.25, y * 0.25, 46, 3);
                return mix(rgb{84, 110, 86} * (0.8 + 0.4 * leaf), rgb{170, 186, 196}, 0.42 + 0.1 * smoothstep(205, 235, y));
              });
}

// One row of houses along a quay, from `z0` downstream to `z1`; `side` is +1 right, -1 left.
struct bank_house {
  facade front;
  double z0, width;
};

// Lays out a row of gabled fronts from z0 to z1 with varied widths, storeys, tops and colours.
std::vector<bank_house> make_bank(int side, double z0, double z1, uint32_t seed) {
  const rgb walls[] = {{226, 196, 150}, {214, 160, 128}, {236, 220, 184}, {180, 196, 170}, {226, 178, 150},
                       {196, 188, 204}, {232, 206, 120}, {210, 150, 110}};
  const facade_top tops[] = {top_gable, top_gable, top_stepped, top_baroque, top_flat};
  forge_random random(seed);
  std::vector<bank_house> row;
  for (double z = z0; z1 - z >= 5;) {
    bank_house h;
    h.z0 = z;
    h.width = std::min(z1 - z, random.range(6.5, 9.5));
    facade &f = h.front;
    f.width = h.width;
    f.floors = 2 + random.below(2);
    f.ground_height = random.range(3.6, 4.4);
    f.height = f.ground_height + f.floors * random.range(3.1, 3.6);
    f.top = tops[random.below(5)];
    f.top_height = f.top == top_flat ? 0 : f.width * random.range(0.5, 0.75);
    f.bays = f.width > 8 ? 4 : 3;
    f.wall = walls[random.below(8)];
    f.trim = mix(f.wall, rgb{245, 240, 228}, 0.65);
    f.shutters = random.below(3) == 0;
    f.shutter = random.below(2) ? rgb{62, 96, 84} : rgb{120, 70, 52};
    f.ground = random.below(3) == 0 ? ground_shops : ground_doors;
    f.seed = static_cast<uint32_t>(random.next());
    if (side > 0) {
      f.origin = {front_line, quay_top, z + h.width};
      f.along = {0, 0, -1};
    } else {
      f.origin = {-front_line, quay_top, z};
      f.along = {0, 0, 1};
    }
    row.push_back(h);
    z += h.width;
  }
  return row;
}

// Draws a row from the far end to the near one: each house's roof slope behind its front.
void paint_bank(photo &p, const std::vector<bank_house> &row, int side, uint32_t seed) {
  const rgb tiles[] = {{176, 86, 62}, {150, 72, 56}, {140, 96, 76}, {96, 92, 98}};
  for (int i = static_cast<int>(row.size()) - 1; i >= 0; i--) {
    const bank_house &h = row[i];
    const facade &f = h.front;
    const double top = quay_top + f.height;
    // The gable-end wall facing us, seen where the row ends at a street.
    facade end = f;
    end.origin = {side > 0 ? front_line : -front_line - 12, quay_top, h.z0};
    end.along = {1, 0, 0};
    end.width = 12;
    end.top = top_flat;
    end.floors = 0;
    end.ground = ground_doors;
    end.bays = 1;
    end.seed = f.seed + 1;
    paint_facade(p, view, end, daylight);
    if (f.top != top_flat) {
      const double x0 = side * front_line, x1 = side * (front_line + 12);
      paint_roof(p, view, {x0, top, h.z0}, {x1, top, h.z0}, {x0, top + f.top_height * 0.96, h.z0 + h.width / 2},
                 tiles[hash01(i, side, seed) * 4 > 3.99 ? 3 : static_cast<int>(hash01(i, side, seed) * 4)], daylight,
                 seed + i);
    }
    paint_facade(p, view, f, daylight);
  }
}

// Whether a point of the bridge face (x, y in metres) is inside an arch opening, as a
// signed distance in metres (positive inside).
double arch_inside(double x, double y) {
  const double centres[] = {-10.75, 0, 10.75}, radii[] = {4.25, 4.5, 4.25};
  const double spring = 1.1;
  double best = -1e9;
  for (int i = 0; i < 3; i++) {
    const double dx = x - centres[i], r = radii[i];
    double d = r - std::fabs(dx);
    if (y > spring) d = std::min(d, r - std::hypot(dx, y - spring));
    best = std::max(best, d);
  }
  return best;
}

// The bridge: sandstone courses, voussoirs round the three arches, a string course, the
// parapet and its coping; dark vaults inside the arches and lamps above the piers.
void paint_bridge(photo &p) {
  const vec3 normal = {0, 0, -1};
  const double x0 = -front_line - 1, x1 = front_line + 1;
  paint_shape(p, cover_world(view, {{x0, 0, bridge_z}, {x1, 0, bridge_z}, {x1, parapet_y, bridge_z}, {x0, parapet_y, bridge_z}}),
              [&](int sx, int sy) {
                vec3 h;
                cast_ray(view, sx + 0.5, sy + 0.5, normal, -bridge_z, h);
                const double fp = bridge_z / view.f;  // metres per pixel on the face
                const double inside = arch_inside(h.x, h.y);
                const double dist = std::sqrt(dot(h - view.eye, h - view.eye));
                if (inside > fp) {
                  // The vault: dark, a little light reflected up from the water near its crown.
                  const double up = clamp01((h.y - 1) / 5);
                  return mix(rgb{30, 34, 34}, rgb{70, 74, 66}, up * 0.5 * clamp01(inside / 2));
                }
                const int course = static_cast<int>(std::floor(h.y / 0.5));
                const double joint_x = line_pattern(h.x + (course & 1) * 0.45, 0.9, 0.05, fp);
                const double joint_y = line_pattern(h.y, 0.5, 0.05, fp);
                const double block = hash01(static_cast<int>(std::floor((h.x + (course & 1) * 0.45) / 0.9)), course, 77) - 0.5;
                const double grime = smoothstep(1.6, 0.0, h.y) * 0.35 + fractal_noise(h.x * 0.5, h.y * 0.8, 78, 4) * 0.15 +
                                     smoothstep(6.0, 3.5, h.y) * fractal_noise(h.x * 3, h.y * 0.3, 79, 3) * 0.18;
                rgb stone = rgb{200, 174, 134} * (1 + block * 0.12 - grime - 0.25 * std::max(joint_x, joint_y));
                // Voussoirs: a ring of wedge stones round each arch with radial joints.
                if (inside > -0.7 && h.y > 1.1) {
                  const double centres[] = {-10.75, 0, 10.75};
                  double cx = centres[0];
                  for (double c : centres)
                    if (std::fabs(h.x - c) < std::fabs(h.x - cx)) cx = c;
                  const double angle = std::atan2(h.y - 1.1, h.x - cx);
                  const double radial = line_pattern(angle * 4.6, 0.5, 0.05, fp * 4.6 / 4.5);
                  stone = rgb{212, 188, 148} * (1 + block * 0.08 - 0.3 * radial - grime * 0.6);
                }
                const double string_course = box_cover(h.y, 6.2, 6.55, fp);
                const double coping = box_cover(h.y, parapet_y - 0.25, parapet_y, fp);
                stone = mix(stone, rgb{222, 204, 170}, std::max(string_course, coping));
                const double under = box_cover(h.y, 5.85, 6.2, fp) * 0.45;
                // Pilasters above the piers stand slightly proud, their edges catching the sun.
                double pilaster = 0;
                for (const double px : {-5.375, 5.375}) pilaster = std::max(pilaster, box_cover(h.x, px - 1.1, px + 1.1, fp) * box_cover(h.y, 1.1, 6.2, fp));
                stone = stone * (1 + 0.06 * pilaster);
                const double algae = smoothstep(0.9, 0.0, h.y);
                stone = mix(stone, rgb{70, 80, 56}, algae * 0.7);
                return shade_surface(stone, normal, dist, 1, under, daylight);
              });
  // Lamps on the parapet over the piers and at the ends.
  for (const double lx : {-16.5, -5.375, 5.375, 16.5}) {
    const double z = bridge_z - 0.2, w = view.f / z;
    const point foot = project(view, {lx, parapet_y, z}), head = project(view, {lx, parapet_y + 3.2, z});
    paint_stroke(p, foot, head, 0.16 * w, 0.1 * w, rgb{40, 42, 44});
    paint_shape(p, cover_polygon({{head.x - 0.22 * w, head.y}, {head.x + 0.22 * w, head.y}, {head.x + 0.16 * w, head.y + 0.5 * w},
                                  {head.x - 0.16 * w, head.y + 0.5 * w}}),
                [](int, int) { return rgb{214, 216, 204}; });
    paint_shape(p, cover_polygon({{head.x - 0.3 * w, head.y}, {head.x + 0.3 * w, head.y}, {head.x, head.y - 0.3 * w}}),
                [](int, int) { return rgb{40, 42, 44}; });
  }
}

// The height of a row's fronts at depth z (0 where there is no house): wall and gable.
double row_height(const std::vector<bank_house> &row, double z) {
  for (const bank_house &h : row)
    if (z >= h.z0 && z < h.z0 + h.width) {
      const double u = (z - h.z0) / h.width;
      const double gable = h.front.top == top_flat ? 0 : h.front.top_height * (1 - std::fabs(2 * u - 1));
      return quay_top + h.front.height + gable;
    }
  return 0;
}

// How much sun reaches point q (0..1, with a soft penumbra): the left row and the bridge can
// stand in the way.
double sunlit(vec3 q, const std::vector<bank_house> &left_row) {
  const vec3 &s = daylight.sun;
  double light = 1;
  const double t = (-front_line - q.x) / s.x;
  if (t > 0) {
    const vec3 w = q + s * t;
    const double soft = 0.2 + 0.012 * t;  // the penumbra widens with the distance to the edge
    light = std::min(light, smoothstep(-soft, soft, w.y - row_height(left_row, w.z)));
  }
  if (q.z > bridge_z) {
    const vec3 w = q + s * ((bridge_z - q.z) / s.z);
    if (w.y < parapet_y && std::fabs(w.x) < front_line && arch_inside(w.x, w.y) < 0) light = 0;
  }
  return light;
}

// What lies below the horizon before the houses go up: the quay walls, the paved quays,
// and the water (recorded in `water_z` as the distance where each pixel's ray meets it).
void paint_ground(photo &p, std::vector<float> &water_z, const std::vector<bank_house> &left_row) {
  water_z.assign(static_cast<size_t>(p.w) * p.h, 0.0f);
  for (int y = static_cast<int>(view.cy) + 1; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      const double sx = x + 0.5, sy = y + 0.5;
      if (view.f * view.eye.y / (sy - view.cy) > town_end) continue;  // beyond the town: the distance shows
      const double side = sx < view.cx + (0 - view.eye.x) * view.f / 60 ? -1 : 1;
      vec3 h;
      const double fp = 1.0 / view.f;
      // The quay wall on this side, if the ray meets it between water and quay top.
      if (cast_ray(view, sx, sy, {1, 0, 0}, side * river_half, h) && h.y >= 0 && h.y <= quay_top && h.z > 0) {
        const double d = std::sqrt(dot(h - view.eye, h - view.eye));
        const int course = static_cast<int>(std::floor(h.y / 0.45));
        const double joints = std::max(line_pattern(h.y, 0.45, 0.05, d * fp * 3), line_pattern(h.z + (course & 1) * 0.5, 1.0, 0.05, d * fp * 3));
        const double damp = smoothstep(0.7, 0.0, h.y);
        rgb stone = rgb{176, 160, 132} * (1 - 0.3 * joints + 0.1 * (hash01(static_cast<int>(h.z), course, 5) - 0.5));
        stone = mix(stone, rgb{64, 72, 50}, damp * 0.75);
        stone = mix(stone, rgb{210, 200, 178}, box_cover(h.y, quay_top - 0.25, quay_top, d * fp * 3));
        p.at(x, y) = shade_surface(stone, {-side, 0, 0}, d, sunlit(h, left_row), 0, daylight);
        continue;
      }
      if (cast_ray(view, sx, sy, {0, 1, 0}, quay_top, h) && std::fabs(h.x) >= river_half) {
        const double d = std::sqrt(dot(h - view.eye, h - view.eye));
        const double fu = d * fp * 2;
        const int row = static_cast<int>(std::floor(h.z / 0.8));
        const double joints = std::max(line_pattern(h.z, 0.8, 0.04, fu * 3), line_pattern(h.x + (row % 3) * 0.4, 1.2, 0.04, fu));
        const double tone = hash01(static_cast<int>(std::floor((h.x + (row % 3) * 0.4) / 1.2)), row, 9) - 0.5;
        const rgb slab = rgb{184, 172, 152} * (1 + tone * 0.16 - joints * 0.3);
        p.at(x, y) = shade_surface(slab, {0, 1, 0}, d, sunlit(h, left_row), 0, daylight);
        continue;
      }
      const double at_bridge = view.eye.y + (view.cy - sy) / view.f * bridge_z;
      if (cast_ray(view, sx, sy, {0, 1, 0}, 0, h) && (h.z < bridge_z || at_bridge > parapet_y)) {
        water_z[static_cast<size_t>(y) * p.w + x] = static_cast<float>(h.z);
        p.at(x, y) = {40, 60, 60};
      }
    }
}

// The depth at which the reflected ray of a water pixel meets something: the bridge, a quay
// wall, a row of fronts, or nothing near (the far distance).
double mirror_depth(double sx, double zw, const std::vector<bank_house> &right_row, const std::vector<bank_house> &left_row) {
  const double eye = view.eye.y;
  auto rise = [&](double z) { return eye * (z - zw) / zw; };  // height of the reflected ray at depth z
  auto x_at = [&](double z) { return view.eye.x + (sx - view.cx) * z / view.f; };
  double best = 1e9;
  if (zw < bridge_z && rise(bridge_z) < parapet_y && std::fabs(x_at(bridge_z)) < front_line) best = bridge_z;
  const double dir = (sx - view.cx) / view.f;
  if (std::fabs(dir) > 1e-6) {
    const double side = dir > 0 ? 1 : -1;
    const double zq = (side * river_half - view.eye.x) / dir;
    if (zq > zw && rise(zq) < quay_top) best = std::min(best, zq);
    const double zf = (side * front_line - view.eye.x) / dir;
    if (zf > zw && rise(zf) < row_height(side > 0 ? right_row : left_row, zf)) best = std::min(best, zf);
  }
  return std::min(best, 330.0);
}

// The water: a rippled mirror of what stands above it, stronger at a grazing angle, over the
// river's own dark green where it is seen steeply, darker in the shade of the left bank.
void paint_water(photo &p, const std::vector<float> &water_z, const std::vector<bank_house> &right_row,
                 const std::vector<bank_house> &left_row) {
  const photo above = p;
  double limit = view.cy;  // the base line of what is mirrored: never fetch below it
  auto fetch = [&](double x, double y) {
    x = std::clamp(x, 0.0, p.w - 1.001), y = std::clamp(y, 0.0, limit);
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    const double tx = x - ix, ty = y - iy;
    return mix(mix(above.at(ix, iy), above.at(ix + 1, iy), tx), mix(above.at(ix, iy + 1), above.at(ix + 1, iy + 1), tx), ty);
  };
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      const double zw = water_z[static_cast<size_t>(y) * p.w + x];
      if (zw <= 0) continue;
      const double sx = x + 0.5, sy = y + 0.5;
      const double wx = view.eye.x + (sx - view.cx) * zw / view.f;
      const double scale = view.f / zw;
      const double wave = fractal_noise(wx * 0.4, zw * 1.8, 91, 4) - 0.5;
      const double wave2 = fractal_noise(wx * 0.4 + 7, zw * 1.8, 92, 4) - 0.5;
      // Beyond the bridge what the water mirrors is hidden behind the bridge: mirror the far
      // distance instead, about the horizon.
      const double axis = zw > bridge_z ? view.cy
                                        : view.cy + view.f * view.eye.y / mirror_depth(sx + wave2 * 0.08 * scale, zw, right_row, left_row);
      limit = axis - 1;
      const double src_y = 2 * axis - sy + wave * 0.3 * scale;
      const double src_x = sx + wave2 * 0.15 * scale;
      const double smear = 0.04 * scale;
      const rgb mirror = (fetch(src_x, src_y) * 2 + fetch(src_x, src_y - smear) + fetch(src_x, src_y + smear)) * 0.25;
      const double sin_view = view.eye.y / std::sqrt(view.eye.y * view.eye.y + zw * zw);
      const double fresnel = 0.5 + 0.45 * std::pow(1 - sin_view, 5);
      const double lit = sunlit({wx, 0, zw}, left_row);
      const rgb body = mix(rgb{22, 36, 34}, rgb{40, 62, 52}, lit);
      rgb c = mix(body, filter(mirror, zw > bridge_z ? rgb{150, 166, 170} : rgb{170, 186, 176}), fresnel);
      // Wavelets: crests catching the bright sky, troughs darker, finer and denser with distance.
      const double ripple = fractal_noise(wx * 0.7, zw * 3.2, 93, 3);
      c = c * (1 - 0.14 * smoothstep(0.42, 0.28, ripple)) + rgb{70, 84, 96} * (smoothstep(0.6, 0.74, ripple) * (0.3 + 0.25 * lit));
      p.at(x, y) = c;
    }
}

// An iron railing along each quay edge and lamp posts on the sunny quay.
void paint_railings(photo &p) {
  const rgb iron = {34, 36, 38};
  for (const double side : {-1.0, 1.0}) {
    const double x = side * (river_half + 0.3);
    for (double z = 6; z < bridge_z - 1; z += 1.6) {
      const point a = project(view, {x, quay_top, z}), b = project(view, {x, quay_top + 1.0, z});
      paint_stroke(p, a, b, 0.06 * view.f / z, 0.06 * view.f / z, iron, 0.9);
    }
    for (const double h : {0.45, 1.0}) {
      const point a = project(view, {x, quay_top + h, 6}), b = project(view, {x, quay_top + h, bridge_z - 1});
      paint_stroke(p, a, b, 0.07 * view.f / 6, 0.07 * view.f / bridge_z, iron, 0.9);
    }
  }
  for (double z = 62; z > 10; z -= 13) {
    const double x = river_half + 1.0;
    const double w = view.f / z;
    const point foot = project(view, {x, quay_top, z}), head = project(view, {x, quay_top + 4.2, z});
    paint_stroke(p, foot, head, 0.16 * w, 0.09 * w, rgb{30, 32, 34});
    const point arm = project(view, {x - 0.5, quay_top + 4.0, z});
    paint_stroke(p, head, arm, 0.06 * w, 0.06 * w, rgb{30, 32, 34});
    const point lamp = project(view, {x - 0.5, quay_top + 3.75, z});
    const double lw = 0.22 * w, lh = 0.45 * w;
    paint_shape(p, cover_polygon({{lamp.x - lw, lamp.y - lh * 0.4}, {lamp.x + lw, lamp.y - lh * 0.4}, {lamp.x + lw * 0.7, lamp.y + lh * 0.6},
                                  {lamp.x - lw * 0.7, lamp.y + lh * 0.6}}),
                [](int, int) { return rgb{210, 214, 200}; });
    paint_shape(p, cover_polygon({{lamp.x - lw * 1.2, lamp.y - lh * 0.4}, {lamp.x, lamp.y - lh * 0.9}, {lamp.x + lw * 1.2, lamp.y - lh * 0.4}}),
                [](int, int) { return rgb{30, 32, 34}; });
  }
}

// A rowing boat moored along the right quay at depth z: the hull side facing the river with a
// painted strake, the planked inside with two thwarts, and the hull mirrored in the water.
void paint_boat(photo &p, double z, double length, rgb paint) {
  const double xc = river_half - 1.3, half = 0.8;
  std::vector<vec3> rim_out, rim_in, water_line;
  for (int i = 0; i <= 20; i++) {
    const double t = i / 20.0, zz = z + length * t;
    const double b = std::pow(std::sin(M_PI * t), 0.7);
    const double sheer = 0.55 + 0.25 * std::pow(std::fabs(2 * t - 1), 3);
    rim_out.push_back({xc - half * b, sheer, zz});
    rim_in.push_back({xc + half * b, sheer, zz});
    water_line.push_back({xc - half * b * 0.8, 0, zz});
  }
  auto flat = [&](const std::vector<vec3> &a, const std::vector<vec3> &b, bool mirrored) {
    std::vector<point> pts;
    for (const vec3 &q : a) pts.push_back(project(view, {q.x, mirrored ? -q.y : q.y, q.z}));
    for (auto it = b.rbegin(); it != b.rend(); ++it) pts.push_back(project(view, {it->x, mirrored ? -it->y : it->y, it->z}));
    return pts;
  };
  paint_shape(p, cover_polygon(flat(rim_out, water_line, true)), [&](int, int) { return mix(paint * 0.55, rgb{24, 40, 38}, 0.4); }, 0.85);
  paint_shape(p, cover_polygon(flat(rim_out, rim_in, false)), [&](int x, int y) {
    vec3 h;
    cast_ray(view, x + 0.5, y + 0.5, {0, 1, 0}, 0.45, h);
    const double plank = line_pattern(h.x - xc, 0.22, 0.03, 0.05);
    return rgb{118, 86, 58} * (0.85 - 0.25 * plank);
  });
  for (const double t : {0.35, 0.62}) {
    const double b = std::pow(std::sin(M_PI * t), 0.7);
    const double zz = z + length * t;
    paint_stroke(p, project(view, {xc - half * b, 0.5, zz}), project(view, {xc + half * b, 0.5, zz}), 4, 4, rgb{150, 116, 80});
  }
  const double top_y = project(view, {xc - half, 0.55, z + length / 2}).y, low_y = project(view, {xc - half * 0.8, 0, z + length / 2}).y;
  paint_shape(p, cover_polygon(flat(rim_out, water_line, false)), [&](int, int y) {
    const double t = clamp01((y - top_y) / std::max(1.0, low_y - top_y));
    return t < 0.22 ? rgb{226, 222, 208} : paint * (1 - 0.3 * t);
  });
}

// A few gulls gliding high over the river.
void paint_gulls(photo &p) {
  forge_random random(61);
  for (int i = 0; i < 6; i++) {
    const point c = {random.range(420, 780), random.range(20, 120)};
    const double s = random.range(3, 6.5), tilt = random.range(-0.3, 0.3);
    const rgb tone = {236, 238, 240};
    paint_stroke(p, {c.x - s, c.y - s * (0.35 + tilt * 0.3)}, {c.x - s * 0.4, c.y - s * 0.05}, 0.9, 1.2, tone);
    paint_stroke(p, {c.x - s * 0.4, c.y - s * 0.05}, {c.x, c.y + s * 0.15}, 1.2, 1.2, tone);
    paint_stroke(p, {c.x, c.y + s * 0.15}, {c.x + s * 0.4, c.y - s * 0.05}, 1.2, 1.2, tone);
    paint_stroke(p, {c.x + s * 0.4, c.y - s * 0.05}, {c.x + s, c.y - s * (0.35 - tilt * 0.3)}, 1.2, 0.9, tone);
  }
}

}  // namespace

// The whole scene, back to front: sky, distance, far houses, the bridge, near houses over the
// quays, then the water mirroring them, boats, railings and gulls; then vignette and grain.
void paint_river_view(photo &p) {
  paint_sky(p);
  paint_distance(p);
  const std::vector<bank_house> far_right = make_bank(1, bridge_z + 10, town_end, 501), far_left = make_bank(-1, bridge_z + 10, town_end, 502);
  const std::vector<bank_house> near_right = make_bank(1, 16, bridge_z - 2, 503), near_left = make_bank(-1, 12, bridge_z - 2, 504);
  std::vector<bank_house> right_row = near_right, left_row = near_left;
  right_row.insert(right_row.end(), far_right.begin(), far_right.end());
  left_row.insert(left_row.end(), far_left.begin(), far_left.end());
  std::vector<float> water_z;
  paint_ground(p, water_z, left_row);
  paint_bank(p, far_right, 1, 601);
  paint_bank(p, far_left, -1, 602);
  paint_bridge(p);
  paint_bank(p, near_right, 1, 603);
  paint_bank(p, near_left, -1, 604);
  paint_water(p, water_z, right_row, left_row);
  paint_boat(p, 21, 5.2, rgb{52, 96, 112});
  paint_boat(p, 27.5, 4.8, rgb{150, 60, 44});
  paint_railings(p);
  paint_gulls(p);
  finish_photo(p, 0.35, 4, 1001);
}

}  // namespace photo_kit
