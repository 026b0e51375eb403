// The desktop icon: a gold winner's medal on its red and blue ribbon, drawn
// on a 64-unit grid at four times the size asked for and box-filtered down,
// so every size from 16 to 256 pixels comes out smooth.
#include "art/art.h"
#include "art/paint.h"

#include <cmath>

// Grid units to pixels of the large picture.
static int u(double units, int size) { return (int)lround(units * size * 4 / 64.0); }

static void ribbon(Image &img, int s) {
  // Two straps from the top corners meeting behind the medal.
  const double left[8] = {8, 0, 24, 0, 38, 34, 26, 40};
  const double right[8] = {56, 0, 40, 0, 26, 34, 38, 40};
  int xy[8];
  for (int i = 0; i < 8; i++) xy[i] = u(left[i], s);
  fill_polygon(img, xy, 4, pal::RED);
  for (int i = 0; i < 8; i++) xy[i] = u(right[i], s);
  fill_polygon(img, xy, 4, pal::BLUE);
  // A white stripe down the middle of each strap.
  fill_quad(img, u(14, s), 0, u(18, s), 0, u(33, s), u(36, s), u(30, s), u(38, s), pal::WHITE);
  fill_quad(img, u(50, s), 0, u(46, s), 0, u(31, s), u(36, s), u(34, s), u(38, s), shade(pal::WHITE, 85));
}

// A five-pointed star of radius r around (cx, cy), in grid units.
static void star(Image &img, double cx, double cy, double r, uint32_t c, int s) {
  int xy[20];
  for (int i = 0; i < 10; i++) {
    double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? r * 0.45 : r;
    xy[2 * i] = u(cx + rr * cos(a), s);
    xy[2 * i + 1] = u(cy + rr * sin(a), s);
  }
  fill_polygon(img, xy, 10, c);
}

static void medal(Image &img, int s) {
  fill_circle(img, u(32, s), u(44, s), u(19, s), pal::OUTLINE);
  fill_circle(img, u(32, s), u(44, s), u(17, s), pal::GOLD_DARK);
  fill_circle(img, u(31, s), u(43, s), u(15, s), pal::GOLD);
  fill_circle(img, u(29, s), u(40, s), u(7, s), pal::GOLD_LIGHT);
  fill_circle(img, u(31, s), u(43, s), u(10, s), pal::GOLD);
  star(img, 32, 44, 9, pal::GOLD_DARK, s);
  star(img, 31.5, 43.5, 8, pal::GOLD_LIGHT, s);
}

void art_icon(int size, Image &out) {
  Image big;
  img_new(big, size * 4, size * 4, pal::CLEAR);
  ribbon(big, size);
  medal(big, size);
  downsample(big, 4, out);
}
