// Pieces of the sports field that every World is built from: sky, trees,
// the school, bunting, spectators, grass.
#include "art/worlds.h"

void sky(Image &img, int bottom, Rng &r) {
  vgradient(img, 0, 0, img.w, bottom, pal::SKY_TOP, pal::SKY_LOW);
  for (int i = 0; i < img.w / 90; i++) {
    int cx = rng_below(r, img.w), cy = 6 + rng_below(r, bottom / 2);
    int n = 3 + rng_below(r, 3);
    for (int k = 0; k < n; k++) {
      int ox = k * 7 - n * 3, rx = 6 + rng_below(r, 5), ry = 3 + rng_below(r, 2);
      fill_ellipse(img, cx + ox, cy + 1, rx, ry, 0xFFD8E8F8);
      fill_ellipse(img, cx + ox, cy, rx, ry - 1, pal::WHITE);
    }
  }
}

void tree_line(Image &img, int x0, int x1, int base, Rng &r) {
  for (int x = x0; x < x1; x += 9 + rng_below(r, 8)) {
    int h = 10 + rng_below(r, 9), rad = 6 + rng_below(r, 4);
    fill_rect(img, x - 1, base - h / 2, 3, h / 2, pal::BROWN);
    uint32_t leaf = rng_below(r, 2) ? pal::GRASS_DARK : 0xFF3A9A3A;
    fill_circle(img, x, base - h, rad, shade(leaf, 85));
    fill_circle(img, x - 1, base - h - 1, rad - 1, leaf);
    fill_circle(img, x - 3, base - h - 3, rad / 3, shade(leaf, 125));
  }
}

void school(Image &img, int x, int base, int w, int h) {
  fill_rect(img, x, base - h, w, h, pal::BRICK);
  for (int y = base - h + 2; y < base; y += 3)
    for (int i = x + ((y / 3) % 2) * 3; i < x + w; i += 6) put(img, i, y, shade(pal::BRICK, 85));
  int roof[] = {x - 4, base - h, x + w + 3, base - h, x + w - 8, base - h - 8, x + 7, base - h - 8};
  fill_polygon(img, roof, 4, 0xFF6A4A5A);
  fill_rect(img, x + 7, base - h - 8, w - 15, 1, 0xFF8A6A7A);
  for (int wx = x + 6; wx + 8 < x + w; wx += 14)
    for (int wy = base - h + 4; wy + 7 < base - 2; wy += 11) {
      fill_rect(img, wx, wy, 8, 7, pal::STONE);
      fill_rect(img, wx + 1, wy + 1, 6, 5, 0xFF7AB0E0);
      fill_rect(img, wx + 1, wy + 1, 2, 2, 0xFFC0E0FF);
      fill_rect(img, wx + 4, wy + 1, 1, 5, pal::STONE);
    }
  int mid = x + w / 2;
  fill_rect(img, mid - 5, base - 12, 10, 12, 0xFF4A3020);
  fill_rect(img, mid - 4, base - 11, 8, 11, 0xFF6A4530);
  fill_circle(img, mid, base - h - 3, 3, pal::WHITE);
  line(img, mid, base - h - 3, mid, base - h - 5, pal::OUTLINE);
  line(img, mid, base - h - 3, mid + 2, base - h - 3, pal::OUTLINE);
}

void bunting(Image &img, int x0, int x1, int y, int sag) {
  static const uint32_t FLAGS[5] = {pal::RED, pal::YELLOW, pal::BLUE, pal::GREEN, pal::PINK};
  int span = x1 - x0;
  for (int x = x0; x <= x1; x++) {
    int t = x - x0;
    int yy = y + sag * 4 * t * (span - t) / (span * span);
    put(img, x, yy, pal::DARK_GREY);
    if (t % 8 == 2 && t + 5 < span) {
      int tri[] = {x, yy + 1, x + 5, yy + 1, x + 2, yy + 6};
      fill_polygon(img, tri, 3, FLAGS[(t / 8) % 5]);
    }
  }
  fill_rect(img, x0 - 1, y - 2, 2, 30, 0xFFE8E8E8);
  fill_rect(img, x1 - 1, y - 2, 2, 30, 0xFFE8E8E8);
}

// One spectator, 6 x 13 with outline: hair, face, shirt, maybe cheering.
static void spectator(Image &img, int x, int base, Rng &r) {
  static const uint32_t SKINS[4] = {0xFFF5C6A0, 0xFF8D5A3B, 0xFFFFDEC4, 0xFFD9A066};
  static const uint32_t TOPS[8] = {pal::RED, pal::BLUE, pal::YELLOW, pal::GREEN, pal::PURPLE, pal::ORANGE, pal::WHITE, pal::PINK};
  static const uint32_t HAIRS[5] = {0xFF231A1A, 0xFFE8641E, 0xFFF2D25A, 0xFF6A3A1A, 0xFF9A9AA4};
  Image p;
  img_new(p, 8, 15);
  uint32_t top = TOPS[rng_below(r, 8)], skin = SKINS[rng_below(r, 4)];
  int cheer = rng_below(r, 4) == 0;
  fill_rect(p, 2, 7, 4, 7, top);
  fill_rect(p, 2, 7, 1, 7, shade(top, 115));
  fill_rect(p, 2, 3, 4, 4, skin);
  fill_rect(p, 2, 2, 4, 2, HAIRS[rng_below(r, 5)]);
  put(p, 5, 4, pal::OUTLINE);
  if (cheer) {
    fill_rect(p, 1, 4, 1, 3, skin);
    fill_rect(p, 6, 4, 1, 3, skin);
  }
  outline_opaque(p);
  blit_over(img, p, x - 1, base - 14 - (cheer ? 1 : 0));
}

