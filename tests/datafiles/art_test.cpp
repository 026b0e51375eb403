// The art as the screens use it: the fonts draw every character the game
// prints, in their own colours, and the words, panels and pointers fit the
// places the screens put them.
#include "headless/headless.h"
#include "shell/entries.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <loadpng.h>
#include <string>

namespace {

class Art : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(headless_start()); }
  void TearDown() override { headless_stop(); }
};

BITMAP *entry_bitmap(int index) { return (BITMAP *)MainData[index].dat; }

const char PRINTED[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.:%-'!?$/";

// Text drawn as the game does (colour value 0) on black: its pixels, and
// the first and last rows holding ink (-1 when none). A colour font keeps
// its own colours; a mono one would vanish.
struct Drawn {
  std::string pixels;
  int first = -1, last = -1;
};

Drawn draw(FONT *f, const std::string &text) {
  int w = text_length(f, text.c_str()), h = text_height(f);
  BITMAP *b = create_bitmap(w > 0 ? w : 1, h > 0 ? h : 1);
  clear_to_color(b, 0);
  textout_ex(b, f, text.c_str(), 0, 0, 0, -1);
  Drawn d;
  d.pixels = std::to_string(b->w) + ":";
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) {
      int c = getpixel(b, x, y);
      d.pixels += std::to_string(c) + ",";
      if (c && d.first < 0) d.first = y;
      if (c) d.last = y;
    }
  destroy_bitmap(b);
  return d;
}

std::string glyph_signature(FONT *f, char c) { return draw(f, std::string(1, c)).pixels; }

TEST_F(Art, EveryPrintedCharacterIsInkedInEveryFont) {
  const char *names[4] = {"TitleFont", "TextFont", "ScoreFont", "MenuFont"};
  FONT *fonts[4] = {TitleFont, TextFont, ScoreFont, MenuFont};
  for (int k = 0; k < 4; k++) {
    ASSERT_NE(fonts[k], nullptr) << names[k];
    EXPECT_LE(get_font_range_begin(fonts[k], -1), ' ') << names[k];
    EXPECT_GE(get_font_range_end(fonts[k], -1), '~') << names[k];
    for (const char *c = PRINTED; *c; c++)
      EXPECT_GE(draw(fonts[k], std::string(1, *c)).first, 0) << names[k] << " '" << *c << "' draws nothing";
  }
}

