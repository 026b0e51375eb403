// Every person in the game is one posed skeleton: limbs as chunky pixel
// strokes, far limbs a shade darker, then one light and a dark outline. The
// animations are pose tables, so frames of a sequence stay on one feet line.
#include "art/sprites.h"

#include <cmath>

static const float DEG = 3.14159265f / 180.0f;

struct Vec {
  float x, y;
};

static Vec dir(float degrees) { return Vec{std::sin(degrees * DEG), std::cos(degrees * DEG)}; }
static Vec along(Vec p, float degrees, float len) {
  Vec d = dir(degrees);
  return Vec{p.x + d.x * len, p.y + d.y * len};
}

Pose pose_zero(float hipX, float hipY) {
  Pose p = {};
  p.hipX = hipX;
  p.hipY = hipY;
  return p;
}

// Torso top, measured from the hip against the lean.
static Vec torso_point(const Pose &p, float len) {
  return Vec{p.hipX + std::sin(p.lean * DEG) * len, p.hipY - std::cos(p.lean * DEG) * len};
}

static void limb(Image &img, Vec from, float a1, float l1, float bend, float l2, int w, uint32_t c1, uint32_t c2,
                 Vec *end) {
  Vec mid = along(from, a1, l1);
  Vec tip = along(mid, a1 + bend, l2);
  thick_line(img, from.x, from.y, mid.x, mid.y, w, c1);
  thick_line(img, mid.x, mid.y, tip.x, tip.y, w, c2);
  if (end) *end = tip;
}

static void leg(Image &img, const FigureLook &look, const FigureBuild &b, const Pose &p, int i, int darker) {
  uint32_t skin = look.longTrousers ? look.shorts : look.skin;
  uint32_t pants = look.shorts, shoe = look.shoe;
  if (darker) {
    skin = shade(skin, 82);
    pants = shade(pants, 82);
    shoe = shade(shoe, 82);
  }
  Vec hip = {p.hipX, p.hipY};
  Vec foot;
  limb(img, hip, p.thigh[i], b.thigh, -p.knee[i], b.shin, b.legW, skin, skin, &foot);
  // Shorts cover the top of the thigh.
  Vec cuff = along(hip, p.thigh[i], b.thigh * (look.longTrousers ? 1.0f : 0.55f));
  thick_line(img, hip.x, hip.y, cuff.x, cuff.y, b.legW + 1, pants);
  float s = p.thigh[i] - p.knee[i];
  Vec fwd = {std::cos(s * DEG), -std::sin(s * DEG)};
  thick_line(img, foot.x - fwd.x * 0.5f, foot.y - fwd.y * 0.5f, foot.x + fwd.x * 2.0f, foot.y + fwd.y * 2.0f, 2, shoe);
}

static void arm(Image &img, const FigureLook &look, const FigureBuild &b, const Pose &p, int i, int darker) {
  uint32_t skin = look.skin, sleeve = look.shirt;
  if (darker) {
    skin = shade(skin, 82);
    sleeve = shade(sleeve, 82);
  }
  Vec sh = torso_point(p, b.torso - 1.0f);
  Vec hand;
  limb(img, sh, p.arm[i], b.upper, p.elbow[i], b.fore, b.armW, look.longSleeves ? sleeve : skin, skin, &hand);
  if (look.longSleeves && !darker) sleeve = shade(sleeve, 80);
  Vec cuff = along(sh, p.arm[i], b.upper * (look.longSleeves ? 1.0f : 0.45f));
  thick_line(img, sh.x, sh.y, cuff.x, cuff.y, b.armW + 1, sleeve);
  // Tracksuit stripe down the sleeve.
  if (look.longSleeves == 2) line(img, (int)(sh.x + 0.5f), (int)(sh.y + 0.5f), (int)(cuff.x + 0.5f), (int)(cuff.y + 0.5f), pal::WHITE);
  if (i == 1 && p.ballHand) fill_rect(img, (int)std::floor(hand.x), (int)std::floor(hand.y) - 1, 2, 2, 0xFFD8F040);
}

void pose_hand(const FigureBuild &b, const Pose &p, int i, float *x, float *y) {
  Vec sh = torso_point(p, b.torso - 1.0f);
  Vec mid = along(sh, p.arm[i], b.upper);
  Vec tip = along(mid, p.arm[i] + p.elbow[i], b.fore);
  *x = tip.x;
  *y = tip.y;
}

