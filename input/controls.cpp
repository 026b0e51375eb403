// The six logical controls, read from the keyboard and the first joystick.
#include "input/input.h"

#include <allegro.h>

ControlsData Controls;
const InputCopy *InputFrozen = nullptr;

void init_controls(void) { Controls = ControlsData(); }

static int key_down(int code) {
  if (code < 1 || code >= KEY_MAX) return 0;
  return InputFrozen ? InputFrozen->keys[code] : key[code];
}

// The first flag of an axis means up or left, the second down or right.
static int joy_direction(int axis, int second) {
  if (num_joysticks < 1) return 0;
  const JOYSTICK_AXIS_INFO &a = joy[0].stick[0].axis[axis];
  return second ? a.d2 : a.d1;
}

static int live_joystick_down(int code) {
  poll_joystick();
  switch (code) {
  case JOY_UP: return joy_direction(1, 0);
  case JOY_DOWN: return joy_direction(1, 1);
  case JOY_LEFT: return joy_direction(0, 0);
  case JOY_RIGHT: return joy_direction(0, 1);
  default: break;
  }
  if (code >= JOY_BUTTON_1 && code <= JOY_BUTTON_6) {
    int button = code - JOY_BUTTON_1;
    return num_joysticks >= 1 && button < joy[0].num_buttons && joy[0].button[button].b;
  }
  return 0;
}

static int joystick_down(int code) {
  if (code < JOY_UP || code > JOY_BUTTON_6) return 0;
  return InputFrozen ? InputFrozen->joy[code - JOY_UP] : live_joystick_down(code);
}

// A joystick direction keeps its arrow key as well.
int input_code_down(int code) {
  static const int ARROWS[4] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
  int down = joystick_down(code);
  if (code >= JOY_UP && code <= JOY_RIGHT) down = down || key_down(ARROWS[code - JOY_UP]);
  return down;
}

int key_held(int code) { return code >= JOY_UP ? joystick_down(code) : key_down(code); }

void copy_live_input(InputCopy *out) {
  for (int code = 0; code < KEY_MAX; code++) out->keys[code] = code > 0 && key[code] ? 1 : 0;
  for (int i = 0; i < JOY_INPUTS; i++) out->joy[i] = live_joystick_down(JOY_UP + i) ? 1 : 0;
}

// A key code or a joystick code; anything else reads as never down.
static int bound_down(int code) { return code >= JOY_UP ? input_code_down(code) : key_down(code); }

// Directions bound to a key (or their own joystick direction) keep their
// arrow key as well.
static int direction_down(int code, int arrow) {
  if (code >= JOY_UP) return input_code_down(code);
  return key_down(code) || key_down(arrow);
}

void read_controls(void) {
  Controls = ControlsData();
  Controls.up = direction_down(Settings.up, KEY_UP) ? 1 : 0;
  Controls.down = direction_down(Settings.down, KEY_DOWN) ? 1 : 0;
  Controls.left = direction_down(Settings.left, KEY_LEFT) ? 1 : 0;
  Controls.right = direction_down(Settings.right, KEY_RIGHT) ? 1 : 0;
  Controls.fire = bound_down(Settings.fire) ? 1 : 0;
  Controls.quit = (key_down(KEY_ESC) || bound_down(Settings.quit)) ? 1 : 0;
}

int first_input_down(void) {
  for (int code = 1; code < KEY_MAX; code++)
    if (key_down(code)) return code;
  for (int code = JOY_UP; code <= JOY_BUTTON_6; code++)
    if (input_code_down(code)) return code;
  return 0;
}
