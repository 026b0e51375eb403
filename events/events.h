// Sports day: the flow of the four events and what they share.
#pragma once

#include "objects/objects.h"

enum Difficulty { NOVICE = 0, AMATEUR = 1, CHAMPION = 2 };

enum EventOutcome {
  OUTCOME_NONE = 0,
  OUTCOME_FALSE_START = 1,
  OUTCOME_QUALIFIED = 2,
  OUTCOME_QUIT = 3,
  OUTCOME_FAILED = 4,
  OUTCOME_ALL_DONE = 5,
};

enum EventIndex { EVENT_SPRINT, EVENT_CATAPULT, EVENT_SWIM, EVENT_THROW, EVENT_COUNT };

// Qualifying marks of the sports day in progress.
extern int SprintMark;
extern int CatapultMark;
extern int SwimMark;
extern int ThrowMark;

int run_sports_day(void);
int run_sprint(int falseStarts);
