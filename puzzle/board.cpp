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
