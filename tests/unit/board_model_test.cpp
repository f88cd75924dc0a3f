// Quadrant codes: quarter turns and the codes that face a neighbour's quadrant; the corners of
// the fields.
#include "tests/unit/game_fixture.h"

namespace {

TEST(quadrant_codes, turn_a_quarter_clockwise_and_come_back_after_four) {
  const int turns[][2] = {{0, 4}, {3, 7}, {4, 8}, {11, 15}, {12, 0}, {15, 3}};
  for (const auto &t : turns) EXPECT_EQ(quarter_turn(t[0]), t[1]) << t[0];
  for (int code = 0; code < 16; code++) {
    EXPECT_EQ(colour_of(quarter_turn(code)), colour_of(code));
    EXPECT_EQ(side_of(quarter_turn(code)), (side_of(code) + 1) % 4);
    EXPECT_EQ(quarter_turn(quarter_turn(quarter_turn(quarter_turn(code)))), code);
  }
}

TEST(quadrant_codes, facing_quadrants_keep_the_colour_on_the_opposite_side) {
  for (int colour = 0; colour < 4; colour++) {
    EXPECT_EQ(facing_from_above(8 + colour), colour);      // their bottom faces our top
    EXPECT_EQ(facing_from_right(12 + colour), 4 + colour); // their left faces our right
    EXPECT_EQ(facing_from_below(colour), 8 + colour);      // their top faces our bottom
    EXPECT_EQ(facing_from_left(4 + colour), 12 + colour);  // their right faces our left
  }
}

TEST(field_geometry, corners_run_row_by_row_from_the_top_left) {
  const int corners[][3] = {{1, 50, 50}, {13, 518, 50}, {14, 50, 89}, {157, 50, 518}, {169, 518, 518}};
  for (const auto &c : corners) {
    EXPECT_EQ(field_corner_x(c[0]), c[1]) << c[0];
    EXPECT_EQ(field_corner_y(c[0]), c[2]) << c[0];
  }
}

} // namespace
