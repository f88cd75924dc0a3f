// The puzzle core: the board of 13x13 fields, the tile-sized slots beside it, the quadrant codes
// that describe a tile, and the probe points. Every move of play decides by reading colours of
// back_buffer at these points; the code arrays only record what was drawn.
#pragma once

#include <allegro.h>

// ---- geometry ----------------------------------------------------------------------------------

constexpr int tile_size = 39;
constexpr int board_side = 13;                 // fields per row and per column
constexpr int field_count = board_side * board_side;
constexpr int board_left = 50, board_top = 50; // corner of field 1

// Control ids: the values of hover_control. 1..169 are the board fields.
constexpr int active_slot = 170;
constexpr int preview_slot = 171;
constexpr int reserve_slots = 172;             // reserve slot n (1..8) is control 171 + n
constexpr int restart_button = 180;
constexpr int info_button = 181;
constexpr int save_button = 182;
constexpr int control_count = 179;             // controls that hold a tile

constexpr int active_slot_x = 603, active_slot_y = 264;
constexpr int preview_slot_x = 707, preview_slot_y = 264;
constexpr int reserve_x = 582, reserve_step = 43; // column j of the reserve at 582 + 43 j
constexpr int reserve_y_normal = 378;             // the one row of the normal level
constexpr int reserve_y_other = 360;              // the first of two rows on the other levels

// Corners of every tile-sized control, by control id 1..179; filled by prepare_board.
extern int field_x[control_count + 1];
extern int field_y[control_count + 1];

// Column and row (from 0) of board field k, and the corner of that field.
inline int field_column(int k) { return (k - 1) % board_side; }
inline int field_row(int k) { return (k - 1) / board_side; }
inline int field_corner_x(int k) { return board_left + tile_size * field_column(k); }
inline int field_corner_y(int k) { return board_top + tile_size * field_row(k); }

// Reserve slots of a level: one row of four on the normal level, two rows on the others.
inline int reserve_rows(int of_level) { return of_level == 2 ? 1 : 2; }
inline int reserve_slot_count(int of_level) { return 4 * reserve_rows(of_level); }
inline int reserve_row_y(int of_level, int row) {
  return of_level == 2 ? reserve_y_normal : reserve_y_other + reserve_step * row;
}

// ---- game state ----------------------------------------------------------------------------------

extern int level;    // 1 easy, 2 normal, 3 hard; 4 after the hard level; 5 quit (menu)
extern int stage;    // 1..3; 0 after the closing gallery
extern int language; // 1 Polish, 2 English

// ---- quadrant codes ------------------------------------------------------------------------------
// A quadrant is 4 * side + colour, side 0 top, 1 right, 2 bottom, 3 left, colour 0..3; -1 no tile.

constexpr int no_tile = -1;

inline int side_of(int code) { return code / 4; }
inline int colour_of(int code) { return code % 4; }
// A quarter turn clockwise: top becomes right, ..., left becomes top; the colour stays.
inline int quarter_turn(int code) { return code + 4 > 15 ? code - 12 : code + 4; }
// The code a quadrant must have to face a neighbour's quadrant: the bottom code of the field above
// faces our top; the left code of the right neighbour our right; and so on.
inline int facing_from_above(int bottom_code) { return bottom_code - 8; }
inline int facing_from_right(int left_code) { return left_code - 8; }
inline int facing_from_below(int top_code) { return top_code + 8; }
inline int facing_from_left(int right_code) { return right_code + 8; }

// Tile records, elements 1..4 (element 0 unused).
extern int next_tile[5];          // the preview slot's tile, in side order
extern int active_tile[5];        // the active slot's tile; each element turns with the tile
extern int active_by_side[5];     // active_tile filed by side: element s has side s - 1
extern int reserve_tiles[9][5];   // reserve slot n: a copy of active_tile when it was parked
extern int board_tiles[field_count + 1][5]; // field k: active_by_side when placed; -1 when empty

