// The 50 metre swim: its state and its pieces, for drivers that run it tick
// by tick.
#pragma once

#include "events/support.h"

#define SWIM_START_COUNTDOWN 450
#define SWIM_CLOSING_END (-300)
// A fresh breath lasts this many ticks, drawn at random.
#define SWIM_BREATH_MIN 300
#define SWIM_BREATH_MAX 330

// State of the swim in progress (or the last one run).
struct SwimRun {
  RaceRun race;
  int fireHeld;
  GameObject *breathWarning;
  GameObject *teacher;
  int teacherStep;
  int lastSwimChannel;
  // For the tests' reports; the game counts it but never reads it.
  int tick;  // logic ticks run, from 1
};

extern SwimRun Swim;

void swim_begin(int falseStarts);
void swim_tick(void);
void swim_draw(void);
int swim_end(void);
