// r4, the town on a snowy night: a full moon behind thin cloud, snow on the roofs of a town
// climbing its hill round the church, warm windows and their light on the snow, chimney smoke,
// snow-laden spruces framing the view and flakes drifting down.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

namespace {

constexpr point moon = {652, 92};
constexpr double moon_radius = 21;
const rgb snow_lit = {200, 214, 240};   // moonlit snow
const rgb night_haze = {46, 58, 92};

const std::vector<ramp_stop> night_sky = {
    {0, {6, 10, 26}}, {160, {14, 22, 50}}, {300, {30, 42, 78}}, {360, {52, 58, 86}}, {600, {52, 58, 86}}};

// The night sky: deep blue, a warm breath of town light at the horizon, stars, the moon with
// its halo and a few silvered clouds.
void paint_sky(photo &p) {
  paint_all(p, [](int x, int y) {
    const double dx = x - moon.x, dy = y - moon.y;
    const double halo = std::exp(-std::sqrt(dx * dx + dy * dy) / 120);
    return sample_ramp(night_sky, y) + rgb{40, 26, 14} * smoothstep(240, 360, y) + rgb{50, 60, 86} * halo;
  });
  forge_random random(404);
  for (int i = 0; i < 420; i++) {
    const double x = random.range(0, photo_width), y = random.range(0, 330);
    const double d = std::hypot(x - moon.x, y - moon.y);
    const double a = random.range(0.1, 0.8) * smoothstep(60, 180, d) * (1 - smoothstep(200, 330, y));
    if (random.uniform() < 0.06)
      paint_disc(p, x, y, 0.9, rgb{230, 236, 255}, a);
    else
      add_light(p, static_cast<int>(x), static_cast<int>(y), rgb{210, 220, 255}, a);
  }
  cloud_deck veil = {44, 360, 1600, 1.0, 3.0, 0.4, 0.25, 1.0, {150, 160, 190}, {24, 30, 54}, {0.06, 0.04}, 0.75, 5};
  paint_clouds(p, veil, 0, 350);
  paint_shape(p, cover_ellipse(moon.x, moon.y, moon_radius, moon_radius), [](int x, int y) {
    const double mare = fractal_noise(x * 0.12, y * 0.12, 45, 4);
    const double limb = std::hypot(x + 0.5 - moon.x, y + 0.5 - moon.y) / moon_radius;
    return rgb{255, 250, 232} * (1 - 0.22 * smoothstep(0.5, 0.7, mare) - 0.1 * limb * limb);
  });
}

// Snow on open ground: moonlit, with soft drifts, blue hollows and a glint here and there.
rgb snow_at(int x, int y, double fog) {
  const double drift = fractal_noise(x * 0.012, y * 0.04, 46, 4);
  const double ripple = fractal_noise(x * 0.06, y * 0.2, 47, 2);
  rgb c = snow_lit * (0.62 + 0.3 * drift + 0.06 * ripple);
  if (hash01(x, y, 48) > 0.9985) c = c + rgb{90, 90, 100};
  return mix(c, night_haze, fog);
}

// A snow-laden spruce: tiers of dark boughs that droop at their tips and fray at the edges,
// each carrying snow on its upper side, brighter on the side towards the moon.
void paint_snowy_spruce(photo &p, double x, double base, double height, double fog, uint32_t seed) {
  const double width = height * 0.3;
  const int tiers = std::max(5, static_cast<int>(height / 24));
  paint_stroke(p, {x, base}, {x, base - height * 0.3}, height * 0.045, height * 0.035, mix(rgb{30, 22, 20}, night_haze, fog));
  const int x0 = static_cast<int>(x - width - 2), x1 = static_cast<int>(x + width + 2);
  const int y0 = static_cast<int>(base - height - 2), y1 = static_cast<int>(base - height * 0.06);
  for (int py = std::max(0, y0); py < std::min(p.h, y1); py++)
    for (int px = std::max(0, x0); px < std::min(p.w, x1); px++) {
      const double dx = px + 0.5 - x;
      const double h = (base - height * 0.08 - (py + 0.5)) / (height * 0.92);  // 0 lowest boughs .. 1 tip
      if (h < 0 || h > 1) continue;
      const double reach = width * std::pow(1 - h, 0.9) + 1.2;
      const double across = std::fabs(dx) / reach;
      // The bough's phase within its tier: tips droop, so they belong lower in the tier.
      const double tier_h = h * tiers + 0.35 * across * across;
      const double f = tier_h - std::floor(tier_h);
      const double fray = fractal_noise(px * 0.35, py * 0.35, seed, 2) - 0.5;
      const double limit = (1 - 0.55 * f) + 0.25 * fray;
      const double a = clamp01((limit - across) * reach * 0.8);
      if (a <= 0) continue;
      const double side = clamp01(0.5 + dx / (2 * reach));
      rgb c = mix(rgb{8, 18, 20}, rgb{24, 42, 44}, side * (0.4 + 0.6 * f));
      const double lump = fractal_noise(px * 0.22, py * 0.5, seed + 1, 3);
      const double snow = smoothstep(0.42, 0.62, f + 0.35 * (lump - 0.5)) * smoothstep(1.05, 0.55, across) * smoothstep(0.3, 0.45, lump);
      c = mix(c, snow_lit * (0.62 + 0.38 * side) * (0.9 + 0.2 * lump), snow);
      lay_pixel(p, px, py, mix(c, night_haze, fog), a);
    }
}

// A trodden path through the snow from the foreground up to the church door: a bluish,
// footprinted track between low banks, the bank facing the moon lit.
void paint_path(photo &p) {
  for (int y = 446; y < p.h; y++) {
    const double t = (y - 446) / 154.0;
    const double cx = 336 + 70 * t + 18 * std::sin(t * 3.4);
    const double half = 3 + 36 * t;
    for (int x = static_cast<int>(cx - half - 6); x <= static_cast<int>(cx + half + 6); x++) {
      const double dx = (x + 0.5 - cx) / half;
      const double bank = std::fabs(dx);
      if (bank > 1.25) continue;
      const double prints = fractal_noise(x * 0.4, y * (0.9 - 0.5 * t), 59, 2);
      rgb c = p.at(std::clamp(x, 0, p.w - 1), y);
      if (bank < 1) {
        const rgb trodden = mix(snow_lit * 0.55, rgb{90, 104, 150}, 0.45) * (0.85 + 0.3 * prints);
        c = mix(c, trodden, smoothstep(1.0, 0.85, bank));
      } else {
        c = dx > 0 ? c * (1 + 0.12 * (1.25 - bank) * 4) : c * (1 - 0.12 * (1.25 - bank) * 4);
      }
      lay_pixel(p, x, y, c, 1);
    }
  }
}

// The moon's shadow of a tree on the snow, thrown down and to the left.
void paint_tree_shadow(photo &p, double x, double base, double height) {
  const double w = height * 0.16;
  paint_shape(p, cover_polygon({{x + w, base}, {x - height * 0.55, base + height * 0.1}, {x - height * 0.5, base + height * 0.16}, {x - w, base + 6}}),
              [](int, int) { return rgb{44, 54, 92}; }, 0.45);
}

// A row of snowy houses along the hillside: base line from (x0, y0) rising by `rise` per pixel.
void paint_row(photo &p, double x0, double x1, double y0, double rise, double scale, double fog, uint32_t seed) {
  const rgb walls[] = {{170, 150, 126}, {150, 130, 120}, {180, 168, 150}, {140, 120, 100}, {166, 140, 130}};
  forge_random random(seed);
  for (double x = x0; x < x1;) {
    const double w = random.range(34, 50) * scale;
    house_style h;
    h.x = x;
    h.base = y0 - rise * (x - x0) + random.range(-2, 2) * scale;
    h.width = w;
    h.wall = random.range(26, 40) * scale;
    h.ridge = random.range(18, 28) * scale;
    const double side = (x + w / 2 < 420 ? 1 : -1) * random.range(8, 14) * scale;
    h.side = {side, -4 * scale};
    h.gable_front = random.below(3) != 0;
    h.wall_colour = filter(walls[random.below(5)], rgb{120, 130, 190});
    h.roof_colour = {70, 50, 50};
    h.trim_colour = {70, 70, 90};
    h.front_light = 0.55;
    h.side_light = 0.4;
    h.roof_light = 0.82;
    h.floors = 2 + random.below(2);
    h.bays = std::max(2, static_cast<int>(w / (14 * scale)));
    h.lit_share = 0.55;
    h.glow = {255, 186, 96};
    h.glass = {20, 24, 40};
    h.chimneys = random.below(2) + (random.below(3) == 0);
    h.snow = 1;
    h.snow_colour = snow_lit;
    h.haze = fog;
    h.haze_colour = night_haze;
    h.seed = static_cast<uint32_t>(random.next());
    // Warm light spilling from the windows onto the snow in front.
    for (int k = 0; k < 3; k++) {
      const double gx = h.x + w * (0.2 + 0.3 * k);
      for (int dy = -3; dy <= static_cast<int>(6 * scale); dy++)
        for (int dx = static_cast<int>(-10 * scale); dx <= static_cast<int>(10 * scale); dx++) {
          const double r = std::hypot(dx / (10 * scale), dy / (6 * scale));
          add_light(p, static_cast<int>(gx + dx), static_cast<int>(h.base + dy), rgb{255, 170, 80}, 0.12 * std::exp(-r * r * 2) * (1 - fog));
        }
    }
    paint_house(p, h);
    x += w * random.range(0.9, 1.1) + std::fabs(side) * 0.6;
  }
}

// Snow between the rows: a band of moonlit ground below a hillside line.
void paint_slope(photo &p, double x0_y, double rise, double fog) {
  paint_below(p, [&](double x) { return x0_y - rise * x + 3 * fractal_noise(x * 0.02, x0_y, 49, 3); },
              [&](int x, int y) { return snow_at(x, y, fog) * (0.9 + 0.1 * clamp01((y - (x0_y - rise * x)) / 40)); });
}

// The church: a long nave with lit lancet windows and a tower with a clock and snowy spire.
void paint_church(photo &p, double x, double base) {
  house_style nave;
  nave.x = x;
  nave.base = base;
  nave.width = 70;
  nave.wall = 40;
  nave.ridge = 30;
  nave.side = {52, -12};
  nave.gable_front = true;
  nave.wall_colour = {150, 150, 170};
  nave.roof_colour = {60, 50, 54};
  nave.trim_colour = {90, 90, 110};
  nave.front_light = 0.6;
  nave.side_light = 0.45;
  nave.roof_light = 0.85;
  nave.floors = 0;
  nave.snow = 1;
  nave.snow_colour = snow_lit;
  nave.haze = 0.15;
  nave.haze_colour = night_haze;
  nave.seed = 700;
  paint_house(p, nave);
  // Lancet windows glowing along the side and a rose window in the gable.
  for (int i = 0; i < 4; i++) {
    const double a = 0.15 + 0.22 * i;
    const double wx = x + 70 + 52 * a, wy = base - 12 * a;
    paint_shape(p, cover_polygon({{wx - 2.5, wy - 6}, {wx + 2.5, wy - 6 - 1.5}, {wx + 2.5, wy - 26}, {wx, wy - 30}, {wx - 2.5, wy - 25}}),
                [](int, int y) { return rgb{255, 196, 110} * (0.8 + 0.2 * std::sin(y * 0.9)); });
  }
  paint_shape(p, cover_ellipse(x + 35, base - 50, 6, 6), [](int, int) { return rgb{255, 200, 120}; });
  paint_shape(p, cover_polygon({{x + 28, base}, {x + 28, base - 22}, {x + 35, base - 30}, {x + 42, base - 22}, {x + 42, base}}),
              [](int, int) { return rgb{70, 46, 30}; });
  // The tower, to the left of the nave's gable: a square shaft and a tall spire.
  house_style tower = nave;
  tower.x = x - 34;
  tower.width = 34;
  tower.wall = 120;
  tower.ridge = 4;
  tower.side = {16, -5};
  tower.seed = 701;
  paint_house(p, tower);
  const double top = base - 120, cx = x - 17;
  const point apex = {cx + 8, top - 96};
  paint_shape(p, cover_polygon({{x - 1, top + 1}, {x + 15, top - 4}, apex}), [](int, int y) {
    return mix(rgb{34, 32, 44}, snow_lit * 0.55, 0.3 + 0.2 * std::sin(y * 0.7));
  });
  paint_shape(p, cover_polygon({{x - 36, top + 1}, {x - 1, top + 1}, apex}), [&](int px, int py) {
    const double streak = fractal_noise(px * 0.5, py * 0.08, 702, 3);
    return mix(rgb{40, 38, 50}, snow_lit * 0.95, smoothstep(0.45, 0.6, streak) * 0.8);
  });
  paint_shape(p, cover_rect(x - 37, top - 1, x + 1, top + 3), [](int, int) { return snow_lit; });
  paint_shape(p, cover_ellipse(cx, base - 92, 8, 8), [](int, int) { return rgb{250, 222, 160}; });
  paint_stroke(p, {cx, base - 92}, {cx, base - 98}, 1.2, 1.2, rgb{60, 40, 30});
  paint_stroke(p, {cx, base - 92}, {cx + 4.5, base - 90}, 1.2, 1.2, rgb{60, 40, 30});
  for (const double wy : {base - 58.0, base - 106.0})
    paint_shape(p, cover_polygon({{cx - 4, wy}, {cx - 4, wy - 10}, {cx, wy - 14}, {cx + 4, wy - 10}, {cx + 4, wy}}),
                [&](int, int) { return wy < base - 100 ? rgb{24, 24, 38} : rgb{255, 190, 100}; });
  paint_stroke(p, apex, {apex.x, apex.y - 14}, 1.4, 1.2, rgb{190, 170, 120});
  paint_stroke(p, {apex.x - 4, apex.y - 9}, {apex.x + 4, apex.y - 9}, 1.3, 1.3, rgb{190, 170, 120});
}

// Smoke rising from a chimney and leaning with the wind.
void paint_smoke(photo &p, double x, double y, double size) {
  for (int j = 0; j < static_cast<int>(size * 6); j++)
    for (int i = static_cast<int>(-size * 2); i < static_cast<int>(size * 3); i++) {
      const double t = j / (size * 6);
      const double cx = x + t * t * size * 2.5;
      const double r = size * (0.25 + 0.9 * t);
      const double d = std::fabs(x + i - cx) / r;
      const double n = fractal_noise((x + i) * 0.15, (y - j) * 0.1, 50, 3);
      const double a = smoothstep(1.0, 0.2, d + (n - 0.5)) * (1 - t) * 0.32 * smoothstep(0, 0.1, t);
      lay_pixel(p, static_cast<int>(x + i), static_cast<int>(y - j), rgb{120, 128, 150}, a);
    }
}

// Flakes drifting down: many small ones, a few large soft ones close to the lens.
void paint_snowfall(photo &p) {
  forge_random random(51);
  for (int i = 0; i < 1100; i++) {
    const double x = random.range(0, photo_width), y = random.range(0, photo_height);
    const double near = std::pow(random.uniform(), 6);
    const double r = 0.5 + 4.5 * near;
    const double a = (0.35 + 0.5 * random.uniform()) * (1 - 0.55 * near);
    if (r < 2) {
      paint_disc(p, x, y, r, rgb{226, 232, 250}, a);
    } else {
      for (int k = 0; k < 4; k++) paint_disc(p, x, y, r * (1 - 0.2 * k), rgb{226, 232, 250}, a * 0.3);
    }
  }
}

// A split-rail fence running across the foreground, snow on its rails and post tops, with a
// gap where the path goes through.
void paint_fence(photo &p) {
  auto ground = [](double x) { return 560 - 0.1 * x + 6 * std::sin(x * 0.01); };
  const double gap0 = 372, gap1 = 428;
  for (double x = 150; x < 660; x += 46) {
    const double px = x < gap0 ? x : (x < gap1 ? (x - gap0 < gap1 - x ? gap0 : gap1) : x);
    const double g = ground(px), h = 34 + 0.02 * (px - 150);
    paint_stroke(p, {px, g + 4}, {px + 1, g - h}, 5, 4.5, rgb{54, 42, 38});
    paint_disc(p, px + 0.5, g - h - 1, 3, snow_lit, 0.95);
  }
  for (const double lift : {12.0, 26.0})
    for (const point span : {point{150, gap0}, point{gap1, 660}}) {
      paint_stroke(p, {span.x, ground(span.x) - lift}, {span.y, ground(span.y) - lift}, 3, 3, rgb{60, 48, 42});
      paint_stroke(p, {span.x, ground(span.x) - lift - 2}, {span.y, ground(span.y) - lift - 2}, 1.6, 1.6, snow_lit * 0.95);
    }
  for (const point span : {point{140, gap0 - 4}, point{gap1 + 4, 670}})
    paint_below(p, [&](double x) { return ground(x) + 2 + 2 * fractal_noise(x * 0.05, 0, 58, 2); },
                [](int x, int y) { return snow_at(x, y, 0) * 1.08; }, static_cast<int>(span.x), static_cast<int>(span.y),
                static_cast<int>(ground(span.x) + 14));
}

// A street lamp on the lane, its lantern glowing and a pool of warm light on the snow.
void paint_lamp(photo &p, double x, double base) {
  for (int y = static_cast<int>(base - 20); y < base + 24; y++)
    for (int i = -70; i <= 70; i++) {
      const double r = std::hypot(i / 70.0, (y - base) / 20.0);
      add_light(p, static_cast<int>(x + i), y, rgb{255, 176, 90}, 0.32 * std::exp(-r * r * 3));
    }
  paint_stroke(p, {x, base}, {x, base - 92}, 4.5, 3, rgb{24, 26, 30});
  paint_shape(p, cover_polygon({{x - 7, base - 92}, {x + 7, base - 92}, {x + 4.5, base - 80}, {x - 4.5, base - 80}}),
              [](int, int) { return rgb{255, 226, 160}; });
  paint_shape(p, cover_polygon({{x - 9, base - 92}, {x + 9, base - 92}, {x, base - 100}}), [](int, int) { return snow_lit; });
  paint_stroke(p, {x - 4.5, base - 80}, {x + 4.5, base - 80}, 2, 2, rgb{24, 26, 30});
}

}  // namespace

