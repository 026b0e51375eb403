// Input: the six logical controls bound to keys or joystick inputs (the
// input codes are the bindings as the settings hold them, persist.h).
#pragma once

#include "persist/persist.h"

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
