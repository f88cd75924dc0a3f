// Quadrant codes: quarter turns and the codes that face a neighbour's quadrant; the corners of
// the fields; tile pictures composed from the sheet and moved between fields.
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

// A tile composed from its quadrant cells reads each quadrant's colour at its probe, and moving
// its picture to another field carries every pixel.
TEST(tile_pictures, compose_reads_back_at_the_probes_and_move_carries_every_pixel) {
  prepare_test_board(3, 3, 1);
  const int tile[5] = {0, 1, 4 + 2, 8 + 3, 12 + 0}; // top 1, right 2, bottom 3, left 0
  const int k = 20, to = 100;
  compose_tile(back_buffer, tile, field_x[k], field_y[k]);
  for (int q = 1; q <= 4; q++) {
    const probe_offset p = quadrant_probes[q];
    EXPECT_EQ(read_probe(k, p), getpixel(sprite_sheet, tile_size * tile[q] + p.dx, p.dy)) << "quadrant " << q;
  }
  EXPECT_NE(read_probe(k, free_probe), empty_color);
  move_tile_picture(k, to);
  for (int y = 0; y < tile_size; y++)
    for (int x = 0; x < tile_size; x++)
      ASSERT_EQ(getpixel(back_buffer, field_x[to] + x, field_y[to] + y), getpixel(back_buffer, field_x[k] + x, field_y[k] + y));
}

} // namespace
