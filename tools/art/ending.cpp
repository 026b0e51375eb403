// The end screens: GAME OVER, the champion's banner and the confetti.
#include "art/front.h"
#include "art/scene.h"
#include "shell/entries.h"

#include <cmath>
#include <cstddef>

// The player out of breath, alone on the track in the rain.
static void game_over_picture(Image &out) {
  img_new(out, 240, 147, pal::BLACK);
  Image pic;
  img_new(pic, 240, 147);
  vgradient(pic, 0, 0, 240, 80, 0xFF3A4258, 0xFF6A7488);
  scene_school(pic, 150, 78, 70, 26);
  scene_tree(pic, 40, 80, 30);
  scene_tree(pic, 222, 80, 26);
  for (int y = 76; y < 147; y++)
    fill_rect(pic, 0, y, 240, 1, mix(0xFF3E6A40, 0xFF24402A, (y - 76) * 100 / 70));
  vgradient(pic, 0, 96, 240, 40, 0xFF8A4438, 0xFF5A2A24);
  fill_rect(pic, 0, 96, 240, 1, 0xFFB8B8C0);
  fill_rect(pic, 0, 116, 240, 1, 0xFFA0A0A8);
  fill_rect(pic, 0, 135, 240, 1, 0xFFB8B8C0);
  // Everything under the overcast sky loses its summer colour.
  for (size_t i = 0; i < pic.px.size(); i++)
    if (pic.px[i] >> 24) pic.px[i] = mix(pic.px[i], 0xFF3A4258, 40);
  // Puddles catching the grey sky.
  fill_ellipse(pic, 60, 128, 20, 3, 0xFF6A7488);
  fill_ellipse(pic, 180, 108, 14, 2, 0xFF6A7488);
  // A dark cloud, its own rain below it.
  for (int i = 0; i < 5; i++) fill_circle(pic, 80 + i * 18, 22 + (i % 2) * 4, 14 + (i % 2) * 3, 0xFF2A2E3C);
  for (int i = 0; i < 5; i++) fill_circle(pic, 78 + i * 18, 19 + (i % 2) * 4, 11 + (i % 2) * 3, 0xFF4A5064);
  unsigned s = 21;
  for (int k = 0; k < 140; k++) {
    int x = scene_rand(&s, 260) - 10, y = scene_rand(&s, 140) + 4;
    line(pic, x, y, x - 2, y + 5, k % 3 ? 0xFF9AA8C8 : 0xFFC8D4F0);
  }
  Image kid;
  if (art_sprite_entry(ENTRY_PLAYER + KID_READY, kid) && kid.w > 0 && kid.w <= 60 && kid.h <= 60) {
    scale2x(kid);
    fill_ellipse(pic, 120, 124, kid.w / 3, 3, 0xFF3A1C18);
    blit_over(pic, kid, 120 - kid.w / 2, 125 - art_feet_row(kid));
  }
  fill_round_rect(out, 0, 0, 240, 147, 8, pal::OUTLINE);
  fill_round_rect(out, 1, 1, 238, 145, 7, 0xFF6A7488);
  for (int y = 3; y < 144; y++)
    for (int x = 3; x < 237; x++)
      if (get(out, x, y) != pal::OUTLINE) put(out, x, y, get(pic, x, y) >> 24 ? get(pic, x, y) : 0xFF3A4258);
}