// Counters of a board.
extern int remaining;       // fields still to fill
extern int inactive_count;  // inactive fields on the board
extern int blink_phase;     // phase of the blinking slot frame

// ---- colours and probes --------------------------------------------------------------------------

// What the probes read, made with makecol in the screen's colour format (set_board_colours).
extern int empty_color;     // (110,110,110): an empty field or slot
extern int inactive_color;  // (83,82,84): an inactive field at its inactive probe
void set_board_colours();   // after the colour depth is set

struct probe_offset { int dx, dy; };
constexpr probe_offset free_probe = {5, 5};
constexpr probe_offset inactive_probe = {15, 5};
// Quadrant probes 1..4: top, right, bottom, left.
constexpr probe_offset quadrant_probes[5] = {{0, 0}, {20, 5}, {35, 20}, {20, 35}, {5, 20}};
// Neighbour probes 1..4: the facing quadrant above, right, below and left of a field.
constexpr probe_offset neighbour_probes[5] = {{0, 0}, {20, -3}, {41, 20}, {20, 41}, {-3, 20}};

// The colour of back_buffer at (x, y).
int read_point(int x, int y);
// The colour of back_buffer at a probe of control id.
int read_probe(int id, probe_offset probe);

// ---- sprite-sheet cells of the puzzle --------------------------------------------------------------

constexpr int inactive_cell_x = 16 * tile_size; // (624,0)
constexpr int empty_cell_x = 17 * tile_size;    // (663,0)
constexpr int preview_cell_x = 18 * tile_size;  // (702,0)
constexpr int slot_cell_x = 19 * tile_size;     // (741,0), 41x41

// Draws one quadrant cell (masked) with its corner at (x, y) of target.
void draw_quadrant(BITMAP *target, int code, int x, int y);
// Draws elements 1..4 of a tile record, in that order, at (x, y) of target.
void compose_tile(BITMAP *target, const int tile[5], int x, int y);
// Copies a whole cell of the sheet (opaque) to the corner of control id on back_buffer.
void draw_cell(int cell_x, int id);
// Moves a tile picture on back_buffer from one control's corner to another's.
void move_tile_picture(int from_id, int to_id);

// The colours of a tile-sized picture of `from` with its corner at (x, y), at the quadrant probes:
// element 1 top, 2 right, 3 bottom, 4 left.
struct quadrant_colours {
  int side[5];
};
quadrant_colours read_quadrants(BITMAP *from, int x, int y);
// All four quadrants read one colour: a uniform tile, which no turn changes.
bool is_uniform(const quadrant_colours &tile);
// Files the codes of a tile record by their side: element s of by_side gets the code of side s - 1.
void file_by_side(const int tile[5], int by_side[5]);
// Restores the board area from board_snapshot, which removes the start banner, once per board.
void remove_start_banner();

// Sheet pieces round the active slot.
void draw_slot_frame(bool lit);     // the frame round the slot, plain or lit (masked)
void draw_rotation_marker();        // the sign that the tile in the slot may be turned
void draw_empty_active_slot();      // the slot cell: the slot is empty again

// ---- board preparation ---------------------------------------------------------------------------

// Lays out a fresh board for level and stage, resumes a saved game of it, shows the start banner
// and brings the scene onto the screen.
void prepare_board();
// Prints remaining, centred under its caption, on back_buffer.
void draw_remaining_counter();

// ---- the moves of play, run by every frame in this order -----------------------------------------

void generate_next_tile();  // makes the next tile and shows it in the preview slot
void adapt_next_tile();     // near the end of a board: fits the next tile to a field beside tiles
void rotate_active_tile();  // turns the active tile (right click on the active slot)
void take_next_tile();      // takes the next tile into the active slot
void use_reserve_slot();    // parks the active tile or takes a parked tile back
void place_active_tile();   // puts the active tile on a board field
void show_info_panel();     // shows the info panel while its button is held
