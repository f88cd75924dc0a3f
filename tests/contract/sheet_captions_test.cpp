// The caption pieces of grafika/ele.png, opened as the game opens it: the hover fills of the
// menu bars, the side buttons and the level and gallery buttons recolour a whole face and no
// lettering; the columns and corners that neighbouring pieces share stay mask; masked pieces
// carry no mask-coloured fringe; the English banner caption fully covers the Polish one.
#include <allegro.h>
#include <gtest/gtest.h>
#include <loadpng.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using bitmap_ptr = std::unique_ptr<BITMAP, void (*)(BITMAP *)>;

bitmap_ptr load_sheet() { return bitmap_ptr(load_png("grafika/ele.png", nullptr), destroy_bitmap); }
bitmap_ptr new_bitmap(int w, int h) { return bitmap_ptr(create_bitmap(w, h), destroy_bitmap); }

int mask() { return makecol(255, 0, 255); }
int probe_colour() { return makecol(1, 2, 3); }  // a fill colour no piece uses

struct region {
  const char *name;
  int x, y, w, h;
};

// A copy of one region of the sheet on a bitmap of its own.
bitmap_ptr cut(BITMAP *sheet, const region &r) {
  bitmap_ptr piece = new_bitmap(r.w, r.h);
  blit(sheet, piece.get(), r.x, r.y, 0, 0, r.w, r.h);
  return piece;
}

// Draws `piece` masked at (x, y) on a copy of `ground` and flood-fills the result from
// (fill_x, fill_y) with the probe colour, the way the game paints a hover highlight.
// Every pixel of the ground that the piece leaves uncovered is `ground_colour`, the worst case:
// a face that touched the outside would leak into it.
struct fill_result {
  bitmap_ptr before{nullptr, destroy_bitmap}, after{nullptr, destroy_bitmap};
};

fill_result compose_and_fill(BITMAP *ground, BITMAP *piece, int x, int y, int fill_x, int fill_y) {
  fill_result out;
  out.before = new_bitmap(ground->w, ground->h);
  blit(ground, out.before.get(), 0, 0, 0, 0, ground->w, ground->h);
  masked_blit(piece, out.before.get(), 0, 0, x, y, piece->w, piece->h);
  out.after = new_bitmap(ground->w, ground->h);
  blit(out.before.get(), out.after.get(), 0, 0, 0, 0, ground->w, ground->h);
  floodfill(out.after.get(), fill_x, fill_y, probe_colour());
  return out;
}

const region polish_names[5] = {{"pl 1", 1, 151, 158, 29},
                                {"pl 2", 1, 180, 158, 29},
                                {"pl 3", 1, 209, 158, 29},
                                {"pl 4", 1, 238, 158, 29},
                                {"pl 5", 1, 267, 158, 29}};
const region english_names[5] = {{"en 1", 159, 151, 158, 29},
                                 {"en 2", 159, 180, 158, 29},
                                 {"en 3", 159, 209, 158, 29},
                                 {"en 4", 159, 238, 158, 29},
                                 {"en 5", 159, 267, 158, 29}};
const region menu_bar = {"menu bar", 0, 100, 232, 44};

}  // namespace

// Each menu label, laid on the bar body 36 pixels right and 6 below its corner, is filled from
// the bar point (37, 7): the whole face takes the colour, leaving no pocket of the old face
// colour, no lettering pixel changes, and nothing outside the bar is touched.
TEST(sheet_captions, menu_bar_hover_fill_recolours_the_face_and_not_the_lettering) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  bitmap_ptr body = cut(sheet.get(), menu_bar);
  const int face = getpixel(body.get(), 37, 7);
  ASSERT_NE(face, mask()) << "the bar's fill point must lie on its face";
  const int margin = 4;
  bitmap_ptr ground = new_bitmap(menu_bar.w + 2 * margin, menu_bar.h + 2 * margin);
  clear_to_color(ground.get(), face);
  masked_blit(body.get(), ground.get(), 0, 0, margin, margin, menu_bar.w, menu_bar.h);

  for (const region *names : {polish_names, english_names})
    for (int k = 0; k < 5; k++) {
      SCOPED_TRACE(names[k].name);
      bitmap_ptr label = cut(sheet.get(), names[k]);
      // The ground here is the bar on a face-coloured surround, so a leak shows in the margin.
      const fill_result fill =
          compose_and_fill(ground.get(), label.get(), margin + 36, margin + 6, margin + 37, margin + 7);
      int lettering_changed = 0, leaked = 0, pockets = 0, recoloured = 0;
      for (int y = 0; y < ground->h; y++)
        for (int x = 0; x < ground->w; x++) {
          const int was = getpixel(fill.before.get(), x, y), now = getpixel(fill.after.get(), x, y);
          const int bx = x - margin, by = y - margin;
          const bool in_bar =
              bx >= 0 && by >= 0 && bx < menu_bar.w && by < menu_bar.h && getpixel(body.get(), bx, by) != mask();
          const int lx = bx - 36, ly = by - 6;
          const bool lettering =
              lx >= 0 && ly >= 0 && lx < label->w && ly < label->h && getpixel(label.get(), lx, ly) != mask();
          if (now != was) recoloured++;
          if (lettering && now != was) lettering_changed++;
          if (!in_bar && now != was) leaked++;
          if (in_bar && now == face) pockets++;
        }
      EXPECT_EQ(lettering_changed, 0);
      EXPECT_EQ(leaked, 0) << "the face touches the outside of the bar";
      EXPECT_EQ(pockets, 0) << "parts of the face keep their colour under the highlight";
      EXPECT_GT(recoloured, menu_bar.w * menu_bar.h / 2);
    }
}

