// The frame every event draws around its playfield: the header with its
// three displays, the bottom panel with the speed-bar slot and the event's
// label, the verdict badges, the starter's speech bubble and the throw's
// attempt panel with its line-call flags.
#include "art/front.h"
#include "art/scene.h"
#include "shell/entries.h"

static const uint32_t PANEL_LIGHT = 0xFF5A7AC8;
static const uint32_t PANEL_MID = 0xFF34529A;
static const uint32_t PANEL_DARK = pal::NAVY;

// Blue enamelled metal, lit from the top left.
static void panel_plate(Image &img, int x, int y, int w, int h) {
  fill_rect(img, x, y, w, h, pal::OUTLINE);
  vgradient(img, x + 1, y + 1, w - 2, h - 2, PANEL_LIGHT, PANEL_DARK);
  for (int j = y + 2; j < y + h - 2; j += 2)
    for (int i = x + 2 + (j / 2) % 3; i < x + w - 2; i += 3) put(img, i, j, mix(get(img, i, j), PANEL_MID, 40));
  bevel(img, x + 1, y + 1, w - 2, h - 2, 0xFF9AB4F0, 0xFF101C44);
}

static void rivet(Image &img, int x, int y) {
  fill_rect(img, x - 1, y - 1, 3, 3, 0xFF101C44);
  fill_rect(img, x - 1, y - 1, 2, 2, 0xFFB8C8F0);
  put(img, x - 1, y - 1, pal::WHITE);
}

// A display sunk into the plate: shadow on its top and left inner edges.
static void display(Image &img, int x, int y, int w, int h) {
  fill_round_rect(img, x - 1, y - 1, w + 2, h + 2, 3, 0xFF0A0E1E);
  fill_round_rect(img, x, y, w, h, 2, pal::DISPLAY);
  fill_rect(img, x + 2, y, w - 4, 1, 0xFF05070F);
  fill_rect(img, x, y + 2, 1, h - 4, 0xFF05070F);
  fill_rect(img, x + 2, y + h, w - 4, 1, 0xFF7A96D8);
  fill_rect(img, x + w, y + 2, 1, h - 4, 0xFF7A96D8);
  // Faint scan lines.
  for (int j = y + 2; j < y + h - 1; j += 2) fill_rect(img, x + 2, j, w - 4, 1, 0xFF121A34);
}

static void stopwatch(Image &img, int x, int y) {
  fill_rect(img, x + 5, y, 4, 2, pal::OUTLINE);
  fill_rect(img, x + 6, y, 2, 1, pal::GREY);
  fill_circle(img, x + 7, y + 8, 6, pal::OUTLINE);
  fill_circle(img, x + 7, y + 8, 5, 0xFFE8ECF4);
  fill_circle(img, x + 6, y + 7, 3, pal::WHITE);
  line(img, x + 7, y + 8, x + 7, y + 4, pal::OUTLINE);
  line(img, x + 7, y + 8, x + 9, y + 9, pal::RED);
}

static void header_panel(Image &out) {
  img_new(out, 320, 48, pal::BLACK);
  panel_plate(out, 0, 0, 320, 48);
  display(out, 7, 6, 104, 36);
  display(out, 118, 6, 104, 36);
  display(out, 229, 6, 85, 36);
  // A gold rule between each label and its value.
  for (int d = 0; d < 2; d++) fill_rect(out, 17 + 111 * d, 25, 84, 1, 0xFF3A3A20);
  stopwatch(out, 233, 14);
  rivet(out, 3, 3);
  rivet(out, 316, 3);
  rivet(out, 3, 44);
  rivet(out, 316, 44);
}

static void bottom_panel(Image &out) {
  img_new(out, 320, 24, pal::BLACK);
  panel_plate(out, 0, 0, 320, 24);
  draw_text3(out, 9, 2, "SPEED", pal::DISPLAY);
  draw_text3(out, 8, 1, "SPEED", 0xFFE8ECF4);
  // The bar's slot at (8, 9) of the panel: 50 by 6 inside.
  display(out, 8, 9, 50, 6);
  for (int i = 8; i < 58; i += 10) put(out, i + 9, 15, 0xFF3A4A80);
  // The label's bed.
  fill_rect(out, 73, 2, 234, 20, 0xFF0A0E1E);
  rivet(out, 66, 12);
  rivet(out, 313, 12);
}

