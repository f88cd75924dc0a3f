// The tile generator: the codes each stage allows, the preview picture, the fitting of the next tile
// near the end of a board, the duplicate test against the reserve on the screen, and giving in.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <vector>

#include "tests/unit/game_fixture.h"

namespace {

// The colours of a tile, top, right, bottom, left.
using colours = std::array<int, 4>;

colours turned(const colours &c, int quarters) {
  colours t{};
  for (int s = 0; s < 4; s++) t[(s + quarters) % 4] = c[s];
  return t;
}

// One number for all four turnings of a tile.
int class_of(const colours &c) {
  int lowest = 1 << 30;
  for (int q = 0; q < 4; q++) {
    const colours t = turned(c, q);
    lowest = std::min(lowest, ((t[0] * 4 + t[1]) * 4 + t[2]) * 4 + t[3]);
  }
  return lowest;
}

colours colours_of_next_tile() { return {next_tile[1] % 4, next_tile[2] % 4, next_tile[3] % 4, next_tile[4] % 4}; }

void record_of(const colours &c, int tile[5]) {
  tile[0] = 0;
  for (int s = 0; s < 4; s++) tile[s + 1] = 4 * s + c[s];
}

// A fresh board with the banner gone (as after the first take), shown on the screen as it is.
void fresh_board(int of_level, int of_stage) {
  prepare_test_board(of_level, of_stage, 2);
  remove_start_banner();
  blit(back_buffer, screen, 0, 0, 0, 0, scene_width, scene_height);
  std::srand(1234);
}

// A placed tile: its picture on the field and its record.
void place_tile(int k, const colours &c) {
  record_of(c, board_tiles[k]);
  draw_tile_at(k, board_tiles[k]);
}

// A tile picture in reserve slot id as the screen shows it.
void show_in_reserve(int id, const colours &c) {
  int tile[5];
  record_of(c, tile);
  compose_tile(screen, tile, field_x[id], field_y[id]);
}

// The code next_tile needs on side s (1..4) to face the placed tile on field k.
int facing(int k, int s) {
  const int opposite = (s + 1) % 4 + 1;
  return 4 * (s - 1) + board_tiles[k][opposite] % 4;
}

// Every field but `free_field` holds a tile of mixed colours.
void fill_board_but(int free_field) {
  for (int k = 1; k <= field_count; k++)
    if (k != free_field) place_tile(k, {std::rand() % 4, std::rand() % 4, std::rand() % 4, std::rand() % 4});
}

// Each element s is a code of side s - 1, and over many draws every colour of the stage occurs on
// every side (at stage 1 exactly the codes 0, 1, 4, 5, 8, 9, 12, 13).
TEST(tile_generator, codes_keep_their_side_and_cover_the_colours_of_the_stage) {
  for (int of_stage = 1; of_stage <= 3; of_stage++) {
    fresh_board(3, of_stage);
    std::set<int> expected, seen;
    for (int s = 0; s < 4; s++)
      for (int c = 0; c <= of_stage; c++) expected.insert(4 * s + c);
    for (int draw = 0; draw < 400; draw++) {
      generate_next_tile();
      for (int s = 1; s <= 4; s++) {
        ASSERT_EQ(next_tile[s] / 4, s - 1) << "stage " << of_stage;
        seen.insert(next_tile[s]);
      }
    }
    EXPECT_EQ(seen, expected) << "stage " << of_stage;
  }
}

// The preview slot shows the composed tile with the veil over it, tile_scratch holds the tile, and
// nothing else of back_buffer nor anything on the screen changes.
TEST(tile_generator, preview_shows_the_composed_tile_under_the_veil) {
  fresh_board(3, 3);
  BITMAP *expected = create_bitmap(scene_width, scene_height);
  BITMAP *screen_before = create_bitmap(scene_width, scene_height);
  BITMAP *composed = create_bitmap(tile_size, tile_size);
  blit(screen, screen_before, 0, 0, 0, 0, scene_width, scene_height);
  for (int draw = 0; draw < 5; draw++) {
    blit(back_buffer, expected, 0, 0, 0, 0, scene_width, scene_height);
    generate_next_tile();
    compose_tile(expected, next_tile, preview_slot_x, preview_slot_y);
    masked_blit(sprite_sheet, expected, 302, 330, 703, 260, 46, 46);
    EXPECT_TRUE(same_pixels(back_buffer, expected, 0, 0, scene_width, scene_height)) << draw;
    clear_to_color(composed, rgb(255, 0, 255));
    compose_tile(composed, next_tile, 0, 0);
    EXPECT_TRUE(same_pixels(tile_scratch, composed, 0, 0, tile_size, tile_size)) << draw;
    for (int s = 1; s <= 4; s++) {
      const probe_offset p = quadrant_probes[s];
      EXPECT_EQ(read_probe(preview_slot, p), getpixel(sprite_sheet, tile_size * next_tile[s] + p.dx, p.dy)) << draw;
    }
  }
  EXPECT_TRUE(same_pixels(screen, screen_before, 0, 0, scene_width, scene_height));
  destroy_bitmap(composed);
  destroy_bitmap(screen_before);
  destroy_bitmap(expected);
}

// With one free field left among placed tiles, the next tile faces its neighbours on every side
// that touches one while 1..10 fields remain; with 11 or 0 it stays random.
TEST(tile_generator, adapts_only_while_one_to_ten_fields_remain) {
  const struct {
    int remaining;
    bool adapts;
  } cases[] = {{10, true}, {1, true}, {11, false}, {0, false}};
  for (const auto &c : cases) {
    fresh_board(3, 3);
    fill_board_but(85);
    remaining = c.remaining;
    int fitting = 0;
    for (int draw = 0; draw < 40; draw++) {
      generate_next_tile();
      fitting += next_tile[1] == facing(72, 1) && next_tile[2] == facing(86, 2) && next_tile[3] == facing(98, 3) &&
                 next_tile[4] == facing(84, 4);
    }
    if (c.adapts)
      EXPECT_EQ(fitting, 40) << "remaining " << c.remaining;
    else
      EXPECT_LT(fitting, 40) << "remaining " << c.remaining;
  }
}

// Free fields on the board's edge: sides facing the scene around the board keep a random colour
// of their own side, the others face the neighbours.
TEST(tile_generator, a_free_edge_field_fits_only_the_sides_that_touch_tiles) {
  const struct {
    int field;
    int neighbour[5]; // per side 1..4, 0 where the side faces the scene
  } cases[] = {{1, {0, 0, 2, 14, 0}}, {169, {0, 156, 0, 0, 168}}, {13, {0, 0, 0, 26, 12}}};
  for (const auto &c : cases) {
    fresh_board(3, 3);
    fill_board_but(c.field);
    remaining = 1;
    std::set<int> random_codes;
    for (int draw = 0; draw < 40; draw++) {
      generate_next_tile();
      for (int s = 1; s <= 4; s++) {
        if (c.neighbour[s])
          ASSERT_EQ(next_tile[s], facing(c.neighbour[s], s)) << "field " << c.field << " side " << s;
        else
          random_codes.insert(next_tile[s]);
        ASSERT_EQ(next_tile[s] / 4, s - 1) << "field " << c.field << " side " << s;
      }
    }
    EXPECT_GT(random_codes.size(), 2u) << "field " << c.field;
  }
}

// The chosen field is the lowest-numbered free field touching a tile; the probes of fields 13 and
// 14 across the board's edge land on the scene, so a tile beyond the edge does not count.
TEST(tile_generator, fits_the_lowest_free_field_that_touches_a_tile) {
  struct placed {
    int field;
    colours c;
  };
  const std::vector<int> top_row_but_13 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const struct {
    std::vector<placed> tiles;
    std::vector<int> inactive;
    int side_a, neighbour_a, side_b, neighbour_b; // the sides the chosen field must fit
  } cases[] = {
      {{{3, {0, 1, 2, 3}}, {15, {2, 3, 0, 1}}}, {}, 2, 3, 3, 15}, // field 2: right and below
      {{{13, {0, 1, 2, 3}}}, top_row_but_13, 1, 13, 1, 13},      // field 26, not 14
      {{{14, {0, 1, 2, 3}}}, top_row_but_13, 4, 14, 4, 14},      // field 15, not 13
  };
  for (const auto &c : cases) {
    fresh_board(3, 3);
    for (int k : c.inactive) draw_cell(inactive_cell_x, k);
    for (const placed &p : c.tiles) place_tile(p.field, p.c);
    remaining = 10;
    for (int draw = 0; draw < 40; draw++) {
      generate_next_tile();
      ASSERT_EQ(next_tile[c.side_a], facing(c.neighbour_a, c.side_a)) << "tile on " << c.tiles[0].field;
      ASSERT_EQ(next_tile[c.side_b], facing(c.neighbour_b, c.side_b)) << "tile on " << c.tiles[0].field;
    }
  }
}

// The six tiles of two colours up to turning, each in some turning.
const colours two_colour_classes[6] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {0, 1, 0, 1}, {1, 0, 0, 1}, {0, 1, 1, 1}, {0, 0, 1, 0}};

