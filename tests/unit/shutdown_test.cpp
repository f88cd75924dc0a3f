// The closing line wipe paints every row of the screen in the closing grey.
#include "tests/unit/game_fixture.h"

namespace {

TEST(shutdown, exit_wipe_paints_every_row_grey) {
  clear_to_color(screen, rgb(0, 0, 200));
  exit_wipe();
  const int grey = rgb(50, 50, 50);
  for (int y = 0; y < scene_height; y++) {
    EXPECT_EQ(getpixel(screen, 0, y), grey) << y;
    EXPECT_EQ(getpixel(screen, scene_width - 1, y), grey) << y;
  }
  set_board_colours(); // the wipe takes the empty grey for its own at the very end
}

} // namespace
