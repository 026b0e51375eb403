// One sports day: the difficulty, the four events in order with their false
// starts and attempts, the records after every event and the end screen.
#include "game/game.h"

#include "frontend/frontend.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/sound.h"

// The screens and events of a sports day (tests stand in for them).
const SportsDayTable SPORTS_DAY_DEFAULT = {
    select_difficulty,
    show_event_intro,
    {run_sprint, run_catapult, run_swim, run_throw},
    game_over_screen,
    congratulations_screen,
    champion_celebration,
};

SportsDayTable SportsDay = SPORTS_DAY_DEFAULT;

#define MAX_FALSE_STARTS 2
#define THROW_ATTEMPTS 3

static int choose_difficulty(void) {
  if (SportsDay.selectDifficulty) return SportsDay.selectDifficulty();
  int stored = Settings.difficulty;
  return stored < NOVICE ? NOVICE : stored > CHAMPION ? CHAMPION : stored;
}

// The first built event from index on; EVENT_COUNT when none is left.
static int next_built_event(int index) {
  while (index < EVENT_COUNT && !SportsDay.events[index]) index++;
  return index;
}

// Sprint and swim: run again after a false start; the second of the day
// disqualifies.
static int run_race(EventFunction event, int *falseStarts) {
  int outcome = OUTCOME_NONE;
  while ((outcome == OUTCOME_NONE || outcome == OUTCOME_FALSE_START) && !QuitFlag) {
    outcome = event(*falseStarts);
    if (outcome != OUTCOME_FALSE_START) continue;
    (*falseStarts)++;
    if (*falseStarts >= MAX_FALSE_STARTS) outcome = OUTCOME_FAILED;
  }
  return outcome;
}

// Throw: up to three attempts; a qualifying one ends the event at once.
static int run_attempts(EventFunction event) {
  int outcome = OUTCOME_NONE;
  int attempt = 0;
  while (attempt < THROW_ATTEMPTS && outcome == OUTCOME_NONE && !QuitFlag) {
    outcome = event(attempt);
    if (outcome == OUTCOME_FAILED && attempt < THROW_ATTEMPTS - 1) {
      attempt++;
      outcome = OUTCOME_NONE;
    }
  }
  return outcome;
}

static int run_event(int index, int *falseStarts) {
  EventFunction event = SportsDay.events[index];
  if (index == EVENT_SPRINT || index == EVENT_SWIM) return run_race(event, falseStarts);
  if (index == EVENT_THROW) return run_attempts(event);
  return event(0);
}

static void show_end_screen(int outcome, int difficulty) {
  void (*screen)(void) = SportsDay.gameOverScreen;
  if (outcome == OUTCOME_QUIT) return;
  if (outcome == OUTCOME_ALL_DONE)
    screen = difficulty == CHAMPION ? SportsDay.championCelebration
                                    : SportsDay.congratulationsScreen;
  if (screen) screen();
}

static int run_events(void) {
  int outcome = OUTCOME_NONE;
  int falseStarts = 0;
  int index = next_built_event(0);
  if (index == EVENT_COUNT) return OUTCOME_ALL_DONE;
  while ((outcome == OUTCOME_NONE || outcome == OUTCOME_QUALIFIED) && !QuitFlag) {
    if (SportsDay.showEventIntro) SportsDay.showEventIntro(index);
    outcome = run_event(index, &falseStarts);
    if (QuitFlag) return OUTCOME_QUIT;
    if (outcome == OUTCOME_NONE || outcome == OUTCOME_QUALIFIED) {
      index = next_built_event(index + 1);
      if (index == EVENT_COUNT) outcome = OUTCOME_ALL_DONE;
    }
    save_records();
    wait_controls_released(1);
    drop_owed_ticks();
  }
  return outcome;
}

int run_sports_day(void) {
  restart_pacing(PACING_NEW_DAY);
  int difficulty = choose_difficulty();
  if (difficulty < 0) return OUTCOME_NONE;
  Settings.difficulty = difficulty;
  save_settings();
  load_records();
  set_qualifying_marks(difficulty);
  load_music_set(MUSIC_SET_SPORTS_DAY);
  int outcome = run_events();
  show_end_screen(outcome, difficulty);
  return outcome;
}
