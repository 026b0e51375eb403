#include "art/scene.h"

#include <cmath>

int scene_rand(unsigned *seed, int n) {
  *seed = *seed * 1103515245u + 12345u;
  return n > 0 ? (int)((*seed >> 16) % (unsigned)n) : 0;
}

void scene_sky(Image &img, int y, int h) { vgradient(img, 0, y, img.w, h, pal::SKY_TOP, pal::SKY_LOW); }

void scene_sun(Image &img, int cx, int cy, int r) {
  for (int k = 3; k >= 1; k--) fill_circle(img, cx, cy, r + k * r / 3, mix(pal::SKY_LOW, 0xFFFFF4C0, 30 + 10 * (3 - k)));
  fill_circle(img, cx, cy, r, 0xFFFFE873);
  fill_circle(img, cx - r / 4, cy - r / 4, r * 2 / 3, 0xFFFFF6B8);
}

void scene_cloud(Image &img, int cx, int cy, int size) {
  const int puffs[5][3] = {{-2, 1, 2}, {-1, -1, 3}, {1, -2, 4}, {3, 0, 3}, {4, 1, 2}};
  Image c;
  img_new(c, 14 * size, 10 * size);
  int ox = 5 * size, oy = 6 * size;
  for (int i = 0; i < 5; i++)
    fill_circle(c, ox + puffs[i][0] * size, oy + puffs[i][1] * size + size / 2, puffs[i][2] * size, 0xFFC6DCF2);
  for (int i = 0; i < 5; i++)
    fill_circle(c, ox + puffs[i][0] * size - size / 3, oy + puffs[i][1] * size - size / 3,
                puffs[i][2] * size - size / 3, pal::WHITE);
  // A flat underside.
  fill_rect(c, 0, oy + 2 * size + size / 2, c.w, c.h, pal::CLEAR);
  blit_over(img, c, cx - ox, cy - oy);
}

void scene_tree(Image &img, int x, int base, int size) {
  int trunk_h = size * 2 / 3, r = size / 2;
  fill_rect(img, x - size / 10 - 1, base - trunk_h, size / 5 + 2, trunk_h, pal::OUTLINE);
  fill_rect(img, x - size / 10, base - trunk_h, size / 5, trunk_h, pal::BROWN);
  fill_rect(img, x - size / 10, base - trunk_h, size / 15 + 1, trunk_h, shade(pal::BROWN, 130));
  int cy = base - trunk_h - r / 2;
  const int blobs[4][3] = {{0, 0, 10}, {-6, 3, 7}, {6, 3, 7}, {0, -5, 7}};
  for (int i = 0; i < 4; i++)
    fill_circle(img, x + blobs[i][0] * r / 10, cy + blobs[i][1] * r / 10, blobs[i][2] * r / 10 + 1, pal::OUTLINE);
  for (int i = 0; i < 4; i++)
    fill_circle(img, x + blobs[i][0] * r / 10, cy + blobs[i][1] * r / 10, blobs[i][2] * r / 10, pal::GRASS_DARK);
  for (int i = 0; i < 4; i++)
    fill_circle(img, x + blobs[i][0] * r / 10 - r / 8, cy + blobs[i][1] * r / 10 - r / 8, blobs[i][2] * r / 10 * 3 / 4,
                pal::GRASS);
  fill_circle(img, x - r / 3, cy - r / 2, r / 4, pal::GRASS_LIGHT);
}

static void school_window(Image &img, int x, int y, int w, int h) {
  fill_rect(img, x - 1, y - 1, w + 2, h + 2, pal::STONE);
  vgradient(img, x, y, w, h, 0xFF9FD0F4, 0xFF4C86C0);
  fill_rect(img, x + w / 2, y, 1, h, pal::STONE);
  fill_rect(img, x, y + h / 2, w, 1, pal::STONE);
  put(img, x + 1, y + 1, pal::WHITE);
}

