// Names of the asset files and the check that they are all there before anything is drawn.
#include <cstdio>

#include "shell/shell.h"

const std::vector<std::string> &asset_files() {
  static const std::vector<std::string> files = {
      "grafika/ele.png",    "grafika/pl2.png",      "grafika/r0.jpg",         "grafika/r1.jpg",
      "grafika/r2.jpg",     "grafika/r3.jpg",       "grafika/r4.jpg",         "grafika/F16.pcx",
      "grafika/arial_16.pcx", "grafika/arialbd_14.pcx", "grafika/F20.pcx",    "muz/s1.wav",
      "muz/s2.wav",         "muz/s3.wav",           "muz/s4.wav",             "muz/s5.wav",
      "muz/s6.wav",         "muz/s7.wav",           "muz/muzyczka.ogg",
  };
  return files;
}

std::vector<std::string> missing_assets() {
  std::vector<std::string> missing;
  for (const std::string &name : asset_files()) {
    std::FILE *f = std::fopen(name.c_str(), "rb");
    if (!f || std::fgetc(f) == EOF) missing.push_back(name);
    if (f) std::fclose(f);
  }
  return missing;
}

void report_missing_assets(const std::vector<std::string> &files) {
  std::fprintf(stderr, "quadrille: these game files are missing or unreadable:\n");
  for (const std::string &name : files) std::fprintf(stderr, "  %s\n", name.c_str());
  std::fprintf(stderr,
               "The build forges them into build/run/. Run scripts/play.sh from the source folder,\n"
               "or start the game from its run folder (cd build/run && ./quadrille).\n");
}