// Pixels that neighbouring pieces read: the label's own pixel (1, 1), under the fill seed; the
// column x 158 that the Polish label and the English level caption share; the column x 410
// where a swatch starts; the corner where the title meets the first English name.
TEST(sheet_captions, shared_and_seed_pixels_are_mask) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  for (const region *names : {polish_names, english_names})
    for (int k = 0; k < 5; k++)
      EXPECT_EQ(getpixel(sheet.get(), names[k].x + 1, names[k].y + 1), mask()) << names[k].name << " at (1,1)";
  const region shared[] = {
      {"column 158 of the names", 158, 151, 1, 145},
      {"column 410 of the title", 410, 131, 1, 25},
      {"title over the first English name", 312, 151, 5, 5},
  };
  for (const region &r : shared)
    for (int y = r.y; y < r.y + r.h; y++)
      for (int x = r.x; x < r.x + r.w; x++)
        EXPECT_EQ(getpixel(sheet.get(), x, y), mask()) << r.name << " at " << x << "," << y;
}

// The level-complete and gallery buttons, filled from (12, 10) on a ground of their own inside
// colour: the fill stays inside the rim, reaches every pixel of the inside colour (the far
// side of the lettering too), and leaves the lettering alone.
TEST(sheet_captions, fill_buttons_close_round_one_inside_colour) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  const region buttons[] = {{"level-complete button", 320, 190, 100, 26}, {"gallery button", 320, 242, 100, 26}};
  for (const region &r : buttons) {
    SCOPED_TRACE(r.name);
    bitmap_ptr button = cut(sheet.get(), r);
    const int inside = getpixel(button.get(), 12, 10);
    ASSERT_NE(inside, mask());
    const int margin = 3;
    bitmap_ptr ground = new_bitmap(r.w + 2 * margin, r.h + 2 * margin);
    clear_to_color(ground.get(), inside);
    const fill_result fill = compose_and_fill(ground.get(), button.get(), margin, margin, margin + 12, margin + 10);
    int leaked = 0, lettering_changed = 0, pockets = 0, recoloured = 0;
    for (int y = 0; y < r.h; y++)
      for (int x = 0; x < r.w; x++) {
        const int own = getpixel(button.get(), x, y);
        const int now = getpixel(fill.after.get(), x + margin, y + margin);
        if (own == mask() && now != inside) leaked++;
        if (own != mask() && own != inside && now != own) lettering_changed++;
        if (own == inside && now == inside) pockets++;
        if (now == probe_colour()) recoloured++;
      }
    for (int x = 0; x < ground->w; x++)
      for (int y : {0, ground->h - 1}) leaked += getpixel(fill.after.get(), x, y) != inside;
    EXPECT_EQ(leaked, 0) << "the inside touches the outside of the button";
    EXPECT_EQ(lettering_changed, 0);
    EXPECT_EQ(pockets, 0) << "parts of the inside keep their colour under the fill";
    EXPECT_GT(recoloured, r.w * r.h / 3);
  }
}

// The side-button labels of both languages lie over three single-colour button faces of the
// frame. Their lettering keeps to the rows of its button, and a fill from each button's seed
// recolours the face all round the lettering without touching it.
TEST(sheet_captions, side_button_labels_leave_the_button_faces_fillable) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  // Screen rectangles of the three buttons, and where the label piece lies on the screen.
  struct button {
    int top, bottom;
  };
  const button faces[3] = {{470, 486}, {503, 521}, {536, 556}};
  const int left = 597, right = 733, piece_x = 610, piece_y = 469;
  const region labels[] = {{"Polish labels", 0, 400, 114, 84}, {"English labels", 114, 400, 114, 84}};
  const int face = makecol(58, 66, 34), frame = makecol(22, 24, 18);
  bitmap_ptr panel = new_bitmap(800, 600);
  clear_to_color(panel.get(), frame);
  for (const button &b : faces) rectfill(panel.get(), left + 1, b.top + 1, right - 1, b.bottom - 1, face);

  for (const region &r : labels) {
    SCOPED_TRACE(r.name);
    bitmap_ptr piece = cut(sheet.get(), r);
    for (int y = 0; y < r.h; y++)
      for (int x = 0; x < r.w; x++) {
        if (getpixel(piece.get(), x, y) == mask()) continue;
        const int sy = piece_y + y;
        bool on_a_face = false;
        for (const button &b : faces) on_a_face = on_a_face || (sy > b.top && sy < b.bottom);
        EXPECT_TRUE(on_a_face) << "lettering off the buttons' faces at piece " << x << "," << y;
      }
    for (const button &b : faces) {
      const fill_result fill = compose_and_fill(panel.get(), piece.get(), piece_x, piece_y, 598, b.top + 1);
      int lettering_changed = 0, pockets = 0;
      for (int y = b.top + 1; y < b.bottom; y++)
        for (int x = left + 1; x < right; x++) {
          const int was = getpixel(fill.before.get(), x, y), now = getpixel(fill.after.get(), x, y);
          if (was != face && now != was) lettering_changed++;
          if (now == face) pockets++;
        }
      EXPECT_EQ(lettering_changed, 0) << "button at y " << b.top;
      EXPECT_EQ(pockets, 0) << "button at y " << b.top << " keeps unfilled pockets";
    }
  }
}

