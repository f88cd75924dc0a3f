#include "forge/type.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>

#include "forge/forge.h"

static const char *typeface_path(typeface face) {
  switch (face) {
    case face_sans: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case face_sans_bold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case face_serif: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case face_serif_bold: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case face_liberation: return "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    case face_liberation_bold: return "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
    case face_liberation_serif_bold: return "/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf";
  }
  return "";
}

static FT_Library library() {
  static FT_Library lib = nullptr;
  if (!lib && FT_Init_FreeType(&lib) != 0) forge_fail("cannot start FreeType");
  return lib;
}

static FT_Face open_face(typeface face, int pixel_size) {
  static std::map<typeface, FT_Face> faces;
  auto found = faces.find(face);
  FT_Face ft = nullptr;
  if (found == faces.end()) {
    const char *path = typeface_path(face);
    if (FT_New_Face(library(), path, 0, &ft) != 0)
      forge_fail(std::string("cannot open font ") + path + " (install fonts-dejavu-core and fonts-liberation2)");
    faces[face] = ft;
  } else {
    ft = found->second;
  }
  if (pixel_size > 0 && FT_Set_Pixel_Sizes(ft, 0, pixel_size) != 0)
    forge_fail("cannot size font " + std::string(typeface_path(face)) + " at " + std::to_string(pixel_size) + " px");
  return ft;
}

std::vector<uint32_t> decode_utf8(const std::string &text) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = text[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : 3;
    uint32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k <= extra && i + k < text.size(); k++) cp = (cp << 6) | (text[i + k] & 0x3F);
    out.push_back(cp);
    i += 1 + extra;
  }
  return out;
}

bool has_glyph(typeface face, uint32_t code_point) { return FT_Get_Char_Index(open_face(face, 0), code_point) != 0; }

glyph_image render_glyph(typeface face, int pixel_size, uint32_t code_point, bool mono) {
  FT_Face ft = open_face(face, pixel_size);
  const FT_Int32 flags = FT_LOAD_RENDER | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Char(ft, code_point, flags) != 0) forge_fail("cannot render U+" + std::to_string(code_point));
  const FT_GlyphSlot slot = ft->glyph;
  const FT_Bitmap &bm = slot->bitmap;
  glyph_image g;
  g.width = static_cast<int>(bm.width);
  g.height = static_cast<int>(bm.rows);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  g.coverage.resize(static_cast<size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; y++) {
    const unsigned char *row = bm.buffer + y * bm.pitch;
    for (int x = 0; x < g.width; x++) {
      const bool on = mono ? (row[x >> 3] >> (7 - (x & 7))) & 1 : false;
      g.coverage[y * g.width + x] = mono ? (on ? 255 : 0) : row[x];
    }
  }
  return g;
}

int text_ascent(typeface face, int pixel_size) {
  return static_cast<int>((open_face(face, pixel_size)->size->metrics.ascender + 63) >> 6);
}

int text_descent(typeface face, int pixel_size) {
  return static_cast<int>((-open_face(face, pixel_size)->size->metrics.descender + 63) >> 6);
}

int text_width(typeface face, int pixel_size, const std::string &text) {
  int width = 0;
  for (uint32_t cp : decode_utf8(text)) width += render_glyph(face, pixel_size, cp, false).advance;
  return width;
}

void draw_text(BITMAP *bmp, typeface face, int pixel_size, int x, int y, rgb colour, const std::string &text, bool mono) {
  int pen = x;
  const int baseline = y + text_ascent(face, pixel_size);
  for (uint32_t cp : decode_utf8(text)) {
    const glyph_image g = render_glyph(face, pixel_size, cp, mono);
    for (int gy = 0; gy < g.height; gy++)
      for (int gx = 0; gx < g.width; gx++) {
        const int a = g.coverage[gy * g.width + gx];
        if (a) blend_pixel(bmp, pen + g.left + gx, baseline - g.top + gy, colour, a / 255.0);
      }
    pen += g.advance;
  }
}

void draw_text_centre(BITMAP *bmp, typeface face, int pixel_size, int x, int y, rgb colour, const std::string &text,
                      bool mono) {
  draw_text(bmp, face, pixel_size, x - text_width(face, pixel_size, text) / 2, y, colour, text, mono);
}