static void hair(Image &img, const FigureLook &look, Vec hc, float r) {
  int cx = (int)std::floor(hc.x + 0.5f), cy = (int)std::floor(hc.y + 0.5f);
  int ri = (int)(r + 0.5f);
  uint32_t h = look.hair;
  switch (look.hairStyle) {
  case HAIR_SPIKY:
    for (int k = -2; k <= 1; k++) line(img, cx + k * 2, cy - ri, cx + k * 2 - 1, cy - ri - 1, h);
    fill_rect(img, cx - ri - 1, cy - 1, 2, 2, h);
    break;
  case HAIR_BUNCHES:
    fill_circle(img, cx - ri, cy - 1, 2, h);
    fill_rect(img, cx - ri - 2, cy - 1, 1, 1, 0xFFFF5090);
    break;
  case HAIR_CURLY:
    fill_circle(img, cx - 1, cy - 1, ri + 1, h);
    break;
  case HAIR_CAP:
    fill_rect(img, cx - ri + 1, cy - ri - 1, 2 * ri - 1, 3, h);
    fill_rect(img, cx, cy - ri + 1, ri + 2, 1, shade(h, 80));
    break;
  default:
    break;
  }
}

static void head(Image &img, const FigureLook &look, const FigureBuild &b, const Pose &p) {
  Vec neck = torso_point(p, b.torso);
  Vec hc = torso_point(p, b.torso + b.neck + b.headR);
  float nx = std::cos(p.lean * DEG), ny = std::sin(p.lean * DEG);
  hc.x += nx * p.headTilt;
  hc.y += ny * p.headTilt;
  thick_line(img, neck.x, neck.y, hc.x, hc.y, 2, look.skin);
  int cx = (int)std::floor(hc.x + 0.5f), cy = (int)std::floor(hc.y + 0.5f);
  int r = (int)(b.headR + 0.5f);
  if (look.hairStyle != HAIR_BALD && look.hairStyle != HAIR_CAP) {
    fill_circle(img, cx, cy, r, look.hair);
    hair(img, look, hc, b.headR);
    fill_ellipse(img, cx + 1, cy + 1, r - 1, r - 1, look.skin);
    if (look.hairStyle == HAIR_NEAT || look.hairStyle == HAIR_SPIKY) fill_rect(img, cx, cy - r + 1, r, 1, look.hair);
  } else {
    fill_circle(img, cx, cy, r, look.skin);
    if (look.hairStyle == HAIR_BALD) fill_rect(img, cx - r, cy - 1, 2, 3, look.hair);
    hair(img, look, hc, b.headR);
  }
  put(img, cx - 1, cy + 1, shade(look.skin, 80));  // ear
  fill_rect(img, cx + r - 3, cy - 1, 1, 2, pal::WHITE);  // eye
  fill_rect(img, cx + r - 2, cy - 1, 1, 2, pal::OUTLINE);
  put(img, cx + r - 1, cy - 2, shade(look.hair, 70));      // brow
  if (p.face == FACE_PUFF) fill_rect(img, cx + r - 1, cy + 2, 2, 1, 0xFF701818);
  if (p.face == FACE_SHOUT) fill_rect(img, cx + r - 1, cy + 1, 1, 2, 0xFF701818);
}

static void torso(Image &img, const FigureLook &look, const FigureBuild &b, const Pose &p) {
  Vec top = torso_point(p, b.torso - 1.0f);
  thick_line(img, p.hipX, p.hipY, top.x, top.y, b.torsoW, look.shirt);
  Vec belt = torso_point(p, 1.2f);
  thick_line(img, p.hipX, p.hipY, belt.x, belt.y, b.torsoW, look.shorts);
}

void draw_figure(Image &img, const FigureLook &look, const FigureBuild &b, const Pose &p) {
  arm(img, look, b, p, 0, 1);
  leg(img, look, b, p, 0, 1);
  torso(img, look, b, p);
  leg(img, look, b, p, 1, 0);
  head(img, look, b, p);
  arm(img, look, b, p, 1, 0);
}

static int lowest_row(const Image &img) {
  for (int y = img.h - 1; y >= 0; y--)
    for (int x = 0; x < img.w; x++)
      if ((get(img, x, y) >> 24) >= 128) return y;
  return img.h - 1;
}

void figure_frame(Image &out, int w, int h, int baseline, const FigureLook &look, const FigureBuild &build,
                  const Pose &pose) {
  const int PAD = 16;
  Image canvas;
  img_new(canvas, w + 2 * PAD, h + 2 * PAD);
  Pose p = pose;
  p.hipX += PAD;
  p.hipY += PAD;
  draw_figure(canvas, look, build, p);
  int dy = baseline >= 0 ? lowest_row(canvas) - (baseline + PAD) : 0;
  crop(canvas, PAD, PAD + dy, w, h, out);
  finish_sprite(out);
}
