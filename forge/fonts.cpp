// The game's four grid fonts: 1-bit glyphs from FreeType, cut into the 8-bit PCX grid that
// Allegro's load_font reads. Ink is one palette index, so every font prints in any colour.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "forge/forge.h"
#include "forge/paint.h"
#include "forge/type.h"

namespace {

// The grid's palette indices: the cell background, the one ink index and the separator.
constexpr int index_ground = 0;
constexpr int index_ink = 1;
constexpr int index_separator = 255;

// Glyphs run from the space to U+017C, the last Polish letter (ż) of Latin Extended-A.
constexpr uint32_t first_code_point = 0x20;
constexpr uint32_t last_code_point = 0x17C;
constexpr int cells_per_row = 16;

struct font_recipe {
  const char *file;  // below grafika/
  typeface face;
  int pixel_size;
};

// Sizes where the faces' own 1-bit hinting gives even stems. The 16 px label font is DejaVu
// Sans too: Liberation Sans at 15-17 px mixes one- and two-pixel stems when hinted for mono.
const font_recipe font_recipes[] = {
    {"F16.pcx", face_sans, 15},
    {"arial_16.pcx", face_sans, 16},
    {"arialbd_14.pcx", face_liberation_bold, 14},
    {"F20.pcx", face_serif, 19},
};

// One cell of the grid: its inner width and its ink, already placed on the font's baseline.
struct glyph_cell {
  int width = 0;
  int ink_x = 0;  // where the glyph image starts inside the cell
  glyph_image image;
};

// Control characters and code points the face lacks get a blank cell, never an empty one:
// a zero-width cell would end the font early.
bool wants_glyph(typeface face, uint32_t cp) {
  const bool control = cp >= 0x7F && cp <= 0x9F;
  return !control && has_glyph(face, cp);
}

// Renders one code point as a cell as wide as its advance. Ink overhanging on the right (the
// hook of f) slides left into the cell; ink reaching left of the pen (the tail of j) widens the
// cell by the overhang, so the glyph keeps its distance to the next one and nothing is cut off.
glyph_cell cut_cell(const font_recipe &recipe, uint32_t cp, int blank_width) {
  glyph_cell cell;
  if (!wants_glyph(recipe.face, cp)) {
    cell.width = blank_width;
    return cell;
  }
  cell.image = render_glyph(recipe.face, recipe.pixel_size, cp, true);
  const glyph_image &g = cell.image;
  cell.ink_x = std::max(0, std::min(g.left, g.advance - g.width));
  cell.width = std::max({g.advance + std::max(0, -g.left), cell.ink_x + g.width, 1});
  return cell;
}

// Cuts one font into an 8-bit grid picture: rows of cells_per_row cells, all of one height
// (ascent + descent), each framed by separator lines shared with its neighbours.
BITMAP *cut_font_grid(const font_recipe &recipe) {
  const int blank_width = std::max(1, render_glyph(recipe.face, recipe.pixel_size, ' ', true).advance);
  std::vector<glyph_cell> cells;
  int ascent = text_ascent(recipe.face, recipe.pixel_size);
  int descent = text_descent(recipe.face, recipe.pixel_size);
  for (uint32_t cp = first_code_point; cp <= last_code_point; cp++) {
    cells.push_back(cut_cell(recipe, cp, blank_width));
    const glyph_image &g = cells.back().image;
    if (g.width > 0 && g.height > 0) {
      ascent = std::max(ascent, g.top);
      descent = std::max(descent, g.height - g.top);
    }
  }
  const int cell_height = ascent + descent;

  const int rows = (static_cast<int>(cells.size()) + cells_per_row - 1) / cells_per_row;
  int grid_width = 0;
  for (int row = 0; row < rows; row++) {
    int width = 1;
    for (int i = row * cells_per_row; i < std::min<int>(cells.size(), (row + 1) * cells_per_row); i++)
      width += cells[i].width + 1;
    grid_width = std::max(grid_width, width);
  }
  const int grid_height = 1 + rows * (cell_height + 1);

  BITMAP *grid = create_bitmap_ex(8, grid_width, grid_height);
  if (!grid) forge_fail(std::string("cannot create the grid for ") + recipe.file);
  clear_to_color(grid, index_separator);
  for (size_t i = 0; i < cells.size(); i++) {
    int x = 0;
    for (size_t k = i - i % cells_per_row; k < i; k++) x += cells[k].width + 1;
    const int y = static_cast<int>(i / cells_per_row) * (cell_height + 1);
    const glyph_cell &cell = cells[i];
    rectfill(grid, x + 1, y + 1, x + cell.width, y + cell_height, index_ground);
    const glyph_image &g = cell.image;
    const int top = y + 1 + ascent - g.top;
    for (int gy = 0; gy < g.height; gy++)
      for (int gx = 0; gx < g.width; gx++)
        if (g.coverage[gy * g.width + gx]) putpixel(grid, x + 1 + cell.ink_x + gx, top + gy, index_ink);
  }
  return grid;
}

}  // namespace

// Writes grafika/F16.pcx, arial_16.pcx, arialbd_14.pcx and F20.pcx.
void forge_fonts(const std::string &run_dir) {
  PALETTE palette;
  for (int i = 0; i < PAL_SIZE; i++) palette[i] = RGB{0, 0, 0, 0};
  palette[index_ink] = RGB{63, 63, 63, 0};
  palette[index_separator] = RGB{63, 63, 0, 0};
  for (const font_recipe &recipe : font_recipes) {
    BITMAP *grid = cut_font_grid(recipe);
    save_picture(grid, run_dir + "/grafika/" + recipe.file, palette);
    destroy_bitmap(grid);
  }
}
