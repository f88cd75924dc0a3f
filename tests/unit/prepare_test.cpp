// Board preparation: the inactive fields of each level as the probes read them, the stage
// markers, the reserve slots of each level, and what goes into the snapshot and the clean board.
#include <cstdlib>
#include <set>

#include "tests/unit/game_fixture.h"

namespace {

bool reads(BITMAP *bmp, int id, probe_offset probe, int colour) {
  return getpixel(bmp, field_x[id] + probe.dx, field_y[id] + probe.dy) == colour;
}

// Inactive fields read on board_snapshot (the banner covers part of back_buffer).
std::set<int> inactive_fields() {
  std::set<int> fields;
  for (int k = 1; k <= field_count; k++) {
    if (reads(board_snapshot, k, inactive_probe, inactive_color)) {
      EXPECT_FALSE(reads(board_snapshot, k, free_probe, empty_color)) << k;
      fields.insert(k);
    } else {
      EXPECT_TRUE(reads(board_snapshot, k, free_probe, empty_color)) << k;
    }
  }
  return fields;
}

// No field, inactive or not, has all four points five pixels beyond its sides off the grey.
void expect_no_field_walled_in() {
  for (int k = 1; k <= field_count; k++) {
    const int x = field_x[k], y = field_y[k];
    const bool open = getpixel(board_snapshot, x + 19, y - 5) == empty_color ||
                      getpixel(board_snapshot, x + 44, y + 19) == empty_color ||
                      getpixel(board_snapshot, x + 19, y + 44) == empty_color ||
                      getpixel(board_snapshot, x - 5, y + 19) == empty_color;
    EXPECT_TRUE(open) << "field " << k << " is walled in";
  }
}

TEST(board_preparation, easy_level_rings_a_nine_by_nine_block_with_88_inactive_fields) {
  prepare_test_board(1, 1, 1);
  const std::set<int> inactive = inactive_fields();
  EXPECT_EQ(inactive.size(), 88u);
  for (int k = 1; k <= field_count; k++) {
    const int row = field_row(k) + 1, column = field_column(k) + 1;
    const bool inner = row >= 3 && row <= 11 && column >= 3 && column <= 11;
    EXPECT_EQ(inactive.count(k) == 0, inner) << k;
  }
  for (int k : {27, 28, 38, 39}) EXPECT_EQ(inactive.count(k), 1u) << k;
  EXPECT_EQ(inactive.count(29), 0u);
  EXPECT_EQ(inactive_count, 88);
  EXPECT_EQ(remaining, 81);
}

TEST(board_preparation, hard_level_leaves_every_field_free) {
  prepare_test_board(3, 2, 2);
  EXPECT_TRUE(inactive_fields().empty());
  EXPECT_EQ(inactive_count, 0);
  EXPECT_EQ(remaining, 169);
}

TEST(board_preparation, normal_level_draws_13_to_19_fields_none_twice_none_walled_in) {
  std::set<int> counts_seen;
  prepare_test_board(2, 1, 1);
  for (unsigned seed = 1; seed <= 300; seed++) {
    std::srand(seed);
    prepare_board(); // on the same scene, board after board
    const std::set<int> inactive = inactive_fields();
    ASSERT_GE(inactive_count, 13) << "seed " << seed;
    ASSERT_LE(inactive_count, 19) << "seed " << seed;
    EXPECT_EQ(static_cast<int>(inactive.size()), inactive_count) << "seed " << seed;
    EXPECT_EQ(remaining + inactive_count, 169);
    expect_no_field_walled_in();
    counts_seen.insert(inactive_count);
    if (HasFailure()) break;
  }
  EXPECT_EQ(counts_seen.size(), 7u); // every count from 13 to 19 comes up
}

TEST(board_preparation, keeps_the_empty_board_without_inactive_fields_in_the_clean_scene) {
  std::srand(7);
  prepare_test_board(2, 1, 1);
  for (int k = 1; k <= field_count; k++) EXPECT_TRUE(reads(clean_scene, k, free_probe, empty_color)) << k;
  // The banner is on back_buffer only; the snapshot has the board without it.
  EXPECT_TRUE(same_pixels(back_buffer, board_snapshot, 0, 0, 180, 600));
  EXPECT_FALSE(same_pixels(back_buffer, board_snapshot, 190, 215, 226, 61));
}

TEST(board_preparation, shows_a_marker_for_every_stage_reached) {
  BITMAP *bare = create_bitmap(scene_width, scene_height);
  for (int s = 1; s <= 3; s++) {
    prepare_test_board(1, s, 1);
    BITMAP *prepared = create_bitmap(scene_width, scene_height);
    blit(back_buffer, prepared, 0, 0, 0, 0, scene_width, scene_height);
    build_stage_scene();
    blit(back_buffer, bare, 0, 0, 0, 0, scene_width, scene_height);
    for (int place = 1; place <= 3; place++) {
      const int x = 571 + 43 * place;
      if (place <= s) masked_blit(sprite_sheet, bare, 511, 40, x, 168, 20, 21);
      EXPECT_TRUE(same_pixels(prepared, bare, x, 168, 20, 21)) << "stage " << s << ", marker " << place;
    }
    destroy_bitmap(prepared);
  }
  destroy_bitmap(bare);
}

TEST(board_preparation, lays_out_the_reserve_slots_of_the_level) {
  struct reserve_case {
    int level, slots, first_row_y;
  };
  for (const reserve_case &c : {reserve_case{1, 8, 360}, reserve_case{2, 4, 378}, reserve_case{3, 8, 360}}) {
    prepare_test_board(c.level, 1, 1);
    for (int n = 1; n <= 8; n++) {
      const int id = 171 + n, column = (n - 1) % 4, row = (n - 1) / 4;
      const int x = 582 + 43 * column, y = c.first_row_y + 43 * row;
      const bool exists = n <= c.slots;
      if (exists) {
        EXPECT_EQ(field_x[id], x);
        EXPECT_EQ(field_y[id], y);
      }
      EXPECT_EQ(getpixel(back_buffer, x + 5, y + 5) == empty_color, exists) << "level " << c.level << " slot " << n;
    }
  }
}

TEST(board_preparation, leaves_the_active_slot_empty_and_the_preview_outlined) {
  prepare_test_board(3, 1, 1);
  EXPECT_TRUE(reads(back_buffer, active_slot, free_probe, empty_color));
  EXPECT_FALSE(reads(back_buffer, preview_slot, free_probe, empty_color)); // nothing generated yet
  EXPECT_EQ(tile_taken, 0);
}

} // namespace
