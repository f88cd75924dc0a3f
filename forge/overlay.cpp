// The frame overlay of the play screen, grafika/pl2.png: a slate console over the level's
// photograph, holding the sunken board well and, on the right, the side panel of raised plates
// with the wells, slots and side buttons. Mask colour wherever the photograph shows.
#include "forge/cells_shapes.h"
#include "forge/forge.h"
#include "forge/palette.h"

namespace {

constexpr int screen_w = 800, screen_h = 600;

// The console slab behind everything.
constexpr int slab_x = 30, slab_y = 30, slab_w = 737, slab_h = 547;

// The board well: its face is the empty grey round the board (x and y 44..562), read by the
// neighbour probes of the outer fields at 47 and 559; the board itself (50..556) is laid over
// it by the game.
constexpr int well_x = 41, well_y = 41, well_w = 525, well_h = 525;

// The side panel's plates, one per group of controls, x 574..755. The stage plate is the region
// the saved-games dialog stretches threefold as its background, so it is a complete framed
// plate on its own. The reserve plate reaches two pixels further right, so that the reserve
// frame the scene draws (x 576..755) sits two pixels inside it on both sides.
struct plate_span {
  int x, y, w, h;
};
constexpr plate_span level_plate = {574, 41, 182, 83};     // level caption and level name box
constexpr plate_span stage_plate = {574, 128, 182, 78};    // stage caption and stage box
constexpr plate_span play_plate = {574, 210, 182, 118};    // remaining counter, active and preview slots
constexpr plate_span reserve_plate = {574, 332, 184, 121};  // the reserve zone
constexpr plate_span button_plate = {574, 457, 182, 109};  // the three side buttons

// Sunken wells on the plates (x, y, w, h).
struct box {
  int x, y, w, h;
};
constexpr box name_box = {585, 85, 156, 29};      // the level name is drawn on it
constexpr box counter_box = {587, 213, 160, 29};  // the remaining number, centred at x 667
constexpr box preview_box = {703, 260, 46, 46};   // round the preview slot (707,264)
constexpr box reserve_box = {580, 358, 172, 86};  // the empty reserve cells land on it

// The reserve frame the stage scene draws, (576,344)..(755,447): the overlay engraves a
// shadow line inside it so that it reads as a groove.
constexpr int reserve_frame_x0 = 576, reserve_frame_y0 = 344, reserve_frame_x1 = 755, reserve_frame_y1 = 447;

// The side buttons: x 597..733 and their rows; the flood fill starts one pixel inside the
// top-left corner, so the top and left outline is one pixel and the face begins right there.
constexpr int button_x0 = 597, button_x1 = 733;
constexpr int button_rows[3][2] = {{470, 486}, {503, 521}, {536, 556}};

// The raised plate look of the panel: olive rim, slate face with a faint sheen and grain, and a
// fine trim line inside the rim (`hairline` false where another line takes its place).
bevel_look plate_look(uint32_t seed, bool hairline) {
  bevel_look look;
  look.face = plate_rgb;
  look.sheen = 0.12;
  look.grain = 0.03;
  look.seed = seed;
  look.hairline = hairline ? 2 : 0;
  return look;
}

// A sunken well: dark face, shadow on the upper left, a faint light edge on the lower right.
void paint_well(BITMAP *bmp, const box &b, rgb face) {
  bevel_look look;
  look.sunken = true;
  look.face = face;
  look.lit = mix(trim_rgb, plate_rgb, 0.45);
  look.shade = ink_dark_rgb;
  look.rim = 1;
  paint_bevel_box(bmp, b.x, b.y, b.w, b.h, 2.0, look);
}

// The console slab: dark slate with a fine grain and an olive-trimmed raised edge.
void paint_slab(BITMAP *bmp) {
  bevel_look look;
  look.face = plate_dark_rgb;
  look.grain = 0.06;
  look.seed = 71;
  paint_bevel_box(bmp, slab_x, slab_y, slab_w, slab_h, 10.0, look);
}

// The board well: a sunken frame whose face is the exact empty grey.
void paint_board_well(BITMAP *bmp) {
  bevel_look look;
  look.sunken = true;
  look.face = empty_rgb;
  look.lit = mix(trim_rgb, empty_rgb, 0.3);
  look.shade = ink_dark_rgb;
  look.rim = 2;
  paint_bevel_box(bmp, well_x, well_y, well_w, well_h, 3.0, look);
}

// The engraved reserve groove: a dark line just inside the frame the scene draws, on its top
// and left sides, and a light one just inside on its bottom and right sides.
void paint_reserve_groove(BITMAP *bmp) {
  const int dark = to_colour(ink_dark_rgb), light = to_colour(mix(plate_rgb, trim_rgb, 0.35));
  hline(bmp, reserve_frame_x0 + 1, reserve_frame_y0 + 1, reserve_frame_x1 - 1, dark);
  vline(bmp, reserve_frame_x0 + 1, reserve_frame_y0 + 1, reserve_frame_y1 - 1, dark);
  hline(bmp, reserve_frame_x0 + 2, reserve_frame_y1 - 1, reserve_frame_x1 - 1, light);
  vline(bmp, reserve_frame_x1 - 1, reserve_frame_y0 + 2, reserve_frame_y1 - 1, light);
}

// One side button: a single-colour face sealed by its outline (lit on top and left, dark on
// bottom and right, inside a dark surround), with a soft shade along its lower and right
// inner edge. The flood fill of the hover highlight covers the face and stops at the outline.
void paint_side_button(BITMAP *bmp, int top, int bottom) {
  rect(bmp, button_x0 - 1, top - 1, button_x1 + 1, bottom + 1, to_colour(ink_dark_rgb));
  rectfill(bmp, button_x0, top, button_x1, bottom, to_colour(ink_dark_rgb));
  const rgb lit = mix(side_button_rgb, trim_light_rgb, 0.45);
  hline(bmp, button_x0, top, button_x1 - 1, to_colour(lit));
  vline(bmp, button_x0, top, bottom - 1, to_colour(lit));
  rectfill(bmp, button_x0 + 1, top + 1, button_x1 - 1, bottom - 1, to_colour(scale(side_button_rgb, 0.72)));
  rectfill(bmp, button_x0 + 1, top + 1, button_x1 - 2, bottom - 2, to_colour(side_button_rgb));
}

// One raised plate of the side panel.
void paint_plate(BITMAP *bmp, const plate_span &p, uint32_t seed, bool hairline = true) {
  paint_bevel_box(bmp, p.x, p.y, p.w, p.h, 4.0, plate_look(seed, hairline));
}

}  // namespace

// Paints the console, the board well and the side panel, and writes grafika/pl2.png.
void forge_overlay(const std::string &run_dir) {
  BITMAP *overlay = create_canvas(screen_w, screen_h);
  clear_to_color(overlay, mask_rgb());
  paint_slab(overlay);
  paint_board_well(overlay);

  paint_plate(overlay, level_plate, 11);
  paint_plate(overlay, stage_plate, 12);
  paint_plate(overlay, play_plate, 13);
  paint_plate(overlay, reserve_plate, 14, false);  // the reserve frame is its inner line
  paint_plate(overlay, button_plate, 15);

  paint_well(overlay, name_box, plate_dark_rgb);
  paint_well(overlay, counter_box, plate_dark_rgb);
  paint_well(overlay, preview_box, plate_dark_rgb);
  paint_reserve_groove(overlay);
  paint_well(overlay, reserve_box, plate_dark_rgb);
  for (const auto &rows : button_rows) paint_side_button(overlay, rows[0], rows[1]);

  save_picture(overlay, run_dir + "/grafika/pl2.png");
  destroy_bitmap(overlay);
}
