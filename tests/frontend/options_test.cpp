// The options menu's entries on values a hand-edited file can hold, its
// sound rates, joystick bindings, and a screen mode that cannot be set.
#include <gtest/gtest.h>

#include "frontend/frontend.h"
#include "headless/headless.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

#include <allegro/internal/aintern.h>

#include <vector>

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(headless_start(HeadlessOptions()));
    headless_freeze_clock(1);
  }
  void TearDown() override {
    num_joysticks = 0;
    joy[0] = JOYSTICK_INFO();
    headless_stop();
  }
  // One tick of the menu with these keys down, and nothing else.
  void tick_with(std::vector<int> keys) {
    for (int k = 1; k < KEY_MAX; k++) key[k] = 0;
    for (int k : keys) key[k] = 1;
    options_tick();
  }
  void open_on(int entry) {
    options_begin(-1);
    OptionsMenu.selection = entry;
    tick_with({});
  }
};

TEST_F(OptionsTest, FireStepsEachValueIntoItsCycle) {
  struct Case {
    int entry;
    int SettingsData::*field;
    int from, to;
  } cases[] = {
      {OPTION_SOUND_VOLUME, &SettingsData::soundvolume, 8, 0},
      {OPTION_MUSIC_VOLUME, &SettingsData::musicvolume, 7, 8},
      {OPTION_WINDOWED, &SettingsData::windowed, 5, 0},
      {OPTION_WINDOWED, &SettingsData::windowed, 0, 1},
      {OPTION_FORCERATE, &SettingsData::forcerate, -1, 0},
      {OPTION_CPU_USAGE, &SettingsData::cpu_usage, 4, 1},
      {OPTION_CPU_USAGE, &SettingsData::cpu_usage, 0, 1},
      {OPTION_CPU_USAGE, &SettingsData::cpu_usage, 9, 1},
      {OPTION_CPU_USAGE, &SettingsData::cpu_usage, 3, 4},
  };
  for (const Case &c : cases) {
    Settings.*c.field = c.from;
    open_on(c.entry);
    tick_with({KEY_SPACE});
    EXPECT_EQ(Settings.*c.field, c.to) << "entry " << c.entry << " from " << c.from;
    tick_with({});
    options_end();
  }
}

static std::vector<int> menu_rates(void) {
  std::vector<int> rates;
  FsoundLogEntry entry;
  for (int i = 0; sound_log_entry(i, &entry); i++)
    if (entry.call == FCALL_FREQUENCY) rates.push_back(entry.value);
  sound_log_clear();
  return rates;
}

TEST_F(OptionsTest, MovesFireAndCapturedKeysSoundAtTheirOwnRates) {
  open_on(OPTION_REDEFINE - 1);
  sound_log_clear();
  tick_with({KEY_DOWN});
  EXPECT_EQ(menu_rates(), std::vector<int>{44100});
  tick_with({});
  tick_with({KEY_SPACE});
  EXPECT_EQ(menu_rates(), std::vector<int>{49100});
  tick_with({});
  tick_with({KEY_A});
  EXPECT_EQ(menu_rates(), std::vector<int>{10000});
}

TEST_F(OptionsTest, JoystickButtonsAndDirectionsCanBeBound) {
  num_joysticks = 1;
  joy[0].num_buttons = 6;
  open_on(OPTION_REDEFINE);
  tick_with({KEY_SPACE});
  tick_with({});
  joy[0].stick[0].axis[0].d1 = 1;  // pushed left
  tick_with({});
  joy[0].stick[0].axis[0].d1 = 0;
  joy[0].button[2].b = 1;
  tick_with({});
  joy[0].button[2].b = 0;
  joy[0].button[5].b = 1;
  tick_with({});
  EXPECT_EQ((std::vector<int>{Settings.left, Settings.right, Settings.fire}),
            (std::vector<int>{JOY_LEFT, JOY_BUTTON_1 + 2, JOY_BUTTON_6}));
  EXPECT_EQ(OptionsMenu.redefineStep, 0);
}

// Neither the new mode nor the old one: the game closes the normal way,
// with a message, and the file keeps the mode that last worked.
TEST_F(OptionsTest, NoScreenModeAtAllClosesTheGame) {
  headless_freeze_clock(0);
  headless_fail_gfx_modes(2);
  options_begin(-1);
  Settings.windowed = 1;
  OptionsMenu.accept = 1;
  options_end();
  EXPECT_EQ(OptionsMenu.modeChange, MODE_LOST);
  EXPECT_EQ(QuitFlag, 1);
  EXPECT_EQ(headless_error_boxes(), 1);
  EXPECT_EQ(screen, nullptr);
  EXPECT_EQ(Settings.windowed, 0);
  load_settings();
  EXPECT_EQ(Settings.windowed, 0);
  EXPECT_EQ(title_menu(), 0) << "the title menu leaves at once";
}

TEST_F(OptionsTest, NoThanksTakesThe60HzRequestBack) {
  for (int forcerate : {1, 0}) {
    options_begin(-1);
    Settings.forcerate = forcerate;
    OptionsMenu.accept = 1;
    options_end();
    EXPECT_EQ(_refresh_rate_request, forcerate ? 60 : 0);
  }
}
