// In the real window, with real clicks on the easy board: taking the next tile, turning it,
// placing it, and parking it in the reserve and taking it back, each seen on the screen.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <loadpng.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using picture = std::unique_ptr<BITMAP, void (*)(BITMAP *)>;

constexpr int active_x = 603, active_y = 264;
constexpr int preview_x = 707, preview_y = 264;
constexpr int reserve_left = 582, reserve_top = 360, reserve_step = 43;
constexpr int middle_field = 85; // row 7, column 7 of 13: the middle of the free block

int corner_x(int k) { return 50 + 39 * ((k - 1) % 13); }
int corner_y(int k) { return 50 + 39 * ((k - 1) / 13); }
// Reserve slot n = 1..8: two rows of four.
int reserve_corner_x(int n) { return reserve_left + reserve_step * ((n - 1) % 4); }
int reserve_corner_y(int n) { return reserve_top + reserve_step * ((n - 1) / 4); }

bool colour_is(BITMAP *shot, int x, int y, int r, int g, int b) { return getpixel(shot, x, y) == makecol(r, g, b); }

// A field or slot with its corner at (x, y) reads the empty grey at its free probe.
bool empty_at(BITMAP *shot, int x, int y) { return colour_is(shot, x + 5, y + 5, 110, 110, 110); }

// The colours at the quadrant probes of a tile with its corner at (x, y): top, right, bottom, left.
struct quadrants {
  int side[4];
  bool operator==(const quadrants &o) const {
    return side[0] == o.side[0] && side[1] == o.side[1] && side[2] == o.side[2] && side[3] == o.side[3];
  }
};

quadrants read_tile(BITMAP *shot, int x, int y) {
  return {{getpixel(shot, x + 20, y + 5), getpixel(shot, x + 35, y + 20), getpixel(shot, x + 20, y + 35),
           getpixel(shot, x + 5, y + 20)}};
}

// A quarter turn clockwise: the new top is the old left, the new right the old top, and so on.
quadrants turned(const quadrants &q) { return {{q.side[3], q.side[0], q.side[1], q.side[2]}}; }

bool uniform(const quadrants &q) { return q.side[0] == q.side[1] && q.side[1] == q.side[2] && q.side[2] == q.side[3]; }

std::string describe(const quadrants &q) {
  std::string text;
  for (int c : q.side)
    text += "(" + std::to_string(getr(c)) + "," + std::to_string(getg(c)) + "," + std::to_string(getb(c)) + ") ";
  return text;
}

// Free fields of the 9x9 block that read the empty grey: all 81 once the start banner is gone.
int empty_block_fields(BITMAP *shot) {
  int count = 0;
  for (int r = 2; r <= 10; r++)
    for (int c = 2; c <= 10; c++)
      if (empty_at(shot, 50 + 39 * c, 50 + 39 * r)) count++;
  return count;
}

// The grey body of the start banner's box, below its two lines of text.
bool banner_shown(BITMAP *shot) { return colour_is(shot, 195, 270, 99, 99, 99) && colour_is(shot, 190, 215, 0, 0, 0); }

bool board_ready(BITMAP *shot) {
  int inactive = 0;
  for (int k = 1; k <= 169; k++)
    if (colour_is(shot, corner_x(k) + 15, corner_y(k) + 5, 83, 82, 84)) inactive++;
  return inactive == 88 && banner_shown(shot);
}

// Only the rows above y 247: the rotation marker of a tile in the slot overlaps the box's last three.
bool counter_shows(BITMAP *shot, BITMAP *counter) {
  for (int j = 0; j < 247 - 210; j++)
    for (int i = 0; i < counter->w; i++)
      if (getpixel(shot, 580 + i, 210 + j) != getpixel(counter, i, j)) return false;
  return true;
}

// The first screenshot that shows what is expected, or the last one after 5 s.
picture shot_when(game_run &game, const std::function<bool(BITMAP *)> &shows) {
  picture shot(game.screenshot_when(shows, 5), destroy_bitmap);
  if (!shot) throw std::runtime_error("no screenshot of the window");
  return shot;
}

// Left click on the active slot, with the preview read first: the slot must show those colours.
// Returns the colours taken.
quadrants take_tile(game_run &game) {
  picture before = shot_when(game, [](BITMAP *s) { return empty_at(s, active_x, active_y); });
  EXPECT_TRUE(empty_at(before.get(), active_x, active_y)) << "the active slot is not empty before a take";
  const quadrants preview = read_tile(before.get(), preview_x, preview_y);
  game.click(active_x + 19, active_y + 19);
  picture after = shot_when(game, [&](BITMAP *s) { return read_tile(s, active_x, active_y) == preview; });
  EXPECT_FALSE(empty_at(after.get(), active_x, active_y)) << "no tile in the active slot after a take";
  const quadrants taken = read_tile(after.get(), active_x, active_y);
  EXPECT_EQ(taken, preview) << "taken " << describe(taken) << "but the preview showed " << describe(preview);
  return taken;
}

