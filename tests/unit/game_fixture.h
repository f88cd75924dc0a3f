// What the unit tests of the game share: the game's bitmaps and fonts loaded headless once for
// the whole run, a memory bitmap standing in for the screen, and a board prepared on demand.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>

#include "puzzle/puzzle.h"
#include "screens/screens.h"
#include "shell/shell.h"

// A colour as the game's bitmaps hold it.
inline int rgb(int r, int g, int b) { return makecol(r, g, b); }

// Composes the stage scene and prepares a board of the given level, stage and language, the way
// the main flow does it (without the split slide unless `slide` is set).
void prepare_test_board(int of_level, int of_stage, int of_language, bool slide = false);

// Whether two bitmaps agree on every pixel of a rectangle.
bool same_pixels(BITMAP *a, BITMAP *b, int x, int y, int w, int h);
// Whether a w x h rectangle at (ax, ay) of a shows the same pixels as the one at (bx, by) of b.
bool same_picture(BITMAP *a, int ax, int ay, BITMAP *b, int bx, int by, int w, int h);

// A copy of a whole scene-sized bitmap, to compare with later.
using bitmap_ptr = std::unique_ptr<BITMAP, decltype(&destroy_bitmap)>;
bitmap_ptr copy_of(BITMAP *from);

// Sets the live mouse state the way the library's input handling would.
void put_mouse(int x, int y, int buttons);

// Puts the pointer on the middle of control id (a tile-sized control or a side button) with `buttons` held, takes the snapshot and finds
// the control as a frame does, then lets the buttons go (live state only), so that a move that
// waits for the release returns at once. Run the moves afterwards.
void press_on(int id, int buttons);
// Draws a tile record at the corner of control id on back_buffer (the record is not stored).
void draw_tile_at(int id, const int tile[5]);

// A tile's codes, elements 1..4 as in the game's tile records.
struct tile_record {
  int codes[5];
};
// Puts a tile into the active slot as a take would: rotation marker, picture, codes filed by
// side, and the slot marked full. `tile` is in active_tile's order.
void put_in_slot(const tile_record &tile);
