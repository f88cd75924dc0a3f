// The pieces of play on the sprite sheet grafika/ele.png, loaded as the game loads it: every
// probe point the rules of play read, the way the quadrant cells compose into whole tiles, and
// tile colours that stay apart also for colour-blind players.
#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "tests/contract/contract.h"

namespace {

constexpr int tile = 39;

// The sheet, loaded once for all tests of this file.
BITMAP *sheet() {
  static BITMAP *loaded = load_png("grafika/ele.png", nullptr);
  return loaded;
}

class sheet_cells : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(sheet(), nullptr) << "grafika/ele.png does not load"; }
};

TEST_F(sheet_cells, sheet_holds_the_whole_layout) {
  EXPECT_GE(sheet()->w, 870);
  EXPECT_GE(sheet()->h, 700);
}

// What a probe point must read: exactly a colour, anything but a colour.
enum class reads { exactly, never };
struct probe_case {
  const char *piece;
  int x0, y0;  // the piece's corner on the sheet
  int x, y;    // the point within the piece
  reads rule;
  colour3 colour;
};

// The points of the empty, inactive, slot and veil pieces, as the moves of play read them.
const std::vector<probe_case> &fixed_probes() {
  static const std::vector<probe_case> cases = {
      // The empty cell: free, quadrant, neighbour and board-preparation points.
      {"empty", 663, 0, 5, 5, reads::exactly, empty_grey},
      {"empty", 663, 0, 20, 5, reads::exactly, empty_grey},
      {"empty", 663, 0, 35, 20, reads::exactly, empty_grey},
      {"empty", 663, 0, 20, 35, reads::exactly, empty_grey},
      {"empty", 663, 0, 5, 20, reads::exactly, empty_grey},
      {"empty", 663, 0, 20, 2, reads::exactly, empty_grey},
      {"empty", 663, 0, 36, 20, reads::exactly, empty_grey},
      {"empty", 663, 0, 20, 36, reads::exactly, empty_grey},
      {"empty", 663, 0, 2, 20, reads::exactly, empty_grey},
      {"empty", 663, 0, 19, 5, reads::exactly, empty_grey},
      {"empty", 663, 0, 34, 19, reads::exactly, empty_grey},
      {"empty", 663, 0, 19, 34, reads::exactly, empty_grey},
      {"empty", 663, 0, 5, 19, reads::exactly, empty_grey},
      // The inactive cell: open to its neighbours, closed to placing and to board preparation.
      {"inactive", 624, 0, 20, 2, reads::exactly, empty_grey},
      {"inactive", 624, 0, 36, 20, reads::exactly, empty_grey},
      {"inactive", 624, 0, 20, 36, reads::exactly, empty_grey},
      {"inactive", 624, 0, 2, 20, reads::exactly, empty_grey},
      {"inactive", 624, 0, 5, 5, reads::never, empty_grey},
      {"inactive", 624, 0, 15, 5, reads::exactly, inactive_grey},
      {"inactive", 624, 0, 19, 5, reads::never, empty_grey},
      {"inactive", 624, 0, 34, 19, reads::never, empty_grey},
      {"inactive", 624, 0, 19, 34, reads::never, empty_grey},
      {"inactive", 624, 0, 5, 19, reads::never, empty_grey},
      // The slot cell: an empty active slot reads free.
      {"slot", 741, 0, 6, 6, reads::exactly, empty_grey},
      // The veil over the preview slot lets its quadrant probes through.
      {"veil", 302, 330, 24, 9, reads::exactly, mask},
      {"veil", 302, 330, 39, 24, reads::exactly, mask},
      {"veil", 302, 330, 24, 39, reads::exactly, mask},
      {"veil", 302, 330, 9, 24, reads::exactly, mask},
  };
  return cases;
}

TEST_F(sheet_cells, fixed_pieces_read_right_at_every_probe_point) {
  for (const probe_case &c : fixed_probes()) {
    const colour3 got = pixel(sheet(), c.x0 + c.x, c.y0 + c.y);
    const std::string where = std::string(c.piece) + " (" + std::to_string(c.x) + "," + std::to_string(c.y) + ")";
    if (c.rule == reads::exactly) {
      EXPECT_EQ(got, c.colour) << where << " reads " << show(got);
    } else {
      EXPECT_NE(got, c.colour) << where << " must not read " << show(c.colour);
    }
  }
}

TEST_F(sheet_cells, empty_slot_is_not_a_uniform_tile) {
  // The rotation marker on taking depends on the empty slot's four quadrant probes differing.
  const colour3 top = pixel(sheet(), 741 + 21, 6), right = pixel(sheet(), 741 + 36, 21);
  const colour3 bottom = pixel(sheet(), 741 + 21, 36), left = pixel(sheet(), 741 + 6, 21);
  EXPECT_FALSE(top == right && right == bottom && bottom == left) << "all four read " << show(top);
}

