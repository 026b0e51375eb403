// Sports days played from the title menu with random input, on every
// difficulty, with and without the cheat: nothing crashes, the object pool
// never fills, every day ends. Under the sanitizers this also proves no
// memory fault and no leak.
//   QVL_SOAK_DAYS=N   days to play (default 6: each difficulty, each way)
#include "events/events.h"
#include "game/game.h"
#include "frontend/frontend.h"
#include "headless/headless.h"
#include "objects/objects.h"
#include "persist/persist.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The input's own generator, so the game's random sequence stays its own.
unsigned InputSeed = 1;

int input_below(int n) {
  InputSeed = InputSeed * 1103515245u + 12345u;
  return (int)((InputSeed >> 8) % (unsigned)n);
}

int MostObjects = 0;
int Mode = 0;
int ModeUntil = 0;

void toggle(int code, int oneIn) {
  if (input_below(oneIn) != 0) return;
  if (key[code]) {
    headless_release(code);
  } else {
    headless_press(code);
  }
}

void release_all(void) {
  for (int code = 1; code < KEY_MAX; code++) {
    if (key[code]) headless_release(code);
  }
}

// Spells of mashing left and right, of wild pressing and of rest (long
// enough, now and then, to sit out a starter's countdown), with the fire
// control, the directions, the quit control and the logic-rate keys thrown
// in now and then.
void random_input(int tick) {
  if (tick >= ModeUntil) {
    Mode = input_below(4);
    ModeUntil = tick + 30 + input_below(600);
    if (Mode >= 2) release_all();
  }
  if (Mode >= 2) return;
  if (Mode == 0 && tick % (1 + input_below(3)) == 0) {
    bool left = key[KEY_LEFT];
    if (left) headless_release(KEY_LEFT); else headless_press(KEY_LEFT);
    if (left) headless_press(KEY_RIGHT); else headless_release(KEY_RIGHT);
  }
  if (Mode == 1) {
    for (int code : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}) toggle(code, 4);
  }
  toggle(KEY_SPACE, 25);
  toggle(KEY_UP, 200);
  toggle(KEY_DOWN, 200);
  if (key[KEY_ESC] || input_below(6000) == 0) toggle(KEY_ESC, 1);
  for (int f = KEY_F1; f <= KEY_F5; f++) toggle(f, 40000);
  int active = 0;
  for (const GameObject &o : ObjectPool) active += o.active != 0;
  if (active > MostObjects) MostObjects = active;
}

// The title menu until play is chosen, then one whole day.
int play_one_day(int cheat) {
  title_logo_drop();
  if (cheat) {
    for (int code : {KEY_4, KEY_6, KEY_RCONTROL, KEY_RSHIFT}) headless_press(code);
  }
  int menus = 0;
  while (!QuitFlag && menus++ < 50) {
    int choice = title_menu();
    for (int code : {KEY_4, KEY_6, KEY_RCONTROL, KEY_RSHIFT}) headless_release(code);
    if (choice == MENU_PLAY) return run_sports_day();
  }
  return -1;
}

TEST(Soak, RandomSportsDaysFromTheTitleMenu) {
  const char *env = getenv("QVL_SOAK_DAYS");
  int days = env ? atoi(env) : 6;
  for (int day = 0; day < days; day++) {
    HeadlessOptions options;
    options.seed = 1000u + (unsigned)day;
    options.tickLimit = 400000;
    ASSERT_TRUE(headless_start(options));
    InputSeed = options.seed;
    MostObjects = 0;
    Mode = 0;
    ModeUntil = 0;
    int difficulty = day % 3, cheat = (day / 3) % 2;
    Settings.difficulty = difficulty;
    headless_on_tick(random_input);
    int outcome = play_one_day(cheat);
    SCOPED_TRACE("day " + std::to_string(day) + " difficulty " + std::to_string(difficulty) + " cheat " +
                 std::to_string(cheat));
    EXPECT_FALSE(QuitFlag) << "the day never ended";
    EXPECT_GE(outcome, OUTCOME_NONE);
    EXPECT_LT(MostObjects, MAX_OBJECTS) << "the object pool filled";
    if (cheat) {
      EXPECT_EQ(CheatMode, 1);
    }
    if (cheat && outcome != OUTCOME_QUIT) {
      EXPECT_EQ(outcome, OUTCOME_ALL_DONE);
    }
    // The difficulty screen may have moved off the one it started on.
    printf("day %d: difficulty %d cheat %d outcome %d ticks %d most objects %d\n", day, Settings.difficulty, cheat,
           outcome, headless_tick(), MostObjects);
    headless_stop();
  }
}

}  // namespace
