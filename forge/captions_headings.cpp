// The closing captions of the gallery and the two headings: the game's name over the rules
// page and the strip over the saved-games dialog.
#include <algorithm>
#include <cmath>

#include "forge/captions_art.h"
#include "forge/captions_pieces.h"

namespace {

const lettering closing_style = {face_serif_bold, 18, ink_light_rgb};
const lettering logo_style = {face_serif_bold, 50, ink_light_rgb};
const lettering saves_style = {face_serif_bold, 18, ink_light_rgb};

// Shades a plate's face from lighter at the top to its own colour at the bottom, leaving the
// rim and outline as they are.
void shade_face(BITMAP *piece, rgb face, int top, int bottom, double lift) {
  const int flat = to_colour(face);
  for (int py = top; py <= bottom; py++)
    for (int px = 0; px < piece->w; px++) {
      if (getpixel(piece, px, py) != flat) continue;
      const double t = 1.0 - (py - top) / double(std::max(1, bottom - top));
      putpixel(piece, px, py, to_colour(mix(face, plate_light_rgb, lift * t)));
    }
}

// A short rule in the trim colours with a small diamond in its middle.
void draw_rule(BITMAP *piece, int x0, int x1, int y) {
  hline(piece, x0, y, x1, to_colour(scale(trim_rgb, 0.8)));
  hline(piece, x0, y + 1, x1, to_colour(ink_dark_rgb));
  const int mid = (x0 + x1) / 2;
  for (int dy = -3; dy <= 3; dy++)
    hline(piece, mid - (3 - std::abs(dy)), y + dy, mid + (3 - std::abs(dy)), to_colour(trim_light_rgb));
}

}  // namespace

// A closing caption of the gallery: haloed lettering on mask ground, centred in its strip.
void draw_closing_caption(BITMAP *sheet, int x, int y, const std::string &text) {
  constexpr int w = 539, h = 24;
  BITMAP *piece = piece_canvas(w, h);
  const int top = (h - lettering_height(closing_style)) / 2 - 1;
  draw_haloed_text_centre(piece, closing_style, w / 2, top, text, halo_ring_and_shadow);
  place_piece(sheet, piece, x, y);
}

// The rules page heading: the game's name on a broad slate plate between two tile emblems,
// with a trim rule under it. It carries no words of either language.
void draw_rules_heading(BITMAP *sheet, int x, int y) {
  constexpr int w = 500, h = 90, plate_y = 4, plate_h = 82;
  BITMAP *piece = piece_canvas(w, h);
  plate_look look;
  look.face = plate_rgb;
  look.rim = 3;
  look.inner_line = 1;
  paint_plate(piece, 0, plate_y, w, plate_h, 18, look);
  shade_face(piece, plate_rgb, plate_y + 5, plate_y + plate_h - 6, 0.55);
  const int name_w = lettering_width(logo_style, "Quadrille");
  const int name_top = plate_y + 6;
  draw_plate_text_centre(piece, logo_style, w / 2, name_top, "Quadrille", 0.9);
  for (int side = -1; side <= 1; side += 2)
    draw_tile_emblem(piece, w / 2.0 + side * (name_w / 2.0 + 48), plate_y + plate_h / 2.0, 22, emblem_colours);
  draw_rule(piece, w / 2 - name_w / 2, w / 2 + name_w / 2, plate_y + plate_h - 15);
  place_piece(sheet, piece, x, y);
}

// The saved-games heading: one strip for both languages, a slate plate over the top 38 rows;
// the rows below stay mask so the dialog's rule under it shows.
void draw_saves_heading(BITMAP *sheet, int x, int y, const std::string &text) {
  constexpr int w = 360, h = 45, plate_y = 2, plate_h = 36;
  BITMAP *piece = piece_canvas(w, h);
  plate_look look;
  look.face = plate_rgb;
  look.rim = 2;
  paint_plate(piece, 0, plate_y, w, plate_h, 10, look);
  shade_face(piece, plate_rgb, plate_y + 3, plate_y + plate_h - 4, 0.4);
  const int text_w = lettering_width(saves_style, text);
  const int top = plate_y + (plate_h - lettering_height(saves_style)) / 2;
  draw_plate_text_centre(piece, saves_style, w / 2, top, text, 0.9);
  for (int side = -1; side <= 1; side += 2)
    draw_tile_emblem(piece, w / 2.0 + side * (text_w / 2.0 + 24), plate_y + plate_h / 2.0, 10, emblem_colours);
  place_piece(sheet, piece, x, y);
}
