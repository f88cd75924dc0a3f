// Whole stages played through the real moves by a player who only looks at the picture: where the
// free fields are, what the neighbours show, which colours the tile in the slot has. At the end the
// board is full, the counter says 0 and every field shows the tile its record describes.
#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/unit/game_fixture.h"

namespace {

// ---- what the player sees -------------------------------------------------------------------------

int probe_at(int id, probe_offset probe) {
  return getpixel(back_buffer, field_x[id] + probe.dx, field_y[id] + probe.dy);
}

bool shows_empty(int id) { return probe_at(id, free_probe) == empty_color; }

// The colours of the tile in a slot, element 1 top .. 4 left.
struct colours {
  int side[5];
};

colours read_tile(int id) {
  colours c{};
  for (int s = 1; s <= 4; s++) c.side[s] = probe_at(id, quadrant_probes[s]);
  return c;
}

bool uniform(const colours &c) {
  return c.side[1] == c.side[2] && c.side[2] == c.side[3] && c.side[3] == c.side[4];
}

// The tile after `turns` quarter turns clockwise: the top colour goes to the right, and so on.
colours turned(const colours &c, int turns) {
  colours t{};
  for (int s = 1; s <= 4; s++) t.side[s] = c.side[(s - 1 - turns + 8) % 4 + 1];
  return t;
}

// The field beside k on a side (1 above, 2 right, 3 below, 4 left), or 0 beyond the board's edge.
int beside(int k, int side) {
  const int row = field_row(k), column = field_column(k);
  switch (side) {
  case 1: return row > 0 ? k - board_side : 0;
  case 2: return column < board_side - 1 ? k + 1 : 0;
  case 3: return row < board_side - 1 ? k + board_side : 0;
  default: return column > 0 ? k - 1 : 0;
  }
}

int free_fields() {
  int count = 0;
  for (int k = 1; k <= field_count; k++) count += shows_empty(k);
  return count;
}

// ---- choosing a move ------------------------------------------------------------------------------

// Nothing will ever be placed there: beyond the edge, or a field with a tile or an inactive one.
bool closed(int k, int side) {
  const int n = beside(k, side);
  return n == 0 || !shows_empty(n);
}

// A place for a tile: field k after `turns` quarter turns. Preferred are the fields whose field
// above and field to the left are closed, so that the board fills like a staircase from the top
// left and no free field ever touches more than two tiles; then the most demanding fields.
struct placement {
  int k = 0, turns = 0;
  bool corner = false;
  int touching = 0;
};

bool better(const placement &a, const placement &b) {
  if (b.k == 0) return true;
  if (a.corner != b.corner) return a.corner;
  return a.touching > b.touching;
}

// The best free field for the tile, turned at most `turns_allowed` - 1 times; k 0 when it fits
// nowhere. Before the first tile any free field will do.
placement best_place(const colours &tile, int turns_allowed, bool first_tile) {
  placement best;
  if (uniform(tile)) turns_allowed = 1;
  for (int k = 1; k <= field_count; k++) {
    if (!shows_empty(k)) continue;
    colours around{};
    int touching = 0;
    for (int s = 1; s <= 4; s++) {
      around.side[s] = probe_at(k, neighbour_probes[s]);
      touching += around.side[s] != empty_color;
    }
    if (touching == 0 && !first_tile) continue;
    for (int turns = 0; turns < turns_allowed; turns++) {
      const colours t = turned(tile, turns);
      bool fits = true;
      for (int s = 1; s <= 4; s++) fits = fits && (around.side[s] == empty_color || around.side[s] == t.side[s]);
      if (!fits) continue;
      placement p;
      p.k = k;
      p.turns = turns;
      p.corner = closed(k, 1) && closed(k, 4);
      p.touching = touching;
      if (better(p, best)) best = p;
      break;
    }
  }
  return best;
}

// ---- playing --------------------------------------------------------------------------------------

struct player {
  int of_level = 0;
  int move_limit = 0;
  int moves = 0;
  int placed = 0;
  std::string trouble;

  // One move: the snapshot on a control, then the moves of a frame in their order and its picture.
  void move(int id, int buttons) {
    press_on(id, buttons);
    for (void (*m)() : frame_moves) m();
    show_scene();
    moves++;
  }

  void fail(const std::string &why) {
    std::ostringstream out;
    out << why << " (move " << moves << ", " << placed << " placed, " << free_fields() << " free)";
    if (trouble.empty()) trouble = out.str();
  }

  // On the hard level a tile may be turned only while an even number of fields is free.
  int turns_allowed() const { return of_level == 3 && free_fields() % 2 ? 1 : 4; }

  placement place_for(int id) const { return best_place(read_tile(id), turns_allowed(), placed == 0); }

  void put(const placement &p) {
    const colours before = read_tile(active_slot);
    for (int i = 0; i < p.turns; i++) move(p.k, right_click);
    const colours after = read_tile(active_slot), expected = turned(before, p.turns);
    for (int s = 1; s <= 4; s++)
      if (after.side[s] != expected.side[s])
        return fail(std::to_string(p.turns) + " turns did not show the turned tile");
    move(p.k, left_click);
    if (shows_empty(p.k) || !shows_empty(active_slot))
      return fail("the tile was not placed on field " + std::to_string(p.k));
    placed++;
    if (remaining != free_fields()) fail("remaining " + std::to_string(remaining) + " against the free fields");
  }

