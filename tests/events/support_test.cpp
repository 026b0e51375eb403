// Speech bubble, verdict, scenery and the logic-rate keys.
#include "event_fixture.h"

#include <vector>

using SupportTest = EventTest;

// Bubble drawn at (40, 60): its text lies in a band below the top.
static const int BUBBLE_X = 40, BUBBLE_Y = 60;

static std::vector<int> TextBand[3];
static int CaptureTicks[3];

static std::vector<int> band_pixels(void) {
  std::vector<int> pixels;
  for (int y = BUBBLE_Y + 4; y < BUBBLE_Y + 24; y++)
    for (int x = BUBBLE_X; x < BUBBLE_X + 84; x++) pixels.push_back(getpixel(Backbuffer, x, y));
  return pixels;
}

static void capture_text(int tick) {
  for (int i = 0; i < 3; i++)
    if (tick == CaptureTicks[i]) TextBand[i] = band_pixels();
}

// A blue frame under the bubble; the bubble is left over it, the rest restored.
static void expect_bubble_over_blue(void) {
  EXPECT_EQ(getpixel(Backbuffer, 300, 220), makecol(0, 0, 255));
  EXPECT_NE(band_pixels(), std::vector<int>(band_pixels().size(), makecol(0, 0, 255)));
}

TEST_F(SupportTest, SpeechBubbleLastsFiveSecondsShowsBothPairsAndSpeaksOnce) {
  clear_to_color(Backbuffer, makecol(0, 0, 255));
  // The frame drawn on bubble tick n is seen at the start of tick n + 1.
  int start = headless_tick();
  const int at[3] = {20, 99, 102};
  for (int i = 0; i < 3; i++) CaptureTicks[i] = start + at[i];
  headless_on_tick(capture_text);
  show_speech_bubble(BUBBLE_X, BUBBLE_Y, SPEECH_TOO_SLOW);
  headless_on_tick(nullptr);
  EXPECT_EQ(headless_tick() - start, 300);
  EXPECT_EQ(plays_of(SoundEffects[SND_SPEECH]), 1);
  EXPECT_GE(headless_presents(), 300);
  ASSERT_FALSE(TextBand[0].empty());
  EXPECT_EQ(TextBand[0], TextBand[1]) << "first pair until countdown 201";
  EXPECT_NE(TextBand[1], TextBand[2]) << "second pair from countdown 200";
  expect_bubble_over_blue();
}

TEST_F(SupportTest, SpeechBubbleWithoutASceneCopyDrawsOverTheFrame) {
  clear_to_color(Backbuffer, makecol(0, 0, 255));
  int start = headless_tick();
  speech_bubble_over(nullptr, BUBBLE_X, BUBBLE_Y, SPEECH_TOO_FAR);
  EXPECT_EQ(headless_tick() - start, 300);
  expect_bubble_over_blue();
}

static void close_window_at_20(int tick) {
  static int start = -1;
  if (start < 0) start = tick;
  if (tick - start == 20) QuitFlag = 1;
}

TEST_F(SupportTest, SpeechBubbleEndsWhenTheWindowCloses) {
  int start = headless_tick();
  headless_on_tick(close_window_at_20);
  show_speech_bubble(BUBBLE_X, BUBBLE_Y, SPEECH_FALSE_START);
  headless_on_tick(nullptr);
  EXPECT_LE(headless_tick() - start, 21);
}

TEST_F(SupportTest, VerdictPlaysItsMusicOnceAndShowsItsBadge) {
  load_music_set(MUSIC_SET_SPORTS_DAY);
  sound_log_clear();
  clear_to_color(Backbuffer, 0);
  announce_verdict(VERDICT_NONE);
  draw_verdict_badge();
  EXPECT_EQ(Verdict, 0);
  EXPECT_EQ(sound_log_count(), 0);
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 80; x++) ASSERT_EQ(getpixel(Backbuffer, x, y), 0);

  announce_verdict(VERDICT_QUALIFIED);
  EXPECT_EQ(Verdict, 2);
  EXPECT_EQ(plays_of(MusicSamples[MUS_QUALIFIED]), 1);
  BITMAP *badge = dat_bitmap(323);
  ASSERT_NE(badge, nullptr);
  draw_verdict_badge();
  int drawn = 0;
  for (int y = 0; y < badge->h; y++)
    for (int x = 0; x < badge->w; x++)
      if (getpixel(badge, x, y) != MASK_COLOUR_16) drawn += getpixel(Backbuffer, 6 + x, 6 + y) == getpixel(badge, x, y);
  EXPECT_GT(drawn, 0);
  announce_verdict(VERDICT_FAILED);
  EXPECT_EQ(plays_of(MusicSamples[MUS_FAILED]), 1);
}

TEST_F(SupportTest, LogicRateKeysReinstallTheTimerInOrderAndWaitForRelease) {
  const int keys[5][2] = {{KEY_F1, 1}, {KEY_F2, 5}, {KEY_F3, 10}, {KEY_F4, 20}, {KEY_F5, 60}};
  for (const auto &k : keys) {
    key[k[0]] = 1;  // held until the next idle pass applies the script
    handle_logic_rate_keys();
    EXPECT_EQ(headless_timer_hz(), k[1]);
  }
  // Two keys held at once are taken in order, each waited out.
  int now = headless_tick();
  headless_hold(KEY_F2, now + 1, now + 3);
  headless_hold(KEY_F4, now + 1, now + 8);
  plat_idle();
  handle_logic_rate_keys();
  EXPECT_EQ(headless_timer_hz(), 20) << "F2 first, then F4";
  EXPECT_EQ(headless_tick(), now + 9) << "the game waits while a key is held";
}