// Spectators on a bench: a row of little people in bright clothes.
void crowd(Image &img, int x0, int x1, int base, Rng &r) {
  fill_rect(img, x0, base - 3, x1 - x0, 2, pal::BROWN);
  fill_rect(img, x0, base - 1, x1 - x0, 1, shade(pal::BROWN, 70));
  fill_rect(img, x0 + 2, base - 1, 2, 3, shade(pal::BROWN, 70));
  fill_rect(img, x1 - 4, base - 1, 2, 3, shade(pal::BROWN, 70));
  for (int x = x0 + 1; x < x1 - 6; x += 6 + rng_below(r, 3))
    if (rng_below(r, 7) != 0) spectator(img, x, base - 1, r);
}

// Daisies and clover scattered over a lawn.
void daisies(Image &img, int x0, int y0, int x1, int y1, Rng &r) {
  int n = (x1 - x0) * (y1 - y0) / 180;
  for (int i = 0; i < n; i++) {
    int x = x0 + rng_below(r, x1 - x0), y = y0 + rng_below(r, y1 - y0);
    put(img, x, y, rng_below(r, 3) ? pal::WHITE : pal::YELLOW);
    if (rng_below(r, 4) == 0) put(img, x, y + 1, pal::GRASS_DARK);
  }
}

void grass(Image &img, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) {
      int band = ((x + (y - y0) / 2) / 24) % 2;
      uint32_t c = band ? pal::GRASS : mix(pal::GRASS, pal::GRASS_LIGHT, 45);
      if (((x * 7 + y * 13) % 23) == 0) c = pal::GRASS_DARK;
      put(img, x, y, c);
    }
}

void hedge(Image &img, int x0, int x1, int top, int bottom) {
  fill_rect(img, x0, top, x1 - x0, bottom - top, pal::GRASS_DARK);
  for (int x = x0; x < x1; x += 4) fill_circle(img, x, top, 2, 0xFF3A9A3A);
  fill_rect(img, x0, bottom - 1, x1 - x0, 1, shade(pal::GRASS_DARK, 70));
}

void picket_fence(Image &img, int x0, int x1, int base) {
  fill_rect(img, x0, base - 6, x1 - x0, 1, pal::WHITE);
  fill_rect(img, x0, base - 3, x1 - x0, 1, pal::WHITE);
  for (int x = x0; x < x1; x += 4) {
    fill_rect(img, x, base - 8, 2, 8, pal::WHITE);
    put(img, x + 1, base - 1, pal::STONE);
  }
}

// A striped marquee with a scalloped valance, open at the front.
void marquee(Image &img, int x, int base, uint32_t stripe) {
  const int W = 44, H = 24;
  int roof[] = {x, base - H + 8, x + W / 2, base - H, x + W, base - H + 8};
  fill_polygon(img, roof, 3, pal::WHITE);
  for (int i = 0; i < W; i += 8) {
    int tri[] = {x + W / 2, base - H, x + i, base - H + 8, x + i + 4, base - H + 8};
    fill_polygon(img, tri, 3, stripe);
  }
  fill_rect(img, x + 1, base - H + 8, W - 2, H - 8, shade(pal::STONE, 70));
  for (int i = 0; i < W; i += 4) fill_circle(img, x + i + 2, base - H + 9, 2, i % 8 ? pal::WHITE : stripe);
  fill_rect(img, x, base - H + 8, 2, H - 8, pal::WHITE);
  fill_rect(img, x + W - 2, base - H + 8, 2, H - 8, pal::WHITE);
  fill_rect(img, x + 6, base - 7, W - 12, 2, pal::BROWN);  // trestle table
  fill_rect(img, x + 8, base - 5, 1, 5, pal::BROWN);
  fill_rect(img, x + W - 9, base - 5, 1, 5, pal::BROWN);
  for (int i = x + 10; i < x + W - 10; i += 5) fill_rect(img, i, base - 9, 2, 2, i % 2 ? pal::YELLOW : pal::WHITE);
}

// A school house flag on a pole.
void house_flag(Image &img, int x, int base, uint32_t colour) {
  fill_rect(img, x, base - 22, 1, 22, pal::WHITE);
  fill_rect(img, x + 1, base - 21, 8, 6, colour);
  fill_rect(img, x + 1, base - 21, 8, 1, shade(colour, 125));
  fill_rect(img, x + 1, base - 16, 8, 1, shade(colour, 75));
  put(img, x, base - 23, pal::YELLOW);
}
