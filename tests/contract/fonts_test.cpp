// The four grid fonts, opened with load_font as the game opens them: mono, covering ASCII and
// every Polish letter, of the expected line height, and narrow enough for the rules page.
#include <allegro.h>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

struct font_case {
  const char *path;
  int line_height;
};

const font_case font_cases[] = {
    {"grafika/F16.pcx", 18},
    {"grafika/arial_16.pcx", 19},
    {"grafika/arialbd_14.pcx", 18},
    {"grafika/F20.pcx", 23},
};

// The glyphs run from the space to ż; a missing code point prints Allegro's '^' instead.
constexpr int first_code_point = 0x20;
constexpr int last_code_point = 0x17C;

const char *const polish_letters[] = {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż",
                                      "Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"};
const char *const polish_base_letters[] = {"a", "c", "e", "l", "n", "o", "s", "z", "z",
                                           "A", "C", "E", "L", "N", "O", "S", "Z", "Z"};

using font_ptr = std::unique_ptr<FONT, void (*)(FONT *)>;

font_ptr open_font(const char *path) { return font_ptr(load_font(path, nullptr, nullptr), destroy_font); }

// Prints `text` at (4, 4) in `colour` over a dark ground and returns the mask of pixels in
// exactly that colour; any pixel of a third colour fails the test.
std::vector<bool> print_ink(FONT *font, const std::string &text, int colour) {
  BITMAP *bmp = create_bitmap(text_length(font, text.c_str()) + 8, text_height(font) + 8);
  const int ground = makecol(20, 24, 30);
  clear_to_color(bmp, ground);
  textprintf_ex(bmp, font, 4, 4, colour, -1, "%s", text.c_str());
  std::vector<bool> ink;
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      const int pixel = getpixel(bmp, x, y);
      EXPECT_TRUE(pixel == colour || pixel == ground) << "stray colour at " << x << "," << y << " in '" << text << "'";
      ink.push_back(pixel == colour);
    }
  destroy_bitmap(bmp);
  return ink;
}

bool has_ink(const std::vector<bool> &mask) {
  for (bool on : mask)
    if (on) return true;
  return false;
}

}  // namespace

TEST(fonts, load_as_mono_grid_fonts_of_the_expected_line_height_and_range) {
  for (const font_case &c : font_cases) {
    SCOPED_TRACE(c.path);
    font_ptr font = open_font(c.path);
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(is_mono_font(font.get()));
    EXPECT_EQ(text_height(font.get()), c.line_height);
    EXPECT_EQ(get_font_ranges(font.get()), 1);
    EXPECT_EQ(get_font_range_begin(font.get(), -1), first_code_point);
    EXPECT_EQ(get_font_range_end(font.get(), -1), last_code_point);
  }
}

TEST(fonts, every_ascii_and_polish_letter_prints_with_ink_of_the_chosen_colour) {
  const int colour = makecol(199, 200, 37);
  for (const font_case &c : font_cases) {
    SCOPED_TRACE(c.path);
    font_ptr font = open_font(c.path);
    ASSERT_NE(font, nullptr);
    EXPECT_GT(text_length(font.get(), " "), 0);
    EXPECT_FALSE(has_ink(print_ink(font.get(), " ", colour)));
    std::vector<std::string> glyphs;
    for (char ch = '!'; ch <= '~'; ch++) glyphs.push_back(std::string(1, ch));
    glyphs.insert(glyphs.end(), std::begin(polish_letters), std::end(polish_letters));
    for (const std::string &glyph : glyphs) {
      EXPECT_GT(text_length(font.get(), glyph.c_str()), 0) << glyph;
      EXPECT_TRUE(has_ink(print_ink(font.get(), glyph, colour))) << glyph;
    }
    // Each Polish letter has a face of its own, not its base letter's and not its case partner's.
    for (size_t i = 0; i < std::size(polish_letters); i++) {
      const std::vector<bool> letter = print_ink(font.get(), polish_letters[i], colour);
      EXPECT_NE(letter, print_ink(font.get(), polish_base_letters[i], colour)) << polish_letters[i];
      EXPECT_NE(letter, print_ink(font.get(), polish_letters[(i + 9) % 18], colour)) << polish_letters[i];
    }
  }
}

TEST(fonts, print_the_same_shape_in_any_colour) {
  const int colours[] = {makecol(255, 0, 0), makecol(0, 128, 255)};
  for (const font_case &c : font_cases) {
    SCOPED_TRACE(c.path);
    font_ptr font = open_font(c.path);
    ASSERT_NE(font, nullptr);
    const std::vector<bool> first = print_ink(font.get(), "Zażółć gęślą jaźń", colours[0]);
    const std::vector<bool> second = print_ink(font.get(), "Zażółć gęślą jaźń", colours[1]);
    EXPECT_TRUE(has_ink(first));
    EXPECT_EQ(first, second);
  }
}

TEST(fonts, longest_rules_page_lines_end_inside_the_window) {
  struct line_case {
    const char *path;
    int x;
    const char *text;
  };
  const line_case lines[] = {
      {"grafika/F20.pcx", 80, "Start: LPM szary przycisk lub PPM w dowolnym miejscu diagramu"},
      {"grafika/F20.pcx", 150, "in the diaram: start,next block,rotation"},
      {"grafika/F16.pcx", 80, "kolejny musi mieć połaczenie z wcześniej wstawionymi. "},
      {"grafika/F16.pcx", 80, "Z braku pomysłu, w grze wykorzystałem fotki mego miasta. "},
      {"grafika/F16.pcx", 80, "Active block is the one that currently can be inserted"},
      {"grafika/F16.pcx", 150, "start,wstawianie,kolejny klocek,obrót,rezerwa,przyciski"},
      {"grafika/arial_16.pcx", 80, "Condensed rules and game description:"},
  };
  constexpr int window_width = 800;
  for (const line_case &line : lines) {
    font_ptr font = open_font(line.path);
    ASSERT_NE(font, nullptr) << line.path;
    EXPECT_LT(line.x + text_length(font.get(), line.text), window_width) << line.path << ": " << line.text;
  }
}