static void speed_bar(Image &out) {
  img_new(out, 50, 6);
  for (int x = 0; x < 50; x++) {
    uint32_t c = x < 25 ? mix(0xFF3BD25A, 0xFFFFD23F, x * 4) : mix(0xFFFFD23F, 0xFFFF3B2A, (x - 25) * 4);
    if (x % 5 == 4) c = shade(c, 70);
    fill_rect(out, x, 0, 1, 6, c);
    put(out, x, 0, mix(c, pal::WHITE, 60));
    put(out, x, 1, mix(c, pal::WHITE, 25));
    put(out, x, 5, shade(c, 65));
  }
}

// Small event icons for the labels, 12x12.
static const char *const ICONS[][12] = {
    {"............", "............", "......kkk...", ".....krrrk..", "....krrrrk..", "kkkkrrwrrk..",
     "krrrrrrwrrk.", "krrrrrrrrrkk", "kwwwwwwwwwwk", "kkkkkkkkkkkk", "............", "............"},
    {"...kkkk.....", "..krrrrk....", ".krwrrrrk...", ".krwrrrrk...", ".krrrrrrk...", "..krrrrk....",
     "...kkkk.....", "....k.......", ".....k......", "....k.......", ".....k......", "............"},
    {"............", "............", "............", "..www...www.", ".wbbbw.wbbbw", "wbbbbbwbbbbb",
     "bbbbbbbbbbbb", "............", "..www...www.", ".wbbbw.wbbbw", "wbbbbbwbbbbb", "bbbbbbbbbbbb"},
    {"............", "...kkkkk....", "..kyyyyyk...", ".kywyyyyyk..", ".kywyyyyyk..", ".kyyyyyyyk..",
     ".kywwwwyyk..", ".kyyyyyywk..", "..kyyyyyk...", "...kkkkk....", "............", "............"},
};

const char *const ART_EVENT_NAMES[] = {"100 METRES SPRINT", "CATAPULTING", "50 METRES SWIM", "TENNIS BALL THROW"};
static_assert(sizeof ART_EVENT_NAMES / sizeof ART_EVENT_NAMES[0] == EVENT_CARDS, "a name for every event's card");

static void event_label(int event, Image &out) {
  const char *const *NAMES = ART_EVENT_NAMES;
  static const uint32_t BASES[] = {0xFFC8553D, 0xFFD8A020, 0xFF2F7FD8, 0xFF3BA84A};
  static_assert(sizeof BASES / sizeof BASES[0] == EVENT_CARDS && sizeof ICONS / sizeof ICONS[0] == EVENT_CARDS,
                "a colour and an icon for every event's label");
  static const uint32_t ICON_COLOURS[5] = {pal::OUTLINE, pal::RED, pal::WHITE, pal::WATER, 0xFFE8F040};
  img_new(out, 230, 16, 0xFF0A0E1E);
  fill_round_rect(out, 0, 0, 230, 16, 4, pal::OUTLINE);
  Image inner;
  img_new(inner, 230, 16);
  fill_round_rect(inner, 1, 1, 228, 14, 3, pal::WHITE);
  recolour_vertical(inner, 1, 15, shade(BASES[event], 135), BASES[event], shade(BASES[event], 65));
  blit_over(out, inner, 0, 0);
  fill_rect(out, 4, 2, 222, 1, mix(BASES[event], pal::WHITE, 55));
  for (int side = 0; side < 2; side++) {
    int ix = side ? 212 : 6;
    fill_circle(out, ix + 6, 8, 7, shade(BASES[event], 55));
    draw_map(out, ix, 2, ICONS[event], 12, "krwby", ICON_COLOURS);
  }
  Image text;
  text_shape(text, NAMES[event], 0, 1);
  Lettering st = LETTERS_WHITE;
  st.shadowOffset = 1;
  art_letter_style(text, st);
  blit_over(out, text, (230 - text.w) / 2, (16 - text.h) / 2 + 1);
}

