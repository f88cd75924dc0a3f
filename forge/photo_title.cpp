// r0, the title picture: dusk over the town's rooftops. The afterglow and the hazy far town
// fill a calm middle where the title screens lay their text and bars; a backlit linden frames
// the left edge, the baroque church tower the right, and lit rooftops run along the bottom.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

namespace {

constexpr double horizon_y = 508;    // where the far town stands
constexpr point sun_glow = {430, 540};  // the sun, just below the far town

const std::vector<ramp_stop> dusk_sky = {
    {0, {14, 18, 44}},     {110, {30, 34, 78}},   {230, {60, 56, 106}}, {340, {102, 76, 114}},
    {430, {146, 96, 106}}, {490, {180, 118, 96}}, {530, {198, 134, 100}},
};

// The dusk sky at a point: the ramp plus the afterglow round the sunken sun.
rgb sky_at(double x, double y) {
  const rgb base = sample_ramp(dusk_sky, y);
  const double dx = (x - sun_glow.x) / 420, dy = (y - sun_glow.y) / 190;
  const double glow = std::exp(-(dx * dx + dy * dy) * 2.2);
  return base + rgb{56, 30, 8} * glow;
}

// The sky: the dusk ramp, the afterglow, a few stars where it is dark, the evening star.
void paint_sky(photo &p) {
  paint_all(p, [](int x, int y) { return sky_at(x, y); });
  forge_random random(404);
  for (int i = 0; i < 140; i++) {
    const int x = random.below(photo_width), y = random.below(170);
    const double dim = (1 - smoothstep(20, 170, y)) * random.range(0.15, 0.7);
    add_light(p, x, y, rgb{200, 205, 235}, dim);
  }
  const point star = {588, 38};
  for (int y = -6; y <= 6; y++)
    for (int x = -6; x <= 6; x++) {
      const double d2 = x * x + y * y;
      add_light(p, static_cast<int>(star.x) + x, static_cast<int>(star.y) + y, rgb{255, 245, 220},
                std::exp(-d2 / 1.6) * 0.9 + std::exp(-d2 / 9.0) * 0.12);
    }
}

// Long soft bands of stratus, lit pink from below by the sun.
void paint_cloud_bands(photo &p) {
  cloud_deck high = {31, horizon_y, 2400, 0.9, 5.0, 0.42, 0.3, 3.0, {232, 150, 128}, {74, 60, 100}, {0, -0.06}, 0.55, 5};
  paint_clouds(p, high, 0, static_cast<int>(horizon_y));
  cloud_deck low = {57, horizon_y, 900, 1.6, 7.0, 0.35, 0.25, 9.0, {246, 170, 120}, {176, 120, 124}, {0, -0.05}, 0.45, 4};
  paint_clouds(p, low, 300, static_cast<int>(horizon_y));
}

// Far hills and the far town, nearly lost in the haze, with a few lights coming on.
void paint_far_town(photo &p) {
  const rgb hills = {142, 98, 116};
  paint_below(p, [](double x) { return horizon_y - 22 - 16 * fractal_noise(x * 0.005, 0.5, 71, 4) - 6 * std::sin(x * 0.009); },
              [&](int x, int y) { return mix(sky_at(x, y), hills, 0.45); });
  const skyline town = make_skyline(88, horizon_y + 4, 6, 15, 7, 16, {{318, 4, 26, 22}, {548, 3.5, 20, 14}, {212, 3, 14, 8}});
  const rgb roofs = {108, 72, 96};
  paint_below(p, [&](double x) { return town.at(x); }, [&](int x, int y) {
    const double t = clamp01((y - (horizon_y - 30)) / 40);
    return mix(mix(sky_at(x, y), roofs, 0.62), roofs * 0.85, t * 0.3);
  });
  forge_random random(913);
  for (int i = 0; i < 70; i++) {
    const double x = random.range(0, photo_width);
    const double y = random.range(town.at(x) + 3, horizon_y + 6);
    if (y >= horizon_y + 6) continue;
    const double calm = (x > 150 && x < 650) ? 0.35 : 0.8;
    add_light(p, static_cast<int>(x), static_cast<int>(y), rgb{255, 190, 110}, random.range(0.2, 0.5) * calm);
  }
}

// A backlit linden at the left edge: a dense crown, dark against the glow, its edges lit warm
// where the light comes through, sky showing through a few gaps.
void paint_linden(photo &p) {
  const rgb bark = {26, 22, 30};
  paint_limb(p, {{48, 610}, {50, 520}, {47, 440}, {52, 380}, {58, 320}}, 30, 16, bark);
  paint_limb(p, {{54, 360}, {84, 300}, {118, 240}, {132, 190}}, 12, 4, bark);
  paint_limb(p, {{55, 330}, {40, 250}, {44, 160}, {30, 80}}, 13, 5, bark);
  paint_limb(p, {{50, 400}, {20, 350}, {-4, 300}}, 9, 4, bark);
  paint_limb(p, {{60, 300}, {92, 170}, {100, 70}}, 8, 3, bark);
  crown_style crown;
  crown.centre = {10, 175};
  crown.rx = 165;
  crown.ry = 250;
  crown.clumps = 150;
  crown.clump_small = 13;
  crown.clump_large = 30;
  crown.dark = {16, 19, 24};
  crown.lit = {128, 84, 50};
  crown.sky = {28, 30, 56};
  crown.light = {0.78, 0.62};
  crown.leaves = 16000;
  crown.leaf_small = 1.0;
  crown.leaf_large = 2.6;
  crown.backlit = true;
  crown.seed = 77;
  paint_crown(p, crown);
}

// Half width of the tower's onion dome and lantern cap at a height t (0 bottom .. 1 top).
double dome_width(const std::vector<ramp_stop> &profile, double t) {
  for (size_t i = 1; i < profile.size(); i++)
    if (t <= profile[i].at) {
      const double s = smoothstep(profile[i - 1].at, profile[i].at, t);
      return profile[i - 1].colour.r + (profile[i].colour.r - profile[i - 1].colour.r) * s;
    }
  return profile.back().colour.r;
}

// A surface of revolution (dome, drum) between rows y0 and y1 round the axis cx, lit from the
// glow behind and to the left: dark towards us, a warm rim on its left edge, copper ribs.
void paint_dome(photo &p, double cx, double y0, double y1, const std::vector<ramp_stop> &profile, rgb metal, int ribs) {
  std::vector<point> outline;
  for (int i = 0; i <= 40; i++) {
    const double t = i / 40.0;
    outline.push_back({cx + dome_width(profile, t), y1 - (y1 - y0) * t});
  }
  for (int i = 40; i >= 0; i--) {
    const double t = i / 40.0;
    outline.push_back({cx - dome_width(profile, t), y1 - (y1 - y0) * t});
  }
  const vec3 light = normalised({-0.85, 0.15, -0.35});
  paint_shape(p, cover_polygon(outline), [&](int x, int y) {
    const double t = clamp01((y1 - (y + 0.5)) / (y1 - y0));
    const double w = std::max(0.5, dome_width(profile, t));
    const double nx = std::clamp((x + 0.5 - cx) / w, -0.999, 0.999);
    const double slope = (dome_width(profile, std::min(1.0, t + 0.02)) - dome_width(profile, std::max(0.0, t - 0.02))) /
                         (0.04 * (y1 - y0));
    const vec3 n = normalised({nx, -slope * 0.8, std::sqrt(1 - nx * nx)});
    const double sun = std::max(0.0, dot(n, light));
    const double sky = 0.35 + 0.3 * std::max(0.0, n.y) + 0.1 * n.z;
    const double phi = std::asin(nx) / M_PI * ribs;
    const double rib = ribs > 0 ? line_pattern(phi, 1, 0.12, 1.5 / (w * std::sqrt(1 - nx * nx) + 0.5) * ribs / M_PI) : 0;
    const rgb c = filter(metal, rgb{118, 112, 160}) * (sky * (1 - 0.35 * rib)) + rgb{255, 150, 80} * (sun * 0.75);
    return c;
  });
}

// The church tower at the right edge: a stone shaft seen on its front and its left side, string
// courses, louvred belfry arches, a lit clock, and a copper onion dome with a lantern and cross.
void paint_tower(photo &p) {
  const double fx0 = 694, fx1 = 752, sx0 = 674, top = 214;
  const rgb stone = {196, 178, 150};
  const rgb front_tint = {96, 92, 128}, side_tint = {236, 160, 124};
  auto masonry = [&](int x, int y, bool side) {
    const double courses = line_pattern(y + 0.5, 7, 0.9, 1);
    const double blot = fractal_noise(x * 0.09, y * 0.05, side ? 21 : 22, 4) - 0.5;
    const double quoin = side ? 0 : (((static_cast<int>(y) / 14) & 1) ? box_cover(x + 0.5, fx0, fx0 + 9, 1) + box_cover(x + 0.5, fx1 - 9, fx1, 1) : 0);
    rgb c = filter(stone, side ? side_tint : front_tint) * ((side ? 0.92 : 0.62) * (1 + blot * 0.25 - courses * 0.12 + quoin * 0.08));
    if (side) c = c * (0.55 + 0.45 * smoothstep(600, 300, y));
    return c;
  };
  paint_shape(p, cover_rect(sx0, top, fx0, 600), [&](int x, int y) { return masonry(x, y, true); });
  paint_shape(p, cover_rect(fx0, top, fx1, 600), [&](int x, int y) { return masonry(x, y, false); });
  // String courses and the crowning cornice: a lit top edge and a shadow beneath.
  for (const double y : {top, 302.0, 382.0}) {
    const double depth = y == top ? 5 : 2.5;
    paint_shape(p, cover_rect(sx0 - depth, y - depth * 0.6, fx1 + depth * 0.5, y + depth * 0.8),
                [&](int x, int) { return x < fx0 ? rgb{214, 150, 112} : rgb{84, 78, 104}; });
    paint_shape(p, cover_rect(sx0 - depth, y + depth * 0.8, fx1 + depth * 0.5, y + depth * 1.6),
                [&](int, int) { return rgb{30, 26, 40}; }, 0.6);
  }
  // Belfry arches with louvres, front and side.
  auto arch = [&](double x0, double x1, double y0, double y1) {
    std::vector<point> pts = {{x0, y1}};
    const double r = (x1 - x0) / 2;
    for (int i = 0; i <= 16; i++) pts.push_back({x0 + r - r * std::cos(M_PI * i / 16), y0 + r - r * std::sin(M_PI * i / 16)});
    pts.push_back({x1, y1});
    return pts;
  };
  paint_shape(p, cover_polygon(arch(707, 739, 236, 292)), [&](int, int y) {
    const double louvre = line_pattern(y + 0.5, 5, 1.4, 1);
    return rgb{16, 14, 22} + rgb{70, 60, 78} * louvre;
  });
  paint_shape(p, cover_polygon(arch(679, 689, 238, 292)), [&](int, int y) {
    return rgb{28, 20, 26} + rgb{150, 96, 70} * line_pattern(y + 0.5, 5, 1.4, 1);
  });
  // The clock: a warm lit dial on the front, foreshortened on the side.
  const point dial = {723, 342};
  paint_shape(p, cover_ellipse(dial.x, dial.y, 18, 18), [](int, int) { return rgb{60, 52, 60}; });
  paint_shape(p, cover_ellipse(dial.x, dial.y, 15.5, 15.5), [&](int x, int y) {
    const double d = std::hypot(x + 0.5 - dial.x, y + 0.5 - dial.y) / 15.5;
    return rgb{255, 224, 160} * (1.05 - 0.25 * d);
  });
  for (int h = 0; h < 12; h++) {
    const double a = h * M_PI / 6;
    const point q = {dial.x + 12.5 * std::sin(a), dial.y - 12.5 * std::cos(a)};
    paint_shape(p, cover_ellipse(q.x, q.y, 1.1, 1.1), [](int, int) { return rgb{70, 50, 40}; });
  }
  auto hand = [&](double angle, double len, double width) {
    const point d = {std::sin(angle), -std::cos(angle)}, n = {d.y * width, -d.x * width};
    paint_shape(p, cover_polygon({{dial.x + n.x, dial.y + n.y}, {dial.x + d.x * len, dial.y + d.y * len}, {dial.x - n.x, dial.y - n.y}}),
                [](int, int) { return rgb{40, 30, 30}; });
  };
  hand(2 * M_PI * 8.4 / 12, 8.5, 1.6);
  hand(2 * M_PI * 0.42, 12.5, 1.1);
  paint_shape(p, cover_ellipse(684, dial.y, 5, 16), [](int, int) { return rgb{235, 190, 140}; });
  paint_shape(p, cover_ellipse(684, dial.y, 3.5, 13), [](int, int) { return rgb{255, 222, 170}; });
  // A tall window in the lower shaft.
  paint_shape(p, cover_polygon(arch(716, 730, 424, 474)), [](int, int y) { return rgb{24, 20, 32} + rgb{20, 14, 10} * ((y % 9) < 1); });
  paint_shape(p, cover_polygon(arch(680.5, 686.5, 426, 474)), [](int, int) { return rgb{44, 28, 30}; });

  // The helm: a drum, the onion dome, the lantern, a small cap, the spike, ball and cross.
  const double cx = 713;
  const rgb copper = {120, 170, 150};
  paint_dome(p, cx, 198, 216, {{0, {40, 0, 0}}, {1, {37, 0, 0}}}, rgb{170, 150, 130}, 0);
  paint_dome(p, cx, 126, 200, {{0, {31, 0, 0}}, {0.22, {37, 0, 0}}, {0.5, {30, 0, 0}}, {0.78, {13, 0, 0}}, {0.92, {6, 0, 0}}, {1, {5, 0, 0}}},
             copper, 8);
  paint_dome(p, cx, 100, 127, {{0, {9, 0, 0}}, {1, {9, 0, 0}}}, rgb{160, 146, 126}, 0);
  paint_shape(p, cover_rect(cx - 3, 106, cx + 3, 122), [](int, int) { return rgb{18, 16, 26}; });
  paint_shape(p, cover_rect(cx - 10.5, 98, cx + 10.5, 102), [](int x, int) { return x < 713 ? rgb{190, 130, 96} : rgb{70, 68, 92}; });
  paint_dome(p, cx, 80, 99, {{0, {9, 0, 0}}, {0.35, {10.5, 0, 0}}, {0.8, {3, 0, 0}}, {1, {1.6, 0, 0}}}, copper, 6);
  paint_shape(p, cover_polygon({{cx - 1.6, 81}, {cx, 50}, {cx + 1.6, 81}}), [](int x, int) { return x < 713 ? rgb{200, 150, 90} : rgb{70, 60, 60}; });
  paint_shape(p, cover_ellipse(cx, 62, 3.2, 3.2), [](int x, int y) {
    return (x < 713 && y < 62) ? rgb{255, 214, 130} : rgb{150, 110, 60};
  });
  paint_shape(p, cover_rect(cx - 0.9, 26, cx + 0.9, 52), [](int, int) { return rgb{200, 150, 90}; });
  paint_shape(p, cover_rect(cx - 6, 33, cx + 6, 34.8), [](int, int) { return rgb{200, 150, 90}; });
}

// Rows of houses along the bottom, seen from above, from the back row (small, hazy) to the
// front one; in the calm middle they stay low, towards the edges they rise.
void paint_rooftops(photo &p) {
  const rgb dusk = {132, 96, 120};
  forge_random random(2024);
  const rgb walls[] = {{190, 170, 150}, {176, 150, 130}, {196, 180, 160}, {160, 140, 126}, {184, 160, 138}, {170, 164, 150}};
  const rgb roofs[] = {{140, 72, 58}, {118, 66, 60}, {100, 86, 84}, {130, 84, 66}, {96, 70, 70}};
  struct row {
    double base, scale, haze;
  };
  for (const row r : {row{538, 0.42, 0.6}, row{556, 0.55, 0.45}, row{578, 0.72, 0.28}, row{606, 0.9, 0.14}, row{640, 1.1, 0.04}}) {
    for (double x = -40 + random.range(0, 30); x < photo_width + 10;) {
      const double edge = std::max(smoothstep(250, 40, x), smoothstep(560, 760, x));
      const double w = random.range(34, 58) * r.scale;
      const double cx = x + w / 2;
      const double lift = 0.85 + edge * 0.8;
      house_style h;
      h.x = x;
      h.base = r.base + random.range(-3, 3) * r.scale;
      h.width = w;
      h.wall = random.range(34, 50) * r.scale * lift;
      h.gable_front = random.below(3) != 0;
      h.ridge = (h.gable_front ? w * random.range(0.45, 0.75) : random.range(16, 26) * r.scale) * (0.8 + 0.2 * lift);
      const double side = (430 - cx) * 0.05 * r.scale;
      h.side = {side, -std::fabs(side) * 0.2 - 9 * r.scale};
      h.wall_colour = filter(walls[random.below(6)], rgb{140, 132, 176});
      h.roof_colour = filter(roofs[random.below(5)], rgb{150, 136, 186});
      h.trim_colour = {120, 112, 124};
      h.front_light = 0.46;
      h.side_light = 0.62;
      h.roof_light = 0.95;
      h.rim = rgb{120, 56, 22} * (0.5 + 0.5 * (1 - std::fabs(cx - 430) / 430));
      h.floors = 2 + random.below(2);
      h.bays = std::max(2, static_cast<int>(w / 14));
      h.lit_share = 0.22 + 0.2 * random.uniform();
      h.glow = {255, 186, 106};
      h.glass = {38, 38, 60};
      h.chimneys = random.below(5) < 2 ? 1 : 0;
      h.haze = r.haze + (1 - edge) * 0.2;
      h.haze_colour = dusk;
      h.seed = static_cast<uint32_t>(random.next());
      paint_house(p, h);
      x += w * random.range(0.8, 1.0) + std::fabs(side) * 0.3;
    }
  }
}

// Swifts wheeling round the tower: thin swept wings, dark against the sky.
void paint_swifts(photo &p) {
  forge_random random(19);
  for (int i = 0; i < 7; i++) {
    point c = {random.range(658, 796), random.range(150, 430)};
    if (c.x > 664 && c.x < 766) c.x = c.x < 715 ? 662 - (c.x - 664) * 0.1 : 770 + (c.x - 715) * 0.45;  // beside the tower
    const double span = random.range(4, 7), sweep = random.range(-0.4, 0.4);
    const rgb ink = {26, 24, 40};
    paint_stroke(p, c, {c.x - span, c.y - span * (0.2 + sweep)}, 1.4, 0.6, ink);
    paint_stroke(p, c, {c.x + span, c.y - span * (0.2 - sweep)}, 1.4, 0.6, ink);
    paint_disc(p, c.x, c.y, 0.9, ink);
  }
}

}  // namespace

// The whole scene, back to front: sky, clouds, far town, rooftops, tower, linden and swifts;
// then glow, vignette and grain.
void paint_title_view(photo &p) {
  paint_sky(p);
  paint_cloud_bands(p);
  paint_far_town(p);
  paint_rooftops(p);
  paint_tower(p);
  paint_linden(p);
  paint_swifts(p);
  add_bloom(p, 170, 18, 0.45);
  finish_photo(p, 0.45, 5, 1000);
}

}  // namespace photo_kit