TEST_F(sheet_cells, frames_and_rotation_marker_leave_the_slot_clear) {
  struct clear_area {
    const char *piece;
    int x0, y0, from_x, from_y;  // the 39 x 39 area of the slot inside the piece
  };
  const clear_area areas[] = {
      {"slot frame", 216, 40, 8, 7}, {"lit slot frame", 270, 40, 8, 7}, {"rotation marker", 464, 86, 16, 17}};
  for (const clear_area &a : areas) {
    int opaque = 0;
    for (int y = a.from_y; y < a.from_y + tile; y++)
      for (int x = a.from_x; x < a.from_x + tile; x++)
        if (pixel(sheet(), a.x0 + x, a.y0 + y) != mask) opaque++;
    EXPECT_EQ(opaque, 0) << a.piece << " covers the slot with " << opaque << " pixels";
  }
}

TEST_F(sheet_cells, slot_marks_blink_and_erase_cleanly) {
  // The blink draws the plain and the lit frame over each other: unless both cover the same
  // pixels, one leaves traces of the other behind.
  int differing = 0;
  for (int y = 0; y < 55; y++)
    for (int x = 0; x < 55; x++)
      differing += (pixel(sheet(), 216 + x, 40 + y) == mask) != (pixel(sheet(), 270 + x, 40 + y) == mask);
  EXPECT_EQ(differing, 0) << "pixels drawn by only one of the two slot frames";

  // The rotation marker is erased by copying back 72 x 72 pixels from its corner when a tile is
  // placed, and 71 x 71 pixels from one row lower when a tile is parked: anything outside both
  // squares would stay on the screen.
  int left_behind = 0;
  for (int i = 0; i < 73; i++)
    left_behind += (pixel(sheet(), 464 + 71, 86 + i) != mask) + (pixel(sheet(), 464 + 72, 86 + i) != mask) +
                   (pixel(sheet(), 464 + i, 86) != mask) + (pixel(sheet(), 464 + i, 86 + 72) != mask);
  EXPECT_EQ(left_behind, 0) << "rotation marker pixels beyond the erased squares";
}

TEST_F(sheet_cells, opaque_pieces_have_no_mask_pixel) {
  struct region {
    const char *piece;
    int x, y, w, h;
  };
  const region regions[] = {{"inactive cell", 624, 0, 39, 39},
                            {"empty cell", 663, 0, 39, 39},
                            {"slot cell", 741, 0, 41, 41},
                            {"stage box", 380, 41, 123, 38}};
  for (const region &r : regions) {
    int holes = 0;
    for (int y = r.y; y < r.y + r.h; y++)
      for (int x = r.x; x < r.x + r.w; x++)
        if (pixel(sheet(), x, y) == mask) holes++;
    EXPECT_EQ(holes, 0) << r.piece << " has " << holes << " mask pixels";
  }
}

// Each side's triangle, as the set of its non-mask pixels, the same for every colour.
using coverage = std::array<bool, tile * tile>;
coverage triangle_of(int code) {
  coverage cover{};
  for (int y = 0; y < tile; y++)
    for (int x = 0; x < tile; x++) cover[y * tile + x] = pixel(sheet(), tile * code + x, y) != mask;
  return cover;
}

TEST_F(sheet_cells, the_four_triangles_partition_every_tile) {
  // Every pixel of a tile belongs to exactly one side, whatever the colour, so a composed tile
  // has no mask pixel left and the drawing order does not matter.
  std::array<int, tile * tile> owners{};
  for (int side = 0; side < 4; side++) {
    const coverage shape = triangle_of(4 * side);
    for (int colour = 1; colour < 4; colour++)
      EXPECT_TRUE(triangle_of(4 * side + colour) == shape) << "side " << side << " colour " << colour << " differs";
    for (int i = 0; i < tile * tile; i++) owners[i] += shape[i] ? 1 : 0;
  }
  int holes = 0, overlaps = 0;
  for (int owner_count : owners) {
    holes += owner_count == 0;
    overlaps += owner_count > 1;
  }
  EXPECT_EQ(holes, 0);
  EXPECT_EQ(overlaps, 0);

  // A composed tile can never read as free or as inactive.
  for (int code = 0; code < 16; code++) {
    const colour3 at_free = pixel(sheet(), tile * code + 5, 5), at_inactive = pixel(sheet(), tile * code + 15, 5);
    if (at_free != mask) {
      EXPECT_NE(at_free, empty_grey) << "cell " << code << " at (5,5)";
    }
    if (at_inactive != mask) {
      EXPECT_NE(at_inactive, inactive_grey) << "cell " << code << " at (15,5)";
    }
  }
}

// The points where each side's triangle is read: its quadrant probe and its neighbour's point.
constexpr int side_points[4][2][2] = {
    {{20, 5}, {20, 2}}, {{35, 20}, {36, 20}}, {{20, 35}, {20, 36}}, {{5, 20}, {2, 20}}};

// Tile colour i as the file shows it: the top triangle's quadrant probe.
colour3 tile_colour(int i) { return pixel(sheet(), tile * i + side_points[0][0][0], side_points[0][0][1]); }

