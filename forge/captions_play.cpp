// The pieces of the stage scene and of the completions: the panel captions, the side-button
// labels, the flood-filled buttons, the start banner's shadow, the stage banner and its button.
#include <algorithm>
#include <cmath>

#include "forge/captions_art.h"
#include "forge/captions_pieces.h"

namespace {

const lettering caption_style = {face_sans_bold, 12, ink_light_rgb};
const lettering side_label_style = {face_sans_bold, 12, ink_light_rgb};
const lettering button_style = {face_sans_bold, 14, ink_light_rgb};
const lettering banner_style = {face_serif_bold, 38, ink_light_rgb};
const lettering stage_button_style = {face_sans_bold, 13, ink_light_rgb};

// Caption tabs are centred on this column of their 114-pixel piece, over the boxes below them.
constexpr int caption_centre = 54;
// Middle rows of the three side buttons within the label piece.
constexpr int side_label_rows[3] = {9, 43, 75};
// The fill point of the level-complete and gallery buttons.
constexpr int fill_x = 12, fill_y = 10;

// The stage banner: its size, the rows of its caption and the plain inset where the game
// prints the stage line (at banner rows 68 to 84 at full size).
constexpr int banner_w = 334, banner_h = 146, banner_caption_rows = 72, english_caption_w = 333;
constexpr int inset_x = 30, inset_y = 62, inset_w = 274, inset_h = 30;
constexpr rgb banner_face_rgb = plate_rgb;
constexpr rgb inset_rgb = {226, 222, 196};
constexpr int stage_button_w = 79, stage_button_h = 21;

// Cap height of a style, close enough for centring a line on a middle row.
int cap_height(const lettering &style) { return static_cast<int>(std::lround(style.size * 0.73)); }

// The top of the line box that puts the capitals' middle on `middle`.
int top_for_middle(const lettering &style, int middle) {
  return middle + cap_height(style) / 2 - text_ascent(style.face, style.size) + (cap_height(style) % 2 ? 1 : 0);
}

// The whole stage banner with one caption, on a canvas of its own.
BITMAP *paint_banner(const std::string &caption) {
  BITMAP *piece = piece_canvas(banner_w, banner_h);
  plate_look look;
  look.face = banner_face_rgb;
  look.rim = 3;
  look.inner_line = 1;
  paint_plate(piece, 0, 0, banner_w, banner_h, 14, look);
  // The caption band: a gentle glow behind the word, brightest in the middle.
  for (int py = 6; py < 60; py++)
    for (int px = 6; px < banner_w - 6; px++) {
      if (getpixel(piece, px, py) != to_colour(banner_face_rgb)) continue;
      const double dx = (px - banner_w / 2.0) / 150.0, dy = (py - 32) / 30.0;
      const double glow = std::max(0.0, 1.0 - dx * dx - dy * dy);
      putpixel(piece, px, py, to_colour(mix(banner_face_rgb, plate_light_rgb, glow)));
    }
  const int word_w = lettering_width(banner_style, caption);
  draw_plate_text_centre(piece, banner_style, banner_w / 2, top_for_middle(banner_style, 33), caption, 0.9);
  for (int side = -1; side <= 1; side += 2)
    draw_tile_emblem(piece, banner_w / 2.0 + side * (word_w / 2.0 + 28), 33, 13, emblem_colours);
  // The inset for the stage line: a recessed plain plate.
  plate_look inset;
  inset.face = inset_rgb;
  inset.rim_lit = scale(trim_rgb, 0.45);
  inset.rim_shade = trim_rgb;
  inset.rim = 1;
  paint_plate(piece, inset_x, inset_y, inset_w, inset_h, 6, inset);
  return piece;
}

// A stage button look: a small bevelled plate with "OK", over the banner's face colour.
void paint_stage_button(BITMAP *sheet, int x, int y, rgb face, rgb ink) {
  BITMAP *piece = piece_canvas(stage_button_w, stage_button_h);
  clear_to_color(piece, to_colour(banner_face_rgb));
  plate_look look;
  look.face = face;
  look.rim = 1.5;
  paint_plate(piece, 0, 0, stage_button_w, stage_button_h, 6, look);
  lettering style = stage_button_style;
  style.ink = ink;
  draw_haloed_text_centre(piece, style, stage_button_w / 2, top_for_middle(style, 10), "OK");
  place_piece(sheet, piece, x, y);
}

// Ordered-dither threshold for an 8 x 8 Bayer matrix, in 0..1.
double bayer_threshold(int x, int y) {
  static const int matrix[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                   {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                   {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                   {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
  return (matrix[y & 7][x & 7] + 0.5) / 64.0;
}

}  // namespace

// A caption above a box of the side panel: a small slate tab with light lettering. Its opaque
// middle rows also break the reserve frame's top edge like a legend.
void draw_panel_caption(BITMAP *sheet, int x, int y, const std::string &text) {
  constexpr int w = 114, h = 21, tab_y = 2, tab_h = 17;
  BITMAP *piece = piece_canvas(w, h);
  const int tab_w = std::min(w, lettering_width(caption_style, text) + 22);
  plate_look look;
  look.face = plate_dark_rgb;
  look.rim = 1;
  paint_plate(piece, caption_centre - tab_w / 2, tab_y, tab_w, tab_h, 5, look);
  draw_plate_text_centre(piece, caption_style, caption_centre, top_for_middle(caption_style, tab_y + tab_h / 2), text,
                         0.8);
  place_piece(sheet, piece, x, y);
}

// The labels of the restart, info and save buttons: haloed lettering on mask ground, so the
// button faces of the frame show round them and stay one colour for the hover fill.
void draw_side_labels(BITMAP *sheet, int x, int y, const std::string texts[3]) {
  constexpr int w = 114, h = 84;
  BITMAP *piece = piece_canvas(w, h);
  for (int i = 0; i < 3; i++)
    draw_haloed_text_centre(piece, side_label_style, caption_centre + 1,
                            top_for_middle(side_label_style, side_label_rows[i]), texts[i]);
  seal_mask_pockets(piece, 0, 0, w, h);
  place_piece(sheet, piece, x, y);
}

// A level-complete or gallery button: a rounded olive plate whose inside is one colour round
// the fill point, closed off by its rim; the lettering's counters are sealed dark so the fill
// reaches every part of the inside it can show.
void draw_fill_button(BITMAP *sheet, int x, int y, const std::string &text) {
  constexpr int w = 100, h = 26;
  BITMAP *piece = piece_canvas(w, h);
  plate_look look;
  look.face = button_rgb;
  look.rim = 2;
  paint_plate(piece, 0, 0, w, h, 8, look);
  draw_haloed_text_centre(piece, button_style, w / 2, top_for_middle(button_style, h / 2), text, halo_ring_and_shadow);
  seal_pockets(piece, 0, 0, w, h, to_colour(button_rgb), {fill_x, fill_y}, to_colour(ink_dark_rgb));
  place_piece(sheet, piece, x, y);
}

// The start banner's shadow: the banner box shifted down and right, soft at its edges by an
// ordered dither of dark pixels over mask, so the board shows through it.
void draw_start_shadow(BITMAP *sheet, int x, int y) {
  constexpr int w = 226, h = 60;
  BITMAP *piece = piece_canvas(w, h);
  const int dark = to_colour({10, 11, 8});
  for (int py = 0; py < h; py++)
    for (int px = 0; px < w; px++) {
      // Distance outside the shadow's core, a rectangle inset 6 pixels from the piece.
      const double ox = std::max({6.0 - px, px - (w - 7.0), 0.0});
      const double oy = std::max({6.0 - py, py - (h - 7.0), 0.0});
      const double density = 0.78 * (1.0 - smoothstep(-2.0, 6.5, std::hypot(ox, oy)));
      if (density > bayer_threshold(px, py)) putpixel(piece, px, py, dark);
    }
  place_piece(sheet, piece, x, y);
}

// The stage banner with its first caption in place, and the second caption's rows on their
// own: the game copies those over the first when it plays in the second language.
void draw_stage_banner(BITMAP *sheet, int x, int y, const std::string &polish, int english_x, int english_y,
                       const std::string &english) {
  place_piece(sheet, paint_banner(polish), x, y);
  BITMAP *second = paint_banner(english);
  BITMAP *caption = piece_canvas(english_caption_w, banner_caption_rows);
  blit(second, caption, 0, 0, 0, 0, english_caption_w, banner_caption_rows);
  destroy_bitmap(second);
  place_piece(sheet, caption, english_x, english_y);
}

// The stage button's two looks, drawn opaque over the banner: olive, and brighter when hovered.
void draw_stage_buttons(BITMAP *sheet, int normal_x, int normal_y, int hover_x, int hover_y) {
  paint_stage_button(sheet, normal_x, normal_y, button_rgb, ink_light_rgb);
  paint_stage_button(sheet, hover_x, hover_y, button_hover_rgb, value_rgb);
}