// The whole scene, back to front: sky and moon, far hills, rows of houses up the hill round
// the church, the path, fence and lamp, the spruces; then glow, falling snow and grain.
void paint_snow_view(photo &p) {
  paint_sky(p);
  // Far hills under snow with dark woods.
  paint_below(p, [](double x) { return 352 - 40 * fractal_noise(x * 0.004, 0.2, 52, 4) - 0.05 * x; }, [](int x, int y) {
    const double wood = smoothstep(0.55, 0.6, fractal_noise(x * 0.02, y * 0.05, 53, 4));
    return mix(mix(snow_at(x, y, 0.55), rgb{30, 40, 60}, wood * 0.8), night_haze, 0.2);
  });
  paint_slope(p, 392, 0.07, 0.35);
  paint_row(p, -20, 820, 398, 0.07, 0.55, 0.35, 801);
  paint_slope(p, 432, 0.06, 0.2);
  paint_church(p, 300, 440);
  paint_row(p, -30, 250, 446, 0.06, 0.75, 0.18, 802);
  paint_row(p, 430, 820, 420, 0.06, 0.75, 0.18, 803);
  paint_slope(p, 498, 0.05, 0.05);
  paint_row(p, 500, 830, 500, 0.04, 1.0, 0.05, 804);
  paint_smoke(p, 560, 400, 9);
  paint_smoke(p, 120, 420, 8);
  paint_slope(p, 540, 0.02, 0);
  paint_path(p);
  paint_fence(p);
  paint_lamp(p, 640, 520);
  forge_random random(55);
  for (int i = 0; i < 3; i++) paint_tree_shadow(p, 40 + i * 44, 600 - i * 14, 210 - i * 40);
  paint_tree_shadow(p, 700, 590, 150);
  for (int i = 0; i < 3; i++) paint_snowy_spruce(p, 40 + i * 44, 600 - i * 14, 210 - i * 40, 0, static_cast<uint32_t>(random.next()));
  paint_snowy_spruce(p, 770, 610, 260, 0, 56);
  paint_snowy_spruce(p, 700, 604, 150, 0, 57);
  add_bloom(p, 150, 14, 0.7);
  paint_snowfall(p);
  finish_photo(p, 0.45, 4, 1004);
}

}  // namespace photo_kit
