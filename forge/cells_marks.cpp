#include "forge/cells_marks.h"

#include <algorithm>
#include <cmath>

#include "forge/cells_shapes.h"
#include "forge/palette.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// Slot frames: 55 x 55 each; the active slot's 39 x 39 lies at (8,7) of the frame, so the
// frame's centre is (27,26). The ring runs from just outside the slot cell's border
// (Chebyshev distance 21) to 26, corners rounded on the outside. Column 54 of the plain
// frame is column 0 of the lit one: both stay mask.
constexpr int frame_x = 216, frame_lit_x = 270, frame_y = 40, frame_size = 55;
constexpr int frame_cx = 27, frame_cy = 26, frame_inner = 21, frame_outer = 26;
constexpr double frame_corner = 6.0;

// Rotation marker: 73 x 73; the slot lies at (16,17), its centre at (35,36). It keeps to the
// outside of the slot frame's square (which is drawn over it every frame) and within columns
// 0..70 and rows 1..71, the square that both erasing copies (on placing and on parking) reach.
constexpr int marker_x = 464, marker_y = 86, marker_size = 73;
constexpr int marker_cx = 35, marker_cy = 36, marker_reach = frame_outer;

// Stage box: 123 x 38, opaque, on the stage plate; markers land at (11,8), (54,8), (97,8).
constexpr int box_x = 380, box_y = 41, box_w = 123, box_h = 38;
constexpr int marker_places[3] = {11, 54, 97};
constexpr int marker_place_y = 8;

// Stage marker: 20 x 21, a five-pointed star centred on (10, 10.5).
constexpr int star_x = 511, star_y = 40, star_w = 20, star_h = 21;
constexpr double star_cx = 10.0, star_cy = 10.5, star_outer = 9.0, star_inner = 3.9;

constexpr rgb socket_face_rgb = {24, 26, 22};  // the well where a stage marker lands
constexpr rgb gold_light_rgb = {255, 232, 140};
constexpr rgb gold_deep_rgb = {206, 152, 38};

// One slot frame: a raised olive ring lit from the upper left, with a dark outline outside
// and a dark lip inside. Its rounded outer corners blend into the panel's ground. The plain
// and the lit frame cover exactly the same pixels, so either one fully covers the other.
void draw_frame(BITMAP *sheet, int x0, bool lit) {
  const rgb face = lit ? mix(trim_light_rgb, {255, 255, 255}, 0.25) : trim_rgb;
  const rgb rim_lit = lit ? rgb{250, 252, 232} : trim_light_rgb;
  const rgb rim_shade = lit ? trim_rgb : scale(trim_rgb, 0.55);
  const double box0x = frame_cx - frame_outer, box0y = frame_cy - frame_outer;
  const double box1x = frame_cx + frame_outer + 1, box1y = frame_cy + frame_outer + 1;
  for (int y = 0; y < frame_size; y++)
    for (int x = 0; x < frame_size; x++) {
      const int cheb = std::max(std::abs(x - frame_cx), std::abs(y - frame_cy));
      double nx, ny;
      const double depth = -rounded_box_distance(x + 0.5, y + 0.5, box0x, box0y, box1x, box1y, frame_corner, &nx, &ny);
      const double cover = pixel_coverage(
          [&](double sx, double sy) {
            double ax, ay;
            return rounded_box_distance(sx, sy, box0x, box0y, box1x, box1y, frame_corner, &ax, &ay) < 0;
          },
          x, y);
      int pixel = mask_rgb();
      if (cheb >= frame_inner && cover > 0) {
        const double light = smoothstep(-0.4, 0.4, -(nx + ny) * 0.7071);
        rgb colour = face;
        if (cheb == frame_inner) colour = ink_dark_rgb;                  // the inner lip
        else if (depth < 1) colour = ink_dark_rgb;                       // the outline
        else if (depth < 3) colour = mix(rim_shade, rim_lit, light);     // the lit rim
        else if (cheb == frame_inner + 1) colour = mix(face, rim_shade, 0.5);
        if (cover < 1) colour = mix(panel_ground_rgb, colour, cover);
        pixel = to_colour(colour);
      }
      putpixel(sheet, x0 + x, frame_y + y, pixel);
    }
}

// Is (x, y) on one of the four curved arrows of the rotation marker, widened by `grow` pixels
// for the outline? Each arrow follows the circle round the slot over one side, and points
// clockwise (increasing angle on the screen).
bool on_rotation_arrows(double x, double y, double grow) {
  constexpr double radius = 29.5, half_width = 2.0, head_half = 4.8;
  constexpr double tail = -25.0, neck = 12.0, tip = 27.0;  // degrees, relative to the arrow's axis
  const double dx = x - (marker_cx + 0.5), dy = y - (marker_cy + 0.5);
  const double r = std::sqrt(dx * dx + dy * dy);
  const double angle = std::atan2(dy, dx) * 180.0 / pi;
  const double grow_deg = grow / radius * 180.0 / pi;
  for (int axis = 0; axis < 4; axis++) {
    double rel = std::fmod(angle - 90.0 * axis + 540.0, 360.0) - 180.0;
    const bool body = rel >= tail - grow_deg && rel <= neck && std::fabs(r - radius) <= half_width + grow;
    const double along = (tip + grow_deg * 1.8 - rel) / (tip - neck);  // 1 at the neck, 0 at the tip
    const bool head = rel >= neck - grow_deg && along >= 0 && std::fabs(r - radius) <= head_half * along + grow;
    if (body || head) return true;
  }
  return false;
}