// A tile equal to a reserve tile as the screen shows it, unturned or in any turning, is drawn
// again: with five of the six two-colour tiles in reserve (slots up to 8, each in another
// turning), only the sixth comes out. The reserve pictures on back_buffer do not count.
TEST(tile_generator, no_tile_equals_a_reserve_tile_on_the_screen_in_any_turning) {
  for (int allowed = 0; allowed < 6; allowed++) {
    fresh_board(1, 1);
    int slot = reserve_slots + 7;
    for (int i = 0; i < 6; i++)
      if (i != allowed) show_in_reserve(slot--, turned(two_colour_classes[i], i));
    int tile[5]; // the allowed tile parked on back_buffer only
    record_of(two_colour_classes[allowed], tile);
    draw_tile_at(reserve_slots, tile);
    for (int draw = 0; draw < 100; draw++) {
      generate_next_tile();
      ASSERT_EQ(class_of(colours_of_next_tile()), class_of(two_colour_classes[allowed])) << "allowed " << allowed;
    }
  }
}

// Turning is not mirroring: with a tile of four colours in reserve, its turnings never come out
// but its mirror image does.
TEST(tile_generator, a_mirror_image_of_a_reserve_tile_is_no_duplicate) {
  fresh_board(3, 3);
  const colours parked = {0, 1, 2, 3}, mirrored = {0, 3, 2, 1};
  show_in_reserve(reserve_slots + 7, turned(parked, 3));
  int parked_seen = 0, mirrored_seen = 0;
  for (int draw = 0; draw < 2000; draw++) {
    generate_next_tile();
    parked_seen += class_of(colours_of_next_tile()) == class_of(parked);
    mirrored_seen += class_of(colours_of_next_tile()) == class_of(mirrored);
  }
  EXPECT_EQ(parked_seen, 0);
  EXPECT_GT(mirrored_seen, 0);
}

