// The grown-ups: the starter (also the swim's teacher), the measurer of the
// throw and the figure at the throwing line. Same skeleton as the children,
// longer limbs.
#include "art/sprites.h"
#include "shell/entries.h"

static const FigureBuild ADULT_BUILD = {4.0f, 0.5f, 9.0f, 7.0f, 6.5f, 5.0f, 5.0f, 7, 3, 2};
static const int ADULT_W = 16;
static const int ADULT_H = 36;
static const int ADULT_FEET = 34;

// Red tracksuit, whistle, grey at the temples.
static const FigureLook STARTER = {0xFFF0C098, 0xFF9A9AA4, 0xFFD23030, 0xFF262A5A, 0xFFF4F4F4, HAIR_BALD, 2, 1};
// Shirt sleeves and brown trousers, a clipboard.
static const FigureLook MEASURER = {0xFFD9A066, 0xFF3A2A20, 0xFFF4F4F4, 0xFF7A5A3A, 0xFF3A2A20, HAIR_NEAT, 0, 1};
// Green blazer and a flag for the line call.
static const FigureLook LINE_JUDGE = {0xFFFFDEC4, 0xFFB8B8C0, 0xFF2E8A3A, 0xFFE8E0C8, 0xFF3A2A20, HAIR_CAP, 1, 1};

static Pose adult_stand(void) {
  Pose p = pose_zero(7.5f, 20);
  p.thigh[0] = 9;
  p.thigh[1] = -9;
  p.arm[0] = -48;
  p.elbow[0] = 100;
  p.arm[1] = 48;
  p.elbow[1] = -100;
  return p;
}

static Pose adult_walk(int k) {
  static const float SWING[4] = {0, 13, 0, -13};
  Pose p = adult_stand();
  if (k == 0) return p;
  p.thigh[1] = SWING[k];
  p.thigh[0] = -SWING[k];
  p.knee[1] = k == 2 ? 25 : 5;
  p.knee[0] = k == 2 ? 0 : 15;
  p.arm[1] = -SWING[k];
  p.arm[0] = SWING[k];
  p.elbow[0] = p.elbow[1] = 12;
  return p;
}

static void whistle(Image &img) { fill_rect(img, 10, 11, 2, 1, 0xFFE0E0E8); }

static void starter_frame(int k, Image &out) {
  Pose p = k == 1 || k == 2 ? adult_walk(k == 1 ? 1 : 3) : adult_stand();
  if (k >= 3) {
    // The raised hand holds the sign's handle near (10, 1).
    p.arm[1] = k == 3 ? 150 : 125;
    p.elbow[1] = k == 3 ? 15 : 40;
    p.face = FACE_SHOUT;
  }
  figure_frame(out, ADULT_W, ADULT_H, ADULT_FEET, STARTER, ADULT_BUILD, p);
  whistle(out);
}

static void measurer_frame(int k, Image &out) {
  Pose p = adult_walk(k == 1 ? 1 : (k == 2 ? 3 : 0));
  p.arm[1] = 40;
  p.elbow[1] = 80;
  figure_frame(out, ADULT_W, ADULT_H, ADULT_FEET, MEASURER, ADULT_BUILD, p);
  float hx, hy;
  pose_hand(ADULT_BUILD, p, 1, &hx, &hy);
  fill_rect(out, (int)hx - 1, (int)hy - 4, 5, 6, 0xFF8A5A2B);  // clipboard
  fill_rect(out, (int)hx, (int)hy - 3, 3, 4, pal::WHITE);
  rect_outline(out, (int)hx - 2, (int)hy - 5, 7, 8, pal::OUTLINE);
}

// Flag held down by the side, or out straight for a fair plant.
static void line_judge_frame(int k, Image &out) {
  Pose p = adult_stand();
  p.arm[1] = k ? 95 : 25;
  p.elbow[1] = 0;
  figure_frame(out, ADULT_W, ADULT_H, ADULT_FEET, LINE_JUDGE, ADULT_BUILD, p);
  float hx, hy;
  pose_hand(ADULT_BUILD, p, 1, &hx, &hy);
  int x = (int)hx, y = (int)hy;
  if (k) {
    line(out, x, y, x, y - 9, pal::BROWN);
    fill_rect(out, x + 1, y - 9, 6, 5, pal::WHITE);
    rect_outline(out, x, y - 10, 8, 7, pal::OUTLINE);
  } else {
    line(out, x, y, x + 4, y + 7, pal::BROWN);
    fill_rect(out, x + 2, y + 3, 3, 4, pal::WHITE);
    rect_outline(out, x + 1, y + 2, 5, 6, pal::OUTLINE);
  }
}

bool adult_entry(int index, Image &out) {
  if (index >= ENTRY_STARTER && index < ENTRY_STARTER + STARTER_FRAMES) {
    starter_frame(index - ENTRY_STARTER, out);
    return true;
  }
  if (index >= ENTRY_MEASURER && index < ENTRY_MEASURER + MEASURER_FRAMES) {
    measurer_frame(index - ENTRY_MEASURER, out);
    return true;
  }
  if (index >= ENTRY_LINE_JUDGE && index < ENTRY_LINE_JUDGE + LINE_JUDGE_FRAMES) {
    line_judge_frame(index - ENTRY_LINE_JUDGE, out);
    return true;
  }
  return false;
}
