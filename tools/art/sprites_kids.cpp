// The four children: Pelk (type 1) and the three opponents (types 2 to 4),
// every frame in one 24 x 26 box so an object's size never changes with its
// sequence. Running and walking stand on one feet line; swimming sits on
// one water line.
#include "art/sprites.h"
#include "shell/entries.h"

#include <cmath>

static const int KID_W = 24;
static const int KID_H = 26;
static const int FEET = 24;
static const float PI = 3.14159265f;

enum Kind {
  K_STAND, K_WALK, K_RUN, K_CROUCH, K_MARKS, K_TREAD, K_SWIM, K_BREATH, K_READY, K_DIVE,
  K_PULL, K_HOLD, K_RUNUP, K_PLANT, K_THROW, K_CHEER,
};

struct Range {
  int first, count, kind, frame0;
};

// Each child's frames, by kind, from the first entry of its row; frame0
// numbers a range that continues a sequence begun elsewhere.
#define KID_ROW_START(first)                                                                            \
  {first + KID_STAND, 1, K_STAND, 0}, {first + KID_WALK, 3, K_WALK, 1}, {first + KID_RUN, 8, K_RUN, 0},   \
      {first + KID_CROUCH, 1, K_CROUCH, 0}, {first + KID_MARKS, 1, K_MARKS, 0},                          \
      {first + KID_TREAD, 3, K_TREAD, 0}, {first + KID_SWIM, 10, K_SWIM, 0},                             \
      {first + KID_BREATH, 1, K_BREATH, 0}, {first + KID_READY, 1, K_READY, 0}, {first + KID_DIVE, 4, K_DIVE, 0}
#define OPPONENT_ROW(first) {KID_ROW_START(first), {first + KID_CHEER, 6, K_CHEER, 0}, {0, 0, 0, 0}}

static const Range KID_RANGES[4][18] = {
    {KID_ROW_START(ENTRY_PLAYER), {ENTRY_PLAYER + KID_PULL, 2, K_PULL, 0}, {ENTRY_PLAYER + KID_HOLD, 1, K_HOLD, 0},
     {ENTRY_PLAYER + KID_RUNUP, 8, K_RUNUP, 0}, {ENTRY_PLAYER + KID_PLANT, 1, K_PLANT, 0},
     {ENTRY_PLAYER + KID_THROW, 2, K_THROW, 0}, {0, 0, 0, 0}},
    OPPONENT_ROW(ENTRY_OPPONENT_A),
    OPPONENT_ROW(ENTRY_OPPONENT_B),
    OPPONENT_ROW(ENTRY_OPPONENT_C),
};

static const FigureLook KID_LOOKS[4] = {
    // Pelk: ginger spikes, yellow vest, blue shorts.
    {0xFFF5C6A0, 0xFFE8641E, 0xFFFFD23F, 0xFF3B6FE2, 0xFFF4F4F4, HAIR_SPIKY, 0, 0},
    // Black bunches, green vest, white shorts.
    {0xFF8D5A3B, 0xFF231A1A, 0xFF3BC25A, 0xFFF0F0F0, 0xFFF4F4F4, HAIR_BUNCHES, 0, 0},
    // Neat blond, purple vest, black shorts.
    {0xFFFFDEC4, 0xFFF2D25A, 0xFF9A4FD8, 0xFF44446A, 0xFF3B6FE2, HAIR_NEAT, 0, 0},
    // Brown curls, teal vest, navy shorts.
    {0xFFD9A066, 0xFF6A3A1A, 0xFF2EC4C4, 0xFF283A78, 0xFFE23B3B, HAIR_CURLY, 0, 0},
};

static const FigureBuild KID_BUILD = {4.0f, 0.3f, 5.0f, 4.5f, 4.5f, 3.5f, 4.0f, 5, 2, 2};

static float wave(float phase) { return std::sin(phase); }

// The hip stays at x 12 in every dry pose, so switching sequences never
// shifts the body sideways.
static Pose stand_pose(void) {
  Pose p = pose_zero(12, 15);
  p.thigh[0] = 3;
  p.thigh[1] = -3;
  p.arm[0] = 10;
  p.arm[1] = 14;
  p.elbow[0] = p.elbow[1] = 16;
  return p;
}

