#include "forge/captions_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The anti-aliased coverage of one line of text, with room round it for a halo.
struct coverage_map {
  int w = 0, h = 0;
  int origin_x = 0, origin_y = 0;  // where the line box's top-left corner lies in the map
  std::vector<uint8_t> alpha;
  int at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0 : alpha[y * w + x]; }
};

constexpr int map_margin = 4;

// Renders a line of text into a coverage map: each glyph's coverage, the larger where they meet.
coverage_map render_coverage(const lettering &style, const std::string &text) {
  coverage_map map;
  const int ascent = text_ascent(style.face, style.size);
  map.w = lettering_width(style, text) + 2 * map_margin + style.size;  // italics and overhangs
  map.h = ascent + text_descent(style.face, style.size) + 2 * map_margin;
  map.origin_x = map_margin;
  map.origin_y = map_margin;
  map.alpha.assign(static_cast<size_t>(map.w) * map.h, 0);
  int pen = map.origin_x;
  const int baseline = map.origin_y + ascent;
  for (uint32_t cp : decode_utf8(text)) {
    const glyph_image g = render_glyph(style.face, style.size, cp, false);
    for (int gy = 0; gy < g.height; gy++)
      for (int gx = 0; gx < g.width; gx++) {
        const int mx = pen + g.left + gx, my = baseline - g.top + gy;
        if (mx < 0 || my < 0 || mx >= map.w || my >= map.h) continue;
        uint8_t &cell = map.alpha[my * map.w + mx];
        cell = std::max<uint8_t>(cell, g.coverage[gy * g.width + gx]);
      }
    pen += g.advance;
  }
  return map;
}

// Coverage at or above this counts as the letter's body when the halo ring is grown round it.
constexpr int core_alpha = 48;

// True where the halo covers the map cell: the letter itself, the ring round its body, and
// with a shadow the same shifted one pixel to the lower right.
bool in_halo(const coverage_map &map, int x, int y, halo_kind halo) {
  auto ring = [&](int cx, int cy) {
    if (map.at(cx, cy) > 0) return true;
    for (int dy = -1; dy <= 1; dy++)
      for (int dx = -1; dx <= 1; dx++)
        if (map.at(cx + dx, cy + dy) >= core_alpha) return true;
    return false;
  };
  return ring(x, y) || (halo == halo_ring_and_shadow && ring(x - 1, y - 1));
}

// Signed distance from a point to the edge of a rounded rectangle (negative inside), and the
// outward direction of the nearest edge.
double rounded_distance(double px, double py, double x, double y, double w, double h, double r, double *nx,
                        double *ny) {
  const double hw = w / 2, hh = h / 2;
  const double cx = x + hw, cy = y + hh;
  r = std::min({r, hw, hh});
  const double qx = std::fabs(px - cx) - (hw - r), qy = std::fabs(py - cy) - (hh - r);
  const double sx = px < cx ? -1 : 1, sy = py < cy ? -1 : 1;
  if (qx > 0 && qy > 0) {
    const double len = std::hypot(qx, qy);
    *nx = sx * qx / len;
    *ny = sy * qy / len;
    return len - r;
  }
  if (qx > qy) {
    *nx = sx;
    *ny = 0;
  } else {
    *nx = 0;
    *ny = sy;
  }
  return std::max(qx, qy) - r;
}

}  // namespace

int lettering_width(const lettering &style, const std::string &text) {
  return text_width(style.face, style.size, text);
}

int lettering_height(const lettering &style) {
  return text_ascent(style.face, style.size) + text_descent(style.face, style.size);
}

void draw_haloed_text(BITMAP *bmp, const lettering &style, int x, int y, const std::string &text, halo_kind halo,
                      rgb halo_colour) {
  const coverage_map map = render_coverage(style, text);
  const int left = x - map.origin_x, top = y - map.origin_y;
  for (int my = 0; my < map.h; my++)
    for (int mx = 0; mx < map.w; mx++)
      if (in_halo(map, mx, my, halo)) blend_pixel(bmp, left + mx, top + my, halo_colour, 1.0);
  for (int my = 0; my < map.h; my++)
    for (int mx = 0; mx < map.w; mx++)
      if (map.at(mx, my)) blend_pixel(bmp, left + mx, top + my, style.ink, map.at(mx, my) / 255.0);
}

void draw_haloed_text_centre(BITMAP *bmp, const lettering &style, int x, int y, const std::string &text, halo_kind halo,
                             rgb halo_colour) {
  draw_haloed_text(bmp, style, x - lettering_width(style, text) / 2, y, text, halo, halo_colour);
}

void draw_plate_text_centre(BITMAP *bmp, const lettering &style, int x, int y, const std::string &text,
                            double shadow_alpha, rgb shadow) {
  const int left = x - lettering_width(style, text) / 2;
  if (shadow_alpha > 0) {
    const coverage_map map = render_coverage(style, text);
    for (int my = 0; my < map.h; my++)
      for (int mx = 0; mx < map.w; mx++)
        if (map.at(mx, my))
          blend_pixel(bmp, left - map.origin_x + mx + 1, y - map.origin_y + my + 1, shadow,
                      shadow_alpha * map.at(mx, my) / 255.0);
  }
  draw_text(bmp, style.face, style.size, left, y, style.ink, text);
}

