// The swim's busiest tick with its frame: four swimmers splashing and
// ripples across the view. Goal: under 0.3 ms for the two together.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include "events/events.h"
#include "events/swim.h"
#include "headless/headless.h"
#include "shell/shell.h"

static bool start_host(void) {
  static bool started = false;
  if (!started) started = headless_start(HeadlessOptions());
  return started;
}

static int active_objects(void) {
  int n = 0;
  for (const GameObject &obj : ObjectPool) n += obj.active;
  return n;
}

static void swim_keys(void) {
  int racing = Swim.tick >= SWIM_START_COUNTDOWN;
  key[KEY_LEFT] = racing && (Swim.tick & 1);
  key[KEY_RIGHT] = racing && !(Swim.tick & 1);
}

// The race as it stands before its fullest tick.
struct SwimSnapshot {
  GameObject pool[MAX_OBJECTS];
  PaceController lanes[LANE_COUNT];
  SwimRun swim;
  int cameraX;
};

// A perfect swimmer's race up to the tick before the pool is fullest in
// the first 300 ticks of racing, when all four swimmers are in the water.
static void busiest_moment(SwimSnapshot *snap) {
  set_qualifying_marks(NOVICE);
  srand(1);
  swim_begin(0);
  int fullest = 0, fullestTick = 0;
  for (int t = 1; t <= SWIM_START_COUNTDOWN + 300; t++) {
    swim_keys();
    swim_tick();
    if (t > SWIM_START_COUNTDOWN + 60 && active_objects() > fullest) {
      fullest = active_objects();
      fullestTick = t;
    }
  }
  key[KEY_LEFT] = key[KEY_RIGHT] = 0;
  swim_end();
  srand(1);
  swim_begin(0);
  while (Swim.tick < fullestTick - 1) {
    swim_keys();
    swim_tick();
  }
  for (int i = 0; i < MAX_OBJECTS; i++) snap->pool[i] = ObjectPool[i];
  for (int i = 0; i < LANE_COUNT; i++) snap->lanes[i] = Lanes[i];
  snap->swim = Swim;
  snap->cameraX = Cameras[0].x;
}

static void restore(const SwimSnapshot &snap) {
  for (int i = 0; i < MAX_OBJECTS; i++) ObjectPool[i] = snap.pool[i];
  for (int i = 0; i < LANE_COUNT; i++) Lanes[i] = snap.lanes[i];
  Swim = snap.swim;
  Cameras[0].x = snap.cameraX;
  srand(2);
  swim_keys();
}

static void BM_SwimBusiestTickWithFrame(benchmark::State &state) {
  if (!start_host()) {
    state.SkipWithError("headless start failed");
    return;
  }
  static SwimSnapshot snap;
  busiest_moment(&snap);
  for (auto _ : state) {
    state.PauseTiming();
    restore(snap);
    state.ResumeTiming();
    swim_tick();
    swim_draw();
  }
  state.counters["objects"] = active_objects();
  key[KEY_LEFT] = key[KEY_RIGHT] = 0;
  swim_end();
}
BENCHMARK(BM_SwimBusiestTickWithFrame)->Unit(benchmark::kMicrosecond);
