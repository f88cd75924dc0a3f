// Placing: the active tile goes onto the free field under the pointer when it fits. The first
// tile of a board goes anywhere; every later one must touch a placed tile and match the colour
// of every placed tile it touches. Decided by the probes alone.
#include "puzzle/puzzle.h"
#include "shell/shell.h"

namespace {

constexpr int board_area = 508; // the board area shown after a placement or a refusal

void show_board_area() { show_area(back_buffer, board_left, board_top, board_area, board_area); }

// Whether the active tile may go on free field k: every neighbour probe reads either empty (an
// empty or inactive field, or the scene beyond the edge) or the active tile's colour on that side;
// and unless this is the board's first tile, at least one of them shows a tile.
bool tile_fits(int k) {
  const quadrant_colours active = read_quadrants(back_buffer, active_slot_x, active_slot_y);
  bool touches = false;
  for (int side = 1; side <= 4; side++) {
    const int neighbour = read_probe(k, neighbour_probes[side]);
    if (neighbour == empty_color) continue;
    touches = true;
    if (neighbour != active.side[side]) return false;
  }
  return touches || !board_started;
}

void refuse_tile() {
  board_started = 1;
  play_sound(sound_placement_refused);
  show_board_area();
  wait_for_release();
}

void put_tile_on(int k) {
  move_tile_picture(active_slot, k);
  blit(clean_scene, back_buffer, 587, 247, 587, 247, 72, 72); // the rotation marker goes
  draw_empty_active_slot();
  play_sound(sound_tile_placed);
  if (--remaining < 0) remaining = 0;
  active_tile_present = 0;
  board_started = 1;
  rest(1);
  draw_remaining_counter();
  for (int s = 1; s <= 4; s++) board_tiles[k][s] = active_by_side[s];
  show_board_area();
  wait_for_release();
}

} // namespace

void place_active_tile() {
  const int k = hover_control;
  if (k < 1 || k > field_count || read_probe(k, free_probe) != empty_color) return;
  if (mouse_b_now != left_click || active_tile_present != 1) return;
  if (read_probe(active_slot, free_probe) == empty_color) return;
  if (tile_fits(k)) put_tile_on(k);
  else refuse_tile();
}