// Round-ended plaque with a rim, a symbol and the word in tall letters.
static void badge(Image &out, const char *word, uint32_t base, bool tick) {
  img_new(out, 106, 36, pal::CLEAR);
  fill_round_rect(out, 0, 0, 106, 36, 8, pal::OUTLINE);
  fill_round_rect(out, 1, 1, 104, 34, 7, pal::GOLD);
  fill_round_rect(out, 1, 1, 103, 33, 7, pal::GOLD_LIGHT);
  fill_round_rect(out, 2, 2, 103, 33, 7, pal::GOLD_DARK);
  Image inner;
  img_new(inner, 106, 36);
  fill_round_rect(inner, 3, 3, 100, 30, 6, pal::WHITE);
  recolour_vertical(inner, 3, 33, shade(base, 140), base, shade(base, 65));
  blit_over(out, inner, 0, 0);
  fill_rect(out, 8, 5, 90, 1, mix(base, pal::WHITE, 50));
  // The symbol in a disc on the left.
  fill_circle(out, 18, 18, 11, pal::OUTLINE);
  fill_circle(out, 18, 18, 10, pal::WHITE);
  fill_circle(out, 17, 17, 8, 0xFFF4F4FF);
  uint32_t ink = shade(base, 80);
  if (tick) {
    for (int t = 0; t < 3; t++) {
      line(out, 12 + t / 2, 18 + t % 2, 16 + t / 2, 23 + t % 2, ink);
      line(out, 16 + t / 2, 23 + t % 2, 24 + t / 2, 12 + t % 2, ink);
    }
  } else {
    for (int t = -1; t <= 1; t++) {
      line(out, 13 + t, 13, 23 + t, 23, ink);
      line(out, 23 + t, 13, 13 + t, 23, ink);
    }
  }
  Image text;
  text_shape_tall(text, word, 1);
  Lettering st = LETTERS_WHITE;
  st.shadowOffset = 1;
  art_letter_style(text, st);
  blit_over(out, text, 32 + (70 - text.w) / 2, (36 - text.h) / 2);
}

static void speech_bubble(Image &out) {
  img_new(out, 88, 38, pal::CLEAR);
  fill_round_rect(out, 0, 0, 86, 27, 8, pal::OUTLINE);
  fill_round_rect(out, 1, 1, 84, 25, 7, pal::WHITE);
  fill_quad(out, 10, 25, 24, 25, 4, 37, 3, 37, pal::OUTLINE);
  fill_quad(out, 12, 24, 21, 24, 5, 35, 5, 35, pal::WHITE);
  // Shade on the side away from the light.
  for (int y = 18; y < 26; y++)
    for (int x = 2; x < 85; x++)
      if (get(out, x, y) == pal::WHITE && get(out, x, y + 2) != pal::WHITE) put(out, x, y, 0xFFD8E0F0);
  for (int y = 2; y < 25; y++)
    if (get(out, 84, y) == pal::WHITE) put(out, 84, y, 0xFFD8E0F0);
  put(out, 5, 3, 0xFFE8F0FF);
}

static void throw_panel(Image &out) {
  img_new(out, 91, 50, pal::BLACK);
  panel_plate(out, 0, 0, 91, 50);
  display(out, 7, 7, 64, 36);
  display(out, 72, 11, 18, 28);
  draw_text3(out, 74, 4, "LINE", pal::DISPLAY);
  draw_text3(out, 73, 3, "LINE", 0xFFE8ECF4);
  rivet(out, 3, 3);
  rivet(out, 3, 46);
}

// The line judge's flag: white for a fair throw, red for a foul.
static void line_flag(Image &out, uint32_t colour) {
  img_new(out, 18, 28, pal::DISPLAY);
  for (int j = 1; j < 27; j += 2) fill_rect(out, 0, j, 18, 1, 0xFF121A34);
  fill_rect(out, 4, 3, 2, 23, pal::OUTLINE);
  fill_rect(out, 4, 3, 1, 23, 0xFFC8A070);
  fill_quad(out, 6, 3, 16, 5, 15, 14, 6, 14, pal::OUTLINE);
  fill_quad(out, 6, 4, 15, 6, 14, 13, 6, 13, colour);
  fill_rect(out, 6, 4, 8, 1, mix(colour, pal::WHITE, 50));
  fill_rect(out, 7, 11, 7, 2, shade(colour, 75));
}

bool art_frame_entry(int index, Image &out) {
  if (index >= ENTRY_EVENT_LABEL && index < ENTRY_EVENT_LABEL + EVENT_CARDS) {
    event_label(index - ENTRY_EVENT_LABEL, out);
    return true;
  }
  switch (index) {
  case ENTRY_BOTTOM_PANEL: bottom_panel(out); return true;
  case ENTRY_BADGE_FAILED: badge(out, "FAILED", 0xFFE0463A, false); return true;
  case ENTRY_ATTEMPT_PANEL: throw_panel(out); return true;
  case ENTRY_CALL_FAIR: line_flag(out, pal::WHITE); return true;
  case ENTRY_CALL_FOUL: line_flag(out, pal::RED); return true;
  case ENTRY_BADGE_QUALIFIED: badge(out, "QUALIFIED!", 0xFF2FB04A, true); return true;
  case ENTRY_SPEECH_BUBBLE: speech_bubble(out); return true;
  case ENTRY_SPEED_BAR: speed_bar(out); return true;
  case ENTRY_HEADER_PANEL: header_panel(out); return true;
  default: return false;
  }
}
