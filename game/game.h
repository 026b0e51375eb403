// The top of the program: start-up in its fixed order, the splash and the
// title menu in a loop, each sports day, and shutdown.
#pragma once

#include "events/events.h"

// The start-up steps in order; the first failing step's StartupError.
int init_game(void);
// Releases everything in a fixed order (also after a failed start-up).
void shutdown_game(void);
// The command line's options (none: the game as it always was).
int game_main(int argc, char **argv);
// The title menu until QUIT or a closed window, each PLAY a sports day.
void run_title_loop(void);

// --- The sports day ---

// An event: its argument is the false starts so far (sprint, swim), the
// attempt number (throw) or unused (catapult).
typedef int (*EventFunction)(int arg);

// How the day runs an event until it has an outcome.
enum DayRule {
  PLAY_ONCE,
  // Again after a false start; the day's second false start disqualifies.
  PLAY_RACE,
  // Up to three attempts; a qualifying one ends the event at once.
  PLAY_ATTEMPTS,
};

// An event in the day: which it is (for its introduction), its run function
// and its rule.
struct DayEvent {
  int event;
  EventFunction run;
  int rule;
};

// The screens and events one sports day calls, the events in the order
// they are played.
struct SportsDayTable {
  int (*selectDifficulty)(void);
  void (*showEventIntro)(int event);
  const DayEvent *events;
  int eventCount;
  void (*gameOverScreen)(void);
  void (*congratulationsScreen)(void);
  void (*championCelebration)(void);
};

extern SportsDayTable SportsDay;
// The table as the game ships it, every event in its place (tests stand in
// for its screens and events, and restore it).
extern const SportsDayTable SPORTS_DAY_DEFAULT;

// The difficulty, the four events in order and the end screen.
int run_sports_day(void);
