// The pieces of the language choice and the main menu: the two flags, the bar body, the title
// plaque, the names on the bars and the subtitle.
#include <algorithm>
#include <cmath>

#include "forge/captions_art.h"
#include "forge/captions_pieces.h"

namespace {

constexpr int flag_w = 54, flag_h = 36;
constexpr rgb flag_white_rgb = {238, 237, 232};
constexpr rgb flag_red_rgb = {212, 30, 56};
constexpr rgb union_blue_rgb = {14, 38, 108};
constexpr rgb union_red_rgb = {200, 20, 46};

// The menu bar's face: one flat colour, which the hover fill replaces.
constexpr rgb menu_face_rgb = plate_rgb;

const lettering name_style = {face_serif_bold, 16, ink_light_rgb};
const lettering title_style = {face_serif_bold, 13, ink_light_rgb};
const lettering subtitle_style = {face_serif_bold, 19, trim_light_rgb};

// Soft folds running down the cloth, so a flag reads as fabric rather than a swatch.
double cloth_light(double x, double y) { return 1.0 + 0.08 * std::sin((x + 0.4 * y) * 2 * M_PI / 27.0 + 0.6); }

// The colour of the British flag at a point given in flag units (0..60 across, 0..40 down):
// the red cross edged in white, over the white saltire with its counterchanged red stripes.
rgb union_colour(double u, double v) {
  const double cu = 30, cv = 20;
  const double du = u - cu, dv = v - cv;
  if (std::fabs(du) < 4 || std::fabs(dv) < 4) return union_red_rgb;
  if (std::fabs(du) < 6.7 || std::fabs(dv) < 6.7) return flag_white_rgb;
  // Signed distances to the two diagonals (positive above the line on the screen).
  const double len = std::hypot(60.0, 40.0);
  const double falling = (du * 40 - dv * 60) / len;  // top-left to bottom-right
  const double rising = (-du * 40 - dv * 60) / len;  // bottom-left to top-right
  const bool left = du < 0, top = dv < 0;
  const double along = (left == top) ? falling : rising;
  if (std::fabs(along) >= 4.0) return union_blue_rgb;
  // The thin red stripe keeps to one side of each arm, turning like a pinwheel: below the line
  // in the upper hoist, above it in the upper fly, and so on round the flag.
  const bool red_side = left ? along < 0 : along > 0;
  if (red_side && std::fabs(along) < 1.6) return union_red_rgb;
  return flag_white_rgb;
}

// Frames a flag with a one-pixel dark edge.
void frame_flag(BITMAP *piece) { rect(piece, 0, 0, flag_w - 1, flag_h - 1, to_colour(ink_dark_rgb)); }

}  // namespace

// The Polish flag: white over red, with soft folds.
void draw_polish_flag(BITMAP *sheet, int x, int y) {
  BITMAP *piece = piece_canvas(flag_w, flag_h);
  for (int py = 0; py < flag_h; py++)
    for (int px = 0; px < flag_w; px++) {
      const rgb cloth = py < flag_h / 2 ? flag_white_rgb : flag_red_rgb;
      putpixel(piece, px, py, to_colour(scale(cloth, cloth_light(px, py))));
    }
  frame_flag(piece);
  place_piece(sheet, piece, x, y);
}

