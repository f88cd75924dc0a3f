// The frame of play: the moves run in their order between the control map and the picture, the
// side-button area is restored after every frame, and the side buttons act only on a left click
// under their conditions.
#include <string>
#include <vector>

#include "tests/unit/game_fixture.h"

namespace {

std::vector<std::string> calls;
int control_seen_by_first_move;
bool screen_shown_before_last_move;
constexpr int marker_x = 300, marker_y = 100; // a point of the board that the first move paints

void record(const char *name) { calls.push_back(name); }
void first_move() {
  record("rotate");
  control_seen_by_first_move = hover_control;
  putpixel(back_buffer, marker_x, marker_y, rgb(1, 2, 3));
}
void second_move() { record("take"); }
void third_move() { record("reserve"); }
void fourth_move() { record("place"); }
void last_move() {
  record("info");
  screen_shown_before_last_move = getpixel(screen, marker_x, marker_y) == rgb(1, 2, 3);
}

class frame : public ::testing::Test {
protected:
  void (*saved_moves[5])();
  void SetUp() override {
    for (int i = 0; i < 5; i++) saved_moves[i] = frame_moves[i];
    prepare_test_board(1, 1, 1);
    key[KEY_ESC] = 0;
  }
  void TearDown() override {
    for (int i = 0; i < 5; i++) frame_moves[i] = saved_moves[i];
    key[KEY_ESC] = 0;
    put_mouse(0, 0, 0);
    poll_input();
  }
};

TEST_F(frame, runs_the_moves_in_order_after_the_control_map_and_before_the_picture) {
  frame_moves[0] = first_move;
  frame_moves[1] = second_move;
  frame_moves[2] = third_move;
  frame_moves[3] = fourth_move;
  frame_moves[4] = last_move;
  calls.clear();
  put_mouse(89, 89, 0);
  EXPECT_EQ(play_frame(), frame_goes_on);
  EXPECT_EQ(calls, (std::vector<std::string>{"rotate", "take", "reserve", "place", "info"}));
  EXPECT_EQ(control_seen_by_first_move, 15);
  EXPECT_FALSE(screen_shown_before_last_move);
  EXPECT_EQ(getpixel(screen, marker_x, marker_y), rgb(1, 2, 3));
}

TEST_F(frame, restores_the_side_buttons_after_showing_their_light_and_veil) {
  const int green = rgb(117, 134, 51);
  put_mouse(650, 510, 0); // on the info button
  board_started = 0;
  play_frame();
  EXPECT_EQ(getpixel(screen, 598, 504), green);
  // The veil over the restart button reached the screen while no tile is on the board...
  EXPECT_FALSE(same_pixels(screen, board_snapshot, 585, 462, 171, 31));
  // ...and back_buffer has the side-button area of the snapshot again.
  EXPECT_TRUE(same_pixels(back_buffer, board_snapshot, 580, 460, 220, 140));

  board_started = 1;
  put_mouse(300, 300, 0);
  play_frame();
  EXPECT_TRUE(same_pixels(screen, board_snapshot, 580, 460, 220, 140));
}

TEST_F(frame, side_buttons_act_on_a_left_click_under_their_conditions) {
  struct frame_case {
    const char *what;
    int x, y, buttons, started, left;
    bool esc;
    frame_end end;
    int skip_after, started_after;
  };
  const frame_case cases[] = {
      {"restart before any tile", 650, 478, left_click, 0, 81, false, frame_goes_on, 0, 0},
      {"restart with the right button", 650, 478, right_click, 1, 81, false, frame_goes_on, 0, 1},
      {"restart with both buttons", 650, 478, 3, 1, 81, false, frame_goes_on, 0, 1},
      {"restart", 650, 478, left_click, 1, 81, false, frame_restart, 1, 0},
      {"save and exit", 650, 545, left_click, 0, 81, false, frame_to_menu, 0, 0},
      {"save with the right button", 650, 545, right_click, 1, 81, false, frame_goes_on, 0, 1},
      {"a full board comes first", 650, 478, left_click, 1, 0, false, frame_board_full, 1, 1},
      {"esc", 300, 300, 0, 1, 81, true, frame_quit, 0, 1},
  };
  for (const frame_case &c : cases) {
    put_mouse(c.x, c.y, c.buttons);
    board_started = c.started;
    remaining = c.left;
    skip_slide_in = 1;
    key[KEY_ESC] = c.esc;
    EXPECT_EQ(play_frame(), c.end) << c.what;
    EXPECT_EQ(skip_slide_in, c.skip_after) << c.what;
    EXPECT_EQ(board_started, c.started_after) << c.what;
    put_mouse(0, 0, 0);
    poll_input();
  }
}

} // namespace
