#include "forge/cells_shapes.h"

#include <algorithm>

// Distance to a rounded box: the classic box distance with the corners pulled in by r. Gives
// the outward normal too, which the rim uses to decide where the light falls.
double rounded_box_distance(double px, double py, double x0, double y0, double x1, double y1, double r, double *nx,
                            double *ny) {
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
  const double qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
  const double sx = px < cx ? -1 : 1, sy = py < cy ? -1 : 1;
  double d;
  if (qx > 0 && qy > 0) {
    const double len = std::sqrt(qx * qx + qy * qy);
    d = len - r;
    *nx = sx * qx / len;
    *ny = sy * qy / len;
  } else if (qx > qy) {
    d = qx - r;
    *nx = sx;
    *ny = 0;
  } else {
    d = qy - r;
    *nx = 0;
    *ny = sy;
  }
  return d;
}

// Rings by depth below the edge: outline, then the rim (its light from the normal), then the
// face with its sheen and grain. Only pixels whose centre is inside are touched.
void paint_bevel_box(BITMAP *bmp, int x, int y, int w, int h, double r, const bevel_look &look) {
  for (int py = y; py < y + h; py++)
    for (int px = x; px < x + w; px++) {
      double nx, ny;
      const double depth = -rounded_box_distance(px + 0.5, py + 0.5, x, y, x + w, y + h, r, &nx, &ny);
      if (depth <= 0) continue;
      rgb colour;
      if (depth < 1) {
        colour = look.outline;
      } else if (depth < 1 + look.rim) {
        // Light comes from the upper left: a raised rim is lit on its upper-left sides, a
        // sunken one on its lower-right sides.
        double facing = -(nx + ny) * 0.7071;
        if (look.sunken) facing = -facing;
        const double lit = smoothstep(-0.4, 0.4, facing);
        colour = mix(look.shade, look.lit, lit);
        if (depth >= 2) colour = mix(colour, look.face, 0.35);  // the inner rim ring is softer
      } else if (look.hairline > 0 && depth >= 1 + look.rim + look.hairline &&
                 depth < 2 + look.rim + look.hairline) {
        colour = mix(look.face, look.hairline_colour, 0.4);
      } else {
        colour = look.face;
        const double from_top = py - y - 1 - look.rim;
        if (look.sheen > 0) colour = scale(colour, 1 + look.sheen * std::max(0.0, 1 - from_top / 10.0));
        if (look.grain > 0) {
          const double n = fractal_noise(px * 0.35, py * 0.9, look.seed, 3) - 0.5;
          colour = scale(colour, 1 + 2 * look.grain * n);
        }
      }
      putpixel(bmp, px, py, to_colour(colour));
    }
}
