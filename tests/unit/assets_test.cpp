// The start-up check finds every asset file that is missing or empty, and only those.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/shell.h"

namespace {

// Runs a body inside a fresh empty folder and comes back to the run folder afterwards.
struct scratch_folder {
  std::string home, path;
  scratch_folder() {
    char cwd[4096];
    home = getcwd(cwd, sizeof cwd) ? cwd : ".";
    char name[] = "/tmp/quadrille-assets-XXXXXX";
    path = mkdtemp(name);
    EXPECT_EQ(chdir(path.c_str()), 0);
  }
  ~scratch_folder() {
    EXPECT_EQ(chdir(home.c_str()), 0);
    std::system(("rm -rf '" + path + "'").c_str());
  }
};

void write_file(const std::string &name, const std::string &content) {
  std::FILE *f = std::fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  std::fputs(content.c_str(), f);
  std::fclose(f);
}

}  // namespace

TEST(asset_check, run_folder_has_every_file) { EXPECT_TRUE(missing_assets().empty()); }

TEST(asset_check, names_exactly_the_missing_and_the_empty_files) {
  scratch_folder folder;
  EXPECT_EQ(missing_assets(), asset_files()) << "an empty folder lacks everything";

  ASSERT_EQ(system("mkdir -p grafika muz"), 0);
  for (const std::string &name : asset_files()) write_file(name, "x");
  write_file("grafika/pl2.png", "");         // empty: unreadable
  std::remove("muz/s7.wav");                 // gone
  EXPECT_EQ(missing_assets(), (std::vector<std::string>{"grafika/pl2.png", "muz/s7.wav"}));
}
