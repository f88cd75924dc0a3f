// The board reset and the frame of play: input, the moves, the picture, the side buttons.
#include "puzzle/puzzle.h"
#include "saves/saves.h"
#include "shell/shell.h"

// The rotation routine decides rotation_locked before taking and the reserve look at it.
void (*frame_moves[5])() = {rotate_active_tile, take_next_tile, use_reserve_slot, place_active_tile,
                            show_info_panel};

namespace {

// The side-button area, restored from board_snapshot after every frame.
constexpr int side_area_x = 580, side_area_y = 460, side_area_w = 220, side_area_h = 140;

} // namespace

void show_scene() { blit(back_buffer, screen, 0, 0, 0, 0, scene_width, scene_height); }

void show_area(BITMAP *from, int x, int y, int w, int h) { blit(from, screen, x, y, x, y, w, h); }

void reset_board() {
  for (int k = 1; k <= field_count; k++)
    for (int q = 1; q <= 4; q++) board_tiles[k][q] = no_tile;
  remaining = 0;
  board_started = 0;
  active_tile_present = 0;
  rotation_locked = 0;
}

frame_end play_frame() {
  // Until a tile is on the board, a veil over the restart button says there is nothing to restart.
  if (!board_started) masked_blit(sprite_sheet, back_buffer, 300, 330, 585, 462, 171, 31);
  poll_input();
  hit_test();
  for (void (*move)() : frame_moves) move();
  show_scene();
  blit(board_snapshot, back_buffer, side_area_x, side_area_y, side_area_x, side_area_y, side_area_w, side_area_h);
  if (remaining == 0) return frame_board_full;
  skip_slide_in = 0;
  if (hover_control == restart_button && mouse_b_now == left_click && board_started) {
    skip_slide_in = 1;
    board_started = 0;
    return frame_restart;
  }
  if (hover_control == save_button && mouse_b_now == left_click) {
    if (tile_taken && board_started) save_game();
    return frame_to_menu;
  }
  rest(11);
  return quit_requested() ? frame_quit : frame_goes_on;
}