static void trophy(Image &img, int cx, int top) {
  const uint32_t g1 = 0xFFFFF0A0, g2 = pal::GOLD, g3 = 0xFFD98A1A, g4 = 0xFF8A4A10;
  // Handles behind the bowl.
  for (int side = -1; side <= 1; side += 2) {
    fill_circle(img, cx + side * 34, top + 22, 14, pal::OUTLINE);
    fill_circle(img, cx + side * 34, top + 22, 12, g3);
    fill_circle(img, cx + side * 34, top + 22, 8, pal::OUTLINE);
    fill_circle(img, cx + side * 34, top + 22, 7, pal::CLEAR);
  }
  // Bowl: a rounded cup, lit on the left.
  Image bowl;
  img_new(bowl, img.w, img.h);
  fill_rect(bowl, cx - 34, top, 68, 24, pal::WHITE);
  fill_ellipse(bowl, cx, top + 24, 34, 30, pal::WHITE);
  fill_rect(bowl, 0, top + 48, img.w, img.h, pal::CLEAR);
  for (int y = 0; y < bowl.h; y++)
    for (int x = 0; x < bowl.w; x++) {
      if (!(get(bowl, x, y) >> 24)) continue;
      int d = x - (cx - 14);
      uint32_t c = d < -14 ? g2 : (d < 0 ? g1 : (d < 24 ? g2 : (d < 40 ? g3 : g4)));
      put(img, x, y, c);
    }
  fill_ellipse(img, cx, top + 1, 33, 4, g4);
  fill_ellipse(img, cx, top + 1, 30, 2, 0xFF5A2A08);
  fill_rect(img, cx - 6, top + 48, 12, 14, g3);
  fill_rect(img, cx - 6, top + 48, 4, 14, g1);
  fill_rect(img, cx - 20, top + 60, 40, 6, g2);
  fill_rect(img, cx - 20, top + 60, 40, 2, g1);
  // Plinth with its plate.
  fill_rect(img, cx - 30, top + 66, 60, 22, 0xFF5A3418);
  fill_rect(img, cx - 30, top + 66, 60, 2, 0xFF8A5A2B);
  fill_rect(img, cx - 16, top + 71, 32, 12, g3);
  fill_rect(img, cx - 15, top + 72, 30, 10, g2);
  draw_text5(img, cx - 8, top + 73, "1ST", g4);
  // A star on the bowl.
  int star[20];
  for (int i = 0; i < 10; i++) {
    double a = -M_PI / 2 + i * M_PI / 5;
    int r = (i & 1) ? 5 : 11;
    star[2 * i] = cx + (int)lround(r * cos(a));
    star[2 * i + 1] = top + 26 + (int)lround(r * sin(a));
  }
  fill_polygon(img, star, 10, g4);
  outline_opaque(img);
}

static void sparkle(Image &img, int x, int y, int r, uint32_t c) {
  line(img, x - r, y, x + r, y, c);
  line(img, x, y - r, x, y + r, c);
  put(img, x - 1, y - 1, c);
  put(img, x + 1, y + 1, c);
  put(img, x + 1, y - 1, c);
  put(img, x - 1, y + 1, c);
  put(img, x, y, pal::WHITE);
}

// The champion's banner: the trophy between laurels over a ribbon.
static void champion_banner(Image &out) {
  img_new(out, 240, 172, pal::CLEAR);
  // Laurel sprays either side.
  for (int side = -1; side <= 1; side += 2)
    for (int i = 0; i < 9; i++) {
      double a = M_PI * (0.15 + i * 0.085);
      int x = 120 + side * (int)lround(70 * sin(a)), y = 70 - (int)lround(60 * cos(a));
      fill_ellipse(out, x, y, 6, 3, pal::OUTLINE);
      fill_ellipse(out, x, y, 5, 2, i % 2 ? pal::GREEN : pal::GRASS_DARK);
      put(out, x - 2, y - 1, pal::GRASS_LIGHT);
    }
  trophy(out, 120, 12);
  art_ribbon(out, 40, 200, 122, 34, pal::RED);
  Lettering big = LETTERS_GOLD;
  big.outlineWidth = 1;
  art_lettering_at(out, 120, 127, "CHAMPION!", 1, 1, big);
  sparkle(out, 30, 20, 5, 0xFFFFF0A0);
  sparkle(out, 210, 34, 4, 0xFFFFF0A0);
  sparkle(out, 186, 8, 3, pal::WHITE);
  sparkle(out, 56, 100, 3, pal::WHITE);
}

// Confetti: a paper square turning over, seen flat, tilted, edge on and
// from its darker back.
static void confetti(int colour, int frame, Image &out) {
  static const uint32_t COLOURS[4] = {0xFFFF4A4A, 0xFFFFD23F, 0xFF4A8AFF, 0xFF3BD25A};
  uint32_t c = COLOURS[colour], back = shade(c, 70), light = mix(c, pal::WHITE, 50);
  img_new(out, 8, 8, pal::CLEAR);
  switch (frame) {
  case 0:
    fill_rect(out, 1, 2, 6, 4, c);
    fill_rect(out, 1, 2, 6, 1, light);
    break;
  case 1:
    fill_quad(out, 2, 1, 6, 3, 5, 7, 1, 5, c);
    put(out, 2, 2, light);
    break;
  case 2:
    line(out, 1, 5, 6, 2, light);
    line(out, 1, 6, 6, 3, back);
    break;
  default:
    fill_quad(out, 1, 3, 6, 1, 7, 5, 2, 7, back);
    break;
  }
}

bool art_ending_entry(int index, Image &out) {
  if (index == ENTRY_GAME_OVER) {
    game_over_picture(out);
    return true;
  }
  if (index == ENTRY_CHAMPION_BANNER) {
    champion_banner(out);
    return true;
  }
  int k = index - ENTRY_CONFETTI;
  if (k >= 0 && k < CONFETTI_COLOURS * CONFETTI_FRAMES) {
    confetti(k / CONFETTI_FRAMES, k % CONFETTI_FRAMES, out);
    return true;
  }
  return false;
}
