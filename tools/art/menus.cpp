// The options screen, the difficulty and introduction panels, the event
// title cards and the patterned tile behind them.
#include "art/front.h"
#include "art/scene.h"
#include "shell/entries.h"

#include <cstddef>


// Tall white words with an outline, placed with their top-left at (x, y).
static void words_at(Image &img, int x, int y, const char *text, const Lettering &st) {
  Image t;
  text_shape_tall(t, text, 1);
  art_letter_style(t, st);
  int pad = st.outlineWidth + st.shadowOffset + 1;
  blit_over(img, t, x - pad, y - pad);
}

static void options_background(Image &out) {
  static const char *const NAMES[6] = {"MUSIC VOLUME", "SOUND VOLUME", "SCREEN MODE",
                                       "FORCE 60HZ",   "CPU USAGE",    "REDEFINE KEYS"};
  img_new(out, 320, 240, pal::NAVY);
  vgradient(out, 0, 0, 320, 240, 0xFF2A4A96, 0xFF0E1838);
  for (int y = 0; y < 240; y += 8)
    for (int x = (y / 8) % 2 * 8; x < 320; x += 16) fill_rect(out, x, y, 8, 8, mix(get(out, x, y), 0xFFFFFFFF, 6));
  // Title plate.
  art_ribbon(out, 96, 224, 6, 24, pal::RED);
  art_lettering_at(out, 160, 10, "OPTIONS", 1, 1, LETTERS_GOLD);
  // Rows: a sunk strip each, the name on the left, room for the value.
  Lettering st = LETTERS_WHITE;
  st.shadowOffset = 1;
  for (int k = 0; k < 6; k++) {
    int y = 51 + 18 * k;
    fill_round_rect(out, 40, y - 1, 274, 18, 4, 0xFF0A1028);
    fill_round_rect(out, 41, y, 272, 16, 3, k % 2 ? 0xFF18285A : 0xFF1E3068);
    fill_rect(out, 166, y + 2, 1, 12, 0xFF3A5AA8);
    words_at(out, 64, y + 2, NAMES[k], st);
  }
  fill_round_rect(out, 112, 178, 96, 24, 6, 0xFF0A1028);
  fill_round_rect(out, 113, 179, 94, 22, 5, 0xFF2F7F3A);
  fill_rect(out, 117, 180, 86, 1, 0xFF6FCF7A);
  Lettering gold = LETTERS_GOLD;
  gold.shadowOffset = 1;
  words_at(out, 137, 183, "ACCEPT", gold);
  draw_text3(out, 6, 230, "FIRE CHANGES   UP/DOWN MOVES   QUIT LEAVES", 0xFF8CA0D8);
}

// A chunky arrow pointing right, 16x20, centred on row 11.
static void pointer(Image &out, uint32_t colour) {
  img_new(out, 16, 20, pal::CLEAR);
  fill_quad(out, 1, 8, 8, 8, 8, 14, 1, 14, colour);
  fill_triangle(out, 7, 3, 15, 11, 7, 19, colour);
  fill_rect(out, 2, 9, 6, 1, mix(colour, pal::WHITE, 60));
  line(out, 8, 5, 13, 10, mix(colour, pal::WHITE, 60));
  line(out, 8, 17, 13, 12, shade(colour, 65));
  fill_rect(out, 2, 13, 6, 1, shade(colour, 65));
  outline_opaque(out);
}

// A narrow arrowhead, 8x20 centred on row 11, for pointers beside words
// that start close by.
static void arrowhead(Image &out, uint32_t colour) {
  img_new(out, 8, 20, pal::CLEAR);
  fill_triangle(out, 1, 4, 7, 11, 1, 18, colour);
  line(out, 1, 5, 4, 8, mix(colour, pal::WHITE, 60));
  line(out, 2, 16, 5, 13, shade(colour, 65));
  outline_opaque(out);
}

