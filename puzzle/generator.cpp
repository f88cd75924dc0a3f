// The tile generator: random colours for the stage, fitted to the board near its end, never a tile
// the player already keeps in reserve. The result is the next tile in the preview slot.
#include <cstdlib>

#include "puzzle/puzzle.h"
#include "shell/shell.h"

namespace {

// When every tile the colours allow is already in reserve, no new tile can pass the duplicate
// test; after this many tries the last one is taken anyway, so the game never stands still.
constexpr int attempts_before_giving_in = 1000;

constexpr int adapt_below = 10; // the adaptation runs while 1..10 fields are still to fill

// Whether the new tile equals the tile of reserve slot `id` as shown on the screen, in any turning:
// turned by j quarter turns clockwise, its side i reads what the slot shows at side i + j.
bool is_duplicate(const quadrant_colours &tile, int id) {
  const quadrant_colours parked = read_quadrants(screen, field_x[id], field_y[id]);
  for (int turn = 0; turn < 4; turn++) {
    bool same = true;
    for (int s = 1; s <= 4 && same; s++) same = tile.side[s] == parked.side[(s - 1 + turn) % 4 + 1];
    if (same) return true;
  }
  return false;
}

bool duplicates_reserve(const quadrant_colours &tile) {
  for (int n = 1; n <= reserve_slot_count(level); n++)
    if (is_duplicate(tile, reserve_slots + n - 1)) return true;
  return false;
}

void draw_random_colours() {
  for (int s = 1; s <= 4; s++) next_tile[s] = std::rand() % (stage + 1) + 4 * (s - 1);
}

// The board field beside field k on a side (1 above, 2 right, 3 below, 4 left), or 0 beyond the edge.
int neighbour_of(int k, int side) {
  switch (side) {
  case 1: return k > board_side ? k - board_side : 0;
  case 2: return field_column(k) < board_side - 1 ? k + 1 : 0;
  case 3: return k <= field_count - board_side ? k + board_side : 0;
  default: return field_column(k) > 0 ? k - 1 : 0;
  }
}

// The code a new tile needs on `side` to face the placed tile beside it; no_tile when the
// neighbour's record holds none.
int facing_code(int neighbour, int side) {
  const int *placed = board_tiles[neighbour];
  switch (side) {
  case 1: return placed[3] < 0 ? no_tile : facing_from_above(placed[3]);
  case 2: return placed[4] < 0 ? no_tile : facing_from_right(placed[4]);
  case 3: return placed[1] < 0 ? no_tile : facing_from_below(placed[1]);
  default: return placed[2] < 0 ? no_tile : facing_from_left(placed[2]);
  }
}

// A neighbour probe of field k shows a placed tile.
bool touches_tile(int k, int side) { return read_probe(k, neighbour_probes[side]) != empty_color; }

} // namespace

void adapt_next_tile() {
  for (int k = 1; k <= field_count; k++) {
    if (read_probe(k, free_probe) != empty_color) continue;
    if (!touches_tile(k, 1) && !touches_tile(k, 2) && !touches_tile(k, 3) && !touches_tile(k, 4)) continue;
    for (int side = 1; side <= 4; side++) {
      if (!touches_tile(k, side)) continue;
      // The probes of an edge field land on the scene around the board, never on a record; and a
      // record that holds nothing (a damaged save) leaves the random colour.
      const int neighbour = neighbour_of(k, side);
      const int code = neighbour ? facing_code(neighbour, side) : no_tile;
      if (code != no_tile) next_tile[side] = code;
    }
    return;
  }
}

void generate_next_tile() {
  for (int attempt = 1;; attempt++) {
    draw_random_colours();
    if (remaining >= 1 && remaining <= adapt_below) adapt_next_tile();
    compose_tile(tile_scratch, next_tile, 0, 0);
    if (attempt == attempts_before_giving_in || !duplicates_reserve(read_quadrants(tile_scratch, 0, 0))) break;
  }
  draw_sprite(back_buffer, tile_scratch, preview_slot_x, preview_slot_y);
  masked_blit(sprite_sheet, back_buffer, 302, 330, preview_slot_x - 4, preview_slot_y - 4, 46, 46);
}
