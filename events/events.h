// The four events, as the sports day and the screens around them see them:
// the difficulties, the outcomes, the events in the day's order and their
// qualifying marks. What the events share is in support.h, each event's own
// state and pieces in its header.
#pragma once

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

// Sets the four marks for a difficulty (held to NOVICE..CHAMPION).
void set_qualifying_marks(int difficulty);

// The events: the argument is the false starts so far (sprint, swim), the
// attempt number (throw) or unused (catapult).
int run_sprint(int falseStarts);
int run_catapult(int unused);
int run_swim(int falseStarts);
int run_throw(int attempt);