void scene_school(Image &img, int x, int base, int w, int h) {
  int top = base - h;
  fill_rect(img, x - 1, top - 1, w + 2, h + 1, pal::OUTLINE);
  fill_rect(img, x, top, w, h, pal::BRICK);
  for (int j = top + 2; j < base; j += 3)
    for (int i = x + ((j / 3) % 2) * 3; i < x + w; i += 6) put(img, i, j, shade(pal::BRICK, 85));
  // Roof with the light on its left slope.
  int roof_h = h / 3;
  fill_triangle(img, x - 4, top, x + w / 2, top - roof_h, x + w + 4, top, pal::OUTLINE);
  fill_triangle(img, x - 2, top - 1, x + w / 2, top - roof_h + 2, x + w + 2, top - 1, 0xFF5B4A63);
  fill_triangle(img, x - 2, top - 1, x + w / 2, top - roof_h + 2, x + w / 2, top - 1, 0xFF7A6884);
  // Clock in the gable.
  int cr = roof_h / 4 > 2 ? roof_h / 4 : 2;
  fill_circle(img, x + w / 2, top - roof_h / 3, cr + 1, pal::OUTLINE);
  fill_circle(img, x + w / 2, top - roof_h / 3, cr, pal::WHITE);
  line(img, x + w / 2, top - roof_h / 3, x + w / 2, top - roof_h / 3 - cr + 1, pal::OUTLINE);
  line(img, x + w / 2, top - roof_h / 3, x + w / 2 + cr - 1, top - roof_h / 3, pal::OUTLINE);
  int ww = w / 10 > 3 ? w / 10 : 3, wh = h / 4 > 3 ? h / 4 : 3;
  for (int row = 0; row < 2; row++)
    for (int i = 0; i < 4; i++) {
      int wx = x + w / 10 + i * (w - w / 5) / 4 + ((w - w / 5) / 4 - ww) / 2;
      if (row == 1 && (i == 1 || i == 2)) continue;
      school_window(img, wx, top + h / 8 + row * (h / 2), ww, wh);
    }
  // Door.
  fill_rect(img, x + w / 2 - ww / 2 - 1, base - h * 2 / 5 - 1, ww + 2, h * 2 / 5 + 1, pal::OUTLINE);
  fill_rect(img, x + w / 2 - ww / 2, base - h * 2 / 5, ww, h * 2 / 5, 0xFF2F5FA8);
  // Flag pole with a pennant.
  fill_rect(img, x + w - w / 8, top - roof_h - h / 3, 1, h / 3 + roof_h / 2, pal::OUTLINE);
  fill_triangle(img, x + w - w / 8 + 1, top - roof_h - h / 3, x + w - w / 8 + 1 + h / 5, top - roof_h - h / 3 + h / 12,
                x + w - w / 8 + 1, top - roof_h - h / 3 + h / 6, pal::RED);
}

void scene_bunting(Image &img, int x0, int y0, int x1, int y1, int sag, int flag) {
  static const uint32_t COLOURS[5] = {pal::RED, pal::YELLOW, pal::BLUE, pal::GREEN, pal::PINK};
  int n = x1 - x0;
  int px = x0, py = y0;
  for (int i = 0; i <= n; i++) {
    double t = (double)i / n;
    int y = (int)(y0 + (y1 - y0) * t + sag * 4 * t * (1 - t));
    line(img, px, py, x0 + i, y, pal::OUTLINE);
    px = x0 + i;
    py = y;
  }
  int k = 0;
  for (int i = flag; i + flag < n; i += flag * 2, k++) {
    double t = (double)i / n, t2 = (double)(i + flag) / n;
    int ya = (int)(y0 + (y1 - y0) * t + sag * 4 * t * (1 - t));
    int yb = (int)(y0 + (y1 - y0) * t2 + sag * 4 * t2 * (1 - t2));
    int tipx = x0 + i + flag / 2, tipy = (ya + yb) / 2 + flag * 3 / 2;
    fill_triangle(img, x0 + i, ya + 1, x0 + i + flag, yb + 1, tipx, tipy, pal::OUTLINE);
    fill_triangle(img, x0 + i + 1, ya + 1, x0 + i + flag - 1, yb + 1, tipx, tipy - 2, COLOURS[k % 5]);
    line(img, x0 + i + 1, ya + 1, tipx, tipy - 2, shade(COLOURS[k % 5], 125));
  }
}

