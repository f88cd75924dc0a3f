// Board preparation: lays out a fresh board for the level and stage on the stage scene, makes the
// level's inactive fields, resumes a saved game and brings the result onto the screen.
#include <cstdlib>

#include "puzzle/puzzle.h"
#include "saves/saves.h"
#include "screens/screens.h"
#include "shell/shell.h"

namespace {

constexpr int board_square = 510;      // the board's square in clean_scene, from (50,50)
constexpr int normal_redraw_square = 508;

void lay_out_board_and_slots() {
  for (int k = 1; k <= field_count; k++) {
    field_x[k] = field_corner_x(k);
    field_y[k] = field_corner_y(k);
  }
  field_x[active_slot] = active_slot_x;
  field_y[active_slot] = active_slot_y;
  field_x[preview_slot] = preview_slot_x;
  field_y[preview_slot] = preview_slot_y;
}

void draw_level_caption() {
  blit(clean_scene, back_buffer, 585, 85, 585, 85, 156, 29);
  masked_blit(sprite_sheet, back_buffer, 158 * (language - 1), 122 + 29 * level, 585, 85, 156, 29);
}

void draw_stage_markers() {
  for (int s = 1; s <= stage; s++) masked_blit(sprite_sheet, back_buffer, 511, 40, 571 + 43 * s, 168, 20, 21);
}

// Stores the corners of the level's reserve slots and shows them empty.
void lay_out_reserve() {
  blit(clean_scene, back_buffer, 580, 358, 580, 358, 172, 86);
  for (int row = 0; row < reserve_rows(level); row++) {
    for (int column = 0; column < 4; column++) {
      const int id = reserve_slots + 4 * row + column;
      field_x[id] = reserve_x + reserve_step * column;
      field_y[id] = reserve_row_y(level, row);
      draw_cell(empty_cell_x, id);
    }
  }
}

void make_easy_ring() {
  for (int k = 1; k <= field_count; k++) {
    const int row = field_row(k), column = field_column(k);
    if (row < 2 || row > 10 || column < 2 || column > 10) draw_cell(inactive_cell_x, k);
  }
  inactive_count = 88;
}

// A field is walled in when none of the four points five pixels beyond its sides reads the
// empty grey: an inactive neighbour or the scene beyond the board closes a side.
bool walled_in(int k) {
  const int h = tile_size / 2, x = field_x[k], y = field_y[k];
  return read_point(x + h, y - 5) != empty_color && read_point(x + tile_size + 5, y + h) != empty_color &&
         read_point(x + h, y + tile_size + 5) != empty_color && read_point(x - 5, y + h) != empty_color;
}

// The normal level: 13..19 inactive fields at random, drawn again until no field is walled in.
void make_normal_layout() {
  inactive_count = std::rand() % 7 + 13;
  for (;;) {
    blit(clean_scene, back_buffer, board_left, board_top, board_left, board_top, normal_redraw_square,
         normal_redraw_square);
    for (int placed = 0; placed < inactive_count;) {
      const int k = std::rand() % field_count + 1;
      if (read_probe(k, free_probe) != empty_color) continue; // inactive already
      draw_cell(inactive_cell_x, k);
      placed++;
    }
    bool stands = true;
    for (int k = 1; k <= field_count && stands; k++) stands = !walled_in(k);
    if (stands) return;
  }
}

void make_inactive_fields() {
  switch (level) {
  case 1:
    make_easy_ring();
    break;
  case 2:
    make_normal_layout();
    break;
  default:
    inactive_count = 0;
    break;
  }
  remaining = field_count - inactive_count;
}

// The banner over the board until the first tile is taken; on back_buffer only.
void draw_start_banner() {
  static const char *const level_lines[2][4] = {
      {nullptr, "Poziom ŁATWY", "Poziom NORMALNY", "Poziom TRUDNY"},
      {nullptr, "Level EASY", "Level NORMAL", "Level HARD"},
  };
  static const char *const stage_lines[3] = {nullptr, "Etap: %d", "Stage: %d"};
  masked_blit(sprite_sheet, back_buffer, 250, 427, 200, 230, 226, 60);
  rectfill(back_buffer, 190, 215, 415, 275, makecol(99, 99, 99));
  rect(back_buffer, 190, 215, 415, 275, makecol(0, 0, 0));
  rect(back_buffer, 191, 216, 414, 274, makecol(66, 66, 66));
  const int text = makecol(166, 166, 166);
  if (level >= 1 && level <= 3)
    textprintf_centre_ex(back_buffer, font_arial16, 302, 222, text, -1, "%s", level_lines[language - 1][level]);
  textprintf_centre_ex(back_buffer, font_f16, 302, 244, text, -1, stage_lines[language], stage);
}

} // namespace

void draw_remaining_counter() {
  blit(clean_scene, back_buffer, 580, 210, 580, 210, 160, 40);
  textprintf_centre_ex(back_buffer, font_arial16, 668, 216, makecol(0, 0, 0), -1, " %d ", remaining);
  textprintf_centre_ex(back_buffer, font_arial16, 667, 215, makecol(188, 200, 188), -1, " %d ", remaining);
}

void prepare_board() {
  tile_taken = 0;
  lay_out_board_and_slots();
  draw_level_caption();
  draw_stage_markers();
  lay_out_reserve();
  for (int k = 1; k <= field_count; k++) draw_cell(empty_cell_x, k);
  blit(back_buffer, clean_scene, board_left, board_top, board_left, board_top, board_square, board_square);
  masked_blit(sprite_sheet, back_buffer, preview_cell_x, 0, preview_slot_x - 1, preview_slot_y - 1, tile_size,
              tile_size);
  make_inactive_fields();
  draw_remaining_counter();
  draw_empty_active_slot();
  blit(back_buffer, board_snapshot, 0, 0, 0, 0, scene_width, scene_height);
  resume_game();
  draw_start_banner();
  if (!skip_slide_in) split_slide();
  tile_taken = 0;
}
