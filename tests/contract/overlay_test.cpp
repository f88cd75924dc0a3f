// The frame overlay grafika/pl2.png, loaded as the game loads it: the regions the moves restore
// with opaque copies, the grey round the board that the outer fields' neighbour probes read,
// and the side buttons that the hover highlight flood-fills.
#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <string>

#include "tests/contract/contract.h"

namespace {


// The overlay, loaded once for all tests of this file.
BITMAP *overlay() {
  static BITMAP *loaded = load_png("grafika/pl2.png", nullptr);
  return loaded;
}

class overlay_picture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(overlay(), nullptr) << "grafika/pl2.png does not load"; }
};

TEST_F(overlay_picture, covers_the_screen) {
  EXPECT_EQ(overlay()->w, 800);
  EXPECT_EQ(overlay()->h, 600);
}

TEST_F(overlay_picture, restored_regions_are_opaque) {
  struct region {
    const char *name;
    int x, y, w, h;
  };
  const region regions[] = {{"level name box", 585, 85, 156, 29},
                            {"reserve zone", 580, 358, 172, 86},
                            {"remaining counter", 580, 210, 160, 40},
                            {"round the active slot", 587, 247, 72, 72},
                            {"round the active slot, inner", 587, 248, 71, 71}};
  for (const region &r : regions) {
    int holes = 0;
    for (int y = r.y; y < r.y + r.h; y++)
      for (int x = r.x; x < r.x + r.w; x++)
        if (pixel(overlay(), x, y) == mask) holes++;
    EXPECT_EQ(holes, 0) << r.name << " has " << holes << " mask pixels";
  }
}

TEST_F(overlay_picture, outer_fields_see_empty_grey_beyond_the_board) {
  // Three pixels beyond each edge of the board, opposite the middle of every outer field.
  for (int i = 0; i < 13; i++) {
    const int middle = 50 + 39 * i + 20;
    const int points[4][2] = {{47, middle}, {559, middle}, {middle, 47}, {middle, 559}};
    for (const auto &p : points) {
      const colour3 got = pixel(overlay(), p[0], p[1]);
      EXPECT_EQ(got, empty_grey) << "at (" << p[0] << "," << p[1] << ") reads (" << got.r << "," << got.g << ","
                                 << got.b << ")";
    }
  }
}

TEST_F(overlay_picture, hover_fill_stays_inside_each_side_button) {
  struct button {
    const char *name;
    int fill_x, fill_y;      // where the hover highlight starts its flood fill
    int x0, y0, x1, y1;      // the button's rectangle, both ends included
  };
  const button buttons[] = {{"restart", 598, 471, 597, 470, 733, 486},
                            {"info", 598, 504, 597, 503, 733, 521},
                            {"save", 598, 537, 597, 536, 733, 556}};
  const int probe_colour = makecol(1, 2, 3);
  for (const button &b : buttons) {
    ASSERT_FALSE(pixel(overlay(), b.fill_x, b.fill_y) == (colour3{1, 2, 3}));
    BITMAP *copy = create_bitmap_ex(24, overlay()->w, overlay()->h);
    blit(overlay(), copy, 0, 0, 0, 0, copy->w, copy->h);
    floodfill(copy, b.fill_x, b.fill_y, probe_colour);
    int inside = 0, outside = 0;
    for (int y = 0; y < copy->h; y++)
      for (int x = 0; x < copy->w; x++) {
        if (getpixel(copy, x, y) == getpixel(overlay(), x, y)) continue;
        const bool in_button = x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1;
        (in_button ? inside : outside)++;
      }
    destroy_bitmap(copy);
    const int area = (b.x1 - b.x0 + 1) * (b.y1 - b.y0 + 1);
    EXPECT_EQ(outside, 0) << b.name << ": the fill leaks out of the button";
    EXPECT_GE(inside, area * 2 / 3) << b.name << ": the fill covers only " << inside << " of " << area << " pixels";
  }
}

}  // namespace
