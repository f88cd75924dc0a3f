// Placing: the active tile goes onto a free field when every placed tile it touches faces it in
// the same colour, and the first tile of a board goes anywhere. Refusals only sound; clicks the
// move cannot act on change nothing at all.
#include <vector>

#include "tests/unit/game_fixture.h"

namespace {

// A tile in side order from the colours of its top, right, bottom and left quadrants.
struct tile_colours {
  int top, right, bottom, left;
};
tile_record tile_of(tile_colours c) { return {{0, c.top, 4 + c.right, 8 + c.bottom, 12 + c.left}}; }

// A placed tile: its picture on field k and its codes in the board's record.
void put_on_field(int k, tile_colours c) {
  const tile_record tile = tile_of(c);
  draw_tile_at(k, tile.codes);
  for (int s = 1; s <= 4; s++) board_tiles[k][s] = tile.codes[s];
}

// A board of the level in play: prepared, its start banner gone as after the first take.
void board_in_play(int of_level) {
  prepare_test_board(of_level, 3, 2);
  remove_start_banner();
}

// Everything a placement may touch, to tell what it changed.
struct game_state {
  bitmap_ptr back = copy_of(back_buffer);
  bitmap_ptr shown = copy_of(screen);
  std::vector<int> sounds{sounds_played, sounds_played + sound_split_slide + 1};
  int left = remaining, started = board_started, present = active_tile_present;
  std::vector<int> tiles{&board_tiles[0][0], &board_tiles[0][0] + (field_count + 1) * 5};

