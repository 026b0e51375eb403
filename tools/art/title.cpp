// The title: the logo that drops in, the background, the banner and the
// three animated choices (PNG, soft edges).
#include "art/front.h"
#include "art/scene.h"

#include <cmath>

// A medal on its ribbon, the logo's crest.
static void logo_medal(Image &img, int cx, int top) {
  fill_quad(img, cx - 22, top, cx - 10, top, cx + 4, top + 30, cx - 8, top + 30, pal::OUTLINE);
  fill_quad(img, cx + 22, top, cx + 10, top, cx - 4, top + 30, cx + 8, top + 30, pal::OUTLINE);
  fill_quad(img, cx - 20, top + 1, cx - 11, top + 1, cx + 2, top + 28, cx - 7, top + 28, pal::BLUE);
  fill_quad(img, cx + 20, top + 1, cx + 11, top + 1, cx - 2, top + 28, cx + 7, top + 28, pal::RED);
  int cy = top + 34;
  fill_circle(img, cx, cy, 15, pal::OUTLINE);
  fill_circle(img, cx, cy, 14, 0xFFD98A1A);
  fill_circle(img, cx - 1, cy - 1, 12, pal::GOLD);
  fill_circle(img, cx - 3, cy - 3, 7, pal::GOLD_LIGHT);
  // A star struck into the face.
  int star[20];
  for (int i = 0; i < 10; i++) {
    double a = -3.14159265 / 2 + i * 3.14159265 / 5;
    int r = (i & 1) ? 4 : 9;
    star[2 * i] = cx + (int)(r * cos(a) + (a > 0 ? 0.5 : -0.5) * 0);
    star[2 * i + 1] = cy + (int)(r * sin(a));
  }
  fill_polygon(img, star, 10, 0xFFE07A10);
  put(img, cx - 8, cy - 8, pal::WHITE);
  put(img, cx - 7, cy - 9, pal::WHITE);
}

static void sparkle(Image &img, int x, int y, int r) {
  line(img, x - r, y, x + r, y, 0xFFFFF0A0);
  line(img, x, y - r, x, y + r, 0xFFFFF0A0);
  put(img, x, y, pal::WHITE);
}

void art_logo(Image &out) {
  img_new(out, 132, 160, pal::CLEAR);
  logo_medal(out, 66, 0);
  Lettering big = LETTERS_GOLD;
  big.outlineWidth = 2;
  art_lettering_at(out, 66, 54, "QUOR", 2, 2, big);
  art_lettering_at(out, 66, 88, "VALE", 2, 2, big);
  // "SPORTS DAY" on a red ribbon across the foot, its tails folded back.
  art_ribbon(out, 18, 114, 126, 20, pal::RED);
  Image t;
  text_shape_tall(t, "SPORTS DAY", 1);
  Lettering white = LETTERS_WHITE;
  white.shadowOffset = 1;
  art_letter_style(t, white);
  blit_over(out, t, 66 - t.w / 2, 126 + (20 - t.h) / 2 + 1);
  sparkle(out, 16, 40, 4);
  sparkle(out, 114, 14, 3);
  sparkle(out, 122, 56, 2);
}

static const FieldLayout TITLE_FIELD = {
    146, 34, 30, 16, {{270, 24, 4}, {120, 92, 3}, {0, 0, 0}}, 196, 90, 34,
    {{20, 40}, {66, 30}, {166, 34}, {306, 36}}, 6, 104, 110, 16, 8, 160, 11, 168, 72};

void art_title_background(Image &out) {
  img_new(out, 320, 240, pal::BLACK);
  scene_field(out, TITLE_FIELD);
  Lettering big = LETTERS_GOLD;
  big.outlineWidth = 2;
  big.shadowOffset = 3;
  art_lettering_at(out, 160, 12, "QUORVALE", 2, 2, big);
  art_ribbon(out, 86, 234, 52, 20, pal::RED);
  Lettering white = LETTERS_WHITE;
  white.shadowOffset = 0;
  art_lettering_at(out, 160, 55, "SPORTS DAY", 1, 1, white);
}

// The strip the choices stand on: deep blue glass with a gold rim on top.
void art_title_banner(Image &out) {
  img_new(out, 320, 45, pal::CLEAR);
  for (int y = 0; y < 45; y++) {
    int a = y < 4 ? 60 + y * 40 : 215;
    for (int x = 0; x < 320; x++) {
      uint32_t c = mix(0xFF1E2E6E, 0xFF0C1438, y * 100 / 44);
      if (((x + y) / 6) % 4 == 0) c = shade(c, 115);
      put(out, x, y, (c & 0xFFFFFF) | (uint32_t)a << 24);
    }
  }
  fill_rect(out, 0, 4, 320, 1, pal::GOLD_LIGHT);
  fill_rect(out, 0, 5, 320, 1, 0xFFE0A020);
  fill_rect(out, 0, 6, 320, 1, 0xC05A3A10);
}

static const char *const CHOICE_TEXT[3] = {"PLAY", "OPTIONS", "QUIT"};
static const int CHOICE_W[3] = {80, 108, 80};
static const uint32_t CHOICE_COLOUR[3] = {0xFF2FB04A, 0xFF2F7FE0, 0xFFE0463A};

// A glossy pill drawn four times too big and box-filtered for soft edges.
static void choice_pill(Image &out, int w, int h, uint32_t base) {
  const int f = 4;
  Image big, inner;
  img_new(big, w * f, h * f);
  fill_round_rect(big, 0, 0, w * f, h * f, h * f / 2, pal::OUTLINE);
  img_new(inner, w * f, h * f);
  fill_round_rect(inner, 2 * f, 2 * f, (w - 4) * f, (h - 4) * f, (h - 4) * f / 2, pal::WHITE);
  recolour_vertical(inner, 2 * f, (h - 2) * f, shade(base, 150), base, shade(base, 70));
  blit_over(big, inner, 0, 0);
  // The gloss of the light from above.
  Image gloss;
  img_new(gloss, w * f, h * f);
  fill_round_rect(gloss, 5 * f, 3 * f, (w - 10) * f, (h / 2 - 3) * f, (h / 2 - 3) * f / 2, 0x50FFFFFF);
  blend_over(big, gloss, 0, 0);
  downsample(big, f, out);
}

void art_title_choice(int choice, int frame, Image &out) {
  int w = CHOICE_W[choice], h = 40, pw = w - 10, ph = 26;
  uint32_t base = shade(CHOICE_COLOUR[choice], 80 + 12 * frame);
  Image pill, text;
  choice_pill(pill, pw, ph, base);
  Lettering st = frame >= 2 ? LETTERS_GOLD : LETTERS_WHITE;
  st.shadowOffset = 1;
  art_lettering(text, CHOICE_TEXT[choice], 1, 1, st);
  blit_over(pill, text, (pw - text.w) / 2, (ph - text.h) / 2);
  img_new(out, w, h);
  // Frames 1 to 3 lift the button and light a glow around it.
  int lift = frame < 2 ? frame : 2;
  blend_over(out, pill, 5, 8 - lift);
  if (frame > 0) art_glow(out, 2 + frame, frame == 3 ? 0xFFFFF0A0 : 0xFFFFFFFF, 60 + 40 * frame);
  else art_glow(out, 2, 0xFF000000, 70);
}
