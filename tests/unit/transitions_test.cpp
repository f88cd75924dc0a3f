// The whole-screen transitions: the split slide halfway and at its end, and the centre wipe.
#include <atomic>
#include <thread>

#include "tests/unit/game_fixture.h"

namespace {

// Pictures in which every column (or row) has a colour of its own.
int column_colour(int picture, int x) { return rgb(x % 256, x / 256 * 60 + picture * 100, 40); }

void paint_columns(BITMAP *bmp, int picture) {
  for (int x = 0; x < scene_width; x++) vline(bmp, x, 0, scene_height - 1, column_colour(picture, x));
}

// What a column of the screen shows at top and bottom.
bool column_is(int x, int colour) {
  return getpixel(screen, x, 0) == colour && getpixel(screen, x, scene_height - 1) == colour;
}

TEST(split_slide, halfway_the_halves_have_moved_apart_over_the_new_picture) {
  paint_columns(screen, 0);
  paint_columns(back_buffer, 1);
  split_slide_steps(1, 200);
  for (int x = 0; x <= 199; x++) EXPECT_TRUE(column_is(x, column_colour(0, x + 200))) << x;
  EXPECT_TRUE(column_is(200, column_colour(1, 201)));
  for (int x = 201; x <= 599; x++) EXPECT_TRUE(column_is(x, column_colour(1, x))) << x;
  EXPECT_TRUE(column_is(600, column_colour(1, 599)));
  for (int x = 601; x <= 799; x++) EXPECT_TRUE(column_is(x, column_colour(0, x - 200))) << x;

  split_slide_steps(201, split_slide_last_step);
  EXPECT_TRUE(same_pixels(screen, back_buffer, 0, 0, scene_width, scene_height));
}

TEST(split_slide, whole_slide_ends_on_the_new_picture) {
  paint_columns(screen, 0);
  prepare_test_board(2, 1, 2, true);
  EXPECT_TRUE(same_pixels(screen, back_buffer, 0, 0, scene_width, scene_height));
}

TEST(split_slide, is_left_out_when_the_board_is_prepared_without_it) {
  paint_columns(screen, 0);
  prepare_test_board(1, 2, 1, false);
  for (int x = 0; x < scene_width; x += 7) EXPECT_TRUE(column_is(x, column_colour(0, x))) << x;
}

TEST(centre_wipe, closes_in_row_pairs_paced_by_the_tick) {
  for (int y = 0; y < scene_height; y++) hline(photo_buffer, 0, y, scene_width - 1, rgb(y % 256, 200, y / 256));
  clear_to_color(screen, rgb(0, 0, 0));
  std::atomic<bool> done{false};
  std::atomic<int> ticks_given{0};
  std::thread timer([&] {
    while (!done) {
      tick_count++;
      ticks_given++;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  centre_wipe();
  done = true;
  timer.join();
  EXPECT_TRUE(same_pixels(screen, photo_buffer, 0, 0, scene_width, scene_height));
  EXPECT_GE(ticks_given, 301); // one step per tick
}

} // namespace
