// The six controls and their bindings, with keys and a joystick written
// straight into Allegro's state arrays.
#include "headless/headless.h"
#include "input/input.h"
#include "persist/persist.h"

#include <gtest/gtest.h>

namespace {

class Controls_ : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(headless_start_bare());
    num_joysticks = 0;
  }
  void TearDown() override {
    clear_joystick();
    headless_stop();
  }
  void clear_joystick() {
    num_joysticks = 0;
    joy[0] = JOYSTICK_INFO();
  }
  void plug_joystick() {
    num_joysticks = 1;
    joy[0].num_buttons = 6;
    joy[0].num_sticks = 1;
  }
  ControlsData read_with(std::initializer_list<int> keys) {
    for (int k : keys) headless_press(k);
    read_controls();
    for (int k : keys) headless_release(k);
    return Controls;
  }
};

TEST_F(Controls_, DefaultBindingsDriveTheSixControls) {
  EXPECT_EQ(read_with({KEY_UP}).up, 1);
  EXPECT_EQ(read_with({KEY_DOWN}).down, 1);
  EXPECT_EQ(read_with({KEY_LEFT}).left, 1);
  EXPECT_EQ(read_with({KEY_RIGHT}).right, 1);
  EXPECT_EQ(read_with({KEY_SPACE}).fire, 1);
  EXPECT_EQ(read_with({KEY_ESC}).quit, 1);
  ControlsData none = read_with({KEY_Q});
  EXPECT_EQ(none.quit + none.up + none.down + none.left + none.right + none.fire, 0);
}

TEST_F(Controls_, ArrowsAndEscapeAlwaysWork) {
  Settings.left = KEY_A;
  EXPECT_EQ(read_with({KEY_A}).left, 1);
  EXPECT_EQ(read_with({KEY_LEFT}).left, 1);

  Settings.fire = KEY_Z;
  EXPECT_EQ(read_with({KEY_SPACE}).fire, 0);
  EXPECT_EQ(read_with({KEY_Z}).fire, 1);

  Settings.quit = JOY_BUTTON_1 + 2;
  EXPECT_EQ(read_with({KEY_ESC}).quit, 1);
}

TEST_F(Controls_, JoystickBindings) {
  plug_joystick();
  Settings.up = JOY_UP;
  EXPECT_EQ(read_with({KEY_UP}).up, 1);
  joy[0].stick[0].axis[1].d1 = 1;
  EXPECT_EQ(read_with({}).up, 1);
  joy[0].stick[0].axis[1].d1 = 0;

  // A direction bound to a button loses its arrow key.
  Settings.up = JOY_BUTTON_1 + 1;
  EXPECT_EQ(read_with({KEY_UP}).up, 0);
  joy[0].button[1].b = 1;
  EXPECT_EQ(read_with({}).up, 1);
  joy[0].button[1].b = 0;

  // One bound to another direction follows that direction and its arrow.
  Settings.left = JOY_RIGHT;
  EXPECT_EQ(read_with({KEY_LEFT}).left, 0);
  EXPECT_EQ(read_with({KEY_RIGHT}).left, 1);
  joy[0].stick[0].axis[0].d2 = 1;
  EXPECT_EQ(read_with({}).left, 1);
}

// Each direction reads its own axis and flag, and no other.
TEST_F(Controls_, EachJoystickDirectionHasItsOwnAxisAndFlag) {
  plug_joystick();
  const int codes[4] = {JOY_UP, JOY_DOWN, JOY_LEFT, JOY_RIGHT};
  const int axes[4] = {1, 1, 0, 0};
  for (int pushed = 0; pushed < 4; pushed++) {
    JOYSTICK_AXIS_INFO &a = joy[0].stick[0].axis[axes[pushed]];
    (pushed % 2 ? a.d2 : a.d1) = 1;
    for (int code = 0; code < 4; code++) EXPECT_EQ(input_code_down(codes[code]), code == pushed) << pushed << code;
    a.d1 = a.d2 = 0;
  }
}

TEST_F(Controls_, CodesThatNameNoInputAreNeverDown) {
  Settings.fire = 500;
  Settings.quit = 127;
  Settings.right = 2000;
  Settings.up = -4;
  ControlsData c = read_with({KEY_SPACE});
  EXPECT_EQ(c.fire, 0);
  EXPECT_EQ(c.quit, 0);
  // The arrow key still works for a direction bound to a nonsense key code.
  EXPECT_EQ(read_with({KEY_UP}).up, 1);
  EXPECT_EQ(read_with({KEY_RIGHT}).right, 0);
  EXPECT_EQ(input_code_down(500), 0);
  EXPECT_EQ(input_code_down(1010), 0);
}

TEST_F(Controls_, WithoutAJoystickItsCodesReadOnlyThroughArrows) {
  for (int code = JOY_UP; code <= JOY_BUTTON_6; code++) EXPECT_EQ(input_code_down(code), 0) << code;
  headless_press(KEY_DOWN);
  EXPECT_EQ(input_code_down(JOY_DOWN), 1);
  headless_release(KEY_DOWN);
}

TEST_F(Controls_, FirstInputDownScansKeysThenJoystick) {
  EXPECT_EQ(first_input_down(), 0);
  headless_press(KEY_Z);
  headless_press(KEY_A);
  EXPECT_EQ(first_input_down(), KEY_A);
  headless_release(KEY_Z);
  headless_release(KEY_A);

  plug_joystick();
  joy[0].button[2].b = 1;
  joy[0].button[5].b = 1;
  EXPECT_EQ(first_input_down(), 1006);
  joy[0].button[2].b = 0;
  EXPECT_EQ(first_input_down(), 1009);

  // A held arrow is its key code, found before the joystick directions.
  headless_press(KEY_LEFT);
  EXPECT_EQ(first_input_down(), KEY_LEFT);
  headless_release(KEY_LEFT);
}

TEST_F(Controls_, HeldControlStaysDownAndResetClearsIt) {
  headless_press(KEY_RIGHT);
  for (int i = 0; i < 3; i++) {
    read_controls();
    EXPECT_EQ(Controls.right, 1);
  }
  init_controls();
  EXPECT_EQ(Controls.right, 0);
  headless_release(KEY_RIGHT);
}

}  // namespace