// At the normal level only slots 1..4 are compared: a tile where slot 5 would stand does not
// count, whatever corner slot 5 still holds.
TEST(tile_generator, normal_level_compares_reserve_slots_one_to_four_only) {
  fresh_board(2, 1);
  for (int n = 5; n <= 8; n++) { // corners for slots 5..8, a row below the normal row
    field_x[reserve_slots + n - 1] = reserve_x + reserve_step * (n - 5);
    field_y[reserve_slots + n - 1] = reserve_y_normal + reserve_step;
  }
  for (int n = 1; n <= 4; n++) show_in_reserve(reserve_slots + n - 1, two_colour_classes[n - 1]);
  show_in_reserve(reserve_slots + 4, two_colour_classes[4]);
  std::set<int> seen;
  for (int draw = 0; draw < 300; draw++) {
    generate_next_tile();
    seen.insert(class_of(colours_of_next_tile()));
  }
  EXPECT_EQ(seen, (std::set<int>{class_of(two_colour_classes[4]), class_of(two_colour_classes[5])}));
}

// When no tile can pass the duplicate test the generator still gives a tile: at stage 1 with all
// six two-colour tiles in reserve, and when the one tile that fits the last free field is in
// reserve (then that tile is what comes out).
TEST(tile_generator, gives_in_when_every_tile_is_a_duplicate) {
  fresh_board(1, 1);
  for (int i = 0; i < 6; i++) show_in_reserve(reserve_slots + i, turned(two_colour_classes[i], i + 1));
  for (int draw = 0; draw < 3; draw++) {
    generate_next_tile();
    for (int s = 1; s <= 4; s++) EXPECT_TRUE(next_tile[s] / 4 == s - 1 && next_tile[s] % 4 <= 1) << next_tile[s];
  }

  fresh_board(3, 3);
  fill_board_but(85);
  remaining = 1;
  const colours fitting = {facing(72, 1) % 4, facing(86, 2) % 4, facing(98, 3) % 4, facing(84, 4) % 4};
  show_in_reserve(reserve_slots + 2, turned(fitting, 1));
  generate_next_tile();
  EXPECT_EQ(colours_of_next_tile(), fitting);
}

} // namespace
