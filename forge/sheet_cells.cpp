// The cells of play on the sprite sheet: the sixteen quadrant cells, the inactive, empty,
// preview and slot cells, the colour swatches and the veil. The marks round the slots and the
// stage box are in forge/cells_marks.cpp.

#include "forge/cells_marks.h"
#include "forge/palette.h"
#include "forge/sheet.h"
#include "forge/tile_colours.h"

namespace {

constexpr int tile = 39;                  // tile_size
constexpr int last = tile - 1;            // the last pixel row and column of a cell
constexpr int inactive_cell_x = 624;      // (624, 0)
constexpr int empty_cell_x = 663;         // (663, 0)
constexpr int preview_cell_x = 702;       // (702, 0)
constexpr int slot_cell_x = 741;          // (741, 0), 41 x 41
constexpr int slot_cell_size = 41;
constexpr int inactive_margin = 3;        // empty grey round the inactive square
constexpr int inactive_probe_x = 15, inactive_probe_y = 5;
constexpr int swatch_x = 411, swatch_y = 100, swatch_w = 34, swatch_pitch = 9;  // column 410 stays mask
constexpr int veil_x = 300, veil_y = 330, veil_w = 171, veil_h = 95;

// Which side's triangle a pixel of a tile belongs to: the nearest edge, ties on a diagonal
// going to the side that comes first clockwise from it (top takes the top-right diagonal,
// right the bottom-right, bottom the bottom-left, left the top-left; top takes the centre).
// Every pixel belongs to exactly one side, so four cells of the four sides always compose a
// whole tile, whatever the colours and whatever the drawing order.
int side_of_pixel(int x, int y) {
  const int reach[4] = {y, last - x, last - y, x};  // top, right, bottom, left
  int best = 0;
  for (int s = 1; s < 4; s++)
    if (reach[s] < reach[best]) best = s;
  for (int s = 0; s < 4; s++) {  // a tie: the side whose clockwise successor ties with it
    const int next = (s + 1) % 4;
    if (reach[s] == reach[best] && reach[next] == reach[best]) return s;
  }
  return best;
}

// True where a pixel of the triangle borders another side's triangle: the seams of the tile.
bool on_seam(int x, int y) {
  const int side = side_of_pixel(x, y);
  const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
  for (int i = 0; i < 4; i++) {
    const int nx = x + dx[i], ny = y + dy[i];
    if (nx < 0 || ny < 0 || nx > last || ny > last) continue;
    if (side_of_pixel(nx, ny) != side) return true;
  }
  return false;
}

// One quadrant cell: the triangle in its tile colour, raised by a two-pixel bevel along the
// tile's outer edge (lit on top and left, shaded on right and bottom) and a faint seam
// along the diagonals. The probe points (2 and 5 pixels in from the edge, mid-side) keep the
// exact colour.
void draw_quadrant_cell(BITMAP *sheet, int code) {
  const int side = code / 4;
  const rgb colour = tile_colours[code % 4];
  const bool lit_side = side == 0 || side == 3;
  for (int y = 0; y < tile; y++)
    for (int x = 0; x < tile; x++) {
      int pixel = mask_rgb();
      if (side_of_pixel(x, y) == side) {
        const int depth = side == 0 ? y : side == 1 ? last - x : side == 2 ? last - y : x;
        rgb shade = colour;
        if (depth == 0) shade = lit_side ? mix(colour, {255, 255, 255}, 0.45) : scale(colour, 0.58);
        else if (depth == 1) shade = lit_side ? mix(colour, {255, 255, 255}, 0.2) : scale(colour, 0.8);
        else if (on_seam(x, y)) shade = scale(colour, 0.86);
        pixel = to_colour(shade);
      }
      putpixel(sheet, tile * code + x, y, pixel);
    }
}

// The recessed edge of a field: a darker line along the top and left, a lighter one along
// the bottom and right, so a board of empty cells reads as a sunken grid.
rgb field_edge(int x, int y, rgb face) {
  if (x == 0 || y == 0) return scale(face, 0.84);
  if (x == last || y == last) return scale(face, 1.1);
  return face;
}

// The empty cell: empty grey with the recessed edge lines, which no probe reads.
void draw_empty_cell(BITMAP *sheet) {
  for (int y = 0; y < tile; y++)
    for (int x = 0; x < tile; x++) putpixel(sheet, empty_cell_x + x, y, to_colour(field_edge(x, y, empty_rgb)));
}

// The inactive cell: the empty grey margin that neighbours read, round a raised dark slab in
// the inactive grey with a discreet diagonal hatch; the inactive probe keeps the exact grey.
void draw_inactive_cell(BITMAP *sheet) {
  constexpr int inner_first = inactive_margin, inner_last = last - inactive_margin;
  for (int y = 0; y < tile; y++)
    for (int x = 0; x < tile; x++) {
      rgb colour = field_edge(x, y, empty_rgb);
      const bool inner = x >= inner_first && x <= inner_last && y >= inner_first && y <= inner_last;
      if (inner) {
        colour = inactive_rgb;
        if (x == inner_first || y == inner_first) colour = scale(inactive_rgb, 1.2);
        else if (x == inner_last || y == inner_last) colour = scale(inactive_rgb, 0.72);
        else if ((x + y) % 6 == 3) colour = scale(inactive_rgb, 0.9);
      }
      if (x == inactive_probe_x && y == inactive_probe_y) colour = inactive_rgb;
      putpixel(sheet, inactive_cell_x + x, y, to_colour(colour));
    }
}

// The preview cell: a one-pixel dark outline, the rest mask. Drawn one pixel up and left of
// the preview slot, only its top and left lines stay visible beside a tile: the inner shadow
// of the preview well.
void draw_preview_cell(BITMAP *sheet) {
  rectfill(sheet, preview_cell_x, 0, preview_cell_x + last, last, mask_rgb());
  rect(sheet, preview_cell_x, 0, preview_cell_x + last, last, to_colour(ink_dark_rgb));
}

// The slot cell: a grey button with a dark one-pixel border, a light inner bevel on top and
// left, a dark one on bottom and right, and a face that darkens gently towards the bottom.
// The free probe (6,6) reads the empty grey; lower down the face is darker, so the four
// quadrant probes never read one colour.
void draw_slot_cell(BITMAP *sheet) {
  constexpr int n = slot_cell_size - 1;
  for (int y = 0; y <= n; y++)
    for (int x = 0; x <= n; x++) {
      rgb colour = empty_rgb;
      if (y > 12) colour = scale(empty_rgb, 1 - 0.12 * (y - 12) / (n - 13.0));
      if (x == 1 || y == 1) colour = mix(empty_rgb, ink_light_rgb, 0.35);
      if (x == n - 1 || y == n - 1) colour = scale(empty_rgb, 0.7);
      if (x == 0 || y == 0 || x == n || y == n) colour = ink_dark_rgb;
      putpixel(sheet, slot_cell_x + x, y, to_colour(colour));
    }
}

// Colour swatch i: a bar in tile colour i with a dark outline and a lit top row, on mask.
void draw_swatches(BITMAP *sheet) {
  for (int i = 0; i < tile_colour_count; i++) {
    const int top = swatch_y + swatch_pitch * i + 1, bottom = top + swatch_pitch - 3;
    const int right = swatch_x + swatch_w - 1;
    rectfill(sheet, swatch_x, top, right, bottom, to_colour(ink_dark_rgb));
    rectfill(sheet, swatch_x + 1, top + 1, right - 1, bottom - 1, to_colour(tile_colours[i]));
    hline(sheet, swatch_x + 1, top + 1, right - 1, to_colour(mix(tile_colours[i], {255, 255, 255}, 0.35)));
  }
}

// The veil: a checkerboard of mask and near-black pixels, a half-tone shade through which the
// control beneath still shows. Mask falls on odd x + y, which puts it on the preview probes.
void draw_veil(BITMAP *sheet) {
  const int dark = to_colour(ink_dark_rgb);
  for (int y = veil_y; y < veil_y + veil_h; y++)
    for (int x = veil_x; x < veil_x + veil_w; x++) putpixel(sheet, x, y, (x + y) % 2 == 0 ? dark : mask_rgb());
}

}  // namespace

void draw_sheet_cells(BITMAP *sheet) {
  for (int code = 0; code < 16; code++) draw_quadrant_cell(sheet, code);
  draw_inactive_cell(sheet);
  draw_empty_cell(sheet);
  draw_preview_cell(sheet);
  draw_slot_cell(sheet);
  draw_swatches(sheet);
  draw_veil(sheet);
  draw_slot_frames(sheet);
  draw_stage_box(sheet);
  draw_stage_marker(sheet);
  draw_rotation_marker(sheet);
}
