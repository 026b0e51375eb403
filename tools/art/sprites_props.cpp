// Small objects of the events: start flag, ball, dust, balloons, catapult,
// floats, ripples, splashes and markers. Frames of one animation keep one
// size, and the first frame of each reaches the edges of its box.
#include "art/sprites.h"

#include <cmath>

static const float PI = 3.14159265f;

// Chequered flag on a pole; the cloth ripples a little further each frame.
static void start_flag(int k, Image &out) {
  img_new(out, 18, 22);
  fill_rect(out, 1, 0, 2, 22, pal::STONE);
  fill_rect(out, 1, 0, 1, 22, pal::WHITE);
  fill_rect(out, 0, 20, 4, 2, pal::DARK_GREY);
  for (int x = 0; x < 14; x++) {
    int dy = (int)std::lround(2.2f * std::sin(x * 0.6f - k * 1.25f) * (x + 3) / 16.0f);
    for (int y = 0; y < 9; y++) {
      bool dark = ((x / 3) + (y / 3)) % 2;
      uint32_t c = dark ? pal::OUTLINE : pal::WHITE;
      // Folds catch the light on the way up and fall into shade after.
      int slope = (int)std::lround(2.2f * std::sin((x + 1) * 0.6f - k * 1.25f) * (x + 4) / 16.0f) - dy;
      put(out, 3 + x, 2 + y + dy, slope > 0 ? shade(c, dark ? 100 : 80) : c);
    }
  }
  light_edges(out, 115, 85);
  outline_opaque(out);
  fill_circle(out, 2, 1, 1, pal::YELLOW);
}

static void tennis_ball(Image &out) {
  img_new(out, 4, 4);
  fill_circle(out, 1, 1, 2, 0xFFD8F040);
  fill_rect(out, 0, 0, 4, 4, 0xFFD8F040);
  put(out, 0, 0, pal::CLEAR);
  put(out, 3, 0, pal::CLEAR);
  put(out, 0, 3, pal::CLEAR);
  put(out, 3, 3, pal::CLEAR);
  put(out, 1, 1, pal::WHITE);
  put(out, 2, 2, 0xFF98B020);
  put(out, 3, 2, 0xFF98B020);
}

static void ball_shadow(Image &out) {
  img_new(out, 6, 2, 0xFF2A5A2A);
  put(out, 0, 0, pal::CLEAR);
  put(out, 5, 0, pal::CLEAR);
}

// Dust: a flat spray on impact, then puffs that rise and thin out.
static void dust_puff(int k, Image &out) {
  const int W = 54, H = 10;
  img_new(out, W, H);
  uint32_t dust = 0xFFD8C8A0, dark = 0xFFB09A70;
  if (k == 0) {
    fill_ellipse(out, W / 2, H - 3, W / 2, 2, dust);
    fill_ellipse(out, W / 2, H - 5, 8, 4, dust);
    fill_rect(out, 0, H - 1, W, 1, dark);
    return;
  }
  Rng r = {(uint32_t)(k * 977 + 3)};
  int spread = 6 + k * 5, rise = k, size = 5 - k;
  for (int i = 0; i < 9 - k; i++) {
    int cx = W / 2 - spread + rng_below(r, spread * 2 + 1);
    int cy = H - 4 - rise - rng_below(r, 3);
    fill_circle(out, cx, cy, size > 1 ? size - rng_below(r, 2) : 1, i % 3 ? dust : dark);
  }
}

static void landing_mark(Image &out) {
  img_new(out, 7, 3);
  fill_ellipse(out, 3, 1, 3, 1, 0xFF5A4028);
  put(out, 3, 1, 0xFF3A2818);
  put(out, 3, 0, pal::WHITE);
}

static void shot_stone(Image &out) {
  img_new(out, 5, 5);
  fill_circle(out, 2, 2, 2, 0xFF9A9AA8);
  put(out, 1, 1, pal::WHITE);
  light_edges(out, 120, 70);
}

// The swim's breath marker: a bouncing-style yellow arrow with a "!".
static void breath_marker(Image &out) {
  img_new(out, 11, 11);
  int xy[] = {1, 0, 9, 0, 9, 5, 10, 5, 5, 10, 0, 5, 1, 5};
  fill_polygon(out, xy, 7, pal::YELLOW);
  fill_rect(out, 5, 1, 1, 4, pal::RED);
  put(out, 5, 6, pal::RED);
  light_edges(out, 112, 80);
  outline_opaque(out);
}

