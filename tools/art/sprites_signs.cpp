// Boards with writing on them: the starter's three signals, the catapult's
// round banners, the sprint's distance markers and the points labels.
#include "art/sprites.h"
#include "shell/entries.h"

#include <cstdio>

static const int SIGN_W = 46;
static const int BOARD_H = 19;
static const int HANDLE_H = 4;

static void board(Image &img, int w, int h, uint32_t face) {
  fill_rect(img, 0, 0, w, h, face);
  fill_rect(img, 1, 1, w - 2, 1, shade(face, 125));
  fill_rect(img, 1, h - 2, w - 2, 1, shade(face, 75));
  rect_outline(img, 0, 0, w, h, pal::OUTLINE);
}

static void centred(Image &img, int y, const char *text, int scale, uint32_t fill) {
  draw_text5_outlined(img, (img.w - text5_width(text, scale)) / 2, y, text, fill, pal::OUTLINE, scale);
}

// Start signals: red, amber, green; the handle meets the starter's hand.
static void start_sign(int p, Image &out) {
  static const uint32_t FACES[3] = {0xFFD83030, 0xFFF0A020, 0xFF30B040};
  img_new(out, SIGN_W, BOARD_H + HANDLE_H);
  fill_rect(out, 3, BOARD_H - 1, 3, HANDLE_H + 1, pal::OUTLINE);
  fill_rect(out, 4, BOARD_H - 1, 1, HANDLE_H, pal::BROWN);
  Image face;
  img_new(face, SIGN_W, BOARD_H);
  board(face, SIGN_W, BOARD_H, FACES[p]);
  if (p == 0) {
    centred(face, 2, "ON YOUR", 1, pal::WHITE);
    centred(face, 10, "MARKS", 1, pal::WHITE);
  } else if (p == 1) {
    centred(face, 6, "GET SET", 1, pal::WHITE);
  } else {
    centred(face, 3, "GO!", 2, pal::WHITE);
  }
  blit_over(out, face, 0, 0);
}

// A cloth banner with swallow-tail ends and the round in big letters.
static void round_banner(int round, Image &out) {
  const int W = 96, H = 22;
  img_new(out, W, H);
  uint32_t cloth = 0xFF3060D0;
  fill_rect(out, 6, 0, W - 12, H, cloth);
  for (int y = 0; y < H; y++) {
    int notch = y < H / 2 ? y / 2 : (H - 1 - y) / 2;
    fill_rect(out, notch, y, 6 - notch + 1, 1, shade(cloth, 80));
    fill_rect(out, W - 7, y, 7 - notch, 1, shade(cloth, 80));
  }
  fill_rect(out, 6, 2, W - 12, 1, pal::YELLOW);
  fill_rect(out, 6, H - 3, W - 12, 1, pal::YELLOW);
  outline_opaque(out);
  char text[24];
  snprintf(text, sizeof text, "ROUND %d", round + 1);
  draw_text5_outlined(out, (W - text5_width(text, 2)) / 2 + 1, 4, text, pal::WHITE, pal::OUTLINE, 2);
}

// White board on two legs, the distance in metres.
static void distance_marker(int i, Image &out) {
  const int W = 21, H = 12;
  img_new(out, W, H);
  fill_rect(out, 3, 8, 2, 4, pal::DARK_GREY);
  fill_rect(out, W - 5, 8, 2, 4, pal::DARK_GREY);
  Image face;
  img_new(face, W, 10);
  board(face, W, 10, pal::WHITE);
  fill_rect(face, 1, 1, W - 2, 1, pal::RED);
  char text[16];
  snprintf(text, sizeof text, "%d", (i + 1) * 10);
  draw_text5(face, (W - text5_width(text)) / 2, 2, text, pal::OUTLINE);
  blit_over(out, face, 0, 0);
}

static void points_label(int index, Image &out) {
  static const char *TEXT[5] = {"50", "20", "10", "5", "1"};
  static const uint32_t COLOUR[5] = {0xFFFFE040, 0xFFFF9A30, 0xFF7AE070, 0xFF70C0FF, pal::WHITE};
  const char *t = TEXT[index - ENTRY_POINTS_50];
  uint32_t c = COLOUR[index - ENTRY_POINTS_50];
  img_new(out, text5_width(t) + 3, 9);
  // A bold stroke: each glyph twice, a pixel apart.
  draw_text5(out, 1, 1, t, c);
  draw_text5(out, 2, 1, t, c);
  light_edges(out, 115, 80);
  outline_opaque(out);
}

bool sign_entry(int index, Image &out) {
  if (index >= ENTRY_START_SIGN && index < ENTRY_START_SIGN + START_SIGNS) {
    start_sign(index - ENTRY_START_SIGN, out);
  } else if (index >= ENTRY_ROUND_BANNER && index < ENTRY_ROUND_BANNER + ROUND_BANNERS) {
    round_banner(index - ENTRY_ROUND_BANNER, out);
  } else if (index >= ENTRY_DISTANCE_MARKER && index < ENTRY_DISTANCE_MARKER + DISTANCE_MARKERS) {
    distance_marker(index - ENTRY_DISTANCE_MARKER, out);
  } else if (index >= ENTRY_POINTS_50 && index < ENTRY_POINTS_50 + POINTS_LABELS) {
    points_label(index, out);
  } else {
    return false;
  }
  return true;
}