void scene_crowd(Image &img, int x, int base, int w, int seed) {
  static const uint32_t SHIRTS[7] = {pal::RED, pal::BLUE, pal::YELLOW, pal::GREEN, pal::PURPLE, pal::ORANGE, pal::WHITE};
  static const uint32_t SKINS[4] = {0xFFFFD3B0, 0xFFE8B088, 0xFFB07850, 0xFF7A4E30};
  static const uint32_t HAIRS[5] = {0xFF3A2414, 0xFFE8C050, 0xFF8A3A1A, 0xFF1A1424, 0xFFB0B0B0};
  unsigned s = (unsigned)seed;
  for (int row = 0; row < 2; row++)
    for (int i = x + row * 4; i < x + w - 6; i += 9 + scene_rand(&s, 3)) {
      int by = base - 10 - (1 - row) * 7 + scene_rand(&s, 2);
      uint32_t shirt = SHIRTS[scene_rand(&s, 7)];
      fill_round_rect(img, i - 1, by - 1, 9, 12, 3, pal::OUTLINE);
      fill_round_rect(img, i, by, 7, 11, 3, shirt);
      fill_rect(img, i + 1, by + 1, 2, 4, shade(shirt, 125));
      fill_circle(img, i + 3, by - 4, 4, pal::OUTLINE);
      fill_circle(img, i + 3, by - 4, 3, SKINS[scene_rand(&s, 4)]);
      fill_rect(img, i, by - 8, 7, 3, HAIRS[scene_rand(&s, 5)]);
      if (scene_rand(&s, 4) == 0) {  // a waving arm
        line(img, i + 6, by + 2, i + 9, by - 6, pal::OUTLINE);
        line(img, i + 7, by + 2, i + 10, by - 6, shirt);
      }
    }
  // Fence in front of them.
  fill_rect(img, x, base - 7, w, 2, pal::WHITE);
  fill_rect(img, x, base - 5, w, 1, pal::GREY);
  for (int i = x + 2; i < x + w; i += 12) {
    fill_rect(img, i, base - 10, 2, 10, pal::WHITE);
    fill_rect(img, i + 2, base - 10, 1, 10, pal::GREY);
  }
}

void scene_grass(Image &img, int y, int h, int stripe) {
  for (int j = y; j < y + h; j++) {
    int band = ((j - y) / stripe) & 1;
    uint32_t c = band ? pal::GRASS : mix(pal::GRASS, pal::GRASS_LIGHT, 45);
    c = mix(c, pal::GRASS_DARK, (j - y) * 30 / (h > 1 ? h : 1));
    fill_rect(img, 0, j, img.w, 1, c);
  }
}

void scene_track(Image &img, int y, int h, int lanes) {
  vgradient(img, 0, y, img.w, h, shade(pal::TRACK, 110), pal::TRACK_DARK);
  unsigned s = 99;
  // One draw per statement: the order of a call's arguments is the
  // compiler's choice, and the same source must give the same picture.
  for (int k = 0; k < img.w * h / 12; k++) {
    int py = y + scene_rand(&s, h);
    int px = scene_rand(&s, img.w);
    put(img, px, py, shade(pal::TRACK, 80));
  }
  fill_rect(img, 0, y, img.w, 2, pal::WHITE);
  fill_rect(img, 0, y + h - 2, img.w, 2, pal::WHITE);
  for (int i = 1; i < lanes; i++) fill_rect(img, 0, y + i * h / lanes, img.w, 1, 0xFFF4F0E8);
}

void scene_field(Image &img, const FieldLayout &l) {
  scene_sky(img, 0, l.horizon + 8);
  scene_sun(img, l.sunX, l.sunY, l.sunR);
  for (int i = 0; i < 3; i++)
    if (l.clouds[i][2] > 0) scene_cloud(img, l.clouds[i][0], l.clouds[i][1], l.clouds[i][2]);
  scene_school(img, l.schoolX, l.horizon, l.schoolW, l.schoolH);
  for (int i = 0; i < 4; i++) scene_tree(img, l.trees[i][0], l.horizon, l.trees[i][1]);
  scene_grass(img, l.horizon - l.grassStripe, img.h - l.horizon + l.grassStripe, l.grassStripe);
  scene_bunting(img, -l.buntingFlag, l.buntingY0, img.w + l.buntingFlag, l.buntingY1, l.buntingSag, l.buntingFlag);
  scene_crowd(img, 0, l.crowdBase, img.w, l.crowdSeed);
  scene_track(img, l.trackY, l.trackH, 4);
}
