// Input: the six logical controls bound to keys or joystick inputs.
#pragma once

// Input codes: 1 to 126 are Allegro key codes; these name joystick inputs.
enum {
  JOY_UP = 1000,
  JOY_DOWN = 1001,
  JOY_LEFT = 1002,
  JOY_RIGHT = 1003,
  JOY_BUTTON_1 = 1004,
  JOY_BUTTON_6 = 1009,
};

struct ControlsData {
  int quit;
  int up;
  int down;
  int left;
  int right;
  int fire;
};

extern ControlsData Controls;

void init_controls(void);
int input_code_down(int code);
void read_controls(void);
int first_input_down(void);
// 1 for a code that names a key or a joystick input.
int input_code_valid(int code);
