// The busiest catapulting step with its frame: a whole round of balloons in
// the air, last round's labels on the ground, this round's falling, a burst
// playing and a shot popping a balloon. Goal: under 0.3 ms together.
#include <benchmark/benchmark.h>

#include <string.h>

#include "events/events.h"
#include "events/catapult.h"
#include "headless/headless.h"
#include "shell/shell.h"

static GameObject SavedPool[MAX_OBJECTS];
static CatapultRun SavedRun;

static void add_round_in_the_air(void) {
  for (int i = 0; i < CATAPULT_PLACES; i++) {
    GameObject *b = object_at(add_object(490 + 25 * i, 30 + 18 * i, 4, TYPE_BALLOON, 2));
    if (!b) continue;
    set_sequence(b, i % 2 ? SEQ_BALLOON_WOBBLE : SEQ_BALLOON_FLOAT);
    b->targetVy = -1.0f;
    b->vy = -1.0f;
    b->vx = i % 2 ? 2.0f : 0;
    add_object(489 + 25 * i, 145, 5, TYPE_POINTS_LABEL, 20);      // last round's, landed
    add_object(489 + 25 * i, 69 + 9 * i, 5, TYPE_POINTS_LABEL, 10);  // this round's, falling
  }
  add_object(511, 60, 5, TYPE_BURST, 0);
}

// The shot meets the middle of the balloon at place 2 this very step.
static void add_popping_shot(void) {
  for (GameObject &b : ObjectPool) {
    if (!b.active || b.type != TYPE_BALLOON || b.x != 540.0f) continue;
    b.y = 67.0f;
    GameObject *s = object_at(add_object(0, 72, 5, TYPE_SHOT, 0));
    if (s) s->x = b.x + b.width / 2 - s->width / 2;
    Catapult.shot = s;
  }
}

static bool set_up(void) {
  if (!headless_start(HeadlessOptions())) return false;
  set_qualifying_marks(NOVICE);
  catapult_begin();
  Catapult.startCountdown = 0;
  Catapult.round = 2;
  Catapult.balloonTimer = 120;
  Catapult.score = Catapult.shownScore = 350;
  Catapult.viewX = 3;
  Catapult.headerY = 0;
  scroll_camera(0, 314);
  add_round_in_the_air();
  add_popping_shot();
  memcpy(SavedPool, ObjectPool, sizeof SavedPool);
  SavedRun = Catapult;
  return true;
}

static void BM_CatapultBusiestStepWithFrame(benchmark::State &state) {
  if (!set_up()) {
    state.SkipWithError("headless start failed");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    memcpy(ObjectPool, SavedPool, sizeof SavedPool);
    Catapult = SavedRun;
    state.ResumeTiming();
    catapult_tick();
    catapult_draw();
  }
  if (Catapult.hitCount != SavedRun.hitCount + 1) state.SkipWithError("the shot did not pop");
  end_scene();
}
BENCHMARK(BM_CatapultBusiestStepWithFrame)->Unit(benchmark::kMicrosecond);
