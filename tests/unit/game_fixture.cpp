// Loads the game's shared resources once for all unit tests and frees them at the end, so that
// the sanitizers see every resource released.
#include "tests/unit/game_fixture.h"

namespace {

class game_environment : public ::testing::Environment {
public:
  void SetUp() override {
    const std::vector<std::string> failed = load_shared_resources();
    ASSERT_TRUE(failed.empty()) << "cannot read " << failed.front();
    screen = create_bitmap(scene_width, scene_height);
    clear_to_color(screen, makecol(0, 0, 0));
  }
  void TearDown() override {
    free_resources();
    destroy_bitmap(screen);
    screen = nullptr;
  }
};

::testing::Environment *const environment = ::testing::AddGlobalTestEnvironment(new game_environment);

} // namespace

void prepare_test_board(int of_level, int of_stage, int of_language, bool slide) {
  level = of_level;
  stage = of_stage;
  language = of_language;
  build_stage_scene();
  reset_board();
  skip_slide_in = slide ? 0 : 1;
  prepare_board();
}

bool same_pixels(BITMAP *a, BITMAP *b, int x, int y, int w, int h) { return same_picture(a, x, y, b, x, y, w, h); }

bool same_picture(BITMAP *a, int ax, int ay, BITMAP *b, int bx, int by, int w, int h) {
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      if (getpixel(a, ax + x, ay + y) != getpixel(b, bx + x, by + y)) return false;
  return true;
}

bitmap_ptr copy_of(BITMAP *from) {
  BITMAP *copy = create_bitmap(scene_width, scene_height);
  blit(from, copy, 0, 0, 0, 0, scene_width, scene_height);
  return bitmap_ptr(copy, destroy_bitmap);
}

void put_mouse(int x, int y, int buttons) {
  mouse_x = x;
  mouse_y = y;
  mouse_b = buttons;
}

void press_on(int id, int buttons) {
  static const int side_button_middle_y[3] = {478, 512, 546}; // restart, info, save
  if (id >= restart_button) put_mouse(660, side_button_middle_y[id - restart_button], buttons);
  else put_mouse(field_x[id] + tile_size / 2, field_y[id] + tile_size / 2, buttons);
  poll_input();
  hit_test();
  mouse_b = 0;
}

void draw_tile_at(int id, const int tile[5]) { compose_tile(back_buffer, tile, field_x[id], field_y[id]); }

void put_in_slot(const tile_record &tile) {
  draw_rotation_marker();
  draw_tile_at(active_slot, tile.codes);
  for (int i = 1; i <= 4; i++) active_tile[i] = tile.codes[i];
  file_by_side(active_tile, active_by_side);
  active_tile_present = 1;
}
