// Text for the forge: glyphs rendered by FreeType from Debian's DejaVu and Liberation fonts,
// used both to cut the game's grid fonts and to letter the sprite sheet.
#pragma once

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "forge/paint.h"

enum typeface {
  face_sans,          // DejaVu Sans
  face_sans_bold,     // DejaVu Sans Bold
  face_serif,         // DejaVu Serif
  face_serif_bold,    // DejaVu Serif Bold
  face_liberation,    // Liberation Sans
  face_liberation_bold,  // Liberation Sans Bold
  face_liberation_serif_bold,  // Liberation Serif Bold
};

// One rendered glyph: `coverage` holds width*height values 0..255 (mono: 0 or 255).
// (left, top) place the image relative to the pen on the baseline; top counts upwards.
struct glyph_image {
  int width = 0, height = 0, left = 0, top = 0, advance = 0;
  std::vector<uint8_t> coverage;
};

std::vector<uint32_t> decode_utf8(const std::string &text);

glyph_image render_glyph(typeface face, int pixel_size, uint32_t code_point, bool mono);
bool has_glyph(typeface face, uint32_t code_point);

// Line metrics in pixels for a pixel size: ascent above the baseline, descent below it (positive).
int text_ascent(typeface face, int pixel_size);
int text_descent(typeface face, int pixel_size);
int text_width(typeface face, int pixel_size, const std::string &text);

// Draws text with its top-left corner at (x, y): the baseline lies text_ascent below y.
// Anti-aliased text blends into the pixels beneath it, so draw it only over opaque ground;
// mono text sets whole pixels and is safe over the mask colour.
void draw_text(BITMAP *bmp, typeface face, int pixel_size, int x, int y, rgb colour, const std::string &text,
               bool mono = false);
// The same, centred on x.
void draw_text_centre(BITMAP *bmp, typeface face, int pixel_size, int x, int y, rgb colour, const std::string &text,
                      bool mono = false);