// Five-pointed star, point up, widened by `grow` pixels for the outline.
bool in_star(double x, double y, double grow) {
  const double dx = x - star_cx, dy = y - star_cy;
  double angle = std::atan2(dx, -dy);  // 0 at the top point, clockwise
  if (angle < 0) angle += 2 * pi;
  const double sector = 2 * pi / 5;
  const double a = std::fmod(angle, sector) / sector;  // 0 at a point, 0.5 between two points
  const double t = std::fabs(a - 0.5) * 2;             // 1 at a point, 0 between
  // The edge between a point and the next inner corner, as a straight line in polar terms.
  const double outer = star_outer + grow * 1.6, inner = star_inner + grow;
  const double half = sector / 2;
  const double phi = (1 - t) * half;  // angle from the point
  const double px = outer, qx = inner * std::cos(half), qy = inner * std::sin(half);
  // Intersect the ray at angle phi with the segment from (outer, 0) to (qx, qy).
  const double ex = qx - px, ey = qy;
  const double c = std::cos(phi), s = std::sin(phi);
  const double denom = c * ey - s * ex;
  const double edge = denom == 0 ? outer : (px * ey) / denom;
  return std::sqrt(dx * dx + dy * dy) <= edge;
}

}  // namespace

void draw_slot_frames(BITMAP *sheet) {
  draw_frame(sheet, frame_x, false);
  draw_frame(sheet, frame_lit_x, true);
}

// The rotation marker: four light olive arrows chasing each other clockwise round the slot,
// with a dark outline; soft edges blend into the panel's ground. Everything inside the slot
// frame's square stays mask, so the slot and the tile in it always show unchanged.
void draw_rotation_marker(BITMAP *sheet) {
  for (int y = 0; y < marker_size; y++)
    for (int x = 0; x < marker_size; x++) {
      int pixel = mask_rgb();
      const bool under_frame = std::abs(x - marker_cx) <= marker_reach && std::abs(y - marker_cy) <= marker_reach;
      const bool erased = x < marker_size - 2 && y >= 1 && y < marker_size - 1;
      if (!under_frame && erased) {
        const double whole = pixel_coverage([](double sx, double sy) { return on_rotation_arrows(sx, sy, 1.1); }, x, y);
        if (whole > 0) {
          const double core = pixel_coverage([](double sx, double sy) { return on_rotation_arrows(sx, sy, 0); }, x, y);
          const double t = std::clamp((y - 4.0) / 64.0, 0.0, 1.0);
          const rgb ink = mix(mix(trim_light_rgb, ink_light_rgb, 0.5), trim_light_rgb, t);
          const rgb edge = mix(ink_dark_rgb, ink, whole > 0 ? core / whole : 0);
          pixel = to_colour(mix(panel_ground_rgb, edge, whole));
        }
      }
      putpixel(sheet, marker_x + x, marker_y + y, pixel);
    }
}

// The stage box: a sunken tray on the stage plate with three round wells, one per stage,
// where the stage markers land. Opaque; its rounded corners blend into the plate.
void draw_stage_box(BITMAP *sheet) {
  rectfill(sheet, box_x, box_y, box_x + box_w - 1, box_y + box_h - 1, to_colour(panel_ground_rgb));
  bevel_look tray;
  tray.sunken = true;
  tray.face = plate_dark_rgb;
  tray.lit = mix(trim_rgb, plate_dark_rgb, 0.35);
  tray.shade = ink_dark_rgb;
  tray.rim = 1;
  paint_bevel_box(sheet, box_x, box_y, box_w, box_h, 4.0, tray);
  for (int place : marker_places) {
    const double cx = box_x + place + star_cx, cy = box_y + marker_place_y + star_cy;
    for (int y = static_cast<int>(cy) - 13; y <= static_cast<int>(cy) + 13; y++)
      for (int x = static_cast<int>(cx) - 13; x <= static_cast<int>(cx) + 13; x++) {
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        const double r = std::sqrt(dx * dx + dy * dy);
        const double cover = pixel_coverage(
            [&](double sx, double sy) { return std::hypot(sx - cx, sy - cy) <= 11.5; }, x, y);
        if (cover <= 0) continue;
        // The well's rim: shadowed at the upper left, lit at the lower right.
        const double facing = (dx + dy) / (r + 1e-9) * 0.7071;
        rgb colour = socket_face_rgb;
        if (r > 9.6) colour = mix(ink_dark_rgb, mix(trim_rgb, plate_dark_rgb, 0.3), smoothstep(-0.5, 0.6, facing));
        blend_pixel(sheet, x, y, colour, cover);
      }
  }
}

// The stage marker: a golden star with a dark outline, lit from the top; its soft edges
// blend into the well of the stage box it lands in, so no mask fringe remains.
void draw_stage_marker(BITMAP *sheet) {
  for (int y = 0; y < star_h; y++)
    for (int x = 0; x < star_w; x++) {
      int pixel = mask_rgb();
      const double whole = pixel_coverage([](double sx, double sy) { return in_star(sx, sy, 1.0); }, x, y);
      if (whole > 0) {
        const double core = pixel_coverage([](double sx, double sy) { return in_star(sx, sy, 0); }, x, y);
        const rgb gold = mix(gold_light_rgb, gold_deep_rgb, (y + 0.5) / star_h);
        const rgb edge = mix(ink_dark_rgb, gold, core / whole);
        pixel = to_colour(mix(socket_face_rgb, edge, whole));
      }
      putpixel(sheet, star_x + x, star_y + y, pixel);
    }
}