TEST_F(Art, LettersAndDigitsOfAFontAreTellApart) {
  for (FONT *f : {TitleFont, TextFont, ScoreFont, MenuFont})
    for (const char *g : {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789"})
      for (const char *a = g; *a; a++)
        for (const char *b = a + 1; *b; b++)
          EXPECT_NE(glyph_signature(f, *a), glyph_signature(f, *b)) << "'" << *a << "' and '" << *b << "' look alike";
}

TEST_F(Art, ScoreDigitsAndRollingFramesShareOneWidth) {
  // Clocks keep still as digits change, and the throw's rolling frames
  // stand in for digits (that they differ is checked with the letters).
  int w = text_length(ScoreFont, "0");
  for (const char *c = "0123456789abcdefghi"; *c; c++)
    EXPECT_EQ(text_length(ScoreFont, std::string(1, *c).c_str()), w) << *c;
}

TEST_F(Art, TheAngleSignSitsHighLikeADegreeSign) {
  Drawn sign = draw(TextFont, "$"), digit = draw(TextFont, "0");
  ASSERT_TRUE(sign.first >= 0 && digit.first >= 0);
  EXPECT_LE(sign.first, digit.first);
  EXPECT_LT(sign.last, (digit.first + digit.last) / 2 + 2) << "the sign reaches down into the line";
}

// The tiny face's full stop sits on the line and a comma's tail hangs below
// it, so "can. Don't" and "race, just" read apart at a glance.
TEST_F(Art, AFullStopSitsOnTheLineAndACommaHangsBelowIt) {
  for (FONT *f : {TextFont, TitleFont}) {
    Drawn stop = draw(f, "."), comma = draw(f, ","), letter = draw(f, "n");
    ASSERT_TRUE(stop.first >= 0 && comma.first >= 0 && letter.first >= 0);
    EXPECT_EQ(stop.last, letter.last) << "the full stop is off the line";
    EXPECT_GT(comma.last, letter.last) << "the comma has no tail";
  }
}

TEST_F(Art, LinesOfTextDoNotRunIntoEachOther) {
  EXPECT_LE(text_height(TextFont), 8);    // speech bubble lines 8 apart
  EXPECT_LE(text_height(MenuFont), 18);   // options rows 18 apart
  EXPECT_LE(text_height(ScoreFont), 30);  // clock in the 48-high header from y 12
  EXPECT_LE(text_height(TitleFont), 8);   // version text at y 232
}

void expect_centred_inside(FONT *f, const char *text, int cx, int left, int right) {
  int w = text_length(f, text);
  EXPECT_GE(cx - w / 2, left) << text;
  EXPECT_LE(cx - w / 2 + w, right) << text;
}

TEST_F(Art, WordsFitTheirPlaces) {
  for (const char *s : {"Hit left and right as fast as you can. Don't jump",
                        "shot will pop the balloon for maximum points. There",
                        "to breath when prompted. Don't breath too early!"})
    expect_centred_inside(TextFont, s, 160, 0, 320);
  for (const char *s : {"CONGRATULATIONS ON COMPLETING", "ALL EVENTS, BUT FOR A PLACE ON",
                        "THE PODIUM, YOU MUST QUALIFY AS"})
    expect_centred_inside(MenuFont, s, 160, 0, 320);
  for (const char *s : {"FULLSCREEN", "YES PLEASE", "DON'T CARE!", "WINDOWED"})
    EXPECT_LE(173 + text_length(MenuFont, s), 320) << s;
  for (const char *s : {"PRESS 'RUN LEFT'...", "PRESS 'RUN RIGHT'...", "PRESS 'FIRE/THROW'..."})
    expect_centred_inside(MenuFont, s, 205, 100, 100 + entry_bitmap(ENTRY_REDEFINE_PANEL)->w);
  // Header: the two labelled displays are 104 wide around x 59 and 170.
  for (const char *s : {"TO QUALIFY", "PERSONAL BEST", "100.00 metres", "400 points"}) {
    expect_centred_inside(TextFont, s, 59, 7, 111);
    expect_centred_inside(TextFont, s, 170, 118, 222);
  }
  EXPECT_GE(309 - text_length(ScoreFont, "100.00"), 229);
}

TEST_F(Art, SpeechBubbleHoldsBothLines) {
  BITMAP *bubble = entry_bitmap(ENTRY_SPEECH_BUBBLE);
  const char *lines[] = {"Don't start", "until I say!", "Pelk you are", "disqualified", "Go and take an",
                         "early shower!", "Pelk, slow down", "you idiot!", "This isn't the", "100 metres!!"};
  for (int i = 0; i < 10; i++) {
    int w = text_length(TextFont, lines[i]), x = 42 - w / 2, y = i % 2 ? 14 : 6;
    // Every corner of the text's box lies on the bubble's body.
    for (int cx : {x, x + w - 1})
      for (int cy : {y, y + text_height(TextFont) - 1})
        EXPECT_NE(getpixel(bubble, cx, cy), bitmap_mask_color(bubble)) << lines[i];
  }
}

TEST_F(Art, BadgesCoverTheQualifyingLines) {
  int w = text_length(TextFont, "100.00 metres");
  for (int index : {ENTRY_BADGE_QUALIFIED, ENTRY_BADGE_FAILED}) {
    BITMAP *b = entry_bitmap(index);
    EXPECT_LE(6, 59 - w / 2) << index;
    EXPECT_GE(6 + b->w, 59 + w / 2) << index;
    EXPECT_GE(6 + b->h, 28 + text_height(TextFont)) << index;
  }
}

int mask_pixels(BITMAP *b) {
  int n = 0;
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) n += getpixel(b, x, y) == bitmap_mask_color(b);
  return n;
}

TEST_F(Art, PicturesCopiedWithoutTheMaskHaveNoHoles) {
  // These are blitted, not drawn as sprites: a mask pixel would show pink.
  // The Worlds too: the view they fill is copied masked onto the frame, so
  // a hole would show whatever lay beneath.
  const int copied[] = {ENTRY_WORLD_THROW, ENTRY_WORLD_CATAPULT, ENTRY_WORLD_SWIM, ENTRY_WORLD_SPRINT,
                        ENTRY_GAME_OVER, ENTRY_TITLE_BACKGROUND, ENTRY_OPTIONS_BACKGROUND, ENTRY_BOTTOM_PANEL,
                        ENTRY_EVENT_LABEL, ENTRY_EVENT_LABEL + 1, ENTRY_EVENT_LABEL + 2, ENTRY_EVENT_LABEL + 3,
                        ENTRY_ATTEMPT_PANEL, ENTRY_CALL_FAIR, ENTRY_CALL_FOUL, ENTRY_SPEED_BAR, ENTRY_HEADER_PANEL};
  for (int index : copied)
    EXPECT_EQ(mask_pixels(entry_bitmap(index)), 0) << "entry " << index;
  // The prompt, drawn as a sprite over the splash, lets the picture show
  // between its letters.
  BITMAP *prompt = entry_bitmap(ENTRY_SPLASH_PROMPT);
  EXPECT_GT(mask_pixels(prompt), prompt->w * prompt->h / 3);
  DATAFILE *splash = load_datafile(QVL_RUN_DIR "/qvlgam2.dat");
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(mask_pixels((BITMAP *)splash[SPLASH_ENTRY_PICTURE].dat), 0) << "splash";
  unload_datafile(splash);
}

// The size of a PNG entry; false when it does not decode.
bool png_size(int index, int *w, int *h) {
  set_color_conversion(COLORCONV_NONE);
  BITMAP *b = load_memory_png(MainData[index].dat, MainData[index].size, nullptr);
  if (!b) return false;
  *w = b->w;
  *h = b->h;
  destroy_bitmap(b);
  return true;
}

TEST_F(Art, TitleChoicesStayInTheirOwnPlaces) {
  // Play at x 14, options at 98, quit at 212, all on the banner at y 195.
  const int first[3] = {ENTRY_TITLE_PLAY, ENTRY_TITLE_OPTIONS, ENTRY_TITLE_QUIT};
  const int x[3] = {14, 98, 212}, next_x[3] = {98, 212, 320};
  int w, h, wk, hk;
  for (int c = 0; c < 3; c++) {
    ASSERT_TRUE(png_size(first[c], &w, &h)) << "choice " << c;
    EXPECT_LE(x[c] + w, next_x[c]) << "choice " << c;
    EXPECT_LE(195 + h, 240) << "choice " << c;
    for (int k = 1; k < TITLE_CHOICE_FRAMES; k++)
      EXPECT_TRUE(png_size(first[c] + k, &wk, &hk) && wk == w && hk == h) << "choice " << c << " frame " << k;
  }
  ASSERT_TRUE(png_size(ENTRY_TITLE_BANNER, &w, &h));
  EXPECT_GE(w, 320);
  EXPECT_LE(195 + h, 240);
}

TEST_F(Art, PicturesFitTheScreensThatShowThem) {
  BITMAP *logo = entry_bitmap(ENTRY_LOGO), *prompt = entry_bitmap(ENTRY_SPLASH_PROMPT);
  EXPECT_LE(logo->w, 320 - 2 * 94);  // dropped at x 94: centred or left of centre
  EXPECT_LE(logo->h, 196);
  EXPECT_LE(182 + prompt->w, 640);
  EXPECT_LE(444 + prompt->h, 480);
  EXPECT_LE(40 + entry_bitmap(ENTRY_CHAMPION_BANNER)->w, 320);
  // The pointers stop short of the longest difficulty word and of the
  // option names drawn at x 64.
  EXPECT_LE(117 + entry_bitmap(ENTRY_ARROWHEAD)->w, 160 - text_length(MenuFont, "CHAMPION") / 2);
  EXPECT_LE(46 + entry_bitmap(ENTRY_POINTER)->w, 64);
  for (int i = ENTRY_VOLUME; i < ENTRY_VOLUME + VOLUME_LEVELS; i++)
    EXPECT_TRUE(173 + entry_bitmap(i)->w <= 320 && entry_bitmap(i)->h <= 18) << "volume picture " << i;
  EXPECT_TRUE(entry_bitmap(ENTRY_SPEED_BAR)->w >= 50 && entry_bitmap(ENTRY_SPEED_BAR)->h >= 6);
}

}  // namespace
