// What the contract tests share: colours read as whole RGB triples and the fixed colours of
// the rules of play.
#pragma once

#include <allegro.h>

#include <string>

struct colour3 {
  int r, g, b;
  bool operator==(const colour3 &o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const colour3 &o) const { return !(*this == o); }
};

constexpr colour3 empty_grey = {110, 110, 110};
constexpr colour3 inactive_grey = {83, 82, 84};
constexpr colour3 mask = {255, 0, 255};

inline colour3 pixel(BITMAP *bmp, int x, int y) {
  const int c = getpixel(bmp, x, y);
  return {getr(c), getg(c), getb(c)};
}

inline std::string show(colour3 c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}
