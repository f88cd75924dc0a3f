// In the real window: the game slides in a prepared easy board in Polish, lights the side button
// under the pointer, keeps the restart button veiled while no tile is down, and ends on Esc or
// on the window's close button.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <loadpng.h>

#include <string>

namespace {

bool colour_is(BITMAP *shot, int x, int y, int r, int g, int b) { return getpixel(shot, x, y) == makecol(r, g, b); }

// The ring of two fields round the 9x9 block, read at the inactive probe (15,5) of each field.
int inactive_fields_shown(BITMAP *shot) {
  int count = 0;
  for (int k = 1; k <= 169; k++) {
    const int x = 50 + 39 * ((k - 1) % 13), y = 50 + 39 * ((k - 1) / 13);
    if (colour_is(shot, x + 15, y + 5, 83, 82, 84)) count++;
  }
  return count;
}

bool shows(BITMAP *shot, BITMAP *part, int x, int y) {
  for (int j = 0; j < part->h; j++)
    for (int i = 0; i < part->w; i++)
      if (getpixel(shot, x + i, y + j) != getpixel(part, i, j)) return false;
  return true;
}

// Every opaque pixel of the veil over the restart button is on the screen.
bool restart_veiled(BITMAP *shot, BITMAP *sheet) {
  const int mask = makecol(255, 0, 255);
  for (int j = 0; j < 31; j++)
    for (int i = 0; i < 171; i++) {
      const int veil = getpixel(sheet, 300 + i, 330 + j);
      if (veil != mask && getpixel(shot, 585 + i, 462 + j) != veil) return false;
    }
  return true;
}

TEST(board, easy_board_is_prepared_lit_under_the_pointer_and_ends_on_escape) {
  game_run game;
  game.start();
  ASSERT_TRUE(game.find_window()) << game.log();
  BITMAP *counter_81 = counter_picture(game.folder, 81);
  BITMAP *counter_80 = counter_picture(game.folder, 80);
  BITMAP *sheet = load_png((game.folder + "/grafika/ele.png").c_str(), nullptr);

  BITMAP *shot = game.screenshot_when([&](BITMAP *s) { return inactive_fields_shown(s) == 88; }, 10);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(inactive_fields_shown(shot), 88);
  EXPECT_TRUE(shows(shot, counter_81, 580, 210)) << "the counter does not read 81";
  EXPECT_FALSE(shows(shot, counter_80, 580, 210));
  EXPECT_TRUE(restart_veiled(shot, sheet));
  EXPECT_TRUE(colour_is(shot, 200, 300, 110, 110, 110)); // an empty field beside the banner
  destroy_bitmap(shot);

  // The button under the pointer is lit, and only while the pointer is on it.
  game.move_to(650, 512);
  shot = game.screenshot_when([](BITMAP *s) { return colour_is(s, 598, 504, 117, 134, 51); });
  EXPECT_TRUE(colour_is(shot, 598, 504, 117, 134, 51));
  EXPECT_FALSE(colour_is(shot, 598, 537, 117, 134, 51));
  destroy_bitmap(shot);
  game.move_to(300, 300);
  shot = game.screenshot_when([](BITMAP *s) { return !colour_is(s, 598, 504, 117, 134, 51); });
  EXPECT_FALSE(colour_is(shot, 598, 504, 117, 134, 51));
  destroy_bitmap(shot);

  // No tile is down yet: the restart button stays veiled and a click on it changes nothing.
  game.click(650, 478);
  game.move_to(300, 300);
  shot = game.screenshot_when([&](BITMAP *s) { return restart_veiled(s, sheet); });
  ASSERT_NE(shot, nullptr);
  EXPECT_TRUE(restart_veiled(shot, sheet));
  EXPECT_EQ(inactive_fields_shown(shot), 88);
  destroy_bitmap(shot);

  game.press_key("Escape");
  EXPECT_EQ(game.wait_exit(10), 0) << game.log();
  destroy_bitmap(sheet);
  destroy_bitmap(counter_80);
  destroy_bitmap(counter_81);
}

TEST(board, window_close_button_ends_the_game_even_without_any_sound_device) {
  game_run game;
  game.start(true, "no-such-driver");
  ASSERT_TRUE(game.find_window()) << game.log();
  BITMAP *shot = game.screenshot_when([&](BITMAP *s) { return inactive_fields_shown(s) == 88; }, 10);
  EXPECT_EQ(inactive_fields_shown(shot), 88);
  destroy_bitmap(shot);
  game.close_window();
  EXPECT_EQ(game.wait_exit(10), 0) << game.log();
}

} // namespace
