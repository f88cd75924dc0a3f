// The reserve: a left click on a reserve slot parks the active tile there or takes a parked tile
// back, picture and codes alike, turns included; no swap, and only the both-empty click sounds.
#include <vector>

#include "tests/unit/game_fixture.h"

namespace {

bool same_tile_picture(BITMAP *a, int a_id, BITMAP *b, int b_id) {
  return same_picture(a, field_x[a_id], field_y[a_id], b, field_x[b_id], field_y[b_id], tile_size, tile_size);
}

const tile_record plain_tile = {{0, 1, 4 + 2, 8 + 0, 12 + 3}};
const tile_record uniform_tile = {{0, 2, 4 + 2, 8 + 2, 12 + 2}};
// Another tile turned once: element i no longer has side i - 1.
const tile_record turned_tile = {{0, 4 + 1, 8 + 2, 12 + 3, 0 + 0}};
const int turned_by_side[5] = {0, 0, 4 + 1, 8 + 2, 12 + 3};

// A tile parked in reserve slot n: its picture and its record.
void put_in_reserve(int n, const tile_record &tile) {
  draw_tile_at(reserve_slots + n - 1, tile.codes);
  for (int i = 1; i <= 4; i++) reserve_tiles[n][i] = tile.codes[i];
}

// A board of the level in play: prepared, its start banner gone as after the first take.
void board_in_play(int of_level) {
  prepare_test_board(of_level, 3, 1);
  remove_start_banner();
}

// Every visible pixel of the rotation marker round the slot (the tile covers its middle).
bool marker_shown() {
  const int mask = bitmap_mask_color(sprite_sheet);
  for (int y = 0; y < 73; y++)
    for (int x = 0; x < 73; x++) {
      const int px = 587 + x, py = 247 + y;
      const bool on_tile = px >= active_slot_x && px < active_slot_x + tile_size && py >= active_slot_y &&
                           py < active_slot_y + tile_size;
      const int ink = getpixel(sprite_sheet, 464 + x, 86 + y);
      if (!on_tile && ink != mask && getpixel(back_buffer, px, py) != ink) return false;
    }
  return true;
}

std::vector<int> all_sounds() { return {sounds_played, sounds_played + sound_split_slide + 1}; }

class reserve : public ::testing::Test {
protected:
  void TearDown() override {
    put_mouse(0, 0, 0);
    poll_input();
  }
  void click(int id, int buttons = left_click) {
    press_on(id, buttons);
    use_reserve_slot();
  }
  // A whole frame's moves in their order, as the game runs them.
  void frame_click(int id) {
    press_on(id, left_click);
    for (void (*move)() : frame_moves) move();
  }
};

// A turned tile parked and taken back comes back pixel for pixel with its codes, turns included,
// and placing it then records the codes as shown. Neither move counts a tile or starts the board.
TEST_F(reserve, parks_and_takes_back_a_turned_tile_with_its_picture_and_codes) {
  const int cases[][2] = {{1, 8}, {2, 4}, {3, 1}}; // level, reserve slot
  for (const auto &c : cases) {
    const int id = reserve_slots + c[1] - 1;
    board_in_play(c[0]);
    board_started = 0;
    const int left = remaining;
    put_in_slot(turned_tile);
    const bitmap_ptr taken = copy_of(back_buffer);
    const std::vector<int> sounds = all_sounds();

    click(id);
    EXPECT_EQ(active_tile_present, 0) << "level " << c[0];
    EXPECT_TRUE(same_tile_picture(back_buffer, id, taken.get(), active_slot)) << "level " << c[0];
    for (int i = 1; i <= 4; i++) EXPECT_EQ(reserve_tiles[c[1]][i], turned_tile.codes[i]);
    // The slot round about is the scene with the plain frame and the empty slot cell: not one pixel
    // of the marker is left, on its first row and its last columns neither.
    const bitmap_ptr bare = copy_of(back_buffer);
    blit(clean_scene, bare.get(), 587, 247, 587, 247, 73, 73);
    masked_blit(sprite_sheet, bare.get(), 216, 40, 595, 257, 55, 55);
    blit(sprite_sheet, bare.get(), slot_cell_x, 0, active_slot_x - 1, active_slot_y - 1, tile_size + 2, tile_size + 2);
    EXPECT_TRUE(same_pixels(back_buffer, bare.get(), 587, 247, 73, 73)) << "marker left after parking, level " << c[0];
    EXPECT_TRUE(same_pixels(screen, back_buffer, 0, 0, scene_width, scene_height));
    EXPECT_EQ(sounds_played[sound_tile_parked] - sounds[sound_tile_parked], 1);

    for (int i = 1; i <= 4; i++) active_tile[i] = active_by_side[i] = no_tile; // as if forgotten
    click(id);
    EXPECT_EQ(active_tile_present, 1);
    EXPECT_TRUE(same_tile_picture(back_buffer, active_slot, taken.get(), active_slot)) << "level " << c[0];
    EXPECT_TRUE(same_picture(back_buffer, field_x[id], field_y[id], sprite_sheet, empty_cell_x, 0, tile_size, tile_size));
    for (int i = 1; i <= 4; i++) {
      EXPECT_EQ(active_tile[i], turned_tile.codes[i]);
      EXPECT_EQ(active_by_side[i], turned_by_side[i]);
      EXPECT_EQ(reserve_tiles[c[1]][i], turned_tile.codes[i]); // the record stays
    }
    EXPECT_EQ(sounds_played[sound_tile_taken_back] - sounds[sound_tile_taken_back], 1);
    EXPECT_EQ(remaining, left);
    EXPECT_EQ(board_started, 0);

    int k = 1;
    while (read_probe(k, free_probe) != empty_color) k++;
    press_on(k, left_click);
    place_active_tile();
    EXPECT_TRUE(same_tile_picture(back_buffer, k, taken.get(), active_slot)) << "level " << c[0];
    for (int s = 1; s <= 4; s++) EXPECT_EQ(board_tiles[k][s], turned_by_side[s]) << "level " << c[0];
  }
}

struct click_case {
  const char *what;
  bool tile_in_slot;
  int present;
  bool tile_in_reserve;
  int buttons;
  int sounds_per_click; // of the empty-reserve sound
};

// No swap: with both slots full nothing happens; with both empty only the refusal sounds, once per
// click; a flag that disagrees with the slot's picture, or another button, stops the move too.
TEST_F(reserve, does_not_swap_and_sounds_only_when_both_slots_are_empty) {
  const click_case cases[] = {
      {"active and reserve slot full", true, 1, true, left_click, 0},
      {"active and reserve slot empty", false, 0, false, left_click, 1},
      {"both empty, the flag says a tile", false, 1, false, left_click, 0},
      {"reserve full, the flag says a tile", false, 1, true, left_click, 0},
      {"the slot shows a tile the flag does not know", true, 0, false, left_click, 0},
      {"parking with the right button", true, 1, false, right_click, 0},
      {"taking back with both buttons", false, 0, true, 3, 0},
      {"both empty, the right button", false, 0, false, right_click, 0},
  };
  for (const click_case &c : cases) {
    board_in_play(3);
    if (c.tile_in_slot) put_in_slot(plain_tile);
    active_tile_present = c.present;
    if (c.tile_in_reserve) put_in_reserve(3, uniform_tile);
    show_scene();
    const bitmap_ptr back = copy_of(back_buffer), shown = copy_of(screen);
    std::vector<int> sounds = all_sounds();
    const int left = remaining, started = board_started;
    click(reserve_slots + 2, c.buttons);
    click(reserve_slots + 2, c.buttons);
    sounds[sound_empty_reserve_clicked] += 2 * c.sounds_per_click;
    EXPECT_EQ(all_sounds(), sounds) << c.what;
    EXPECT_TRUE(same_pixels(back_buffer, back.get(), 0, 0, scene_width, scene_height)) << c.what;
    EXPECT_TRUE(same_pixels(screen, shown.get(), 0, 0, scene_width, scene_height)) << c.what;
    EXPECT_EQ(active_tile_present, c.present) << c.what;
    EXPECT_EQ(remaining, left) << c.what;
    EXPECT_EQ(board_started, started) << c.what;
  }
}

struct marker_case {
  const char *what;
  int level, left;
  bool preview_uniform, tile_uniform, marker;
};

// Taken back in a frame of play, a tile shows the rotation marker exactly when it may be turned:
// not on the hard level while an odd number is left, not beside a uniform next tile, never when
// it is uniform itself, which also locks it.
TEST_F(reserve, a_tile_taken_back_shows_the_rotation_marker_only_when_it_may_be_turned) {
  const marker_case cases[] = {
      {"hard level, even number left", 3, 168, false, false, true},
      {"hard level, odd number left", 3, 167, false, false, false},
      {"hard level, even number left, uniform next tile", 3, 168, true, false, false},
      {"hard level, even number left, uniform tile", 3, 168, false, true, false},
      {"hard level, odd number left, uniform tile", 3, 167, false, true, false},
      {"easy level, odd number left", 1, 81, false, false, true},
      {"easy level, uniform tile", 1, 81, false, true, false},
  };
  for (const marker_case &c : cases) {
    board_in_play(c.level);
    remaining = c.left;
    draw_tile_at(preview_slot, c.preview_uniform ? uniform_tile.codes : turned_tile.codes);
    put_in_reserve(2, c.tile_uniform ? uniform_tile : plain_tile);
    frame_click(reserve_slots + 1);
    ASSERT_EQ(active_tile_present, 1) << c.what;
    EXPECT_EQ(marker_shown(), c.marker) << c.what;
    EXPECT_EQ(rotation_locked, c.marker ? 0 : 1) << c.what;
  }
}

// The normal level has one row of four slots: a click reaching control 176 does nothing, even
// where a slot of the other levels' second row would lie over the one row.
TEST_F(reserve, normal_level_has_no_fifth_slot) {
  prepare_test_board(1, 1, 1); // leaves the corner of slot 5 from the easy level behind
  board_in_play(2);
  for (bool tile_in_slot : {true, false}) {
    if (tile_in_slot) put_in_slot(plain_tile);
    const bitmap_ptr back = copy_of(back_buffer);
    const std::vector<int> sounds = all_sounds();
    press_on(reserve_slots, left_click);
    hover_control = reserve_slots + 4;
    use_reserve_slot();
    EXPECT_EQ(all_sounds(), sounds) << tile_in_slot;
    EXPECT_TRUE(same_pixels(back_buffer, back.get(), 0, 0, scene_width, scene_height)) << tile_in_slot;
    EXPECT_EQ(active_tile_present, tile_in_slot ? 1 : 0);
    if (tile_in_slot) {
      click(reserve_slots + 3); // slot 4 takes it
      EXPECT_EQ(active_tile_present, 0);
      EXPECT_NE(read_probe(reserve_slots + 3, free_probe), empty_color);
    }
  }
}

// A tile taken back before any take (a resumed board) removes the start banner at once, so that
// the first take later cannot restore the old board over a tile placed from the reserve.
TEST_F(reserve, taking_back_before_the_first_take_removes_the_banner) {
  prepare_test_board(3, 1, 2);
  put_in_reserve(1, plain_tile);
  ASSERT_FALSE(same_pixels(back_buffer, board_snapshot, board_left, board_top, 508, 508)); // the banner
  frame_click(reserve_slots);
  EXPECT_EQ(tile_taken, 1);
  EXPECT_TRUE(same_pixels(back_buffer, board_snapshot, board_left, board_top, 508, 508));

  const int k = 71; // under the banner
  press_on(k, left_click);
  place_active_tile();
  ASSERT_NE(read_probe(k, free_probe), empty_color);
  const bitmap_ptr placed = copy_of(back_buffer);
  generate_next_tile();
  frame_click(active_slot);
  EXPECT_EQ(active_tile_present, 1);
  EXPECT_TRUE(same_pixels(back_buffer, placed.get(), board_left, board_top, 508, 508));
}

} // namespace