// Volume 0 to 8: eight steps rising to the right, lit up to the level.
static void volume_picture(int level, Image &out) {
  img_new(out, 100, 16, pal::CLEAR);
  for (int i = 0; i < 8; i++) {
    int h = 4 + i * 12 / 7, x = 2 + i * 12, y = 15 - h;
    uint32_t c = i < 4 ? mix(0xFF3BD25A, 0xFFFFD23F, i * 33) : mix(0xFFFFD23F, 0xFFFF3B2A, (i - 4) * 33);
    fill_rect(out, x - 1, y - 1, 10, h + 2, pal::OUTLINE);
    if (i < level) {
      fill_rect(out, x, y, 8, h, c);
      fill_rect(out, x, y, 8, 1, mix(c, pal::WHITE, 60));
      fill_rect(out, x + 7, y + 1, 1, h - 1, shade(c, 70));
    } else {
      fill_rect(out, x, y, 8, h, 0xFF2A3458);
      fill_rect(out, x, y + h - 1, 8, 1, 0xFF3A4878);
    }
  }
}

static void redefine_panel(Image &out) {
  img_new(out, 210, 60, pal::CLEAR);
  fill_round_rect(out, 0, 0, 210, 60, 8, pal::OUTLINE);
  fill_round_rect(out, 1, 1, 208, 58, 7, pal::GOLD_DARK);
  fill_round_rect(out, 1, 1, 207, 57, 7, pal::GOLD_LIGHT);
  fill_round_rect(out, 2, 2, 207, 57, 7, pal::GOLD_DARK);
  Image inner;
  img_new(inner, 210, 60);
  fill_round_rect(inner, 4, 4, 202, 52, 6, pal::WHITE);
  recolour_vertical(inner, 4, 56, 0xFF3A1E6E, 0xFF24144A, 0xFF140A2A);
  blit_over(out, inner, 0, 0);
  Image t;
  text_shape(t, "REDEFINE KEYS", 0, 1);
  Lettering st = LETTERS_WHITE;
  st.shadowOffset = 0;
  art_letter_style(t, st);
  blit_over(out, t, (210 - t.w) / 2, 4);
}

// Dark blue glass with a gold rim, drawn with soft edges; w x h.
static void glass_panel(Image &out, int w, int h, int radius, int alpha) {
  const int f = 3;
  Image big;
  img_new(big, w * f, h * f);
  fill_round_rect(big, 0, 0, w * f, h * f, radius * f, 0xFF5A3A08);
  fill_round_rect(big, f, f, (w - 2) * f, (h - 2) * f, (radius - 1) * f, 0xFFFFD860);
  fill_round_rect(big, 2 * f, 2 * f, (w - 4) * f, (h - 4) * f, (radius - 2) * f, 0xFF5A3A08);
  Image inner;
  img_new(inner, w * f, h * f);
  fill_round_rect(inner, 3 * f, 3 * f, (w - 6) * f, (h - 6) * f, (radius - 3) * f, pal::WHITE);
  recolour_vertical(inner, 3 * f, (h - 3) * f, 0xFF3A5AB0, 0xFF1C3070, 0xFF0C1838);
  for (size_t i = 0; i < inner.px.size(); i++)
    if (inner.px[i] >> 24) inner.px[i] = (inner.px[i] & 0xFFFFFF) | (uint32_t)alpha << 24;
  fill_rect(big, 3 * f, 3 * f, (w - 6) * f, (h - 6) * f, pal::CLEAR);
  blend_over(big, inner, 0, 0);
  downsample(big, f, out);
}

static void difficulty_panel(Image &out) {
  glass_panel(out, 160, 108, 10, 215);
  Image t;
  text_shape(t, "DIFFICULTY", 1, 1);
  art_letter_style(t, LETTERS_GOLD);
  blit_over(out, t, (160 - t.w) / 2, 10);
  fill_rect(out, 20, 35, 120, 1, 0xFFFFD860);
  fill_rect(out, 20, 36, 120, 1, 0xFF5A3A08);
  // Bronze, silver and gold beside the three levels' rows.
  static const uint32_t METALS[3] = {0xFFC87A3A, 0xFFC8D0DC, pal::GOLD};
  for (int i = 0; i < 3; i++) {
    int cx = 136, cy = 52 + 18 * i;
    fill_quad(out, cx - 4, cy - 8, cx - 1, cy - 8, cx + 1, cy - 3, cx - 2, cy - 3, pal::BLUE);
    fill_quad(out, cx + 4, cy - 8, cx + 1, cy - 8, cx - 1, cy - 3, cx + 2, cy - 3, pal::RED);
    fill_circle(out, cx, cy + 1, 5, pal::OUTLINE);
    fill_circle(out, cx, cy + 1, 4, shade(METALS[i], 80));
    fill_circle(out, cx - 1, cy, 3, METALS[i]);
    put(out, cx - 2, cy - 1, pal::WHITE);
  }
}

