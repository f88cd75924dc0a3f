// r3, the edge of town: a summer afternoon over rolling hills. Strip fields in gold and green
// run over the slopes under drifting cloud shadows, a spruce forest climbs the right-hand hill,
// a village church sits on a far ridge, and the last houses of the town stand behind a wheat
// field in the foreground, an old linden beside them.
#include <algorithm>
#include <cmath>

#include "forge/photo.h"

namespace photo_kit {

namespace {

const rgb haze = {188, 204, 218};

const std::vector<ramp_stop> afternoon_sky = {
    {0, {60, 108, 176}}, {120, {96, 142, 198}}, {230, {160, 192, 222}}, {300, {212, 222, 224}}, {600, {212, 222, 224}}};

// The sky and a deck of big cumulus lit from the right.
void paint_sky(photo &p) {
  paint_all(p, [](int x, int y) { return sample_ramp(afternoon_sky, y) + rgb{16, 10, 0} * (x / 800.0); });
  cloud_deck cumulus = {7, 300, 1700, 0.5, 1.5, 0.45, 0.2, 2.0, {255, 250, 238}, {140, 154, 180}, {0.08, 0.02}, 1.0, 6};
  paint_clouds(p, cumulus, 0, 296);
}

// One hill layer: its ridge line, how large its fields look, how far it is (haze 0..1).
struct hill {
  uint32_t seed;
  double base, rise, wave;  // ridge: base row, bumps up to `rise`, one broad swell of `wave`
  double phase;
  double field_scale;       // pixels per field unit at the ridge
  double haze;
  double ridge(double x) const {
    return base - rise * fractal_noise(x * 0.004 + phase, phase, seed, 4) - wave * std::sin(x * 0.005 + phase);
  }
};

// The crops of the strip fields.
const rgb crops[] = {{202, 170, 96}, {214, 196, 140}, {118, 148, 66}, {150, 170, 80},
                     {128, 100, 72}, {86, 120, 54},  {104, 134, 56}, {176, 164, 100}};

// The colour of a hill at a pixel: strips of fields along the slope, each cut into plots with
// slanted ends, crop rows, soft grass margins, the relief lit from the right, drifting cloud
// shadows, and haze with distance.
rgb hill_colour(const hill &h, double x, double y) {
  const double top = h.ridge(x);
  const double below = std::max(0.0, y - top);
  const double depth = std::pow(below / h.field_scale, 0.8);
  // Metres-like ground coordinates: u across, v down the slope, gently warped.
  double u = x / h.field_scale / 2.0, v = depth;
  u += 0.35 * (fractal_noise(u * 0.4, v * 0.4, h.seed + 1, 3) - 0.5);
  v += 0.5 * (fractal_noise(u * 0.3 + 9, v * 0.3, h.seed + 2, 3) - 0.5);
  const double cv = v * 1.1;
  const int iv = static_cast<int>(std::floor(cv));
  const double tilt = (hash01(iv, 0, h.seed + 6) - 0.5) * 1.6;
  const double cu = (u + (cv - iv) * tilt) * (1.2 + hash01(iv, 1, h.seed + 6) * 1.6) + hash01(iv, 2, h.seed + 6) * 5;
  const int iu = static_cast<int>(std::floor(cu));
  const double pick = hash01(iu, iv, h.seed + 3);
  rgb c = crops[static_cast<int>(pick * 7.999)] * (0.92 + 0.14 * hash01(iu, iv, h.seed + 4));
  const double px_u = 1.6 / h.field_scale, px_v = 1.1 / h.field_scale;  // one pixel in cell units
  // Crop rows, along the contour or down the slope.
  const bool across = hash01(iu, iv, h.seed + 5) < 0.5;
  const double rows = across ? line_pattern(cv * 16, 1, 0.45, px_v * 16) : line_pattern(cu * 22, 1, 0.45, px_u * 22);
  c = c * (1 - 0.07 * rows);
  c = c * (0.94 + 0.12 * fractal_noise(x * 0.08, y * 0.2, h.seed + 7, 3));
  // Soft margins: a grass verge between plots, a little darker along the strips.
  const double verge = std::max(line_pattern(cu, 1, 0.03, px_u) * 0.6, line_pattern(cv, 1, 0.04, px_v));
  c = mix(c, rgb{92, 120, 58}, verge * 0.6);
  // Relief: a rolling height field lit from the right, and the crest catching the light.
  const double e = 1.5;
  const double hx = fractal_noise((x + e) * 0.01, y * 0.03, h.seed + 8, 3) - fractal_noise((x - e) * 0.01, y * 0.03, h.seed + 8, 3);
  const double turn = std::clamp((h.ridge(x - 4) - h.ridge(x + 4)) / 8 * -2.5, -0.2, 0.2);
  const double crest = 1 - smoothstep(0, 50, below);
  c = c * (0.86 + turn + hx * 6 + 0.1 * crest);
  const double shadow = smoothstep(0.56, 0.64, fractal_noise(x * 0.004 + 3, y * 0.011 - h.phase, 55, 4));
  c = c * (1 - 0.32 * shadow);
  return mix(c, haze, h.haze);
}

// Paints a hill layer from its ridge down to the bottom of the picture.
void paint_hill(photo &p, const hill &h) {
  paint_below(p, [&](double x) { return h.ridge(x); }, [&](int x, int y) { return hill_colour(h, x + 0.5, y + 0.5); });
}

// A spruce: a slender jagged cone on a short stem, lit from the right.
void paint_spruce(photo &p, double x, double base, double height, double fog, uint32_t seed) {
  const double w = height * 0.32;
  std::vector<point> outline = {{x, base - height}};
  const int tiers = std::max(3, static_cast<int>(height / 3));
  for (int i = 1; i <= tiers; i++) {
    const double t = static_cast<double>(i) / tiers;
    const double jag = 0.75 + 0.25 * hash01(i, 1, seed);
    outline.push_back({x + w * t * jag, base - height + height * 0.92 * t});
    if (i < tiers) outline.push_back({x + w * t * 0.6, base - height + height * 0.92 * t + 0.6});
  }
  outline.push_back({x + w * 0.15, base - height * 0.08});
  outline.push_back({x - w * 0.15, base - height * 0.08});
  for (int i = tiers; i >= 1; i--) {
    const double t = static_cast<double>(i) / tiers;
    const double jag = 0.75 + 0.25 * hash01(i, 2, seed);
    if (i < tiers) outline.push_back({x - w * t * 0.6, base - height + height * 0.92 * t + 0.6});
    outline.push_back({x - w * t * jag, base - height + height * 0.92 * t});
  }
  const double tone = hash01(3, 3, seed);
  paint_shape(p, cover_polygon(outline), [&](int px, int py) {
    const double side = clamp01(0.5 + (px + 0.5 - x) / (w + 1));
    const double up = clamp01((base - py) / height);
    rgb c = mix(rgb{22, 42, 30}, rgb{92, 118, 56}, side * side * (0.6 + 0.4 * up)) * (0.85 + 0.3 * tone);
    return mix(c, haze, fog);
  });
}

// The forest on the right-hand hill: rows of spruces from the ridge down to a ragged edge,
// the far ones small and hazy, the near ones larger.
void paint_forest(photo &p, const hill &h, double x0, double x1, double edge_depth, uint32_t seed) {
  forge_random random(seed);
  for (double row = 0; row < edge_depth; row += 2.2 + row * 0.05) {
    const double size = 7 + row * 0.18;
    for (double x = x0 + random.range(0, size); x < x1; x += size * random.range(0.35, 0.6)) {
      const double edge = edge_depth * (0.7 + 0.3 * fractal_noise(x * 0.02, 1, seed, 3)) *
                          smoothstep(x0, x0 + 60, x) * smoothstep(x1 + 20, x1 - 60, x);
      if (row > edge) continue;
      const double base = h.ridge(x) + row + random.range(-1, 1) + size * 0.6;
      paint_spruce(p, x, base, size * random.range(1.2, 1.8), h.haze * 0.8 + 0.05, static_cast<uint32_t>(random.next()));
    }
  }
}

// A hedgerow of round shrubs and trees along a line from a to b, `size` pixels tall.
void paint_hedge(photo &p, point a, point b, double size, double fog, uint32_t seed) {
  forge_random random(seed);
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  for (double t = 0; t < len; t += size * random.range(0.3, 0.6)) {
    const point c = {a.x + (b.x - a.x) * t / len, a.y + (b.y - a.y) * t / len};
    const double r = size * random.range(0.35, 0.7) * (random.uniform() < 0.15 ? 1.6 : 1);
    paint_shape(p, cover_ellipse(c.x, c.y - r * 0.8, r, r * 0.9), [&](int x, int y) {
      const double lit = clamp01(0.5 + (x - c.x) / (2 * r) - (y - c.y + r) / (3 * r));
      const double leaf = fractal_noise(x * 0.5, y * 0.5, seed, 2);
      return mix(mix(rgb{28, 48, 26}, rgb{104, 132, 56}, lit * (0.6 + 0.4 * leaf)), haze, fog);
    });
  }
}

// The village church and a few houses on the far ridge, small and hazy.
void paint_village(photo &p, const hill &h, double x) {
  const double g = h.ridge(x) + 6;
  const double fog = h.haze * 0.9;
  house_style house;
  house.side = {3, -1};
  house.floors = 0;
  house.front_light = 0.9;
  house.side_light = 1.1;
  house.roof_light = 1.0;
  house.haze = fog;
  house.haze_colour = haze;
  for (int i = 0; i < 5; i++) {
    house.x = x - 40 + i * 15 + (i > 1 ? 14 : 0);
    house.base = g + (i % 2) * 2;
    house.width = 9 + (i % 3) * 2;
    house.wall = 5;
    house.ridge = 4;
    house.wall_colour = {236, 230, 214};
    house.roof_colour = {170, 80, 56};
    house.seed = 900 + i;
    paint_house(p, house);
  }
  // The church: nave, tower with a pointed roof.
  house.x = x;
  house.base = g + 1;
  house.width = 10;
  house.wall = 9;
  house.ridge = 5;
  house.side = {12, -3};
  house.gable_front = true;
  house.seed = 950;
  paint_house(p, house);
  house.x = x - 6;
  house.width = 7;
  house.wall = 22;
  house.ridge = 12;
  house.side = {3, -1};
  house.seed = 951;
  paint_house(p, house);
}

// Where the track runs at row y of the field, and its half width.
double track_x(double y) {
  const double t = clamp01((y - 478) / 122);
  return 250 - 200 * (1 - t) * (1 - t) + 30 * std::sin(t * 2.5);
}

// The wheat field in front: stalks catching the light, ears along a ragged top edge, a wind
// wave rolling through, a dusty track with a grassy crown, and patches of poppies.
void paint_wheat(photo &p) {
  auto top = [](double x) { return 484 + 8 * fractal_noise(x * 0.01, 0, 71, 3) - 0.03 * x; };
  paint_below(p, [&](double x) { return top(x) - 3 * fractal_noise(x * 0.8, 0, 72, 2); }, [&](int x, int y) {
    const double t = clamp01((y - top(x)) / 116);
    const double stalk = fractal_noise(x * (0.25 + 0.6 * t), y * 0.02, 73, 4);
    const double run = 2 + 9 * t;  // the length of one stalk's highlight, in rows
    const double grain = hash01(x, static_cast<int>(std::floor((y + hash01(x, 0, 74) * run) / run)), 74);
    const double ears = smoothstep(0.6, 0.8, fractal_noise(x * (0.3 + 0.6 * t), y * (0.3 + 0.5 * t), 78, 2));
    const double wave = fractal_noise(x * 0.004 + y * 0.002, y * 0.01, 75, 3);
    rgb c = mix(rgb{146, 108, 48}, rgb{232, 196, 110}, 0.25 + 0.45 * stalk + 0.3 * grain * (0.4 + 0.6 * t));
    c = mix(c, rgb{246, 222, 150}, ears * (0.3 + 0.4 * t));
    c = c * (0.78 + 0.4 * wave) * (1.05 - 0.25 * t);
    c = mix(c, haze, 0.12 * (1 - t));
    const double dx = std::fabs(x + 0.5 - track_x(y));
    const double half = 3 + 60 * t * t + 8 * t;
    const double edge = half + 3 * (fractal_noise(x * 0.3, y * 0.3, 79, 2) - 0.5) * (1 + 4 * t);
    if (dx < edge + 1) {
      const double rut = smoothstep(0.5, 0.2, std::fabs(dx / std::max(1.0, half) - 0.62));
      const double crown = smoothstep(0.3, 0.15, dx / std::max(1.0, half));
      const double dust = fractal_noise(x * 0.15, y * 0.3, 76, 4);
      rgb ground = rgb{184, 158, 118} * (0.82 + 0.3 * dust) * (1 - 0.18 * rut);
      ground = mix(ground, rgb{112, 128, 58} * (0.8 + 0.4 * stalk), crown * 0.85);
      c = mix(c, ground, clamp01(edge + 0.5 - dx));
    }
    return c;
  });
  // Poppies and a few cornflowers, gathered in patches and along the track.
  forge_random random(77);
  for (int i = 0; i < 2600; i++) {
    const double y = random.range(486, 600), t = (y - 482) / 118;
    const double x = random.range(0, 800);
    const double patch = smoothstep(0.58, 0.7, fractal_noise(x * 0.012, y * 0.03, 80, 3));
    const double by_track = smoothstep(40 + 40 * t, 10, std::fabs(std::fabs(x - track_x(y)) - (3 + 60 * t * t) - 10));
    if (random.uniform() > std::max(patch, by_track * 0.5) * 0.35) continue;
    const double r = 0.7 + 2.4 * t * t * random.range(0.7, 1.2);
    const bool poppy = random.uniform() < 0.85;
    const rgb c = poppy ? rgb{206, 44, 32} * random.range(0.75, 1.1) : rgb{72, 96, 196};
    paint_disc(p, x, y - r * 0.5, r, c, 0.9);
    if (r > 1.4) paint_disc(p, x + r * 0.5, y - r * 0.8, r * 0.7, c * 0.85, 0.9);
  }
}

// A wooden post mill on a crest: the body on its trestle and four lattice sails.
void paint_windmill(photo &p, double x, double ground) {
  const rgb wood = {92, 74, 60};
  const double fog = 0.3;
  auto tone = [&](rgb c) { return mix(c, haze, fog); };
  paint_stroke(p, {x - 5, ground}, {x, ground - 12}, 1.4, 1.4, tone(wood * 0.7));
  paint_stroke(p, {x + 5, ground}, {x, ground - 12}, 1.4, 1.4, tone(wood * 0.7));
  paint_shape(p, cover_polygon({{x - 6, ground - 10}, {x + 6, ground - 10}, {x + 6, ground - 26}, {x, ground - 31}, {x - 6, ground - 26}}),
              [&](int px, int) { return tone(px > x ? wood * 1.3 : wood * 0.9); });
  const point hub = {x - 6.5, ground - 23};
  for (int k = 0; k < 4; k++) {
    const double a = 0.35 + k * M_PI / 2;
    const point tip = {hub.x + 22 * std::cos(a), hub.y + 22 * std::sin(a)};
    paint_stroke(p, hub, tip, 1.2, 0.9, tone(rgb{70, 60, 52}));
    const point n = {-std::sin(a) * 4, std::cos(a) * 4};
    const point m = {hub.x + 7 * std::cos(a), hub.y + 7 * std::sin(a)};
    paint_shape(p, cover_polygon({m, tip, {tip.x + n.x, tip.y + n.y}, {m.x + n.x, m.y + n.y}}),
                [&](int, int) { return tone(rgb{200, 190, 170}); }, 0.7);
  }
}

// The last houses of the town on the right, behind a hedge, with fruit trees.
void paint_town_edge(photo &p) {
  const rgb walls[] = {{238, 232, 216}, {230, 210, 170}, {236, 224, 200}, {214, 196, 170}};
  forge_random random(33);
  for (int i = 0; i < 4; i++) {
    house_style h;
    h.x = 520 + i * 66 + random.range(-6, 6);
    h.base = 490 - i * 2;
    h.width = random.range(48, 58);
    h.wall = random.range(30, 38);
    h.ridge = random.range(22, 30);
    h.side = {-20, -7};
    h.gable_front = i % 2 == 0;
    h.wall_colour = walls[random.below(4)];
    h.roof_colour = random.below(3) ? rgb{176, 82, 56} : rgb{120, 84, 72};
    h.trim_colour = {120, 90, 70};
    h.front_light = 0.8;
    h.side_light = 0.6;
    h.roof_light = 0.95;
    h.rim = {40, 26, 8};
    h.floors = 2;
    h.bays = 3;
    h.glass = {60, 70, 84};
    h.chimneys = 1;
    h.seed = static_cast<uint32_t>(random.next());
    paint_house(p, h);
  }
  paint_hedge(p, {505, 498}, {800, 486}, 18, 0, 34);
  // Fruit trees in the gardens between the houses.
  for (int i = 0; i < 4; i++) {
    crown_style tree;
    tree.centre = {548 + i * 66.0, 462 - i * 2.0};
    tree.rx = 18;
    tree.ry = 14;
    tree.clumps = 14;
    tree.clump_small = 6;
    tree.clump_large = 11;
    tree.dark = {34, 54, 28};
    tree.lit = {150, 176, 80};
    tree.light = {0.75, -0.65};
    tree.leaves = 900;
    tree.leaf_small = 0.8;
    tree.leaf_large = 1.8;
    tree.seed = 40 + i;
    paint_crown(p, tree);
  }
}

}  // namespace

// The whole scene, back to front: sky, mountains, hill layers with their village, hedges and
// forest, the town edge, the linden and the wheat; then glow, vignette and grain.
void paint_fields_view(photo &p) {
  paint_sky(p);
  // Blue mountains on the horizon.
  paint_below(p, [](double x) { return 292 - 46 * fractal_noise(x * 0.004, 0.7, 60, 5) - 8 * std::sin(x * 0.007); },
              [](int x, int y) { return mix(rgb{150, 168, 194}, haze, 0.55 + 0.1 * fractal_noise(x * 0.05, y * 0.1, 61, 3)); });
  paint_below(p, [](double x) { return 298 - 22 * fractal_noise(x * 0.006, 0.2, 62, 5); }, [](int x, int y) {
    const double wood = fractal_noise(x * 0.06, y * 0.2, 63, 3);
    return mix(rgb{108, 132, 150} * (0.9 + 0.2 * wood), haze, 0.38);
  });
  const hill far_hills = {81, 318, 30, 8, 0.3, 12, 0.55};
  const hill mid_left = {82, 372, 80, 26, 2.1, 26, 0.3};
  const hill right_hill = {83, 352, 70, 34, 4.0, 36, 0.16};
  const hill near = {84, 440, 46, 14, 5.3, 60, 0.05};
  paint_hill(p, far_hills);
  paint_village(p, far_hills, 250);
  paint_hill(p, mid_left);
  paint_windmill(p, 96, mid_left.ridge(96) + 3);
  paint_hedge(p, {30, 398}, {330, 380}, 6, 0.3, 91);
  paint_hill(p, right_hill);
  paint_forest(p, right_hill, 430, 820, 70, 92);
  paint_hill(p, near);
  paint_hedge(p, {0, 462}, {380, 448}, 10, 0.08, 93);
  paint_town_edge(p);
  // The linden stands at the far edge of the wheat: its trunk goes behind the ears.
  paint_limb(p, {{776, 510}, {772, 420}, {768, 330}, {760, 260}}, 26, 14, rgb{124, 104, 84});
  paint_limb(p, {{770, 340}, {730, 260}, {700, 200}}, 10, 4, rgb{124, 104, 84});
  paint_wheat(p);
  crown_style linden;
  linden.centre = {770, 170};
  linden.rx = 100;
  linden.ry = 140;
  linden.clumps = 160;
  linden.clump_small = 11;
  linden.clump_large = 24;
  linden.dark = {28, 44, 26};
  linden.lit = {160, 180, 86};
  linden.sky = {20, 28, 44};
  linden.light = {0.75, -0.65};
  linden.leaves = 16000;
  linden.leaf_small = 0.9;
  linden.leaf_large = 2.2;
  linden.seed = 95;
  paint_crown(p, linden);
  add_bloom(p, 225, 12, 0.2);
  finish_photo(p, 0.3, 4, 1003);
}

}  // namespace photo_kit
