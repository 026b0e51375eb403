// Primitives the sprites and Worlds need beyond the shared kit.
#include "art/sprites.h"

#include <cmath>

int rng_below(Rng &r, int n) {
  r.state = r.state * 1103515245u + 12345u;
  return n > 0 ? (int)((r.state >> 16) % (uint32_t)n) : 0;
}

static bool opaque(const Image &img, int x, int y) { return (get(img, x, y) >> 24) >= 128; }

void thick_line(Image &img, float x0, float y0, float x1, float y1, int width, uint32_t c) {
  float len = std::sqrt((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0));
  int steps = (int)(len * 2) + 1;
  float half = (width - 1) * 0.5f;
  for (int i = 0; i <= steps; i++) {
    float t = (float)i / steps;
    int x = (int)std::floor(x0 + (x1 - x0) * t - half + 0.5f);
    int y = (int)std::floor(y0 + (y1 - y0) * t - half + 0.5f);
    fill_rect(img, x, y, width, width, c);
  }
}

void light_edges(Image &img, int lightPercent, int shadePercent) {
  Image src = img;
  for (int y = 0; y < img.h; y++)
    for (int x = 0; x < img.w; x++) {
      if (!opaque(src, x, y)) continue;
      uint32_t c = get(src, x, y);
      if (!opaque(src, x - 1, y - 1) || !opaque(src, x, y - 1))
        put(img, x, y, shade(c, lightPercent));
      else if (!opaque(src, x + 1, y + 1) || !opaque(src, x + 1, y))
        put(img, x, y, shade(c, shadePercent));
    }
}

void finish_sprite(Image &img) {
  light_edges(img, 118, 82);
  outline_opaque(img);
}

void crop(const Image &src, int x, int y, int w, int h, Image &out) {
  img_new(out, w, h);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) put(out, i, j, get(src, x + i, y + j));
}

void draw_text5_outlined(Image &img, int x, int y, const char *text, uint32_t fill, uint32_t edge, int scale) {
  for (int dy = -1; dy <= 1; dy++)
    for (int dx = -1; dx <= 1; dx++)
      if (dx || dy) draw_text5(img, x + dx, y + dy, text, edge, scale);
  draw_text5(img, x, y, text, fill, scale);
}
