// The start-up splash (640x480) and its "press a key" prompt.
#include "art/front.h"
#include "art/paint.h"

bool art_splash_picture(Image &out) {
  img_new(out, 640, 480, pal::BLACK);
  vgradient(out, 0, 0, 640, 300, pal::SKY_TOP, pal::SKY_LOW);
  vgradient(out, 0, 300, 640, 180, pal::GRASS_LIGHT, pal::GRASS_DARK);
  const char *name = "QUORVALE - SPORTS DAY";
  int w = text5_width(name, 4);
  draw_text5(out, (640 - w) / 2 + 4, 124, name, pal::OUTLINE, 4);
  draw_text5(out, (640 - w) / 2, 120, name, pal::YELLOW, 4);
  return true;
}

void art_splash_prompt(Image &out) {
  img_new(out, 276, 30, pal::CLEAR);
  const char *text = "PRESS ANY KEY";
  int w = text5_width(text, 3);
  draw_text5(out, (276 - w) / 2, 4, text, pal::WHITE, 3);
  outline_opaque(out);
}