// The text strip of an introduction: glass across the screen, rims above
// and below.
static void intro_text_panel(Image &out) {
  img_new(out, 320, 44);
  for (int y = 0; y < 44; y++) {
    uint32_t c = mix(0xFF1C3070, 0xFF0C1838, y * 100 / 43);
    int a = 200;
    if (y < 3 || y > 40) { c = y == 1 || y == 42 ? 0xFFFFD860 : 0xFF5A3A08; a = 255; }
    fill_rect(out, 0, y, 320, 1, (c & 0xFFFFFF) | (uint32_t)a << 24);
  }
}

// A soft shadow the size of a title card, falling down and to the right.
static void intro_title_shadow(Image &out) {
  img_new(out, 176, 146);
  fill_round_rect(out, 4, 4, 160, 130, 8, 0xFF000000);
  art_glow(out, 3, 0xFF000000, 100);
  for (size_t i = 0; i < out.px.size(); i++) {
    uint32_t a = (out.px[i] >> 24) * 150 / 255;
    out.px[i] = a << 24 | 0x000814;
  }
}

// A sprite frame of the events, enlarged twice with EPX.
static bool event_sprite(int index, Image &s) {
  if (!art_sprite_entry(index, s) || s.w <= 0 || s.w > 80 || s.h > 80) return false;
  scale2x(s);
  return true;
}

static void card_scene(int event, Image &card) {
  static const int RUNNERS[4] = {ENTRY_PLAYER + KID_RUN + 2, ENTRY_OPPONENT_A + KID_RUN + 5,
                                 ENTRY_OPPONENT_B + KID_RUN, ENTRY_OPPONENT_C + KID_RUN + 3};
  Image s;
  switch (event) {
  case 0:
    scene_crowd(card, 4, 52, 152, 3);
    scene_track(card, 52, 48, 4);
    for (int i = 0; i < 4; i++)
      if (event_sprite(RUNNERS[i], s)) blit_over(card, s, 8 + i * 34, 94 - s.h + 4 - (3 - i) * 10);
    break;
  case 1:
    if (event_sprite(ENTRY_PLAYER + KID_PULL, s)) blit_over(card, s, 14, 98 - s.h);
    for (int i = 0; i < 3; i++)
      if (event_sprite(ENTRY_BALLOON + i * BALLOON_FRAMES, s)) blit_over(card, s, 84 + i * 22, 20 + (i % 2) * 16);
    break;
  case 2:
    fill_rect(card, 4, 40, 152, 5, pal::STONE);
    for (int x = 4; x < 156; x += 6) fill_rect(card, x, 40, 1, 5, shade(pal::STONE, 85));
    fill_rect(card, 4, 44, 152, 1, shade(pal::STONE, 70));
    vgradient(card, 4, 45, 152, 55, pal::WATER_LIGHT, pal::WATER_DARK);
    for (int y = 58; y < 100; y += 14)
      for (int x = 4; x < 156; x += 4) fill_rect(card, x, y, 3, 2, (x / 4) % 2 ? pal::RED : pal::WHITE);
    for (int i = 0; i < 2; i++)
      if (event_sprite(i ? ENTRY_OPPONENT_B + KID_SWIM : ENTRY_PLAYER + KID_SWIM + 2, s))
        blit_over(card, s, 20 + i * 70, 66 - s.h / 2 + i * 14);
    break;
  default:
    if (event_sprite(ENTRY_PLAYER + KID_THROW, s)) blit_over(card, s, 20, 98 - s.h);
    fill_circle(card, 120, 26, 4, pal::OUTLINE);
    fill_circle(card, 120, 26, 3, 0xFFD8F040);
    put(card, 119, 25, pal::WHITE);
    for (int i = 0; i < 5; i++) put(card, 104 - i * 6, 30 + i * i, pal::WHITE);
    break;
  }
}