// The British flag, sampled 4 x 4 per pixel so its diagonals stay smooth at this size.
void draw_english_flag(BITMAP *sheet, int x, int y) {
  BITMAP *piece = piece_canvas(flag_w, flag_h);
  constexpr int grid = 4;
  for (int py = 0; py < flag_h; py++)
    for (int px = 0; px < flag_w; px++) {
      rgb sum = {0, 0, 0};
      for (int sy = 0; sy < grid; sy++)
        for (int sx = 0; sx < grid; sx++) {
          const rgb c =
              union_colour((px + (sx + 0.5) / grid) * 60.0 / flag_w, (py + (sy + 0.5) / grid) * 40.0 / flag_h);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      putpixel(piece, px, py, to_colour(scale(sum, cloth_light(px, py) / (grid * grid))));
    }
  frame_flag(piece);
  place_piece(sheet, piece, x, y);
}

// The body of a menu bar: a bevelled slate plate with a tile emblem at each end. Its face is
// one flat colour all round the place of the label, so the hover fill recolours all of it.
void draw_menu_bar(BITMAP *sheet, int x, int y) {
  constexpr int w = 232, h = 44;
  BITMAP *piece = piece_canvas(w, h);
  plate_look look;
  look.face = menu_face_rgb;
  look.rim = 2.5;
  paint_plate(piece, 0, 0, w, h, 13, look);
  draw_tile_emblem(piece, 20.5, h / 2.0, 9, emblem_colours);
  draw_tile_emblem(piece, w - 20.5, h / 2.0, 9, emblem_colours);
  place_piece(sheet, piece, x, y);
}

// The title plaque "Quadrille", centred on the menu's middle. It keeps to the top 21 rows,
// its rounded corner clear of the first English name below its left end, and leaves the
// rightmost column mask, where a swatch begins.
void draw_menu_title(BITMAP *sheet, int x, int y) {
  constexpr int w = 99, h = 25, plaque_w = 89, plaque_h = 21;
  BITMAP *piece = piece_canvas(w, h);
  plate_look look;
  look.face = plate_dark_rgb;
  look.rim = 1.5;
  paint_plate(piece, 1, 0, plaque_w, plaque_h, 6, look);
  draw_plate_text_centre(piece, title_style, 1 + plaque_w / 2, 2, "Quadrille", 0.8);
  place_piece(sheet, piece, x, y);
}

// A name for a menu bar and the level caption: haloed lettering on mask ground, centred on
// column 79 (the label's middle and the caption box's), with its closed counters sealed so
// that the hover fill round it never leaves a pocket of the old colour.
void draw_menu_name(BITMAP *sheet, int x, int y, const std::string &text) {
  constexpr int w = 158, h = 29;
  BITMAP *piece = piece_canvas(w, h);
  const int top = (h - lettering_height(name_style)) / 2 + 1;
  draw_haloed_text_centre(piece, name_style, 79, top, text, halo_ring_and_shadow);
  seal_mask_pockets(piece, 0, 0, w, h);
  place_piece(sheet, piece, x, y);
}

// The menu's subtitle: haloed lettering between two short rules that end in tile emblems.
void draw_menu_subtitle(BITMAP *sheet, int x, int y, const std::string &text) {
  constexpr int w = 470, h = 28, centre = 240;
  BITMAP *piece = piece_canvas(w, h);
  const int top = (h - lettering_height(subtitle_style)) / 2;
  draw_haloed_text_centre(piece, subtitle_style, centre, top, text, halo_ring_and_shadow);
  const int half = lettering_width(subtitle_style, text) / 2;
  const int rule_y = h / 2;
  for (int side = -1; side <= 1; side += 2) {
    const int inner = centre + side * (half + 12), outer = centre + side * (half + 62);
    const int x0 = std::min(inner, outer), x1 = std::max(inner, outer);
    rectfill(piece, x0 - 1, rule_y - 2, x1 + 1, rule_y + 1, to_colour(ink_dark_rgb));
    hline(piece, x0, rule_y - 1, x1, to_colour(trim_light_rgb));
    hline(piece, x0, rule_y, x1, to_colour(trim_rgb));
    // A dark diamond under the emblem, so its soft edge has opaque ground.
    const int ex = outer + side * 6;
    for (int dy = -7; dy <= 7; dy++)
      hline(piece, ex - (7 - std::abs(dy)), rule_y + dy, ex + (7 - std::abs(dy)), to_colour(ink_dark_rgb));
    draw_tile_emblem(piece, ex + 0.5, rule_y + 0.5, 6, emblem_colours);
  }
  place_piece(sheet, piece, x, y);
}
