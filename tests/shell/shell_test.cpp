// The shell under the headless driver: pacing, waits, the splash hold, the
// program error screen and the start-up failure texts.
#include "headless/headless.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Shell : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(headless_start()); }
  void TearDown() override { headless_stop(); }
};

// Presents n frames with nothing owed beyond the current tick.
void present_n(int n) {
  for (int i = 0; i < n; i++) {
    TickCounter = 0;
    present_frame();
  }
}

TEST_F(Shell, CpuUsageSetsTheRestAfterEveryPresent) {
  const int expected[] = {0, 6, 12, 15};
  for (int usage = 1; usage <= 4; usage++) {
    Settings.cpu_usage = usage;
    FrameRestMs = 99;
    restart_pacing(PACING_FROM_SETTINGS);
    EXPECT_EQ(FrameRestMs, expected[usage - 1]) << usage;
  }
  Settings.cpu_usage = 2;
  restart_pacing(PACING_FROM_SETTINGS);
  int rests = headless_rests();
  present_n(3);
  EXPECT_EQ(headless_rests(), rests + 3);
  EXPECT_EQ(headless_last_rest_ms(), 6);

  Settings.cpu_usage = 1;
  restart_pacing(PACING_FROM_SETTINGS);
  rests = headless_rests();
  present_n(3);
  EXPECT_EQ(headless_rests(), rests);

  // Out of range leaves the sleep in force.
  Settings.cpu_usage = 2;
  restart_pacing(PACING_FROM_SETTINGS);
  for (int usage : {0, 5, -1}) {
    Settings.cpu_usage = usage;
    restart_pacing(PACING_FROM_SETTINGS);
    EXPECT_EQ(FrameRestMs, 6);
  }
}

TEST_F(Shell, AutomaticRestDropsByTwoAfter600PresentsOnAMachineThatKeepsUp) {
  Settings.cpu_usage = 4;
  restart_pacing(PACING_FROM_SETTINGS);
  present_n(599);
  EXPECT_EQ(FrameRestMs, 15);
  present_n(1);
  EXPECT_EQ(FrameRestMs, 13);
  present_n(1000);
  EXPECT_EQ(FrameRestMs, 13);
}

TEST_F(Shell, AutomaticRestShrinksWhileTheMachineFallsBehindButNeverBelowZero) {
  Settings.cpu_usage = 4;
  restart_pacing(PACING_FROM_SETTINGS);
  // Three ticks late at every present: each once-a-second check (the first
  // at the first present, then every 61) takes a millisecond off.
  for (int i = 0; i < 600; i++) {
    TickCounter = 4;
    present_frame();
  }
  // Checks at presents 1, 62, ... 550: ten of them, then 2 more at the end.
  EXPECT_EQ(FrameRestMs, 3);
  EXPECT_EQ(LateTicks, 1800);

  Settings.cpu_usage = 4;
  FrameRestMs = 1;
  AutoRestFrames = 600;
  AutoRestCountdown = 0;
  for (int i = 0; i < 600; i++) {
    TickCounter = 10;
    present_frame();
  }
  EXPECT_EQ(FrameRestMs, 0);
}

TEST_F(Shell, WaitControlsReleasedBlanksWaitsAndOwesOneTick) {
  clear_to_color(Backbuffer, makecol(255, 255, 255));
  headless_hold(KEY_SPACE, 0, 30);
  headless_press(KEY_LEFT);
  headless_release(KEY_LEFT);
  read_controls();  // the screen's last tick saw fire held
  int presents = headless_presents();
  wait_controls_released(1);
  EXPECT_EQ(headless_presents(), presents + 1);
  EXPECT_EQ(getpixel(Backbuffer, 10, 10), 0);
  EXPECT_GE(headless_tick(), 31);
  EXPECT_EQ(TickCounter, 1);

  // The wait follows the screen's last reading: nothing held then, no wait.
  headless_press(KEY_SPACE);
  int tick = headless_tick();
  wait_controls_released(0);
  EXPECT_EQ(headless_tick(), tick);
  headless_release(KEY_SPACE);

  // Without blanking nothing is presented; a closed window ends the wait.
  headless_press(KEY_ESC);
  read_controls();
  QuitFlag = 1;
  presents = headless_presents();
  tick = headless_tick();
  wait_controls_released(0);
  EXPECT_EQ(headless_presents(), presents);
  EXPECT_EQ(headless_tick(), tick);
  EXPECT_EQ(TickCounter, 1);
}

bool prompt_drawn(void) {
  for (int y = 444; y < 480; y++)
    for (int x = 182; x < 640; x++)
      if (getpixel(screen, x, y) != 0) return true;
  return false;
}

int SawPromptAt = -1;
void watch_prompt(int tick) {
  if (SawPromptAt < 0 && prompt_drawn()) SawPromptAt = tick;
}