void paint_plate(BITMAP *bmp, int x, int y, int w, int h, double r, const plate_look &look) {
  const double rim_end = 1.0 + look.rim;
  const double line_end = rim_end + look.inner_line;
  for (int py = y; py < y + h; py++)
    for (int px = x; px < x + w; px++) {
      double nx, ny;
      const double depth = -rounded_distance(px + 0.5, py + 0.5, x, y, w, h, r, &nx, &ny);
      if (depth <= 0) continue;
      // The rim is lit where its outward side faces the upper left.
      const double lit = smoothstep(-0.35, 0.35, -(nx + ny) * 0.7071);
      const rgb rim = mix(look.rim_shade, look.rim_lit, lit);
      rgb colour = mix(look.outline, rim, clamp01(depth - 1.0 + 0.5));
      if (look.inner_line > 0) colour = mix(colour, look.outline, clamp01(depth - rim_end + 0.5));
      colour = mix(colour, look.face, clamp01(depth - line_end + 0.5));
      if (depth >= line_end + 0.5) colour = look.face;
      putpixel(bmp, px, py, to_colour(colour));
    }
}

void fill_rounded(BITMAP *bmp, int x, int y, int w, int h, double r, rgb colour) {
  const int c = to_colour(colour);
  for (int py = y; py < y + h; py++)
    for (int px = x; px < x + w; px++) {
      double nx, ny;
      if (rounded_distance(px + 0.5, py + 0.5, x, y, w, h, r, &nx, &ny) < 0) putpixel(bmp, px, py, c);
    }
}

void draw_tile_emblem(BITMAP *bmp, double cx, double cy, double half, const rgb colours[4]) {
  constexpr int grid = 4;
  const int x0 = static_cast<int>(std::floor(cx - half - 1)), x1 = static_cast<int>(std::ceil(cx + half + 1));
  const int y0 = static_cast<int>(std::floor(cy - half - 1)), y1 = static_cast<int>(std::ceil(cy + half + 1));
  for (int py = y0; py <= y1; py++)
    for (int px = x0; px <= x1; px++) {
      double r = 0, g = 0, b = 0;
      int hits = 0;
      for (int sy = 0; sy < grid; sy++)
        for (int sx = 0; sx < grid; sx++) {
          const double dx = px + (sx + 0.5) / grid - cx, dy = py + (sy + 0.5) / grid - cy;
          const double reach = std::fabs(dx) + std::fabs(dy);
          if (reach > half) continue;
          rgb c;
          if (reach > half - 1.3) {
            c = ink_dark_rgb;
          } else if (std::fabs(dx) < 0.45 || std::fabs(dy) < 0.45) {
            c = mix(ink_dark_rgb, colours[0], 0.35);  // the seams between the triangles
          } else {
            const int quadrant = dy < 0 ? (dx < 0 ? 3 : 0) : (dx < 0 ? 2 : 1);
            c = colours[quadrant];
          }
          r += c.r;
          g += c.g;
          b += c.b;
          hits++;
        }
      if (hits) blend_pixel(bmp, px, py, {r / hits, g / hits, b / hits}, hits / double(grid * grid));
    }
}

void seal_pockets(BITMAP *bmp, int x, int y, int w, int h, int colour, const std::vector<int> &seed_xy, int fill) {
  std::vector<uint8_t> reached(static_cast<size_t>(w) * h, 0);
  std::vector<int> stack;
  auto push = [&](int px, int py) {
    if (px < x || py < y || px >= x + w || py >= y + h) return;
    uint8_t &seen = reached[(py - y) * w + (px - x)];
    if (seen || getpixel(bmp, px, py) != colour) return;
    seen = 1;
    stack.push_back(px);
    stack.push_back(py);
  };
  for (size_t i = 0; i + 1 < seed_xy.size(); i += 2) push(seed_xy[i], seed_xy[i + 1]);
  while (!stack.empty()) {
    const int py = stack.back();
    stack.pop_back();
    const int px = stack.back();
    stack.pop_back();
    push(px - 1, py);
    push(px + 1, py);
    push(px, py - 1);
    push(px, py + 1);
  }
  for (int py = y; py < y + h; py++)
    for (int px = x; px < x + w; px++)
      if (!reached[(py - y) * w + (px - x)] && getpixel(bmp, px, py) == colour) putpixel(bmp, px, py, fill);
}

void seal_mask_pockets(BITMAP *bmp, int x, int y, int w, int h, rgb fill) {
  std::vector<int> seeds;
  for (int px = x; px < x + w; px++) seeds.insert(seeds.end(), {px, y, px, y + h - 1});
  for (int py = y; py < y + h; py++) seeds.insert(seeds.end(), {x, py, x + w - 1, py});
  seal_pockets(bmp, x, y, w, h, mask_rgb(), seeds, to_colour(fill));
}

BITMAP *piece_canvas(int w, int h) {
  BITMAP *piece = create_canvas(w, h);
  clear_to_color(piece, mask_rgb());
  return piece;
}

void place_piece(BITMAP *sheet, BITMAP *piece, int x, int y) {
  masked_blit(piece, sheet, 0, 0, x, y, piece->w, piece->h);
  destroy_bitmap(piece);
}

const rgb emblem_colours[4] = {trim_light_rgb, {178, 116, 60}, trim_rgb, plate_light_rgb};