// Rope of floats, six colourings.
static void lane_floats(int p, Image &out) {
  static const uint32_t A[6] = {0xFFE23B3B, 0xFF3B6FE2, 0xFFFFD23F, 0xFFE23B3B, 0xFF3BC25A, 0xFFFF8C1A};
  static const uint32_t B[6] = {pal::WHITE, pal::WHITE, 0xFF3B6FE2, 0xFF3B6FE2, pal::WHITE, pal::WHITE};
  const int W = 100, H = 6;
  img_new(out, W, H);
  fill_rect(out, 0, 3, W, 1, 0xFF404050);
  for (int i = 0; i < 10; i++) {
    int x = i * 10 + 1 + (p % 2);
    uint32_t c = i % 2 ? B[p] : A[p];
    fill_rect(out, x, 1, 7, 4, c);
    fill_rect(out, x + 1, 0, 5, 6, c);
    fill_rect(out, x + 1, 1, 3, 1, shade(c, 125));
    fill_rect(out, x + 1, 4, 5, 1, shade(c, 75));
  }
  fill_rect(out, 0, 2, 1, 3, 0xFF404050);
  fill_rect(out, W - 1, 2, 1, 3, 0xFF404050);
}

// A glint on the water that breaks up and fades.
static void ripple(int p, int k, Image &out) {
  int w = 10 + p * 3;
  img_new(out, w, 3);
  for (int x = 0; x < w; x++) {
    int y = (int)std::lround(1 + std::sin(x * PI * 2 / (w / 2.0f)));
    if (k > 0 && (x * 7 + k * 3) % (6 - (k > 3 ? 3 : k)) < k) continue;
    put(out, x, y > 2 ? 2 : y, k < 2 ? pal::WHITE : pal::WATER_LIGHT);
  }
  if (k == 0) {
    put(out, 0, 0, pal::WATER_LIGHT);
    put(out, w - 1, 2, pal::WATER_LIGHT);
  }
}

static void splash(Image &out) {
  img_new(out, 8, 6);
  fill_circle(out, 3, 3, 2, pal::WHITE);
  put(out, 0, 1, pal::WATER_LIGHT);
  put(out, 7, 0, pal::WHITE);
  put(out, 6, 3, pal::WATER_LIGHT);
  put(out, 1, 5, pal::WATER_LIGHT);
  fill_rect(out, 2, 5, 5, 1, pal::WATER_LIGHT);
}

static const uint32_t BALLOON[3] = {0xFFE83040, 0xFF30A0F0, 0xFFFFC020};
static const int BAL_W = 14, BAL_H = 17;

static void balloon_body(Image &out, int p, int rx, int ry, int cx, int cy) {
  uint32_t c = BALLOON[p];
  fill_ellipse(out, cx, cy, rx, ry, c);
  light_edges(out, 120, 78);
  if (rx >= 3) fill_rect(out, cx - rx / 2, cy - ry / 2, 2, 2, pal::WHITE);
  fill_rect(out, cx - 1, cy + ry + 1, 3, 1, shade(c, 80));  // knot
}

// Float frames sway the string; the squashed one flattens after a hit.
static void balloon(int p, int k, Image &out) {
  img_new(out, BAL_W, BAL_H);
  if (k == 2) {
    balloon_body(out, p, 6, 5, 6, 8);
  } else {
    balloon_body(out, p, 6, 6, 6, 7);
  }
  line(out, 6, 15, 6 + (k == 1 ? 1 : -1), 16, pal::DARK_GREY);
  outline_opaque(out);
}

// Inflating on the stand: a limp skin with a sparkle, then growing.
static void balloon_inflate(int p, int k, Image &out) {
  img_new(out, BAL_W, BAL_H);
  if (k == 0) {
    fill_rect(out, 5, 3, 3, 12, BALLOON[p]);
    fill_rect(out, 6, 1, 1, 15, BALLOON[p]);
    outline_opaque(out);
    put(out, 0, 8, pal::WHITE);
    put(out, BAL_W - 1, 6, pal::WHITE);
    return;
  }
  int r = 1 + k;
  balloon_body(out, p, r, r, 6, 14 - r);
  outline_opaque(out);
}

static void burst(int k, Image &out) {
  img_new(out, 18, 18);
  int rin = 2 + k * 2, rout = 6 + k * 2;
  for (int i = 0; i < 8; i++) {
    float a = i * PI / 4 + k * 0.2f;
    int x0 = 9 + (int)std::lround(std::cos(a) * rin), y0 = 9 + (int)std::lround(std::sin(a) * rin);
    int x1 = 9 + (int)std::lround(std::cos(a) * rout), y1 = 9 + (int)std::lround(std::sin(a) * rout);
    line(out, x0, y0, x1, y1, i % 2 ? pal::YELLOW : pal::WHITE);
  }
  if (k < 2) fill_circle(out, 9, 9, 2 - k, pal::WHITE);
  fill_rect(out, 0, 8, 1, 2, pal::YELLOW);
  fill_rect(out, 17, 8, 1, 2, pal::YELLOW);
  fill_rect(out, 8, 0, 2, 1, pal::YELLOW);
  fill_rect(out, 8, 17, 2, 1, pal::YELLOW);
}