TEST_F(sheet_cells, every_triangle_reads_its_tile_colour_at_both_points) {
  for (int code = 0; code < 16; code++)
    for (const auto &point : side_points[code / 4]) {
      const colour3 got = pixel(sheet(), tile * code + point[0], point[1]);
      EXPECT_EQ(got, tile_colour(code % 4)) << "cell " << code << " at (" << point[0] << "," << point[1] << ")";
    }
}

TEST_F(sheet_cells, colour_swatches_show_the_tile_colours) {
  for (int i = 0; i < 4; i++) {
    bool found = false;
    for (int y = 100 + 9 * i; y < 109 + 9 * i; y++)
      for (int x = 410; x < 445; x++) found = found || pixel(sheet(), x, y) == tile_colour(i);
    EXPECT_TRUE(found) << "swatch " << i << " lacks " << show(tile_colour(i));
  }
}

// Colour-vision simulation (Machado, Oliveira and Fernandes 2009, full severity), applied in
// linear RGB, and the CIELAB distance (CIE76) between the results.
using matrix3 = std::array<std::array<double, 3>, 3>;
const matrix3 normal_vision = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
const matrix3 protanopia = {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                             {-0.003882, -0.048116, 1.051998}}};
const matrix3 deuteranopia = {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                               {-0.011820, 0.042940, 0.968881}}};
const matrix3 tritanopia = {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
                             {0.004733, 0.691367, 0.303900}}};

std::array<double, 3> seen_lab(colour3 c, const matrix3 &vision) {
  auto linear = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  const double in[3] = {linear(c.r), linear(c.g), linear(c.b)};
  double l[3];
  for (int i = 0; i < 3; i++)
    l[i] = std::fmin(1.0, std::fmax(0.0, vision[i][0] * in[0] + vision[i][1] * in[1] + vision[i][2] * in[2]));
  const double X = (0.4124 * l[0] + 0.3576 * l[1] + 0.1805 * l[2]) / 0.95047;
  const double Y = 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
  const double Z = (0.0193 * l[0] + 0.1192 * l[1] + 0.9505 * l[2]) / 1.08883;
  auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
  return {116 * f(Y) - 16, 500 * (f(X) - f(Y)), 200 * (f(Y) - f(Z))};
}

double seen_distance(colour3 a, colour3 b, const matrix3 &vision) {
  const auto la = seen_lab(a, vision), lb = seen_lab(b, vision);
  return std::sqrt((la[0] - lb[0]) * (la[0] - lb[0]) + (la[1] - lb[1]) * (la[1] - lb[1]) +
                   (la[2] - lb[2]) * (la[2] - lb[2]));
}

TEST_F(sheet_cells, tile_colours_stay_apart_for_every_kind_of_vision) {
  // A CIE76 distance of 2.3 is just noticeable side by side; 10 reads as a different colour at
  // a glance. Small triangles seen in passing need a wide margin: 20 between any two tile
  // colours and between a tile colour and the empty or inactive grey, under normal vision and
  // simulated protanopia, deuteranopia and tritanopia alike.
  constexpr double apart = 20.0;
  const struct {
    const char *name;
    const matrix3 *vision;
  } visions[] = {{"normal", &normal_vision}, {"protan", &protanopia}, {"deutan", &deuteranopia}, {"tritan", &tritanopia}};
  for (int i = 0; i < 4; i++) {
    EXPECT_NE(tile_colour(i), empty_grey) << "tile colour " << i;
    EXPECT_NE(tile_colour(i), inactive_grey) << "tile colour " << i;
  }
  for (const auto &v : visions)
    for (int i = 0; i < 4; i++) {
      for (int j = i + 1; j < 4; j++)
        EXPECT_GT(seen_distance(tile_colour(i), tile_colour(j), *v.vision), apart)
            << v.name << ": tile colours " << i << " " << show(tile_colour(i)) << " and " << j << " "
            << show(tile_colour(j));
      for (colour3 grey : {empty_grey, inactive_grey})
        EXPECT_GT(seen_distance(tile_colour(i), grey, *v.vision), apart)
            << v.name << ": tile colour " << i << " against " << show(grey);
    }
}

TEST_F(sheet_cells, masked_pieces_have_no_magenta_fringe) {
  // Soft edges blended into the mask colour would show as pink seams on the screen.
  struct region {
    const char *piece;
    int x, y, w, h;
  };
  const region regions[] = {{"quadrant cells", 0, 0, 624, 39},     {"preview cell", 702, 0, 39, 39},
                            {"slot frames", 216, 40, 109, 55},      {"stage marker", 511, 40, 20, 21},
                            {"rotation marker", 464, 86, 73, 73},   {"colour swatches", 410, 100, 35, 36},
                            {"veil", 300, 330, 171, 95}};
  for (const region &r : regions) {
    int fringe = 0;
    for (int y = r.y; y < r.y + r.h; y++)
      for (int x = r.x; x < r.x + r.w; x++) {
        const colour3 c = pixel(sheet(), x, y);
        if (c != mask && c.r > 150 && c.b > 150 && c.g < c.r - 90 && c.g < c.b - 90) fringe++;
      }
    EXPECT_EQ(fringe, 0) << r.piece << " has " << fringe << " magenta-tinted pixels";
  }
}

}  // namespace
