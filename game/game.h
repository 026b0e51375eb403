// The top of the program: start-up in its fixed order, the splash and the
// title menu in a loop, each sports day, and shutdown.
#pragma once

#include "events/events.h"

// The start-up steps in order; the first failing step's StartupError.
int init_game(void);
// Releases everything in a fixed order (also after a failed start-up).
void shutdown_game(void);
int game_main(void);

// --- The sports day ---

// An event: its argument is the false starts so far (sprint, swim), the
// attempt number (throw) or unused (catapult).
typedef int (*EventFunction)(int arg);

// The screens and events one sports day calls. A null entry is a piece not
// built yet: no difficulty screen plays on the stored difficulty, a missing
// introduction or end screen is skipped, and a missing event is left out of
// the day (the day is over once every built event is qualified).
struct SportsDayTable {
  int (*selectDifficulty)(void);
  void (*showEventIntro)(int event);
  EventFunction events[EVENT_COUNT];
  void (*gameOverScreen)(void);
  void (*congratulationsScreen)(void);
  void (*championCelebration)(void);
};

extern SportsDayTable SportsDay;
// The table as the game ships it (tests restore it after standing in).
extern const SportsDayTable SPORTS_DAY_DEFAULT;

// The difficulty, the four events in order and the end screen.
int run_sports_day(void);