static Pose run_pose(int k, float stride) {
  float ph = 2 * PI * k / 8 + PI / 2;
  Pose p = pose_zero(12, 15);
  p.lean = 14;
  for (int i = 0; i < 2; i++) {
    float a = ph + (i == 0 ? PI : 0);
    p.thigh[i] = stride * wave(a);
    float c = std::cos(a + 0.5f);
    p.knee[i] = 18 + 95 * (c > 0 ? std::pow(c, 1.3f) : 0);
    p.arm[i] = -68 * wave(a);
    p.elbow[i] = 95;
  }
  p.headTilt = 0.5f;
  return p;
}

static Pose walk_pose(int k) {
  static const float THIGH[4] = {0, 22, 0, -22};
  Pose p = stand_pose();
  if (k == 0) return p;
  p.thigh[1] = THIGH[k];
  p.thigh[0] = -THIGH[k];
  p.knee[1] = k == 2 ? 30 : 6;
  p.knee[0] = k == 2 ? 0 : 12;
  p.arm[1] = -THIGH[k];
  p.arm[0] = THIGH[k];
  p.elbow[0] = p.elbow[1] = 18;
  return p;
}

// Sprinter on the blocks: "set" has the hips up, "marks" a knee down.
static Pose crouch_pose(int set) {
  Pose p = pose_zero(6, set ? 11 : 13);
  p.lean = set ? 112 : 98;
  p.thigh[1] = set ? 75 : 95;
  p.knee[1] = set ? 110 : 140;
  p.thigh[0] = set ? 5 : 15;
  p.knee[0] = set ? 60 : 100;
  p.arm[0] = p.arm[1] = set ? 5 : 0;
  p.elbow[0] = p.elbow[1] = 0;
  p.headTilt = -2.5f;
  return p;
}

static Pose cheer_pose(int k) {
  Pose p = stand_pose();
  float up = (k % 2) ? 165 : 140;
  p.arm[0] = up - 10;
  p.arm[1] = up;
  p.elbow[0] = p.elbow[1] = (k % 3) * 10;
  p.face = FACE_SHOUT;
  return p;
}

static const int WATER_LINE = 14;
static const uint32_t WATER_TINT = 0xFF2F7FD8;

// Under the water line everything takes the pool's colour and soon fades out.
static void submerge(Image &img, int waterLine, int depth) {
  for (int y = waterLine; y < img.h; y++)
    for (int x = 0; x < img.w; x++) {
      uint32_t c = get(img, x, y);
      if ((c >> 24) < 128) continue;
      int d = y - waterLine;
      put(img, x, y, d >= depth ? pal::CLEAR : mix(mix(c, pal::WATER_LIGHT, 35), WATER_TINT, 20 + d * 12));
    }
}

static void foam(Image &img, int x0, int x1, int y, int seed) {
  Rng r = {(uint32_t)seed * 2654435761u + 7};
  for (int x = x0; x <= x1; x++) {
    int v = rng_below(r, 4);
    if (v == 0 || (get(img, x, y) >> 24) >= 128) continue;
    put(img, x, y, v == 1 ? pal::WHITE : pal::WATER_LIGHT);
    if (v == 3) put(img, x, y - 1, pal::WHITE);
  }
}

// Barefoot, in a one-piece swimsuit of the kit colour.
static FigureLook swimwear(const FigureLook &look) {
  FigureLook wet = look;
  wet.shoe = look.skin;
  wet.shorts = look.shirt;
  return wet;
}

// A figure in the water: drawn whole, outlined, then sunk below the line.
static void water_frame(Image &out, const FigureLook &look, const Pose &p, int seed, int foamFrom, int foamTo) {
  FigureLook wet = swimwear(look);
  Image canvas;
  img_new(canvas, KID_W, KID_H);
  draw_figure(canvas, wet, KID_BUILD, p);
  light_edges(canvas, 118, 82);
  outline_opaque(canvas);
  submerge(canvas, WATER_LINE + 1, 5);
  foam(canvas, foamFrom, foamTo, WATER_LINE, seed);
  out = canvas;
}

// White water thrown up by the kicking feet, a little different each frame.
static void kick_spray(Image &img, int k) {
  Rng r = {(uint32_t)(k * 7919 + 11)};
  for (int i = 0; i < 5; i++) {
    int x = rng_below(r, 6), y = WATER_LINE - 3 + rng_below(r, 4);
    if ((get(img, x, y) >> 24) < 128) put(img, x, y, i % 2 ? pal::WHITE : pal::WATER_LIGHT);
  }
}

