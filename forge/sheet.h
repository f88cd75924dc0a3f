// The sprite sheet grafika/ele.png is drawn in two halves on one 870x700 canvas that
// starts all mask colour: the pieces of play and the captions of the screens.
#pragma once

#include <allegro.h>

constexpr int sheet_w = 870;
constexpr int sheet_h = 700;

// Quadrant cells, inactive/empty/preview/slot cells, slot frames, stage box and marker,
// rotation marker, colour swatches and the veil (forge/sheet_cells.cpp).
void draw_sheet_cells(BITMAP *sheet);

// Flags, menu pieces, level names, buttons, captions and labels, banners, gallery
// captions and headings, in Polish and English (forge/sheet_captions.cpp).
void draw_sheet_captions(BITMAP *sheet);
