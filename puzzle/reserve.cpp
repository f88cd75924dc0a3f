// The reserve zone: a left click on a reserve slot parks the active tile there, or takes the
// parked tile back into the empty active slot. No swap; whether a slot holds a tile is what its
// free probe shows.
#include "puzzle/puzzle.h"
#include "shell/shell.h"

namespace {

void park_tile(int n, int id) {
  play_sound(sound_tile_parked);
  move_tile_picture(active_slot, id);
  blit(clean_scene, back_buffer, 587, 248, 587, 248, 71, 71); // the rotation marker goes
  draw_slot_frame(false);
  draw_empty_active_slot();
  show_scene();
  for (int i = 1; i <= 4; i++) reserve_tiles[n][i] = active_tile[i];
  wait_for_release();
  active_tile_present = 0;
}

void take_tile_back(int n, int id) {
  // A resumed board may have tiles in reserve before any tile was taken: the banner goes now too,
  // or the first take would later wipe a tile placed from the reserve off the board picture.
  remove_start_banner();
  if (is_uniform(read_quadrants(back_buffer, field_x[id], field_y[id]))) rotation_locked = 1;
  else if (!rotation_locked) draw_rotation_marker();
  play_sound(sound_tile_taken_back);
  move_tile_picture(id, active_slot);
  draw_cell(empty_cell_x, id);
  show_scene();
  for (int i = 1; i <= 4; i++) active_tile[i] = reserve_tiles[n][i];
  file_by_side(active_tile, active_by_side);
  wait_for_release();
  active_tile_present = 1;
}

} // namespace

void use_reserve_slot() {
  const int id = hover_control;
  if (id < reserve_slots || id >= reserve_slots + reserve_slot_count(level) || mouse_b_now != left_click) return;
  const int n = id - reserve_slots + 1;
  const bool slot_full = read_probe(active_slot, free_probe) != empty_color;
  const bool reserve_full = read_probe(id, free_probe) != empty_color;
  if (slot_full) {
    if (!reserve_full && active_tile_present == 1) park_tile(n, id);
  } else if (active_tile_present == 0) {
    if (reserve_full) {
      take_tile_back(n, id);
    } else {
      play_sound(sound_empty_reserve_clicked);
      wait_for_release();
    }
  }
}
