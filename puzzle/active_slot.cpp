// The active slot: taking the next tile into it and turning the tile in it. Both answer one
// gesture, a left click on the slot or a right click on the board: an empty slot takes, a full
// one turns. Taking also keeps the frame round the slot blinking and lit under the pointer.
#include "puzzle/puzzle.h"
#include "shell/shell.h"

namespace {

constexpr int blink_step_ticks = 5; // the blink advances every frame after 5 ms
constexpr int blink_last_phase = 10;
constexpr int blink_plain_until = 4, blink_lit_from = 6;

bool on_board(int id) { return id >= 1 && id <= field_count; }

// A left click on the active slot, or a right click on a board field.
bool slot_gesture() {
  return (mouse_b_now == left_click && hover_control == active_slot) ||
         (mouse_b_now == right_click && on_board(hover_control));
}

// The frame round the slot: blinking while it holds a tile, steady while empty, lit under the pointer.
void draw_slot_frame_state() {
  if (blink_phase > blink_last_phase) blink_phase = 0;
  if (tick_count > blink_step_ticks) {
    blink_phase++;
    tick_count = 0;
  }
  if (!active_tile_present) draw_slot_frame(false);
  else if (blink_phase >= blink_lit_from) draw_slot_frame(true);
  else if (blink_phase <= blink_plain_until) draw_slot_frame(false);
  if (hover_control == active_slot) draw_slot_frame(true);
}

} // namespace

void rotate_active_tile() {
  rotation_locked = 0;
  if (level == 3) rotation_locked = remaining % 2; // hard: only while an even number is left
  if (is_uniform(read_quadrants(back_buffer, active_slot_x, active_slot_y))) rotation_locked = 1;
  if (active_tile_present != 1 || rotation_locked || !slot_gesture()) return;
  // One quadrant at a time, each new triangle over the old one on its side.
  for (int i = 1; i <= 4; i++) {
    active_tile[i] = quarter_turn(active_tile[i]);
    draw_quadrant(back_buffer, active_tile[i], active_slot_x, active_slot_y);
    show_scene();
    play_sound(sound_tile_turned);
    active_by_side[side_of(active_tile[i]) + 1] = active_tile[i];
  }
  wait_for_release();
}

void take_next_tile() {
  if (is_uniform(read_quadrants(back_buffer, preview_slot_x, preview_slot_y))) rotation_locked = 1;
  draw_slot_frame_state();
  if (!slot_gesture() || active_tile_present == 1) return;
  if (read_probe(active_slot, free_probe) != empty_color) return;
  remove_start_banner();
  active_tile_present = 1;
  if (!rotation_locked) draw_rotation_marker();
  draw_sprite(back_buffer, tile_scratch, active_slot_x, active_slot_y);
  for (int i = 1; i <= 4; i++) active_tile[i] = next_tile[i];
  generate_next_tile();
  for (int i = 1; i <= 4; i++) active_by_side[i] = active_tile[i];
  play_sound(sound_tile_taken);
  show_scene();
  rest(100);
  wait_for_release();
}
