// Drawing tools for the captions of the sprite sheet: haloed lettering that stands on mask
// ground without fringes, bevelled plates with hard outer edges, the little quadrant-tile
// emblem, and the sealing of pockets that a flood fill could not reach.
#pragma once

#include <allegro.h>

#include <string>
#include <vector>

#include "forge/palette.h"
#include "forge/type.h"

// A run of lettering: face, pixel size and ink.
struct lettering {
  typeface face;
  int size;
  rgb ink;
};

// How much dark surround a haloed text gets: a one-pixel ring, and optionally a drop shadow
// one pixel further to the lower right.
enum halo_kind { halo_ring, halo_ring_and_shadow };

// Width in pixels of a text, and the height of its ink from the top of the line box to the
// lowest descender.
int lettering_width(const lettering &style, const std::string &text);
int lettering_height(const lettering &style);

// Draws anti-aliased text whose soft edges blend into an opaque dark halo drawn under it first,
// so the text can stand on mask ground: every pixel it touches ends up opaque. (x, y) is the
// top-left corner of the line box; the halo reaches one pixel beyond it (two with the shadow).
void draw_haloed_text(BITMAP *bmp, const lettering &style, int x, int y, const std::string &text,
                      halo_kind halo = halo_ring, rgb halo_colour = ink_dark_rgb);
// The same, centred on x.
void draw_haloed_text_centre(BITMAP *bmp, const lettering &style, int x, int y, const std::string &text,
                             halo_kind halo = halo_ring, rgb halo_colour = ink_dark_rgb);

// Anti-aliased text over opaque ground (a plate of the piece), with an optional soft shadow
// of `shadow_alpha` one pixel to the lower right.
void draw_plate_text_centre(BITMAP *bmp, const lettering &style, int x, int y, const std::string &text,
                            double shadow_alpha = 0.0, rgb shadow = ink_dark_rgb);

// The look of a bevelled plate: a dark outer line, a rim lit from the upper left, a face.
struct plate_look {
  rgb outline = ink_dark_rgb;
  rgb rim_lit = trim_light_rgb;
  rgb rim_shade = scale(trim_rgb, 0.55);
  rgb face = plate_rgb;
  double rim = 2.0;       // rim width inside the outline, in pixels
  double inner_line = 0;  // a second dark line inside the rim (0: none)
};

// Paints a rounded rectangle (x, y, w x h, corner radius r) as a plate. The outer edge is hard
// (no pixel mixes with what lies outside); the bands inside blend smoothly, and the face is
// exactly one colour where the bands end. The rim is at least two pixels deep in all, so the
// face never touches the outside.
void paint_plate(BITMAP *bmp, int x, int y, int w, int h, double r, const plate_look &look);

// Fills a rounded rectangle with one colour, hard-edged.
void fill_rounded(BITMAP *bmp, int x, int y, int w, int h, double r, rgb colour);

// A small square tile standing on its corner, cut along its diagonals into four triangles in
// the given colours (top, right, bottom, left), with a dark outline; `half` is the distance
// from the centre to a corner. Drawn anti-aliased: use it over opaque ground only.
void draw_tile_emblem(BITMAP *bmp, double cx, double cy, double half, const rgb colours[4]);

// Every pixel of `colour` inside the rectangle that is not 4-connected (the way the game's
// flood fill spreads: never diagonally) to one of the seeds, through pixels of that colour
// within the rectangle, is repainted in `fill`. Keeps closed letter counters and narrow
// diagonal gaps from staying unfilled under a hover highlight.
void seal_pockets(BITMAP *bmp, int x, int y, int w, int h, int colour, const std::vector<int> &seed_xy, int fill);
// The same for mask pixels, seeded from every mask pixel on the rectangle's border.
void seal_mask_pockets(BITMAP *bmp, int x, int y, int w, int h, rgb fill = ink_dark_rgb);

// Each piece is drawn on a canvas of its own size that starts all mask colour and is then
// copied masked into the sheet (which starts all mask colour too), so nothing a piece draws
// can spill into a neighbouring region, and the piece's mask pixels leave alone whatever a
// neighbour drew on a column they share.
BITMAP *piece_canvas(int w, int h);
void place_piece(BITMAP *sheet, BITMAP *piece, int x, int y);  // copies and destroys the canvas

// The emblem colours of the house: cream, copper, olive and slate.
extern const rgb emblem_colours[4];