// Gas bottle under each balloon place.
static void balloon_stand(Image &out) {
  img_new(out, 5, 13);
  fill_rect(out, 0, 4, 5, 9, 0xFF50A060);
  fill_rect(out, 1, 3, 3, 1, 0xFF50A060);
  fill_rect(out, 2, 0, 1, 3, pal::GREY);
  fill_rect(out, 1, 0, 3, 1, pal::DARK_GREY);
  fill_rect(out, 1, 5, 1, 6, 0xFF80D090);
  fill_rect(out, 4, 5, 1, 8, 0xFF307040);
}

// A big wooden slingshot on a trestle; the shot leaves its pouch at the
// fork on the right.
static void catapult(Image &out) {
  const int W = 80, H = 48;
  img_new(out, W, H);
  uint32_t wood = 0xFFA8703A, dark = 0xFF70481F;
  thick_line(out, 4, 46, 16, 28, 3, dark);
  thick_line(out, 24, 46, 16, 28, 3, wood);
  thick_line(out, 56, 46, 66, 28, 3, dark);
  thick_line(out, 76, 46, 66, 28, 3, wood);
  fill_rect(out, 1, 27, 72, 4, wood);
  fill_rect(out, 1, 27, 72, 1, shade(wood, 125));
  fill_rect(out, 1, 30, 72, 1, dark);
  thick_line(out, 70, 28, 70, 20, 3, wood);
  thick_line(out, 70, 20, 64, 4, 3, wood);
  thick_line(out, 70, 20, 77, 0, 3, wood);
  line(out, 64, 5, 62, 21, 0xFF8A3A20);
  line(out, 76, 2, 62, 21, 0xFF8A3A20);
  light_edges(out, 115, 80);
  outline_opaque(out);
  fill_rect(out, 8, 27, 3, 2, pal::GREY);
  fill_rect(out, 60, 27, 3, 2, pal::GREY);
}

// The throw's angle gauge: a protractor with room for the angle's digits.
static void angle_gauge(Image &out) {
  const int W = 46, H = 22;
  img_new(out, W, H, 0xFF283048);
  rect_outline(out, 0, 0, W, H, pal::OUTLINE);
  rect_outline(out, 1, 1, W - 2, H - 2, 0xFF7088C0);
  fill_rect(out, 10, 5, 33, 12, 0xFF101828);
  for (int a = 0; a <= 90; a += 10) {
    float r = a * PI / 180;
    put(out, 2 + (int)std::lround(std::cos(r) * 7), 17 - (int)std::lround(std::sin(r) * 7), pal::YELLOW);
  }
  line(out, 2, 17, 8, 11, pal::WHITE);
  fill_rect(out, 2, 17, 7, 1, pal::WHITE);
}

// Spare frames no object shows: small scenery odds and ends.
static void spare(int index, Image &out) {
  img_new(out, 8, 9);
  switch (index % 3) {
  case 0: {
    int xy[] = {3, 0, 5, 0, 8, 8, 0, 8};
    fill_polygon(out, xy, 4, pal::ORANGE);
    fill_rect(out, 2, 4, 4, 1, pal::WHITE);
    break;
  }
  case 1:
    fill_rect(out, 2, 1, 4, 8, pal::BLUE);
    fill_rect(out, 3, 0, 2, 1, pal::WHITE);
    break;
  default:
    fill_rect(out, 1, 0, 6, 4, pal::YELLOW);
    fill_rect(out, 3, 4, 2, 3, pal::YELLOW);
    fill_rect(out, 1, 7, 6, 2, pal::BROWN);
    break;
  }
  light_edges(out, 118, 82);
  outline_opaque(out);
}

static bool balloon_entry(int index, Image &out) {
  if (index < 95 || index > 121) return false;
  int p = (index - 95) / 9, k = (index - 95) % 9;
  if (k < 3)
    balloon(p, k, out);
  else
    balloon_inflate(p, k - 3, out);
  return true;
}

static bool animated_entry(int index, Image &out) {
  if (index >= 83 && index <= 87) {
    start_flag(index - 83, out);
  } else if (index >= 89 && index <= 93) {
    dust_puff(index - 89, out);
  } else if (index >= 313 && index <= 318) {
    lane_floats(index - 313, out);
  } else if (index >= 319 && index <= 321) {
    burst(index - 319, out);
  } else if (index >= 325 && index <= 349) {
    ripple((index - 325) / 5, (index - 325) % 5, out);
  } else {
    return balloon_entry(index, out);
  }
  return true;
}

bool prop_entry(int index, Image &out) {
  if (sign_entry(index, out) || animated_entry(index, out)) return true;
  switch (index) {
  case 82: angle_gauge(out); break;
  case 88: tennis_ball(out); break;
  case 94: landing_mark(out); break;
  case 127: ball_shadow(out); break;
  case 168: breath_marker(out); break;
  case 179: catapult(out); break;
  case 312: shot_stone(out); break;
  case 322: balloon_stand(out); break;
  case 365: splash(out); break;
  default: spare(index, out); break;
  }
  return true;
}