static Pose swim_pose(int k) {
  float t = (float)k / 10;
  Pose p = pose_zero(8.5f, 13.0f);
  p.lean = 90;
  p.arm[1] = 90 - 360 * t;
  p.arm[0] = 90 - 360 * t - 180;
  p.elbow[0] = p.elbow[1] = 0;
  for (int i = 0; i < 2; i++) {
    float kick = 14 * std::sin(2 * PI * (2 * t) + (i ? PI : 0));
    p.thigh[i] = -72 + kick;
    p.knee[i] = -8 - kick * 0.5f;
  }
  p.headTilt = (k == 3 || k == 4) ? -1.5f : -0.5f;
  p.face = (k == 3 || k == 4) ? FACE_PUFF : FACE_PLAIN;
  return p;
}

static Pose tread_pose(int k) {
  Pose p = pose_zero(11, 21.0f + (k == 1 ? -1 : 0));
  float sweep = k == 0 ? 55 : (k == 1 ? 75 : 95);
  p.arm[1] = sweep;
  p.arm[0] = -sweep + 10;
  p.elbow[0] = p.elbow[1] = 20;
  p.thigh[1] = 20;
  p.knee[1] = 40;
  p.thigh[0] = -10;
  p.knee[0] = 30;
  return p;
}

static Pose breath_pose(void) {
  Pose p = tread_pose(1);
  p.arm[1] = 118;
  p.elbow[1] = 35;
  p.arm[0] = -135;
  p.lean = -8;
  p.face = FACE_PUFF;
  p.headTilt = -1;
  return p;
}

// Sweat flying off and a puff of breath: worn out.
static void gasp(Image &img) {
  put(img, 4, 4, pal::WATER_LIGHT);
  put(img, 4, 5, pal::WHITE);
  put(img, 2, 8, pal::WATER_LIGHT);
  put(img, 19, 3, pal::WATER_LIGHT);
  put(img, 20, 2, pal::WHITE);
}

static Pose ready_pose(void) {
  Pose p = pose_zero(8, 14);
  p.lean = 55;
  p.thigh[0] = p.thigh[1] = 35;
  p.knee[0] = p.knee[1] = 55;
  p.arm[0] = -75;
  p.arm[1] = -95;
  p.elbow[0] = p.elbow[1] = 0;
  return p;
}

// Arms over the head, reaching past the crown in the air and leading into
// the water.
static const float DIVE_ARM_TILT[4] = {34, 30, 6, 14};

static Pose dive_pose(int k) {
  static const float HIPX[4] = {8, 8.5f, 9, 8.5f}, HIPY[4] = {13, 11, 11, 13.5f};
  static const float LEAN[4] = {55, 88, 115, 92}, THIGH[4] = {-35, -80, -95, -78};
  Pose p = pose_zero(HIPX[k], HIPY[k]);
  p.lean = LEAN[k];
  p.arm[0] = p.arm[1] = 180 - LEAN[k] + DIVE_ARM_TILT[k];
  p.thigh[0] = THIGH[k] - 4;
  p.thigh[1] = THIGH[k] + 4;
  p.knee[0] = p.knee[1] = k == 0 ? 20 : 0;
  return p;
}

// Outstretched arms drawn again, longer and outlined on their own, across
// the back of the head: skin on skin would hide them, and the arrow shape is
// the dive.
static void streamline_arms(Image &img, const FigureLook &look, const Pose &p) {
  FigureBuild shoulder = KID_BUILD, reach = KID_BUILD;
  shoulder.upper = shoulder.fore = 0;
  reach.upper = 5.0f;
  reach.fore = 6.0f;
  float sx, sy, hx, hy;
  pose_hand(shoulder, p, 1, &sx, &sy);
  pose_hand(reach, p, 1, &hx, &hy);
  // The far arm sits one pixel towards the diver's back.
  float bx = -std::cos(p.lean * PI / 180), by = -std::sin(p.lean * PI / 180);
  Image arms;
  img_new(arms, img.w, img.h);
  thick_line(arms, sx + bx, sy + by, hx + bx, hy + by, 2, shade(look.skin, 80));
  thick_line(arms, sx, sy, hx, hy, 2, look.skin);
  light_edges(arms, 120, 75);
  outline_opaque(arms);
  blit_over(img, arms, 0, 0);
}

static void dive_frame(Image &out, const FigureLook &look, int k) {
  FigureLook wet = swimwear(look);
  Pose p = dive_pose(k);
  img_new(out, KID_W, KID_H);
  draw_figure(out, wet, KID_BUILD, p);
  finish_sprite(out);
  streamline_arms(out, wet, p);
  if (k < 2) return;
  submerge(out, WATER_LINE + 1, 5);
  foam(out, k == 2 ? 12 : 0, k == 2 ? 23 : 12, WATER_LINE, k + 40);
}

