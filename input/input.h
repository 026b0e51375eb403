// Input: the six logical controls bound to keys or joystick inputs (the
// input codes are the bindings as the settings hold them, persist.h).
#pragma once

#include "persist/persist.h"

#include <allegro.h>

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

// What the game reads of the keyboard and the joystick: Allegro's own state,
// live, or (while a demo is recorded or played) a copy taken once a pass, so
// every step of a pass reads the same input.
#define JOY_INPUTS (JOY_BUTTON_6 - JOY_UP + 1)
struct InputCopy {
  char keys[KEY_MAX];
  char joy[JOY_INPUTS];
};
// Null: the game reads the live state.
extern const InputCopy *InputFrozen;
// A key (Allegro key code) or joystick input (JOY_UP...) down.
int key_held(int code);
void copy_live_input(InputCopy *out);
