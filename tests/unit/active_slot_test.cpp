// The active slot: the gesture that takes the next tile into an empty slot and turns the tile in a
// full one, what a take carries over, quarter turns, the hard level's and the uniform tile's lock,
// and the blinking frame round the slot.
#include "tests/unit/game_fixture.h"

namespace {

constexpr int marker_x = 587, marker_y = 247, marker_side = 73;
constexpr int frame_x = 595, frame_y = 257, frame_side = 55;

// Four colours, top 1, right 2, bottom 3, left 0: no two quadrants alike.
constexpr int mixed_tile[5] = {0, 1, 4 + 2, 8 + 3, 12 + 0};
// One colour all round.
constexpr int uniform_tile[5] = {0, 2, 4 + 2, 8 + 2, 12 + 2};

// A frame of play as far as the slot goes: the turn first, then the take.
void slot_frame() {
  rotate_active_tile();
  take_next_tile();
}

// Makes `tile` the next tile: its record, its picture in tile_scratch and in the preview slot.
void show_next_tile(const int tile[5]) {
  for (int i = 1; i <= 4; i++) next_tile[i] = tile[i];
  clear_to_color(tile_scratch, makecol(255, 0, 255));
  compose_tile(tile_scratch, tile, 0, 0);
  draw_sprite(back_buffer, tile_scratch, preview_slot_x, preview_slot_y);
  masked_blit(sprite_sheet, back_buffer, 302, 330, preview_slot_x - 4, preview_slot_y - 4, 46, 46);
}

// Empties the active slot the way placing a tile does: marker gone, slot cell back.
void empty_the_slot() {
  blit(clean_scene, back_buffer, marker_x, marker_y, marker_x, marker_y, marker_side, marker_side);
  draw_empty_active_slot();
  active_tile_present = 0;
}

// A fresh board with `tile` waiting in the preview slot.
void board_with_next(int of_level, int of_stage, const int tile[5]) {
  prepare_test_board(of_level, of_stage, 2);
  generate_next_tile();
  show_next_tile(tile);
}

// Every opaque pixel of a sheet region shows on back_buffer at (x, y).
bool sheet_piece_shows(int sheet_x, int sheet_y, int side, int x, int y) {
  const int mask_colour = makecol(255, 0, 255);
  for (int j = 0; j < side; j++)
    for (int i = 0; i < side; i++) {
      const int c = getpixel(sprite_sheet, sheet_x + i, sheet_y + j);
      if (c != mask_colour && getpixel(back_buffer, x + i, y + j) != c) return false;
    }
  return true;
}
bool marker_shows() { return sheet_piece_shows(464, 86, marker_side, marker_x, marker_y); }
bool frame_shows(bool lit) { return sheet_piece_shows(lit ? 270 : 216, 40, frame_side, frame_x, frame_y); }

// The 39x39 picture in the active slot equals the tile composed alone.
bool slot_shows(const int tile[5]) {
  BITMAP *expected = create_bitmap(tile_size, tile_size);
  clear_to_color(expected, makecol(255, 0, 255));
  compose_tile(expected, tile, 0, 0);
  bool same = true;
  for (int y = 0; y < tile_size && same; y++)
    for (int x = 0; x < tile_size && same; x++)
      same = getpixel(back_buffer, active_slot_x + x, active_slot_y + y) == getpixel(expected, x, y);
  destroy_bitmap(expected);
  return same;
}

bool same_record(const int a[5], const int b[5]) {
  for (int i = 1; i <= 4; i++)
    if (a[i] != b[i]) return false;
  return true;
}

class active_slot_moves : public ::testing::Test {
protected:
  void TearDown() override {
    put_mouse(0, 0, 0);
    poll_input();
    blink_phase = 0;
    tick_count = 0;
  }
};

// Only a left click on the slot or a right click on a board field takes into an empty slot and
// turns the tile in a full one; every other click leaves the slot as it was.
TEST_F(active_slot_moves, one_gesture_takes_into_an_empty_slot_and_turns_a_full_one) {
  struct gesture_case {
    const char *what;
    int control, buttons;
    bool acts;
  };
  const gesture_case cases[] = {
      {"left click on the slot", active_slot, 1, true},
      {"right click on a free field", 85, 2, true},
      {"right click on an inactive field", 1, 2, true},
      {"right click on the last field", 169, 2, true},
      {"right click on the slot", active_slot, 2, false},
      {"left click on a field", 85, 1, false},
      {"both buttons on the slot", active_slot, 3, false},
      {"both buttons on a field", 85, 3, false},
      {"right click on the preview", preview_slot, 2, false},
      {"right click on a reserve slot", reserve_slots, 2, false},
      {"left click on the preview", preview_slot, 1, false},
  };
  board_with_next(1, 3, mixed_tile);
  for (const gesture_case &c : cases) {
    // Empty slot: the gesture takes.
    empty_the_slot();
    show_next_tile(mixed_tile);
    const int taken_before = sounds_played[sound_tile_taken];
    press_on(c.control, c.buttons);
    slot_frame();
    EXPECT_EQ(active_tile_present, c.acts ? 1 : 0) << c.what;
    EXPECT_EQ(sounds_played[sound_tile_taken] - taken_before, c.acts ? 1 : 0) << c.what;
    EXPECT_EQ(read_probe(active_slot, free_probe) != empty_color, c.acts) << c.what;

    // Full slot: the same gesture turns, and takes nothing more.
    empty_the_slot();
    show_next_tile(mixed_tile);
    press_on(active_slot, 1);
    slot_frame();
    ASSERT_EQ(active_tile_present, 1) << c.what;
    int before[5];
    for (int i = 1; i <= 4; i++) before[i] = active_tile[i];
    const int turned_before = sounds_played[sound_tile_turned];
    const int taken_then = sounds_played[sound_tile_taken];
    press_on(c.control, c.buttons);
    slot_frame();
    EXPECT_EQ(same_record(active_tile, before), !c.acts) << c.what;
    EXPECT_EQ(sounds_played[sound_tile_turned] - turned_before, c.acts ? 4 : 0) << c.what;
    EXPECT_EQ(sounds_played[sound_tile_taken], taken_then) << c.what;
  }
}

// The first take of a board clears the start banner; the next tile's picture and codes move into
// the active slot and a new next tile is made. A later take leaves the board alone.
TEST_F(active_slot_moves, take_moves_the_next_tile_in_and_clears_the_banner_once) {
  // Colour 3 cannot come out of the generator at stage 2, so any new next tile differs.
  const int stage_two_tile[5] = {0, 3, 4 + 0, 8 + 1, 12 + 2};
  board_with_next(2, 2, stage_two_tile);
  ASSERT_FALSE(same_pixels(back_buffer, board_snapshot, board_left, board_top, 500, 500)) << "no banner to clear";
  BITMAP *picture = create_bitmap(tile_size, tile_size);
  blit(tile_scratch, picture, 0, 0, 0, 0, tile_size, tile_size);
  const int taken_before = sounds_played[sound_tile_taken];

  press_on(active_slot, 1);
  slot_frame();
  EXPECT_TRUE(same_pixels(back_buffer, board_snapshot, board_left, board_top, 500, 500));
  EXPECT_EQ(tile_taken, 1);
  EXPECT_EQ(active_tile_present, 1);
  for (int y = 0; y < tile_size; y++)
    for (int x = 0; x < tile_size; x++)
      ASSERT_EQ(getpixel(back_buffer, active_slot_x + x, active_slot_y + y), getpixel(picture, x, y)) << x << "," << y;
  EXPECT_TRUE(same_record(active_tile, stage_two_tile));
  EXPECT_TRUE(same_record(active_by_side, stage_two_tile));
  EXPECT_FALSE(same_record(next_tile, stage_two_tile));
  for (int s = 1; s <= 4; s++) {
    EXPECT_EQ(side_of(next_tile[s]), s - 1);
    EXPECT_LE(colour_of(next_tile[s]), 2);
  }
  // The preview shows the new next tile, and tile_scratch holds its picture.
  const quadrant_colours preview = read_quadrants(back_buffer, preview_slot_x, preview_slot_y);
  const quadrant_colours scratch = read_quadrants(tile_scratch, 0, 0);
  for (int s = 1; s <= 4; s++) {
    const probe_offset p = quadrant_probes[s];
    const int cell_colour = getpixel(sprite_sheet, tile_size * next_tile[s] + p.dx, p.dy);
    EXPECT_EQ(preview.side[s], cell_colour) << "side " << s;
    EXPECT_EQ(scratch.side[s], cell_colour) << "side " << s;
  }
  EXPECT_EQ(sounds_played[sound_tile_taken] - taken_before, 1);
  EXPECT_TRUE(same_pixels(screen, back_buffer, 0, 0, scene_width, scene_height));

  // A tile on the board stays when the next tile is taken.
  draw_tile_at(85, mixed_tile);
  BITMAP *board = create_bitmap(scene_width, scene_height);
  blit(back_buffer, board, 0, 0, 0, 0, scene_width, scene_height);
  empty_the_slot();
  press_on(85, 2);
  slot_frame();
  EXPECT_EQ(active_tile_present, 1);
  EXPECT_TRUE(same_pixels(back_buffer, board, board_left, board_top, 500, 500));
  destroy_bitmap(board);
  destroy_bitmap(picture);
}

// A quarter turn turns every code and files it under its new side; the slot shows the turned
// tile. Four turns give the tile back, with the turning sound four times a turn.
TEST_F(active_slot_moves, quarter_turns_turn_codes_and_picture_and_four_come_back) {
  board_with_next(1, 3, mixed_tile);
  press_on(active_slot, 1);
  slot_frame();
  ASSERT_EQ(active_tile_present, 1);
  const int turned_before = sounds_played[sound_tile_turned];

  press_on(85, 2);
  slot_frame();
  const int t = mixed_tile[1], r = mixed_tile[2], b = mixed_tile[3], l = mixed_tile[4];
  const int once[5] = {0, t + 4, r + 4, b + 4, l - 12};
  const int once_by_side[5] = {0, l - 12, t + 4, r + 4, b + 4};
  EXPECT_TRUE(same_record(active_tile, once));
  EXPECT_TRUE(same_record(active_by_side, once_by_side));
  EXPECT_TRUE(slot_shows(once));
  EXPECT_TRUE(same_pixels(screen, back_buffer, active_slot_x, active_slot_y, tile_size, tile_size));

  for (int turn = 2; turn <= 4; turn++) {
    press_on(turn % 2 ? 85 : active_slot, turn % 2 ? 2 : 1);
    slot_frame();
  }
  EXPECT_TRUE(same_record(active_tile, mixed_tile));
  EXPECT_TRUE(same_record(active_by_side, mixed_tile));
  EXPECT_TRUE(slot_shows(mixed_tile));
  EXPECT_EQ(sounds_played[sound_tile_turned] - turned_before, 16);
}

// On the hard level a tile may be turned only while an even number of fields is left; a tile
// taken while the count is odd shows no marker.
TEST_F(active_slot_moves, hard_level_turns_only_while_an_even_number_is_left) {
  struct parity_case {
    int left;
    bool turns;
  };
  const parity_case cases[] = {{169, false}, {168, true}, {1, false}, {2, true}};
  for (const parity_case &c : cases) {
    board_with_next(3, 3, mixed_tile);
    remaining = c.left;
    ASSERT_FALSE(marker_shows());
    press_on(active_slot, 1);
    slot_frame();
    ASSERT_EQ(active_tile_present, 1) << c.left;
    EXPECT_EQ(marker_shows(), c.turns) << c.left;
    press_on(85, 2);
    slot_frame();
    EXPECT_EQ(same_record(active_tile, mixed_tile), !c.turns) << c.left;
    // One tile placed later, the same tile turns the other way round.
    remaining = c.left - 1;
    int before[5];
    for (int i = 1; i <= 4; i++) before[i] = active_tile[i];
    press_on(active_slot, 1);
    slot_frame();
    EXPECT_EQ(same_record(active_tile, before), c.turns) << c.left - 1;
  }
}

// A uniform next tile comes in without the marker, on any level; a uniform tile in the slot
// never turns, whatever its codes say.
TEST_F(active_slot_moves, uniform_tile_is_taken_without_marker_and_never_turned) {
  const int levels[] = {1, 2, 3};
  for (int of_level : levels) {
    board_with_next(of_level, 3, uniform_tile);
    remaining = 100; // even: the hard level would allow a turn
    press_on(85, 2);
    slot_frame();
    ASSERT_EQ(active_tile_present, 1) << of_level;
    EXPECT_FALSE(marker_shows()) << of_level;
    const int turned_before = sounds_played[sound_tile_turned];
    press_on(active_slot, 1);
    slot_frame();
    press_on(85, 2);
    slot_frame();
    EXPECT_TRUE(same_record(active_tile, uniform_tile)) << of_level;
    EXPECT_EQ(sounds_played[sound_tile_turned], turned_before) << of_level;
  }
  // The same board with a mixed tile shows the marker, so the check above can see one.
  empty_the_slot();
  show_next_tile(mixed_tile);
  press_on(85, 2);
  slot_frame();
  EXPECT_TRUE(marker_shows());
}

// While the slot holds a tile its frame is lit in phases 6..11 and plain in 1..4; phase 5 draws
// nothing. Empty, the frame is plain; under the pointer it is lit in every phase.
TEST_F(active_slot_moves, frame_blinks_while_full_and_lights_under_the_pointer) {
  board_with_next(1, 1, mixed_tile);
  ASSERT_FALSE(frame_shows(true) && frame_shows(false)) << "the two frames cannot be told apart";
  struct blink_case {
    int present, phase_before, control;
    bool drawn_lit, drawn_plain;
  };
  // The phase advances by one before drawing (tick_count is past 5); phase 11 wraps to 1.
  const blink_case cases[] = {
      {1, 0, 85, false, true},  {1, 3, 85, false, true},  {1, 11, 85, false, true},
      {1, 4, 85, false, false}, {1, 5, 85, true, false},  {1, 7, 85, true, false},
      {1, 10, 85, true, false}, {0, 7, 85, false, true},  {0, 2, 85, false, true},
      {1, 2, active_slot, true, false}, {1, 4, active_slot, true, false}, {0, 1, active_slot, true, false},
  };
  for (const blink_case &c : cases) {
    const int drawn_phase = c.phase_before % 11 + 1;
    for (bool lit_first : {false, true}) {
      draw_slot_frame(lit_first);
      active_tile_present = c.present;
      blink_phase = c.phase_before;
      tick_count = 6;
      press_on(c.control, 0);
      take_next_tile();
      EXPECT_EQ(blink_phase, drawn_phase);
      EXPECT_EQ(tick_count.load(), 0);
      const bool expect_lit = c.drawn_lit || (!c.drawn_plain && lit_first);
      EXPECT_TRUE(frame_shows(expect_lit)) << "phase " << drawn_phase << " control " << c.control;
      EXPECT_FALSE(frame_shows(!expect_lit)) << "phase " << drawn_phase << " control " << c.control;
    }
  }
  // Without a tick the phase stands.
  blink_phase = 3;
  tick_count = 5;
  press_on(85, 0);
  take_next_tile();
  EXPECT_EQ(blink_phase, 3);
  EXPECT_EQ(tick_count.load(), 5);
}

} // namespace
