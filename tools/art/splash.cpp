// The start-up splash (640x480) and its "press a key" prompt: the sports
// field on a summer afternoon under the game's name, the four children
// racing down the track.
#include "art/front.h"
#include "art/scene.h"
#include "shell/entries.h"

// A running frame of each child (types 1 to 4), as the events show them.
static const int RUNNER_FRAMES[4] = {ENTRY_PLAYER + KID_RUN + 2, ENTRY_OPPONENT_A + KID_RUN + 5,
                                      ENTRY_OPPONENT_B + KID_RUN, ENTRY_OPPONENT_C + KID_RUN + 3};

static void splash_title(Image &img) {
  Lettering big = LETTERS_GOLD;
  big.outlineWidth = 2;
  big.shadowOffset = 4;
  art_lettering_at(img, 320, 34, "QUORVALE", 3, 4, big);
  int y = 118;
  art_ribbon(img, 120, 520, y, 40, pal::RED);
  art_lettering_at(img, 320, y + 6, "- SPORTS DAY -", 2, 2, LETTERS_WHITE);
}

static void splash_runner(Image &img, int frame, int x, int base) {
  Image s;
  if (!art_sprite_entry(frame, s) || s.w <= 0 || s.w > 60 || s.h > 60) return;
  scale2x(s);
  scale2x(s);
  // Shadow on the track under the feet.
  fill_ellipse(img, x + s.w / 2, base, s.w / 3, 4, shade(pal::TRACK_DARK, 80));
  blit_over(img, s, x, base - art_feet_row(s));
}

static const FieldLayout SPLASH_FIELD = {
    262, 70, 64, 30, {{560, 70, 7}, {200, 200, 5}, {610, 190, 4}}, 440, 150, 56,
    {{40, 70}, {110, 50}, {380, 60}, {620, 56}}, 10, 178, 186, 26, 12, 284, 5, 318, 116};

bool art_splash_picture(Image &out) {
  img_new(out, 640, 480, pal::BLACK);
  scene_field(out, SPLASH_FIELD);
  // Finishing line and its posts on the right.
  for (int y = 320; y < 432; y += 4) fill_rect(out, 560 + ((y / 4) & 1) * 4, y, 4, 4, pal::WHITE);
  for (int i = 0; i < 4; i++) splash_runner(out, RUNNER_FRAMES[i], 120 + i * 90 - (i & 1) * 30, 345 + i * 26);
  splash_title(out);
  return true;
}

void art_splash_prompt(Image &out) {
  Lettering st = LETTERS_WHITE;
  st.outlineWidth = 2;
  st.shadowOffset = 2;
  Image text;
  art_lettering(text, "PRESS ANY KEY", 1, 2, st);
  img_new(out, 276, 30, pal::CLEAR);
  blit_over(out, text, (276 - text.w) / 2, (30 - text.h) / 2);
}