// Masked pieces whose soft edges had blended with the mask colour would show pinkish fringes
// on screen. No pixel may be close to the mask colour without being exactly it.
TEST(sheet_captions, masked_pieces_have_no_mask_coloured_fringe) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  const region masked[] = {
      {"flags", 0, 50, 108, 36},
      {"menu bar", 0, 100, 232, 44},
      {"menu title", 312, 131, 99, 25},
      {"names", 0, 151, 317, 145},
      {"level-complete button", 320, 190, 100, 26},
      {"gallery button", 320, 242, 100, 26},
      {"captions and labels", 0, 335, 228, 149},
      {"start banner shadow", 250, 427, 226, 60},
      {"stage banner", 500, 280, 334, 146},
      {"English banner caption", 500, 455, 333, 72},
      {"subtitles", 0, 491, 470, 56},
      {"closing captions", 5, 550, 539, 48},
      {"rules heading", 0, 610, 500, 90},
      {"saved-games heading", 510, 610, 360, 45},
  };
  for (const region &r : masked) {
    int fringe = 0, opaque = 0;
    for (int y = r.y; y < r.y + r.h; y++)
      for (int x = r.x; x < r.x + r.w; x++) {
        const int c = getpixel(sheet.get(), x, y);
        if (c == mask()) continue;
        opaque++;
        if (getr(c) > 150 && getg(c) < 110 && getb(c) > 150) fringe++;
      }
    EXPECT_EQ(fringe, 0) << r.name;
    EXPECT_GT(opaque, 0) << r.name << " is empty";
  }
}

// The stage buttons are drawn opaque: a mask pixel in them would show as magenta.
TEST(sheet_captions, stage_buttons_are_opaque) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  for (int x0 : {500, 580})
    for (int y = 430; y < 451; y++)
      for (int x = x0; x < x0 + 79; x++) ASSERT_NE(getpixel(sheet.get(), x, y), mask()) << x << "," << y;
}

// The game copies the English caption (500,455) 333x72 masked over the Polish one at
// (500,280): the result must differ from the Polish banner, and no Polish pixel may show
// through where the English caption is transparent but the Polish one is not.
TEST(sheet_captions, english_banner_caption_covers_the_polish_one) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  bitmap_ptr copy = new_bitmap(sheet->w, sheet->h);
  blit(sheet.get(), copy.get(), 0, 0, 0, 0, sheet->w, sheet->h);
  masked_blit(copy.get(), copy.get(), 500, 455, 500, 280, 333, 72);
  int changed = 0, show_through = 0;
  for (int y = 0; y < 72; y++)
    for (int x = 0; x < 333; x++) {
      const int polish = getpixel(sheet.get(), 500 + x, 280 + y), english = getpixel(sheet.get(), 500 + x, 455 + y);
      changed += getpixel(copy.get(), 500 + x, 280 + y) != polish;
      show_through += english == mask() && polish != mask();
    }
  EXPECT_GT(changed, 300) << "the English caption hardly differs from the Polish one";
  EXPECT_EQ(show_through, 0);
}

// The game prints its green stage line at banner rows 68 to 84 from column 81 (the banner at
// full size); the banner must give it one plain colour there that the green stands out on.
TEST(sheet_captions, stage_line_ground_is_plain_and_contrasting) {
  bitmap_ptr sheet = load_sheet();
  ASSERT_TRUE(sheet);
  const int ground = getpixel(sheet.get(), 500 + 81, 280 + 68);
  for (int y = 66; y <= 86; y++)
    for (int x = 81; x <= 240; x++)
      ASSERT_EQ(getpixel(sheet.get(), 500 + x, 280 + y), ground) << "banner " << x << "," << y;
  auto luma = [](int r, int g, int b) { return 0.299 * r + 0.587 * g + 0.114 * b; };
  const double green = luma(23, 163, 23);
  EXPECT_GT(std::abs(luma(getr(ground), getg(ground), getb(ground)) - green), 60.0);
}
