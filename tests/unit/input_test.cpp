// The control map: which control lies under every edge of its rectangle, on each level; the
// snapshot rule; and the light on the side button under the pointer.
#include "tests/unit/game_fixture.h"

namespace {

struct hit_case {
  int x, y, level, control;
};

// Every rectangle's edges: the last pixel in and the first pixel out.
const hit_case hit_cases[] = {
    {50, 50, 1, 0},     {51, 51, 1, 1},       {556, 556, 1, 169},   {557, 300, 1, 0},
    {89, 89, 1, 15},    {556, 51, 1, 13},     {51, 556, 1, 157},    {50, 300, 1, 0},
    {600, 420, 2, 0},   {600, 420, 1, 176},   {600, 420, 3, 176},   {583, 379, 2, 172},
    {582, 379, 2, 0},   {749, 416, 2, 175},   {749, 417, 2, 0},     {583, 361, 1, 172},
    {583, 360, 3, 0},   {620, 398, 3, 172},   {621, 398, 3, 0},     {749, 441, 1, 179},
    {750, 441, 1, 0},   {749, 442, 3, 0},     {600, 441, 2, 0},     {603, 280, 1, 0},
    {604, 280, 1, 170}, {641, 302, 1, 170},   {642, 280, 1, 0},     {620, 264, 1, 0},
    {620, 303, 1, 0},   {707, 280, 1, 0},     {708, 265, 1, 171},   {745, 302, 1, 171},
    {746, 280, 1, 0},   {596, 470, 1, 0},     {597, 470, 1, 180},   {733, 486, 1, 180},
    {734, 480, 1, 0},   {650, 469, 1, 0},     {650, 487, 1, 0},     {650, 502, 1, 0},
    {650, 503, 1, 181}, {650, 521, 1, 181},   {650, 522, 1, 0},     {650, 536, 1, 182},
    {650, 556, 1, 182}, {650, 557, 1, 0},     {0, 0, 1, 0},         {799, 599, 1, 0},
};

class control_map : public ::testing::Test {
protected:
  void SetUp() override { prepare_test_board(1, 1, 1); }
  // A fresh snapshot at (x, y) on `of_level`, then the control map.
  int control_at(int x, int y, int of_level, int buttons = 0) {
    level = of_level;
    put_mouse(x, y, buttons);
    poll_input();
    hit_test();
    return hover_control;
  }
};

TEST_F(control_map, names_the_control_under_every_edge_of_its_rectangle) {
  for (const hit_case &c : hit_cases) {
    put_mouse(-1, -1, 0); // a change of snapshot between cases
    poll_input();
    EXPECT_EQ(control_at(c.x, c.y, c.level), c.control) << "at (" << c.x << "," << c.y << ") level " << c.level;
  }
}

TEST_F(control_map, keeps_the_control_while_the_snapshot_does_not_change) {
  EXPECT_EQ(control_at(89, 89, 1), 15);
  // The pointer did not move and no button changed: the last control stands even where the
  // map would not set it again.
  poll_input();
  EXPECT_EQ(hover_control, 15);
  hover_control = 99;
  poll_input();
  EXPECT_EQ(hover_control, 99);
  // A press without movement is a change: the control is found anew.
  put_mouse(89, 89, left_click);
  poll_input();
  EXPECT_EQ(hover_control, 0);
  EXPECT_EQ(mouse_b_now, left_click);
  hit_test();
  EXPECT_EQ(hover_control, 15);
  // Both buttons together are one value of their own, neither a left nor a right click.
  EXPECT_EQ(control_at(89, 89, 1, 3), 15);
  EXPECT_EQ(mouse_b_now, 3);
}

TEST_F(control_map, lights_only_the_side_button_under_the_pointer) {
  const int green = rgb(117, 134, 51);
  const int fill_y[3] = {471, 504, 537};
  for (int b = 0; b < 3; b++) {
    blit(board_snapshot, back_buffer, 580, 460, 580, 460, 220, 140);
    EXPECT_EQ(control_at(650, fill_y[b] + 5, 1), restart_button + b);
    for (int other = 0; other < 3; other++) {
      const bool lit = getpixel(back_buffer, 598, fill_y[other]) == green;
      EXPECT_EQ(lit, other == b) << "button " << other << " with the pointer on button " << b;
    }
    // The light fills the button's face, not just the point it starts from.
    EXPECT_EQ(getpixel(back_buffer, 720, fill_y[b] + 2), green);
  }
  blit(board_snapshot, back_buffer, 580, 460, 580, 460, 220, 140);
  control_at(650, 494, 1); // between two buttons
  for (int y : fill_y) EXPECT_NE(getpixel(back_buffer, 598, y), green);
}

} // namespace
