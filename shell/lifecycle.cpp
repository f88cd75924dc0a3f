// Start-up and shutdown: the library, the window, the timer, the shared bitmaps and fonts.
#include <allegro.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "puzzle/puzzle.h"
#include "shell/shell.h"

std::atomic<int> tick_count{0};

BITMAP *back_buffer, *board_snapshot, *panel_buffer, *photo_buffer, *tile_scratch, *clean_scene, *photo_thumb,
    *sprite_sheet;
FONT *font_f16, *font_arial16, *font_arialbd14, *font_f20;

int board_started, active_tile_present, tile_taken, rotation_locked, skip_slide_in;

namespace {

std::atomic<bool> close_button_pressed{false};

void tick_callback() { tick_count++; }
END_OF_STATIC_FUNCTION(tick_callback)

void on_close_button() { close_button_pressed = true; }

void say_no_window(const char *what) {
  std::fprintf(stderr,
               "quadrille: %s (%s).\n"
               "Is a display there? Under X check DISPLAY; without one, run it in Xvfb.\n",
               what, allegro_error);
}

// The system's own arrow, drawn by the window system so that the frames never flicker over it.
void show_pointer() {
  enable_hardware_cursor();
  select_mouse_cursor(MOUSE_CURSOR_ARROW);
  show_mouse(screen);
}

} // namespace

std::vector<std::string> load_shared_resources() {
  board_snapshot = create_bitmap(scene_width, scene_height);
  panel_buffer = create_bitmap(scene_width, scene_height);
  photo_buffer = create_bitmap(scene_width, scene_height);
  tile_scratch = create_bitmap(tile_size, tile_size);
  clean_scene = create_bitmap(scene_width, scene_height);
  photo_thumb = create_bitmap(280, 210);
  register_png_file_type();
  jpgalleg_init();
  std::vector<std::string> failed;
  auto check = [&failed](const void *loaded, const char *path) {
    if (!loaded) failed.push_back(path);
  };
  sprite_sheet = load_png("grafika/ele.png", nullptr);
  check(sprite_sheet, "grafika/ele.png");
  back_buffer = load_jpg("grafika/r0.jpg", nullptr);
  check(back_buffer, "grafika/r0.jpg");
  const char *const font_paths[4] = {"grafika/F16.pcx", "grafika/arial_16.pcx", "grafika/arialbd_14.pcx",
                                     "grafika/F20.pcx"};
  FONT **const fonts[4] = {&font_f16, &font_arial16, &font_arialbd14, &font_f20};
  for (int i = 0; i < 4; i++) {
    *fonts[i] = load_font(font_paths[i], nullptr, nullptr);
    check(*fonts[i], font_paths[i]);
  }
  for (const char *later : {"grafika/r1.jpg", "grafika/r2.jpg", "grafika/r3.jpg", "grafika/r4.jpg", "grafika/pl2.png"}) {
    BITMAP *picture = load_bitmap(later, nullptr);
    check(picture, later);
    if (picture) destroy_bitmap(picture);
  }
  set_board_colours();
  return failed;
}

void wait_for_ticks(int ticks) {
  while (tick_count < ticks) std::this_thread::sleep_for(std::chrono::microseconds(100));
}

bool start_up() {
  const std::vector<std::string> missing = missing_assets();
  if (!missing.empty()) {
    report_missing_assets(missing);
    return false;
  }
  if (allegro_init() != 0) {
    say_no_window("cannot start the graphics library, so no window can open");
    return false;
  }
  install_keyboard();
  install_mouse();
  set_color_depth(24);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, scene_width, scene_height, 0, 0) != 0) {
    say_no_window("cannot open an 800x600 window in 24-bit colour");
    allegro_exit();
    return false;
  }
  set_window_title("quadrille");
  set_close_button_callback(on_close_button);
  install_sample_playback();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  install_timer();
  LOCK_VARIABLE(tick_count);
  LOCK_FUNCTION(tick_callback);
  install_int_ex(tick_callback, MSEC_TO_TIMER(1));

  const std::vector<std::string> unreadable = load_shared_resources();
  if (!unreadable.empty()) {
    free_resources();
    allegro_exit();
    report_missing_assets(unreadable);
    return false;
  }
  show_pointer();
  return true;
}

bool quit_requested() { return key[KEY_ESC] || close_button_pressed; }

void exit_wipe() {
  empty_color = makecol(50, 50, 50);
  for (int first = 0; first < 2; first++) {
    for (int y = first; y < scene_height; y += 2) {
      line(screen, 0, y, scene_width, y, empty_color);
      rest(1);
    }
  }
}

void free_resources() {
  for (BITMAP **bitmap : {&sprite_sheet, &back_buffer, &board_snapshot, &panel_buffer, &photo_buffer, &clean_scene,
                          &tile_scratch, &photo_thumb}) {
    if (*bitmap) destroy_bitmap(*bitmap);
    *bitmap = nullptr;
  }
  for (int n = 1; n <= 7; n++) {
    if (sound_samples[n]) destroy_sample(sound_samples[n]);
    sound_samples[n] = nullptr;
  }
  for (FONT **font : {&font_f16, &font_arial16, &font_arialbd14, &font_f20}) {
    if (*font) destroy_font(*font);
    *font = nullptr;
  }
}
