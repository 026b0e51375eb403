// The throw's busiest tick with its frame: the ball's first touch-down,
// which adds the dust puff and the landing mark, sends the measurer out and
// draws both cameras. Goal: under 0.3 ms together.
#include <benchmark/benchmark.h>

#include <string.h>

#include "events/events.h"
#include "events/throw.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/sound.h"

// The fair 45-degree throw of the replays: run-up presses, then fire held
// for 32 ticks of aiming. Its ball first touches down on tick 487.
static void press_for_tick(int t) {
  int running = t >= 151 && t <= 260;
  key[KEY_LEFT] = running && (t - 151) / 3 % 2 == 0;
  key[KEY_RIGHT] = running && (t - 151) / 3 % 2 == 1;
  key[KEY_SPACE] = t >= 240 && t <= 283;
}

#define TOUCH_DOWN_TICK 487

struct ThrowSnapshot {
  GameObject pool[MAX_OBJECTS];
  PaceController lanes[LANE_COUNT];
  ThrowRun run;
  int cameraX[MAX_CAMERAS];
  int verdict;
};

static void take(ThrowSnapshot *s) {
  memcpy(s->pool, ObjectPool, sizeof ObjectPool);
  memcpy(s->lanes, Lanes, sizeof Lanes);
  s->run = Throw;
  for (int i = 0; i < MAX_CAMERAS; i++) s->cameraX[i] = Cameras[i].x;
  s->verdict = Verdict;
}

static void put_back(const ThrowSnapshot *s) {
  memcpy(ObjectPool, s->pool, sizeof ObjectPool);
  memcpy(Lanes, s->lanes, sizeof Lanes);
  Throw = s->run;
  for (int i = 0; i < MAX_CAMERAS; i++) Cameras[i].x = s->cameraX[i];
  Verdict = s->verdict;
}

static void BM_ThrowTouchDownTickWithFrame(benchmark::State &state) {
  if (!headless_start(HeadlessOptions())) {
    state.SkipWithError("headless start failed");
    headless_stop();
    return;
  }
  set_qualifying_marks(NOVICE);
  load_music_set(MUSIC_SET_SPORTS_DAY);
  throw_begin(0);
  for (int t = 1; t < TOUCH_DOWN_TICK; t++) {
    press_for_tick(t);
    throw_tick();
  }
  press_for_tick(TOUCH_DOWN_TICK);
  static ThrowSnapshot before;
  take(&before);
  for (auto _ : state) {
    state.PauseTiming();
    put_back(&before);
    state.ResumeTiming();
    throw_tick();
    throw_draw();
  }
  if (Throw.camTarget == 0) state.SkipWithError("the ball did not touch down on the measured tick");
  throw_end();
  headless_stop();
}
BENCHMARK(BM_ThrowTouchDownTickWithFrame)->Unit(benchmark::kMicrosecond);
