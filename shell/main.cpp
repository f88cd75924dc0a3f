// Entry point: checks the asset files, opens the window, shows the title picture, ends on Esc.
#include <allegro.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <cstdio>

#include "shell/shell.h"

int main() {
  const std::vector<std::string> missing = missing_assets();
  if (!missing.empty()) {
    report_missing_assets(missing);
    return 1;
  }
  if (allegro_init() != 0) {
    std::fprintf(stderr, "quadrille: cannot start the graphics library, so no window can open (%s).\n"
                 "Is a display there? Under X check DISPLAY; without one, run it in Xvfb.\n", allegro_error);
    return 1;
  }
  install_keyboard();
  install_timer();
  set_color_depth(24);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0) != 0) {
    std::fprintf(stderr, "quadrille: cannot open an 800x600 window in 24-bit colour (%s).\n"
                 "Is a display there? Under X check DISPLAY; without one, run it in Xvfb.\n", allegro_error);
    allegro_exit();
    return 1;
  }
  set_window_title("quadrille");
  register_png_file_type();
  jpgalleg_init();
  BITMAP *title = load_jpg("grafika/r0.jpg", nullptr);
  if (!title) {
    allegro_exit();
    report_missing_assets({"grafika/r0.jpg"});
    return 1;
  }
  blit(title, screen, 0, 0, 0, 0, 800, 600);
  while (!key[KEY_ESC]) rest(10);
  destroy_bitmap(title);
  allegro_exit();
  return 0;
}
END_OF_MAIN()