  // A player who would like the tile turned tries anyway: the tile stays as it is.
  void try_to_turn_while_odd() {
    const colours before = read_tile(active_slot);
    move(1, right_click);
    const colours after = read_tile(active_slot);
    for (int s = 1; s <= 4; s++)
      if (after.side[s] != before.side[s]) return fail("the tile turned while an odd number of fields was free");
  }

  // One decision of the player and the moves it takes.
  void step() {
    const int slots = reserve_slot_count(of_level);
    if (shows_empty(active_slot)) {
      // A parked tile that goes on a staircase field comes back; otherwise the next tile is taken.
      for (int id = reserve_slots; id < reserve_slots + slots; id++) {
        if (shows_empty(id) || !place_for(id).corner) continue;
        move(id, left_click);
        if (shows_empty(active_slot) || !shows_empty(id)) fail("a parked tile did not come back");
        return;
      }
      move(active_slot, left_click);
      if (shows_empty(active_slot)) fail("the next tile was not taken");
      return;
    }
    // The tile goes on a staircase field; or into the reserve; or, with the reserve full, on any
    // field where it fits.
    const placement p = place_for(active_slot);
    if (p.corner) return put(p);
    if (turns_allowed() == 1 && of_level == 3) try_to_turn_while_odd();
    for (int id = reserve_slots; id < reserve_slots + slots; id++) {
      if (!shows_empty(id)) continue;
      move(id, left_click);
      if (!shows_empty(active_slot) || shows_empty(id)) fail("the tile was not parked");
      return;
    }
    if (p.k) return put(p);
    fail("the tile fits nowhere and the reserve is full");
  }

  void play() {
    while (trouble.empty() && free_fields() > 0) {
      if (moves >= move_limit) fail("no full board within " + std::to_string(move_limit) + " moves");
      else step();
    }
  }
};

// ---- the finished board ---------------------------------------------------------------------------

bool inner_field(int k) {
  const int row = field_row(k), column = field_column(k);
  return row >= 2 && row <= 10 && column >= 2 && column <= 10;
}

// Every playable field shows the tile of its record, every inactive one still the inactive cell,
// and the counter shows 0.
void expect_full_board(int of_level) {
  BITMAP *scratch = create_bitmap(tile_size, tile_size);
  for (int k = 1; k <= field_count; k++) {
    const int *record = board_tiles[k];
    if (of_level == 1 && !inner_field(k)) {
      EXPECT_EQ(probe_at(k, inactive_probe), inactive_color) << "field " << k;
      EXPECT_TRUE(
          same_picture(back_buffer, field_x[k], field_y[k], sprite_sheet, inactive_cell_x, 0, tile_size, tile_size))
          << "field " << k;
      EXPECT_EQ(record[1], no_tile) << "field " << k;
      continue;
    }
    bool in_side_order = true;
    for (int s = 1; s <= 4; s++) in_side_order = in_side_order && record[s] >= 0 && side_of(record[s]) == s - 1;
    if (!in_side_order) {
      ADD_FAILURE() << "field " << k << " has the record " << record[1] << " " << record[2] << " " << record[3] << " "
                    << record[4];
      continue;
    }
    for (int s = 1; s <= 4; s++)
      EXPECT_EQ(probe_at(k, quadrant_probes[s]),
                getpixel(sprite_sheet, tile_size * record[s] + quadrant_probes[s].dx, quadrant_probes[s].dy))
          << "field " << k << " side " << s;
    clear_to_color(scratch, rgb(255, 0, 255));
    compose_tile(scratch, record, 0, 0);
    EXPECT_TRUE(same_picture(back_buffer, field_x[k], field_y[k], scratch, 0, 0, tile_size, tile_size)) << "field " << k;
  }
  destroy_bitmap(scratch);

  EXPECT_EQ(remaining, 0);
  BITMAP *counter = create_bitmap(160, 40);
  blit(clean_scene, counter, 580, 210, 0, 0, 160, 40);
  textprintf_centre_ex(counter, font_arial16, 668 - 580, 216 - 210, rgb(0, 0, 0), -1, " %d ", 0);
  textprintf_centre_ex(counter, font_arial16, 667 - 580, 215 - 210, rgb(188, 200, 188), -1, " %d ", 0);
  EXPECT_TRUE(same_picture(back_buffer, 580, 210, counter, 0, 0, 160, 40)) << "the counter does not show 0";
  destroy_bitmap(counter);
}

// Plays a stage from its preparation to the full board; gives the player for the figures.
player play_stage(int of_level, int of_stage, unsigned seed, int move_limit) {
  std::srand(seed);
  prepare_test_board(of_level, of_stage, 2);
  show_scene(); // the slide-in would have brought the board onto the screen
  generate_next_tile();
  player p;
  p.of_level = of_level;
  p.move_limit = move_limit;
  const int refused = sounds_played[sound_placement_refused];
  p.play();
  EXPECT_EQ(sounds_played[sound_placement_refused], refused) << "a placement that fits was refused";
  return p;
}

// The easy level: the 81 fields of the inner block fill up; the ring of inactive fields stays.
TEST(play_through, easy_stage_one_fills_the_inner_block) {
  const player p = play_stage(1, 1, 7, 1500);
  ASSERT_TRUE(p.trouble.empty()) << p.trouble;
  EXPECT_EQ(p.placed, 81);
  expect_full_board(1);
}

// The hard level, two colours: all 169 fields, turning only while an even number is free.
TEST(play_through, hard_stage_one_fills_every_field) {
  const player p = play_stage(3, 1, 7, 3000);
  ASSERT_TRUE(p.trouble.empty()) << p.trouble;
  EXPECT_EQ(p.placed, 169);
  expect_full_board(3);
}

} // namespace
