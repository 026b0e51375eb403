// Small objects of the events: start flag, ball, dust, balloons, catapult,
// floats, ripples, splashes and markers. Frames of one animation keep one
// size, and the first frame of each reaches the edges of its box.
#include "art/sprites.h"
#include "shell/entries.h"

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

// A pale stone ringed dark, so it shows on the grass and the sky alike. The
// ring is the disc's own edge: the collision mask stays the 13-pixel disc.
static void shot_stone(Image &out) {
  img_new(out, 5, 5);
  fill_circle(out, 2, 2, 2, pal::OUTLINE);
  fill_rect(out, 1, 2, 3, 1, pal::STONE);
  fill_rect(out, 2, 1, 1, 3, pal::STONE);
  put(out, 2, 1, pal::WHITE);
  put(out, 1, 2, mix(pal::STONE, pal::WHITE, 60));
  put(out, 3, 2, shade(pal::STONE, 82));
  put(out, 2, 3, shade(pal::STONE, 82));
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

// A ring spreading on the water, seen flat: its far side catches the
// light, its near side is a darker trough. It starts as a plop with two
// flecks thrown out and widens, paling and breaking up into the water.
static void ripple(int p, int k, Image &out) {
  static const int LIGHT_FADE[5] = {0, 25, 55, 85, 100};
  static const int WATER_FADE[5] = {0, 0, 0, 15, 45};
  static const float GROWTH[5] = {0, 0.45f, 0.75f, 0.93f, 1};
  int w = 10 + p * 3;
  img_new(out, w, 3);
  float cx = (w - 1) / 2.0f, a = 2.0f + ((w - 1) / 2.0f - 2.0f) * GROWTH[k];
  uint32_t light = mix(mix(pal::WHITE, pal::WATER_LIGHT, LIGHT_FADE[k]), pal::WATER, WATER_FADE[k]);
  uint32_t trough = mix(pal::WATER_DARK, pal::WATER, WATER_FADE[k]);
  for (int x = 0; x < w; x++) {
    if (k == 4 && x % 2 == 0) continue;
    float dx = std::fabs(x - cx);
    if (dx <= a - 1.5f) {
      put(out, x, 0, light);
      put(out, x, 2, trough);
    } else if (dx <= a + 0.5f) {
      put(out, x, 1, light);
    }
  }
  if (k == 0) {
    put(out, 1, 0, pal::WHITE);
    put(out, w - 2, 0, pal::WHITE);
    put(out, (int)cx, 1, pal::WHITE);
  } else if (k == 1) {
    put(out, 0, 1, pal::WATER_LIGHT);
    put(out, w - 1, 1, pal::WATER_LIGHT);
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

// A round balloon body a little narrower at the bottom, with no one-pixel
// nubs at its sides, its top shifted by lean pixels per row up from the
// middle (a sway); cx may fall between two columns.
static void balloon_shape(Image &out, float cx, float cy, float rx, float ry, float lean, uint32_t c) {
  for (int y = 0; y < out.h; y++)
    for (int x = 0; x < out.w; x++) {
      float ny = (y - cy) / (ry + 0.3f);
      float wx = (rx + 0.3f) * (ny > 0 ? 1 - 0.2f * ny : 1);
      float nx = (x - cx - lean * (cy - y)) / wx;
      if (nx * nx + ny * ny <= 1) put(out, x, y, c);
    }
}

struct FloatFrame {
  float cx, cy, rx, ry, lean;
  int glintX, glintY, glintW;  // white highlight, upper left
  int stringTip;               // x of the string's end, bottom row
};

// 95 leans left with the string trailing right, 96 sways right with the
// glint rolled round after it, 97 is squashed after a hit. The body's
// middle stays on row 7, where a dead-centre shot meets it.
static const FloatFrame FLOATS[3] = {
    {6.5f, 7, 5.8f, 5.6f, -0.17f, 2, 3, 2, 9},
    {6.5f, 7, 5.8f, 5.6f, 0.17f, 5, 3, 2, 4},
    {6.5f, 8, 6.1f, 4.8f, 0, 3, 4, 3, 6},
};

static void balloon(int p, int k, Image &out) {
  const FloatFrame &f = FLOATS[k];
  uint32_t c = BALLOON[p];
  img_new(out, BAL_W, BAL_H);
  balloon_shape(out, f.cx, f.cy, f.rx, f.ry, f.lean, c);
  light_edges(out, 118, 72);
  fill_rect(out, f.glintX, f.glintY, f.glintW, 2, pal::WHITE);
  put(out, f.glintX, f.glintY + 2, shade(c, 150));
  int ky = (int)(f.cy + f.ry + 1);
  int kx = (int)std::floor(f.cx + f.lean * (f.cy - ky) + 0.5f);
  fill_rect(out, kx - 1, ky, 3, 1, shade(c, 75));  // knot
  outline_opaque(out);
  // The string stays thin: no outline of its own.
  line(out, kx, ky + 1, f.stringTip, BAL_H - 1, 0xFFD8D8E0);
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

// The catapult's place, 80 x 48, drawn over the player who stands at its
// x 39 to 62 with his feet on row 40: nothing may cross him there. A big
// wooden Y on a trestle stands just in front of him; the shot leaves his
// hand at (55, 20) and flies out between the prongs. The elastic he pulls
// leaves his frame at (62, 18) and (62, 21), by the near prong's tip.
static const uint32_t CAT_WOOD = 0xFFA8703A;
static const uint32_t CAT_WOOD_DARK = 0xFF70481F;
static const uint32_t CAT_RUBBER = 0xFFB04428;

// A low wooden stage along the bottom, planked, with a box of shot and the
// range flag at its left end.
static void catapult_stage(Image &out) {
  fill_rect(out, 0, 42, 80, 2, shade(CAT_WOOD, 120));
  fill_rect(out, 0, 44, 80, 3, CAT_WOOD);
  for (int x = 9; x < 80; x += 14) fill_rect(out, x, 44, 1, 3, CAT_WOOD_DARK);
  fill_rect(out, 0, 46, 80, 1, CAT_WOOD_DARK);
  fill_rect(out, 4, 34, 12, 8, CAT_WOOD);
  fill_rect(out, 4, 37, 12, 1, CAT_WOOD_DARK);
  for (int i = 0; i < 5; i++) fill_circle(out, 6 + i * 2, 33 - (i % 2), 1, i % 2 ? 0xFF9A9AA8 : 0xFFB8B8C4);
  fill_rect(out, 1, 0, 2, 42, pal::STONE);
  fill_rect(out, 1, 0, 1, 42, pal::WHITE);
  int flag[] = {3, 1, 3, 8, 11, 4};
  fill_polygon(out, flag, 3, pal::RED);
  fill_rect(out, 3, 3, 3, 2, pal::YELLOW);
}

// The Y: far prong and back leg a shade darker, then the trestle.
static void catapult_fork(Image &out) {
  thick_line(out, 68, 31, 74, 13, 3, CAT_WOOD_DARK);
  thick_line(out, 69, 35, 71, 41, 2, CAT_WOOD_DARK);
  thick_line(out, 68, 31, 63, 17, 3, CAT_WOOD);
  thick_line(out, 68, 30, 68, 41, 3, CAT_WOOD);
  thick_line(out, 67, 35, 62, 41, 2, CAT_WOOD);
  thick_line(out, 69, 35, 75, 41, 2, CAT_WOOD);
}

// The band tied round both tips, sagging across the fork.
static void catapult_band(Image &out) {
  fill_rect(out, 62, 17, 3, 2, CAT_RUBBER);
  fill_rect(out, 73, 13, 3, 2, CAT_RUBBER);
  line(out, 73, 15, 68, 18, CAT_RUBBER);
  line(out, 68, 18, 64, 19, CAT_RUBBER);
  put(out, 62, 19, CAT_RUBBER);
}

static void catapult(Image &out) {
  img_new(out, 80, 48);
  catapult_stage(out);
  catapult_fork(out);
  light_edges(out, 115, 80);
  outline_opaque(out);
  catapult_band(out);
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
  int n = index - ENTRY_BALLOON;
  if (n < 0 || n >= BALLOON_COLOURS * BALLOON_FRAMES) return false;
  int p = n / BALLOON_FRAMES, k = n % BALLOON_FRAMES;
  if (k < BALLOON_INFLATE)
    balloon(p, k, out);
  else
    balloon_inflate(p, k - BALLOON_INFLATE, out);
  return true;
}

static bool animated_entry(int index, Image &out) {
  if (index >= ENTRY_START_LINE && index < ENTRY_START_LINE + START_LINE_FRAMES) {
    start_flag(index - ENTRY_START_LINE, out);
  } else if (index >= ENTRY_DUST && index < ENTRY_DUST + DUST_FRAMES) {
    dust_puff(index - ENTRY_DUST, out);
  } else if (index >= ENTRY_FLOAT && index < ENTRY_FLOAT + LANE_FLOATS) {
    lane_floats(index - ENTRY_FLOAT, out);
  } else if (index >= ENTRY_BURST && index < ENTRY_BURST + BURST_FRAMES) {
    burst(index - ENTRY_BURST, out);
  } else if (index >= ENTRY_RIPPLE && index < ENTRY_RIPPLE + RIPPLES * RIPPLE_FRAMES) {
    ripple((index - ENTRY_RIPPLE) / RIPPLE_FRAMES, (index - ENTRY_RIPPLE) % RIPPLE_FRAMES, out);
  } else {
    return balloon_entry(index, out);
  }
  return true;
}

bool prop_entry(int index, Image &out) {
  if (sign_entry(index, out) || animated_entry(index, out)) return true;
  switch (index) {
  case ENTRY_ANGLE_GAUGE: angle_gauge(out); break;
  case ENTRY_BALL: tennis_ball(out); break;
  case ENTRY_LANDING_MARK: landing_mark(out); break;
  case ENTRY_BALL_SHADOW: ball_shadow(out); break;
  case ENTRY_BREATH_MARKER: breath_marker(out); break;
  case ENTRY_CATAPULT: catapult(out); break;
  case ENTRY_SHOT: shot_stone(out); break;
  case ENTRY_BALLOON_STAND: balloon_stand(out); break;
  case ENTRY_SPLASH: splash(out); break;
  default: spare(index, out); break;
  }
  return true;
}
