// The six logical controls, read from the keyboard and the first joystick.
#include "input/input.h"

#include <allegro.h>

ControlsData Controls;

void init_controls(void) { Controls = ControlsData(); }

static int key_down(int code) { return code >= 1 && code < KEY_MAX && key[code]; }

// The first flag of an axis means up or left, the second down or right.
static int joy_direction(int axis, int second) {
  if (num_joysticks < 1) return 0;
  const JOYSTICK_AXIS_INFO &a = joy[0].stick[0].axis[axis];
  return second ? a.d2 : a.d1;
}

int input_code_down(int code) {
  poll_joystick();
  switch (code) {
  case JOY_UP: return joy_direction(1, 0) || key[KEY_UP];
  case JOY_DOWN: return joy_direction(1, 1) || key[KEY_DOWN];
  case JOY_LEFT: return joy_direction(0, 0) || key[KEY_LEFT];
  case JOY_RIGHT: return joy_direction(0, 1) || key[KEY_RIGHT];
  default: break;
  }
  if (code >= JOY_BUTTON_1 && code <= JOY_BUTTON_6) {
    int button = code - JOY_BUTTON_1;
    return num_joysticks >= 1 && button < joy[0].num_buttons && joy[0].button[button].b;
  }
  return 0;
}

// A key code or a joystick code; anything else reads as never down.
static int bound_down(int code) { return code >= JOY_UP ? input_code_down(code) : key_down(code); }

// Directions bound to a key (or their own joystick direction) keep their
// arrow key as well.
static int direction_down(int code, int arrow) {
  if (code >= JOY_UP) return input_code_down(code);
  return key_down(code) || key[arrow];
}

void read_controls(void) {
  Controls = ControlsData();
  Controls.up = direction_down(Settings.up, KEY_UP) ? 1 : 0;
  Controls.down = direction_down(Settings.down, KEY_DOWN) ? 1 : 0;
  Controls.left = direction_down(Settings.left, KEY_LEFT) ? 1 : 0;
  Controls.right = direction_down(Settings.right, KEY_RIGHT) ? 1 : 0;
  Controls.fire = bound_down(Settings.fire) ? 1 : 0;
  Controls.quit = (key[KEY_ESC] || bound_down(Settings.quit)) ? 1 : 0;
}

int first_input_down(void) {
  for (int code = 1; code < KEY_MAX; code++)
    if (key[code]) return code;
  for (int code = JOY_UP; code <= JOY_BUTTON_6; code++)
    if (input_code_down(code)) return code;
  return 0;
}