// The drawn-back catapult: the elastic runs from the hand to the fork
// beyond the box's right edge.
static Pose pull_pose(int k) {
  Pose p = stand_pose();
  p.thigh[1] = 16;
  p.thigh[0] = -12;
  p.lean = k ? -6 : 4;
  p.arm[0] = 105;
  p.elbow[0] = 0;
  p.arm[1] = k ? 120 : 108;
  p.elbow[1] = k ? 110 : 0;
  return p;
}

static Pose hold_pose(void) {
  Pose p = stand_pose();
  p.arm[1] = 35;
  p.elbow[1] = 85;
  p.ballHand = 1;
  return p;
}

// Planted at the last fair x (568), the front toe is just behind the line
// at 586; a pixel further and it touches it.
static Pose throw_pose(int kind, int k) {
  Pose p = stand_pose();
  p.thigh[1] = 12;
  p.knee[1] = 0;
  p.thigh[0] = -38;
  p.knee[0] = 25;
  if (kind == K_PLANT) {
    p.lean = -12;
    p.arm[1] = -125;
    p.elbow[1] = -10;
    p.arm[0] = 100;
    p.ballHand = 1;
  } else if (k == 0) {
    p.lean = 2;
    p.arm[1] = 138;
    p.elbow[1] = 0;
    p.arm[0] = 20;
    p.ballHand = 1;
    p.face = FACE_SHOUT;
  } else {
    p.lean = 24;
    p.arm[1] = 70;
    p.arm[0] = -40;
    p.thigh[0] = -45;
    p.knee[0] = 60;
  }
  return p;
}

// The bands run from the hand to where the catapult's own pieces of them
// end, at the frame's right edge.
static void elastic(Image &img, const Pose &p) {
  float hx, hy;
  pose_hand(KID_BUILD, p, 1, &hx, &hy);
  uint32_t band = 0xFFB04428;
  line(img, (int)hx + 1, (int)hy, KID_W - 1, 2, band);
  line(img, (int)hx + 1, (int)hy + 1, KID_W - 1, 5, band);
  fill_rect(img, (int)hx, (int)hy - 1, 2, 3, 0xFF5A3A20);
}

static void kid_wet(int type, int kind, int k, Image &out) {
  const FigureLook &look = KID_LOOKS[type];
  switch (kind) {
  case K_TREAD: water_frame(out, look, tread_pose(k), k + 1, 4, 19); break;
  case K_BREATH:
    water_frame(out, look, breath_pose(), 9, 3, 20);
    gasp(out);
    break;
  case K_SWIM:
    water_frame(out, look, swim_pose(k), k + 20, 0, 23);
    kick_spray(out, k);
    break;
  default: dive_frame(out, look, k); break;
  }
}

static void kid_frame(int type, int kind, int k, Image &out) {
  const FigureLook &look = KID_LOOKS[type];
  Pose p;
  switch (kind) {
  case K_TREAD:
  case K_BREATH:
  case K_SWIM:
  case K_DIVE: kid_wet(type, kind, k, out); return;
  case K_READY: figure_frame(out, KID_W, KID_H, 20, swimwear(look), KID_BUILD, ready_pose()); return;
  case K_WALK: p = walk_pose(k); break;
  case K_RUN: p = run_pose(k, 46); break;
  case K_RUNUP: p = run_pose(k, 46); p.ballHand = 1; break;
  case K_CROUCH: p = crouch_pose(1); break;
  case K_MARKS: p = crouch_pose(0); break;
  case K_CHEER: p = cheer_pose(k); break;
  case K_PULL: p = pull_pose(k); break;
  case K_HOLD: p = hold_pose(); break;
  case K_PLANT:
  case K_THROW: p = throw_pose(kind, k); break;
  default: p = stand_pose(); break;
  }
  figure_frame(out, KID_W, KID_H, FEET, look, KID_BUILD, p);
  if (kind == K_PULL) elastic(out, p);
}

bool athlete_entry(int index, Image &out) {
  for (int t = 0; t < 4; t++)
    for (const Range &r : KID_RANGES[t]) {
      if (r.count == 0 || index < r.first || index >= r.first + r.count) continue;
      kid_frame(t, r.kind, index - r.first + r.frame0, out);
      return true;
    }
  return false;
}