TEST_F(Shell, SplashHoldShowsThePromptAtFourSecondsAndEndsAtTen) {
  SawPromptAt = -1;
  headless_on_tick(watch_prompt);
  TickCounter = 0;
  wait_splash();
  headless_on_tick(nullptr);
  EXPECT_EQ(SawPromptAt, 241);  // drawn on the pass that saw 240, seen on the next tick
  EXPECT_EQ(headless_tick(), 601);
  EXPECT_FALSE(prompt_drawn());  // the screen is cleared at the end
}

TEST_F(Shell, SplashHoldEndsOnAKeyAndWaitsForItsRelease) {
  headless_hold(KEY_X, 1, 100);
  TickCounter = 0;
  wait_splash();
  EXPECT_EQ(headless_tick(), 101);
  EXPECT_EQ(first_input_down(), 0);

  // A slow start-up that has used up the four seconds never shows the prompt.
  headless_clear_script();
  SawPromptAt = -1;
  headless_on_tick(watch_prompt);
  TickCounter = 300;
  wait_splash();
  headless_on_tick(nullptr);
  EXPECT_EQ(SawPromptAt, -1);

  QuitFlag = 1;
  int tick = headless_tick();
  wait_splash();
  EXPECT_EQ(headless_tick(), tick);
}

TEST_F(Shell, ProgramErrorScreenWaitsForSpaceOnly) {
  headless_hold(KEY_ENTER, 1, 50);
  headless_hold(KEY_ESC, 1, 50);
  headless_hold(KEY_SPACE, 80, 90);
  TickCounter = 42;
  program_error_screen("Object array full whilst trying to add object type 52");
  EXPECT_EQ(headless_tick(), 91);
  EXPECT_EQ(TickCounter, 0);
  EXPECT_EQ(getpixel(screen, 600, 2), makecol(128, 0, 0));
  // White text on the bar, drawn with a transparent background.
  int white = 0;
  for (int y = 16; y < 24; y++)
    for (int x = 4; x < 400; x++) white += getpixel(screen, x, y) == makecol(255, 255, 255);
  EXPECT_GT(white, 50);
  EXPECT_EQ(getpixel(screen, 639, 0), makecol(128, 0, 0));
  EXPECT_EQ(getpixel(screen, 10, 60), 0);
}

// A clock that cannot start would leave every screen standing still.
TEST_F(Shell, LogicRateReportsATimerThatCannotBeInstalled) {
  EXPECT_EQ(set_logic_rate(60), 1);
  headless_break_timer(1);
  EXPECT_EQ(set_logic_rate(60), 0);
  EXPECT_EQ(headless_timer_hz(), 0);
}

TEST(StartupText, CodesAndMessages) {
  char text[256];
  format_startup_failure(6, text, sizeof text);
  EXPECT_STREQ(text,
               "'Quorvale - Sports Day' failed to start due to the following reason:\n\nError 6, failed to read data "
               "file");
  EXPECT_STREQ(startup_error_message(1), "failed to initialise Allegro");
  EXPECT_STREQ(startup_error_message(4), "failed to initialise keyboard");
  EXPECT_STREQ(startup_error_message(5), "failed to initialise graphics mode");
  EXPECT_STREQ(startup_error_message(7), "failed to initialise sound");
  EXPECT_STREQ(startup_error_message(8), "failed to load sound and music data");
  EXPECT_STREQ(startup_error_message(9), "failed to create backbuffer");
  EXPECT_STREQ(startup_error_message(10), "failed to create fonts");
  EXPECT_STREQ(startup_error_message(13), "failed to install the timer");
  for (int code : {2, 3, 11, 12, 0, 99}) EXPECT_STREQ(startup_error_message(code), "an unknown error occured");
}

TEST(Random, FifteenBitSequenceIsTheSameOnEveryMachine) {
  game_srand(1);
  EXPECT_EQ(game_rand(), 41);
  EXPECT_EQ(game_rand(), 18467);
  EXPECT_EQ(game_rand(), 6334);
  game_srand(1);
  EXPECT_EQ(game_rand(), 41);
  for (int i = 0; i < 10000; i++) ASSERT_LE(game_rand(), 32767);
}

TEST(Random, HelpersStayInTheirRanges) {
  EXPECT_EQ(rand_below(0), 0);
  EXPECT_EQ(rand_int(5, 5), 5);
  EXPECT_EQ(rand_int(7, 3), 7);
  game_srand(3);
  bool seen[3] = {};
  for (int i = 0; i < 1000; i++) {
    int v = rand_int(4, 6);
    ASSERT_GE(v, 4);
    ASSERT_LE(v, 6);
    seen[v - 4] = true;
    float f = rand_float(-0.5f, 0.5f);
    ASSERT_GE(f, -0.5f);
    ASSERT_LT(f, 0.5f);
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
  EXPECT_EQ(rects_overlap(0, 0, 10, 10, 10, 0, 10, 10), 0);
  EXPECT_EQ(rects_overlap(0, 0, 10, 10, 9, 9, 10, 10), 1);
}

}  // namespace