  int played(sound_event e) const { return sounds_played[e] - sounds[e]; }
  bool same_tiles() const { return tiles == std::vector<int>(&board_tiles[0][0], &board_tiles[0][0] + (field_count + 1) * 5); }
};

class placing : public ::testing::Test {
protected:
  void TearDown() override {
    put_mouse(0, 0, 0);
    poll_input();
  }
  void click(int id, int buttons) {
    press_on(id, buttons);
    place_active_tile();
  }
};

struct placed_tile {
  int field;
  tile_colours colours;
};
struct placing_case {
  const char *what;
  int level;
  std::vector<placed_tile> placed;
  int started; // 0: the board's first tile is still to come
  int field;
  tile_colours active;
  bool accepted;
};

// Field 85 is the middle of the board: 72 above it, 86 right, 98 below, 84 left. A mismatch is
// refused even before the board counts as started, and the refusal starts it.
const placing_case placing_cases[] = {
    {"first tile on the top left corner", 3, {}, 0, 1, {0, 1, 2, 3}, true},
    {"first tile on the bottom right corner", 3, {}, 0, 169, {0, 1, 2, 3}, true},
    {"first tile on the top edge", 3, {}, 0, 7, {3, 3, 1, 0}, true},
    {"first tile on the right edge", 3, {}, 0, 91, {2, 0, 1, 1}, true},
    {"first tile beside two inactive fields", 1, {}, 0, 29, {0, 1, 2, 3}, true},
    {"first tile beside two inactive fields, bottom right", 1, {}, 0, 141, {3, 2, 1, 0}, true},
    {"matches the tile above", 3, {{72, {0, 0, 2, 0}}}, 1, 85, {2, 1, 1, 1}, true},
    {"matches the tile to the right", 3, {{86, {0, 0, 0, 1}}}, 1, 85, {2, 1, 2, 2}, true},
    {"matches the tile below", 3, {{98, {3, 0, 0, 0}}}, 1, 85, {1, 1, 3, 1}, true},
    {"matches the tile to the left", 3, {{84, {1, 0, 1, 1}}}, 1, 85, {3, 3, 3, 0}, true},
    {"matches the tiles above and to the left", 3, {{72, {0, 0, 2, 0}}, {84, {1, 3, 1, 1}}}, 1, 85, {2, 0, 0, 3}, true},
    {"matches four tiles", 3,
     {{72, {0, 0, 2, 0}}, {86, {0, 0, 0, 1}}, {98, {3, 0, 0, 0}}, {84, {1, 0, 1, 1}}}, 1, 85, {2, 1, 3, 0}, true},
    {"an inactive field above does not constrain", 1, {{29, {0, 1, 0, 0}}}, 1, 30, {3, 2, 2, 1}, true},
    {"the board's edge above and left does not constrain", 3, {{2, {0, 0, 0, 1}}}, 1, 1, {3, 1, 2, 0}, true},
    {"field 13's right side looks beyond the edge, not at field 14", 3, {{12, {0, 0, 0, 0}}, {14, {1, 1, 1, 2}}}, 1,
     13, {3, 3, 3, 0}, true},
    {"field 14's left side looks beyond the edge, not at field 13", 3, {{13, {0, 1, 0, 0}}, {27, {2, 0, 0, 0}}}, 1,
     14, {0, 0, 2, 3}, true},
    {"second tile away from the first", 3, {{85, {0, 1, 2, 3}}}, 1, 1, {0, 1, 2, 3}, false},
    {"second tile touching the first by a corner only", 3, {{85, {0, 1, 2, 3}}}, 1, 99, {0, 1, 2, 3}, false},
    {"second tile beside inactive fields only", 1, {{85, {0, 1, 2, 3}}}, 1, 29, {0, 1, 2, 3}, false},
    {"the tile above faces another colour", 3, {{72, {0, 0, 2, 0}}}, 0, 85, {1, 2, 2, 2}, false},
    {"the tile to the right faces another colour", 3, {{86, {0, 0, 0, 1}}}, 0, 85, {1, 0, 1, 1}, false},
    {"the tile below faces another colour", 3, {{98, {3, 0, 0, 0}}}, 0, 85, {3, 3, 2, 3}, false},
    {"the tile to the left faces another colour", 3, {{84, {1, 0, 1, 1}}}, 0, 85, {0, 0, 0, 1}, false},
    {"two tiles, only the one above matches", 3, {{72, {0, 0, 2, 0}}, {84, {1, 3, 1, 1}}}, 1, 85, {2, 0, 0, 1}, false},
    {"two tiles, only the one to the left matches", 3, {{72, {0, 0, 2, 0}}, {84, {1, 3, 1, 1}}}, 1, 85, {1, 0, 0, 3}, false},
};

// Each case on a fresh board: an accepted tile lands on the field with its codes recorded; a refused
// one plays the refusal, marks the board started and leaves the picture and the records alone.
TEST_F(placing, accepts_a_tile_only_where_every_placed_neighbour_faces_its_colour) {
  for (const placing_case &c : placing_cases) {
    board_in_play(c.level);
    for (const placed_tile &p : c.placed) put_on_field(p.field, p.colours);
    board_started = c.started;
    put_in_slot(tile_of(c.active));
    const game_state before;
    click(c.field, left_click);
    EXPECT_EQ(active_tile_present, c.accepted ? 0 : 1) << c.what;
    EXPECT_EQ(board_started, 1) << c.what;
    EXPECT_EQ(before.played(sound_tile_placed), c.accepted ? 1 : 0) << c.what;
    EXPECT_EQ(before.played(sound_placement_refused), c.accepted ? 0 : 1) << c.what;
    if (c.accepted) {
      for (int s = 1; s <= 4; s++) EXPECT_EQ(board_tiles[c.field][s], active_by_side[s]) << c.what;
      EXPECT_NE(read_probe(c.field, free_probe), empty_color) << c.what;
    } else {
      EXPECT_TRUE(same_pixels(back_buffer, before.back.get(), 0, 0, scene_width, scene_height)) << c.what;
      EXPECT_TRUE(before.same_tiles()) << c.what;
      EXPECT_EQ(remaining, before.left) << c.what;
      EXPECT_TRUE(same_pixels(screen, back_buffer, board_left, board_top, 508, 508)) << c.what;
    }
  }
}

struct ignored_case {
  const char *what;
  int level, id, buttons;
  bool tile_in_slot;
  int present;
};

// Clicks the move cannot act on: no picture, record, counter, flag or sound changes, on the
// board or on the screen; the board stays unstarted.
TEST_F(placing, ignores_clicks_on_taken_fields_without_a_tile_or_with_other_buttons) {
  const ignored_case cases[] = {
      {"a field that holds a tile", 3, 85, left_click, true, 1},
      {"an inactive field", 1, 1, left_click, true, 1},
      {"an inactive field beside the free block", 1, 28, left_click, true, 1},
      {"no tile in the active slot", 3, 60, left_click, false, 0},
      {"the flag says a tile, the slot shows none", 3, 60, left_click, false, 1},
      {"the slot shows a tile, the flag says none", 3, 60, left_click, true, 0},
      {"both buttons", 3, 60, 3, true, 1},
      {"the right button", 3, 60, right_click, true, 1},
      {"the preview slot", 3, preview_slot, left_click, true, 1},
  };
  for (const ignored_case &c : cases) {
    board_in_play(c.level);
    put_on_field(85, {0, 1, 2, 3});
    board_started = 0;
    if (c.tile_in_slot) put_in_slot(tile_of({2, 1, 0, 3}));
    active_tile_present = c.present;
    show_scene();
    const game_state before;
    click(c.id, c.buttons);
    EXPECT_TRUE(same_pixels(back_buffer, before.back.get(), 0, 0, scene_width, scene_height)) << c.what;
    EXPECT_TRUE(same_pixels(screen, before.shown.get(), 0, 0, scene_width, scene_height)) << c.what;
    EXPECT_EQ(before.sounds, std::vector<int>(sounds_played, sounds_played + sound_split_slide + 1)) << c.what;
    EXPECT_TRUE(before.same_tiles()) << c.what;
    EXPECT_EQ(remaining, before.left) << c.what;
    EXPECT_EQ(board_started, 0) << c.what;
    EXPECT_EQ(active_tile_present, c.present) << c.what;
  }
}

// A placement moves the slot's picture pixel for pixel onto the field, empties the slot, takes the
// rotation marker away, records the tile by side (a turned tile as turned) and counts it off;
// only the board area reaches the screen before the button is let go.
TEST_F(placing, moves_the_picture_empties_the_slot_and_counts_the_tile_off) {
  const int counts[][2] = {{81, 80}, {1, 0}, {0, 0}};
  // A tile turned once: element i no longer has side i - 1.
  const tile_record turned = {{0, 4 + 1, 8 + 2, 12 + 3, 0 + 0}};
  const int k = 29;
  for (const auto &count : counts) {
    board_in_play(1);
    remaining = count[0];
    draw_remaining_counter();
    board_started = 0;
    put_in_slot(turned);
    show_scene();
    const game_state before;
    click(k, left_click);
    const int by_side[5] = {0, 0, 4 + 1, 8 + 2, 12 + 3};
    for (int s = 1; s <= 4; s++) EXPECT_EQ(board_tiles[k][s], by_side[s]) << s;
    EXPECT_EQ(remaining, count[1]);
    EXPECT_EQ(active_tile_present, 0);
    EXPECT_EQ(before.played(sound_tile_placed), 1);
    EXPECT_TRUE(same_picture(back_buffer, field_x[k], field_y[k], before.back.get(), active_slot_x, active_slot_y,
                             tile_size, tile_size));
    // The slot cell again, and round it the scene without the marker.
    EXPECT_TRUE(same_picture(back_buffer, active_slot_x - 1, active_slot_y - 1, sprite_sheet, slot_cell_x, 0,
                             tile_size + 2, tile_size + 2));
    for (int y = 247; y < 247 + 73; y++)
      for (int x = 587; x < 587 + 73; x++) {
        const bool in_slot_cell = x >= active_slot_x - 1 && x <= active_slot_x + tile_size &&
                                  y >= active_slot_y - 1 && y <= active_slot_y + tile_size;
        if (!in_slot_cell) {
          ASSERT_EQ(getpixel(back_buffer, x, y), getpixel(clean_scene, x, y)) << x << "," << y;
        }
      }
    // The counter shows the new figure: drawing it again changes nothing. (Its area's last rows
    // reach into the marker's, which the placement restores too.)
    EXPECT_EQ(same_pixels(back_buffer, before.back.get(), 580, 210, 160, 37), count[0] == count[1]);
    const bitmap_ptr counted = copy_of(back_buffer);
    draw_remaining_counter();
    EXPECT_TRUE(same_pixels(back_buffer, counted.get(), 580, 210, 160, 40));
    // The screen: the new board area, and everything else as it was.
    EXPECT_TRUE(same_pixels(screen, back_buffer, board_left, board_top, 508, 508));
    EXPECT_TRUE(same_pixels(screen, before.shown.get(), 0, 0, scene_width, board_top));
    EXPECT_TRUE(same_pixels(screen, before.shown.get(), 0, 0, board_left, scene_height));
    EXPECT_TRUE(same_pixels(screen, before.shown.get(), board_left + 508, 0, scene_width - 558, scene_height));
    EXPECT_TRUE(same_pixels(screen, before.shown.get(), 0, board_top + 508, scene_width, scene_height - 558));
  }
}

} // namespace
