// Starts Allegro without a display, as the tests read pictures, fonts and sounds the way the
// game loads them, and runs the tests of the binary it is linked into.
#include <allegro.h>
#include <gtest/gtest.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <cerrno>

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_depth(24);
  register_png_file_type();
  jpgalleg_init();
  const int result = RUN_ALL_TESTS();
  allegro_exit();
  return result;
}
END_OF_MAIN()
