// What the unit tests of the game share: the game's bitmaps and fonts loaded headless once for
// the whole run, a memory bitmap standing in for the screen, and a board prepared on demand.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

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

// Sets the live mouse state the way the library's input handling would.
void put_mouse(int x, int y, int buttons);

// Puts the pointer on the middle of control id (a tile-sized control or a side button) with `buttons` held, takes the snapshot and finds
// the control as a frame does, then lets the buttons go (live state only), so that a move that
// waits for the release returns at once. Run the moves afterwards.
void press_on(int id, int buttons);
// Draws a tile record at the corner of control id on back_buffer (the record is not stored).
void draw_tile_at(int id, const int tile[5]);
