// The five background photographs grafika/r0.jpg .. r4.jpg, loaded as the game loads them:
// full-screen pictures with real tonal range, five different scenes, and a title picture whose
// middle stays calm enough for the text and bars laid over it.
#include <allegro.h>
#include <gtest/gtest.h>
#include <jpgalleg.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

#include "tests/contract/contract.h"

namespace {

constexpr int photo_count = 5;

// The region of the title picture under the prompts, the rules page and the menu bars.
constexpr int calm_x0 = 150, calm_x1 = 650, calm_y0 = 60, calm_y1 = 520;

BITMAP *photograph(int i) {
  static BITMAP *loaded[photo_count] = {};
  const std::string path = "grafika/r" + std::to_string(i) + ".jpg";
  if (!loaded[i]) loaded[i] = load_jpg(path.c_str(), nullptr);
  return loaded[i];
}

double luma_at(BITMAP *bmp, int x, int y) {
  const colour3 c = pixel(bmp, x, y);
  return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

// Mean local contrast: the luma step to the right and downward neighbours, averaged over the
// pixels inside (or outside) the calm region.
double local_contrast(BITMAP *bmp, bool inside) {
  double sum = 0;
  long count = 0;
  for (int y = 0; y + 1 < bmp->h; y++)
    for (int x = 0; x + 1 < bmp->w; x++) {
      const bool in = x >= calm_x0 && x < calm_x1 && y >= calm_y0 && y < calm_y1;
      if (in != inside) continue;
      const double l = luma_at(bmp, x, y);
      sum += std::fabs(luma_at(bmp, x + 1, y) - l) + std::fabs(luma_at(bmp, x, y + 1) - l);
      count++;
    }
  return sum / count;
}

TEST(photographs, load_as_full_screen_pictures) {
  for (int i = 0; i < photo_count; i++) {
    BITMAP *bmp = photograph(i);
    ASSERT_NE(bmp, nullptr) << "grafika/r" << i << ".jpg does not load";
    EXPECT_EQ(bmp->w, 800) << "r" << i;
    EXPECT_EQ(bmp->h, 600) << "r" << i;
  }
}

// A painted scene has thousands of colours and a real spread from shadow to light, not a fill
// or a plain gradient.
TEST(photographs, have_colour_and_tonal_range) {
  for (int i = 0; i < photo_count; i++) {
    BITMAP *bmp = photograph(i);
    ASSERT_NE(bmp, nullptr) << "r" << i;
    std::unordered_set<int> colours;
    std::vector<double> lumas;
    for (int y = 0; y < bmp->h; y++)
      for (int x = 0; x < bmp->w; x++) {
        const colour3 c = pixel(bmp, x, y);
        colours.insert(c.r << 16 | c.g << 8 | c.b);
        lumas.push_back(0.299 * c.r + 0.587 * c.g + 0.114 * c.b);
      }
    std::sort(lumas.begin(), lumas.end());
    const double dark = lumas[lumas.size() / 20], light = lumas[lumas.size() * 19 / 20];
    EXPECT_GT(colours.size(), 10000u) << "r" << i;
    EXPECT_GT(light - dark, 80) << "r" << i << ": 5% of pixels below " << dark << ", 5% above " << light;
  }
}

// Each level and the gallery show a different scene: no two pictures are alike.
TEST(photographs, show_five_different_scenes) {
  for (int a = 0; a < photo_count; a++)
    for (int b = a + 1; b < photo_count; b++) {
      ASSERT_NE(photograph(a), nullptr);
      ASSERT_NE(photograph(b), nullptr);
      double diff = 0;
      int count = 0;
      for (int y = 0; y < 600; y += 4)
        for (int x = 0; x < 800; x += 4, count++) {
          const colour3 p = pixel(photograph(a), x, y), q = pixel(photograph(b), x, y);
          diff += (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b)) / 3.0;
        }
      EXPECT_GT(diff / count, 25) << "r" << a << " and r" << b << " look alike";
    }
}

// The title screens lay yellow prompts, the rules text and the menu bars over the middle of
// r0, so the middle holds sky and haze while the detail stays at the edges.
TEST(photographs, title_picture_keeps_its_middle_calm) {
  BITMAP *bmp = photograph(0);
  ASSERT_NE(bmp, nullptr);
  const double middle = local_contrast(bmp, true), edges = local_contrast(bmp, false);
  EXPECT_LT(middle, 0.6 * edges) << "middle " << middle << ", edges " << edges;
  EXPECT_LT(middle, 3.0) << "the middle is busy";
}

}  // namespace
