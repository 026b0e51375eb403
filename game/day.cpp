// One sports day: the difficulty, the four events in order with their false
// starts and attempts, the records after every event and the end screen.
#include "game/game.h"

#include "frontend/frontend.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/sound.h"

// The events in the order they are played.
static constexpr DayEvent DAY_EVENTS[] = {
    {EVENT_SPRINT, run_sprint, PLAY_RACE},
    {EVENT_CATAPULT, run_catapult, PLAY_ONCE},
    {EVENT_SWIM, run_swim, PLAY_RACE},
    {EVENT_THROW, run_throw, PLAY_ATTEMPTS},
};

static constexpr int DAY_EVENT_COUNT = (int)(sizeof DAY_EVENTS / sizeof DAY_EVENTS[0]);

static constexpr bool every_event_in_its_place(void) {
  for (int i = 0; i < DAY_EVENT_COUNT; i++)
    if (DAY_EVENTS[i].event != i || !DAY_EVENTS[i].run) return false;
  return DAY_EVENT_COUNT == EVENT_COUNT;
}

// An event added to EventIndex but not here (or out of its order) fails the
// build rather than being left out of the day.
static_assert(every_event_in_its_place(), "every event has its place in the day, in order");

const SportsDayTable SPORTS_DAY_DEFAULT = {
    select_difficulty,
    show_event_intro,
    DAY_EVENTS,
    DAY_EVENT_COUNT,
    game_over_screen,
    congratulations_screen,
    champion_celebration,
};

SportsDayTable SportsDay = SPORTS_DAY_DEFAULT;

#define MAX_FALSE_STARTS 2
#define THROW_ATTEMPTS 3

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

static int run_event(const DayEvent *e, int *falseStarts) {
  if (e->rule == PLAY_RACE) return run_race(e->run, falseStarts);
  if (e->rule == PLAY_ATTEMPTS) return run_attempts(e->run);
  return e->run(0);
}

static void show_end_screen(int outcome, int difficulty) {
  void (*screen)(void) = SportsDay.gameOverScreen;
  if (outcome == OUTCOME_QUIT) return;
  if (outcome == OUTCOME_ALL_DONE)
    screen = difficulty == CHAMPION ? SportsDay.championCelebration
                                    : SportsDay.congratulationsScreen;
  screen();
}

static int going_on(int outcome) { return outcome == OUTCOME_NONE || outcome == OUTCOME_QUALIFIED; }

// After each event the records are saved and the screen stays black until
// every control is up. A day with no event left is done.
static int run_events(void) {
  int next = 0, falseStarts = 0;
  int outcome = next < SportsDay.eventCount ? OUTCOME_NONE : OUTCOME_ALL_DONE;
  while (going_on(outcome) && !QuitFlag) {
    const DayEvent *e = &SportsDay.events[next];
    SportsDay.showEventIntro(e->event);
    outcome = run_event(e, &falseStarts);
    if (QuitFlag) return OUTCOME_QUIT;
    if (going_on(outcome) && ++next == SportsDay.eventCount) outcome = OUTCOME_ALL_DONE;
    save_records();
    wait_controls_released(1);
    drop_owed_ticks();
  }
  return outcome;
}

int run_sports_day(void) {
  restart_pacing(PACING_NEW_DAY);
  int difficulty = SportsDay.selectDifficulty();
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
