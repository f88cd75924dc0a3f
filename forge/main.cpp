// quadrille_forge RUN_DIR [part ...]
// Writes the game's pictures, fonts and sounds into RUN_DIR/grafika and RUN_DIR/muz.
// With part names (photographs, sheet, overlay, fonts, sounds, music) only those are forged.
#include <allegro.h>
#include <jpgalleg.h>
#include <loadpng.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "forge/forge.h"

void forge_fail(const std::string &message) {
  std::fprintf(stderr, "forge: %s\n", message.c_str());
  std::exit(1);
}

static void make_folder(const std::string &path) {
  if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) forge_fail("cannot create folder " + path + ": " + std::strerror(errno));
}

struct forge_part {
  const char *name;
  void (*run)(const std::string &);
};

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s RUN_DIR [photographs|sheet|overlay|fonts|sounds|music ...]\n", argv[0]);
    return 2;
  }
  const std::string run_dir = argv[1];
  const std::vector<forge_part> parts = {
      {"photographs", forge_photographs}, {"sheet", forge_sheet}, {"overlay", forge_overlay},
      {"fonts", forge_fonts},             {"sounds", forge_sounds}, {"music", forge_music},
  };
  std::vector<std::string> wanted(argv + 2, argv + argc);
  for (const std::string &name : wanted) {
    bool known = false;
    for (const forge_part &part : parts) known = known || name == part.name;
    if (!known) forge_fail("unknown part '" + name + "'");
  }

  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) forge_fail("cannot start Allegro");
  set_color_depth(24);
  set_color_conversion(COLORCONV_NONE);
  register_png_file_type();
  jpgalleg_init();
  make_folder(run_dir);
  make_folder(run_dir + "/grafika");
  make_folder(run_dir + "/muz");

  for (const forge_part &part : parts) {
    bool chosen = wanted.empty();
    for (const std::string &name : wanted) chosen = chosen || name == part.name;
    if (!chosen) continue;
    std::printf("forge: %s\n", part.name);
    std::fflush(stdout);
    part.run(run_dir);
  }
  allegro_exit();
  return 0;
}
END_OF_MAIN()
