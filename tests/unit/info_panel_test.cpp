// The info panel: the figures of the board in both languages, the colour swatches of the stage,
// the panel on the screen while the button is held and the board back after the release, and
// back_buffer left as it was.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/unit/game_fixture.h"

namespace {

constexpr int info_x = 650, info_y = 510; // the middle of the info button
constexpr int row_height = 20;
constexpr int box_left = 100, box_top = 178, box_right = 504, box_bottom = 390;

// Puts the pointer on the info button with `buttons` held and finds the control as a frame does.
// The live buttons stay as they are; release them before running the panel unless a thread does.
void hover_info(int buttons) {
  put_mouse(info_x, info_y, buttons);
  poll_input();
  hit_test();
}

struct panel_text {
  const char *label, *value;
};

// The panel as it should look: back_buffer with the box, the title, the rows and `swatches`
// colour bars; rows 1..7 from the top, the colour row (3) without a value text.
BITMAP *expected_panel(const panel_text rows[7], int swatches) {
  BITMAP *panel = create_bitmap(scene_width, scene_height);
  blit(back_buffer, panel, 0, 0, 0, 0, scene_width, scene_height);
  rectfill(panel, box_left, box_top, box_right, box_bottom, makecol(0, 0, 0));
  rectfill(panel, 107, 185, 497, 383, makecol(99, 111, 55));
  rect(panel, 104, 182, 500, 386, makecol(233, 233, 233));
  textprintf_ex(panel, font_arial16, 130, 185, makecol(71, 82, 15), -1, "%s", "----------------- INFO -----------------");
  for (int r = 0; r < 7; r++) {
    const int y = 215 + row_height * r;
    textprintf_ex(panel, font_arial16, 125, y, makecol(160, 177, 111), -1, "%s", rows[r].label);
    if (rows[r].value) textprintf_ex(panel, font_arial16, 340, y, makecol(210, 237, 161), -1, "%s", rows[r].value);
  }
  for (int i = 0; i < swatches; i++) masked_blit(sprite_sheet, panel, 410, 100 + 9 * i, 337 + 35 * i, 263, 35, 9);
  return panel;
}

class info_panel : public ::testing::Test {
protected:
  void TearDown() override {
    put_mouse(0, 0, 0);
    poll_input();
  }
};

// Every row of the panel in both languages and on every level, with the swatches of the colours
// in play; back_buffer stays as it was.
TEST_F(info_panel, shows_the_figures_of_the_board_in_the_players_language) {
  struct panel_case {
    const char *what;
    int level, stage, language, left;
    panel_text rows[7];
  };
  // Fields to insert and inactive fields are filled in from the prepared board (null here).
  const panel_case cases[] = {
      {"normal, stage 2, English", 2, 2, 2, 140,
       {{"Level:", "NORMAL"}, {"Stage:", "2"}, {"Color blocks:", nullptr}, {"Rotate the block:", "Yes"},
        {"Fields to insert:", nullptr}, {"Remaining:", "140"}, {"Inactive fields:", nullptr}}},
      {"hard, stage 3, Polish", 3, 3, 1, 97,
       {{"Poziom:", "TRUDNY"}, {"Etap:", "3"}, {"Kolory klocków:", nullptr}, {"Obrót klocka:", "Co drugi"},
        {"Pól do zapełnienia:", "169"}, {"Pozostało:", "97"}, {"Nieczynnych pól:", "0"}}},
      {"easy, stage 1, Polish", 1, 1, 1, 81,
       {{"Poziom:", "ŁATWY"}, {"Etap:", "1"}, {"Kolory klocków:", nullptr}, {"Obrót klocka:", "Tak"},
        {"Pól do zapełnienia:", "81"}, {"Pozostało:", "81"}, {"Nieczynnych pól:", "88"}}},
      {"hard, stage 1, English", 3, 1, 2, 5,
       {{"Level:", "HARD"}, {"Stage:", "1"}, {"Color blocks:", nullptr}, {"Rotate the block:", "Every other"},
        {"Fields to insert:", "169"}, {"Remaining:", "5"}, {"Inactive fields:", "0"}}},
  };
  for (const panel_case &c : cases) {
    prepare_test_board(c.level, c.stage, c.language);
    remaining = c.left;
    panel_text rows[7];
    for (int r = 0; r < 7; r++) rows[r] = c.rows[r];
    const std::string to_fill = std::to_string(field_count - inactive_count);
    const std::string inactive = std::to_string(inactive_count);
    if (!rows[4].value) rows[4].value = to_fill.c_str();
    if (!rows[6].value) rows[6].value = inactive.c_str();

    hover_info(left_click);
    mouse_b = 0;
    BITMAP *board = create_bitmap(scene_width, scene_height);
    blit(back_buffer, board, 0, 0, 0, 0, scene_width, scene_height);
    show_info_panel();
    BITMAP *expected = expected_panel(rows, c.stage + 1);
    for (int r = 0; r < 7; r++)
      EXPECT_TRUE(same_pixels(panel_buffer, expected, box_left, 215 + row_height * r, box_right - box_left + 1, row_height))
          << c.what << ": row \"" << rows[r].label << "\"";
    EXPECT_TRUE(same_pixels(panel_buffer, expected, 0, 0, scene_width, scene_height)) << c.what;
    EXPECT_TRUE(same_pixels(back_buffer, board, 0, 0, scene_width, scene_height)) << c.what;
    destroy_bitmap(expected);
    destroy_bitmap(board);
  }
}

// While the button is held the screen shows the panel over the board; on release the board comes
// back. Each of the two moments has its sound.
TEST_F(info_panel, stands_on_the_screen_until_the_button_is_let_go) {
  prepare_test_board(2, 2, 2);
  clear_to_color(screen, makecol(0, 0, 255));
  hover_info(left_click);
  const int shown_before = sounds_played[sound_panel_shown];
  const int closed_before = sounds_played[sound_panel_closed];

  // A second hand watches the screen while the button is held, then lets the button go.
  BITMAP *held = create_bitmap(scene_width, scene_height);
  std::atomic<int> shown_while_held{-1}, closed_while_held{-1};
  std::thread hand([&] {
    const int box = makecol(0, 0, 0);
    for (int waited = 0; waited < 2000 && getpixel(screen, box_left, box_top) != box; waited++)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    blit(screen, held, 0, 0, 0, 0, scene_width, scene_height);
    shown_while_held = sounds_played[sound_panel_shown];
    closed_while_held = sounds_played[sound_panel_closed];
    mouse_b = 0;
  });
  show_info_panel();
  hand.join();

  EXPECT_TRUE(same_pixels(held, panel_buffer, board_left, board_top, 500, 500));
  // Only the board area: the rest of the screen is not touched.
  EXPECT_EQ(getpixel(held, board_left - 1, board_top), makecol(0, 0, 255));
  EXPECT_EQ(getpixel(held, board_left + 500, board_top + 499), makecol(0, 0, 255));
  EXPECT_EQ(shown_while_held - shown_before, 1);
  EXPECT_EQ(closed_while_held - closed_before, 0);
  EXPECT_TRUE(same_pixels(screen, back_buffer, board_left, board_top, 500, 500));
  EXPECT_EQ(getpixel(screen, board_left + 500, board_top), makecol(0, 0, 255));
  EXPECT_EQ(sounds_played[sound_panel_shown] - shown_before, 1);
  EXPECT_EQ(sounds_played[sound_panel_closed] - closed_before, 1);
  destroy_bitmap(held);
}

// Only the left button alone opens the panel.
TEST_F(info_panel, other_buttons_on_the_info_button_do_nothing) {
  prepare_test_board(1, 1, 2);
  for (int buttons : {right_click, 3, 0}) {
    clear_to_color(screen, makecol(0, 0, 255));
    clear_to_color(panel_buffer, makecol(0, 255, 0));
    const int shown_before = sounds_played[sound_panel_shown];
    const int closed_before = sounds_played[sound_panel_closed];
    hover_info(buttons);
    mouse_b = 0;
    show_info_panel();
    EXPECT_EQ(getpixel(panel_buffer, 300, 300), makecol(0, 255, 0)) << buttons;
    EXPECT_EQ(getpixel(screen, 300, 300), makecol(0, 0, 255)) << buttons;
    EXPECT_EQ(sounds_played[sound_panel_shown], shown_before) << buttons;
    EXPECT_EQ(sounds_played[sound_panel_closed], closed_before) << buttons;
  }
}

} // namespace
