// The 100 metre sprint: its state and its pieces, for drivers that run it
// tick by tick.
#pragma once

#include "events/support.h"

#define SPRINT_START_COUNTDOWN 500
// A runner is past the finishing line once beyond this x.
#define SPRINT_FINISH_X 2586.0f

// The sprint in progress (or the last one run).
extern RaceRun Sprint;

void sprint_begin(int falseStarts);
void sprint_tick(void);
void sprint_draw(void);
int sprint_end(void);