// Title card of an event: a picture of it over its name, in a gold frame.
static void intro_title_card(int event, Image &out) {
  const char *const *NAMES = ART_EVENT_NAMES;
  img_new(out, 160, 130, pal::CLEAR);
  fill_round_rect(out, 0, 0, 160, 130, 8, pal::OUTLINE);
  fill_round_rect(out, 1, 1, 158, 128, 7, pal::GOLD_LIGHT);
  fill_round_rect(out, 2, 2, 157, 127, 7, pal::GOLD_DARK);
  fill_rect(out, 4, 4, 152, 96, pal::OUTLINE);
  Image card;
  img_new(card, 160, 130);
  scene_sky(card, 4, 40);
  scene_cloud(card, 120, 14, 2);
  scene_grass(card, 40, 60, 5);
  scene_tree(card, 20, 44, 18);
  scene_tree(card, 140, 44, 16);
  card_scene(event, card);
  for (int y = 5; y < 99; y++)
    for (int x = 5; x < 155; x++) put(out, x, y, get(card, x, y) >> 24 ? get(card, x, y) : pal::SKY_LOW);
  fill_rect(out, 4, 101, 152, 25, pal::OUTLINE);
  vgradient(out, 5, 102, 150, 23, 0xFF3A5AB0, 0xFF0C1838);
  Image t;
  text_shape_tall(t, NAMES[event], 1);
  Lettering st = LETTERS_GOLD;
  st.shadowOffset = 1;
  art_letter_style(t, st);
  blit_over(out, t, (160 - t.w) / 2, 104 + (21 - t.h) / 2 + 1);
}

// Sports motifs for the wallpaper, in two greens a little lighter than the
// dark green the screens clear to.
static const char *const MOTIFS[4][12] = {
    {"..aaaaaaaa..", ".a.aaaaaa.a.", ".a.aaaaaa.a.", "..aabaaaa...", "...abaaaa...", "....aaaa....",
     ".....aa.....", ".....aa.....", "....aaaa....", "...aaaaaa...", "...aaaaaa...", "............"},
    {"....aaaa....", "..aaaaaaaa..", ".abaaaaaaaa.", ".abaaaaaaaa.", "aaaaaaaaaaaa", "aaaaaaaaaaaa",
     "aaaaaaaaaaaa", "aaaaaaaaaaaa", ".aaaaaaaaaa.", ".aaaaaaaaaa.", "..aaaaaaaa..", "....aaaa...."},
    {"............", "............", ".....aaa....", "....aaaaa...", "...aaaaaa...", "aaaaaaaaa...",
     "abbbaaaaaa..", "aaaaaaaaaaa.", "aaaaaaaaaaaa", "bbbbbbbbbbbb", "............", "............"},
    {".....aa.....", "....aaaa....", ".....aa.....", "...aaaaaa...", "..aabaaaaa..", ".aabaaaaaaa.",
     ".aaaaaaaaaa.", ".aaaaaaaaaa.", ".aaaaaaaaaa.", "..aaaaaaaa..", "...aaaaaa...", "............"},
};

static void background_tile(Image &out) {
  static const uint32_t GREENS[2] = {0xFF0A6A14, 0xFF168A22};
  img_new(out, 320, 40, pal::CLEAR);
  for (int i = 0; i < 8; i++) {
    Image m;
    img_new(m, 12, 12);
    draw_map(m, 0, 0, MOTIFS[i % 7 % 4], 12, "ab", GREENS);
    scale2x(m);
    blit_over(out, m, 9 + 42 * i, 8);
  }
}

bool art_menu_entry(int index, Image &out) {
  switch (index) {
  case ENTRY_OPTIONS_BACKGROUND: options_background(out); return true;
  case ENTRY_DIFFICULTY_PANEL: difficulty_panel(out); return true;
  case ENTRY_INTRO_TITLE_PANEL: intro_title_shadow(out); return true;
  case ENTRY_INTRO_TEXT_PANEL: intro_text_panel(out); return true;
  case ENTRY_POINTER: pointer(out, pal::GOLD); return true;
  case ENTRY_ARROWHEAD: arrowhead(out, 0xFF3BD25A); return true;
  case ENTRY_REDEFINE_PANEL: redefine_panel(out); return true;
  case ENTRY_TILE: background_tile(out); return true;
  default: break;
  }
  if (index >= ENTRY_INTRO_TITLE && index < ENTRY_INTRO_TITLE + EVENT_CARDS) {
    intro_title_card(index - ENTRY_INTRO_TITLE, out);
    return true;
  }
  if (index >= ENTRY_VOLUME && index < ENTRY_VOLUME + VOLUME_LEVELS) {
    volume_picture(index - ENTRY_VOLUME, out);
    return true;
  }
  return false;
}