// Left click on reserve slot n with a tile in the active slot: the tile moves there.
void park_tile(game_run &game, int n, const quadrants &tile) {
  const int x = reserve_corner_x(n), y = reserve_corner_y(n);
  game.click(x + 19, y + 19);
  picture shot =
      shot_when(game, [&](BITMAP *s) { return empty_at(s, active_x, active_y) && read_tile(s, x, y) == tile; });
  EXPECT_TRUE(empty_at(shot.get(), active_x, active_y)) << "the active slot still holds the parked tile";
  EXPECT_EQ(read_tile(shot.get(), x, y), tile) << "reserve slot " << n;
}

TEST(play, takes_turns_places_parks_and_takes_back_a_tile_with_real_clicks) {
  game_run game;
  game.start();
  ASSERT_TRUE(game.find_window()) << game.log();
  picture counter_81(counter_picture(game.folder, 81), destroy_bitmap);
  picture counter_80(counter_picture(game.folder, 80), destroy_bitmap);

  picture shot = shot_when(game, board_ready);
  ASSERT_TRUE(shot && board_ready(shot.get())) << "the easy board with its start banner never showed";
  EXPECT_LT(empty_block_fields(shot.get()), 81);
  EXPECT_TRUE(counter_shows(shot.get(), counter_81.get()));

  // The first take removes the banner and brings the preview's tile into the active slot.
  quadrants tile = take_tile(game);
  shot = shot_when(game, [](BITMAP *s) { return !banner_shown(s); });
  EXPECT_FALSE(banner_shown(shot.get())) << "the start banner stayed after the first take";
  EXPECT_EQ(empty_block_fields(shot.get()), 81);

  // A uniform tile cannot be turned: park such tiles in the second reserve row and take again.
  // The preview never offers a tile already parked, so this ends after two colours at most.
  for (int n = 5; uniform(tile) && n <= 8; n++) {
    park_tile(game, n, tile);
    tile = take_tile(game);
  }
  ASSERT_FALSE(uniform(tile)) << "only uniform tiles were offered: " << describe(tile);

  // A right click on a board field turns the tile in the slot clockwise and places nothing.
  const int fx = corner_x(middle_field), fy = corner_y(middle_field);
  const quadrants turned_tile = turned(tile);
  game.click(fx + 19, fy + 19, 3);
  shot = shot_when(game, [&](BITMAP *s) { return read_tile(s, active_x, active_y) == turned_tile; });
  EXPECT_EQ(read_tile(shot.get(), active_x, active_y), turned_tile)
      << "before " << describe(tile) << "after " << describe(read_tile(shot.get(), active_x, active_y));
  EXPECT_TRUE(empty_at(shot.get(), fx, fy)) << "the right click put something on the field";

  // A left click on the free middle field places the turned tile there and empties the slot.
  game.click(fx + 19, fy + 19);
  shot = shot_when(game, [&](BITMAP *s) {
    return !empty_at(s, fx, fy) && empty_at(s, active_x, active_y) && counter_shows(s, counter_80.get());
  });
  EXPECT_FALSE(empty_at(shot.get(), fx, fy)) << "the field stayed empty";
  EXPECT_EQ(read_tile(shot.get(), fx, fy), turned_tile) << describe(read_tile(shot.get(), fx, fy));
  EXPECT_TRUE(empty_at(shot.get(), active_x, active_y)) << "the active slot still shows a tile";
  EXPECT_TRUE(counter_shows(shot.get(), counter_80.get())) << "the counter does not read 80";

  // Another tile goes to reserve slot 1 and comes back from it unchanged.
  const quadrants second = take_tile(game);
  park_tile(game, 1, second);
  const int rx = reserve_corner_x(1), ry = reserve_corner_y(1);
  game.click(rx + 19, ry + 19);
  shot =
      shot_when(game, [&](BITMAP *s) { return empty_at(s, rx, ry) && read_tile(s, active_x, active_y) == second; });
  EXPECT_TRUE(empty_at(shot.get(), rx, ry)) << "reserve slot 1 still shows the tile";
  EXPECT_EQ(read_tile(shot.get(), active_x, active_y), second) << describe(read_tile(shot.get(), active_x, active_y));
  EXPECT_EQ(read_tile(shot.get(), fx, fy), turned_tile) << "the placed tile changed";
  EXPECT_TRUE(counter_shows(shot.get(), counter_80.get())) << "parking changed the counter";

  game.press_key("Escape");
  EXPECT_EQ(game.wait_exit(10), 0) << game.log();
}

} // namespace
