// The board model: positions, tile records, counters, the probe colours, and the drawing
// operations that every move of play shares.
#include "puzzle/puzzle.h"
#include "shell/shell.h"

int field_x[control_count + 1];
int field_y[control_count + 1];

int level, stage, language;

int next_tile[5];
int active_tile[5];
int active_by_side[5];
int reserve_tiles[9][5];
int board_tiles[field_count + 1][5];

int remaining;
int inactive_count;
int blink_phase;

int empty_color;
int inactive_color;

void set_board_colours() {
  empty_color = makecol(110, 110, 110);
  inactive_color = makecol(83, 82, 84);
}

int read_point(int x, int y) { return getpixel(back_buffer, x, y); }

int read_probe(int id, probe_offset probe) {
  return read_point(field_x[id] + probe.dx, field_y[id] + probe.dy);
}

void draw_quadrant(BITMAP *target, int code, int x, int y) {
  masked_blit(sprite_sheet, target, tile_size * code, 0, x, y, tile_size, tile_size);
}

void compose_tile(BITMAP *target, const int tile[5], int x, int y) {
  for (int i = 1; i <= 4; i++) draw_quadrant(target, tile[i], x, y);
}

void draw_cell(int cell_x, int id) {
  blit(sprite_sheet, back_buffer, cell_x, 0, field_x[id], field_y[id], tile_size, tile_size);
}

void move_tile_picture(int from_id, int to_id) {
  blit(back_buffer, back_buffer, field_x[from_id], field_y[from_id], field_x[to_id], field_y[to_id],
       tile_size, tile_size);
}

quadrant_colours read_quadrants(BITMAP *from, int x, int y) {
  quadrant_colours tile{};
  for (int s = 1; s <= 4; s++) tile.side[s] = getpixel(from, x + quadrant_probes[s].dx, y + quadrant_probes[s].dy);
  return tile;
}

bool is_uniform(const quadrant_colours &tile) {
  return tile.side[1] == tile.side[2] && tile.side[2] == tile.side[3] && tile.side[3] == tile.side[4];
}

void file_by_side(const int tile[5], int by_side[5]) {
  for (int i = 1; i <= 4; i++)
    if (tile[i] >= 0 && tile[i] <= 15) by_side[side_of(tile[i]) + 1] = tile[i];
}

void remove_start_banner() {
  if (tile_taken) return;
  blit(board_snapshot, back_buffer, board_left, board_top, board_left, board_top, 500, 500);
  tile_taken = 1;
}

void draw_slot_frame(bool lit) {
  masked_blit(sprite_sheet, back_buffer, lit ? 270 : 216, 40, 595, 257, 55, 55);
}

void draw_rotation_marker() { masked_blit(sprite_sheet, back_buffer, 464, 86, 587, 247, 73, 73); }

void draw_empty_active_slot() {
  blit(sprite_sheet, back_buffer, slot_cell_x, 0, active_slot_x - 1, active_slot_y - 1, tile_size + 2,
       tile_size + 2);
}
