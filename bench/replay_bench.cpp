// How fast the sprint replays headless: logic ticks per second with a frame
// drawn into the Backbuffer after every tick. Goal: 10,000 or more.
#include <benchmark/benchmark.h>

#include "events/events.h"
#include "events/sprint.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"

static bool start_host(void) {
  static bool started = false;
  if (!started) started = headless_start(HeadlessOptions());
  return started;
}

// One whole perfect sprint, tick by tick, drawing after each tick without
// presenting. Returns the ticks run.
static long one_sprint(void) {
  set_qualifying_marks(NOVICE);
  sprint_begin(0);
  long ticks = 0;
  while (Sprint.outcome == 0) {
    ticks++;
    int racing = ticks > SPRINT_START_COUNTDOWN;
    key[KEY_LEFT] = racing && (ticks & 1);
    key[KEY_RIGHT] = racing && !(ticks & 1);
    sprint_tick();
    sprint_draw();
  }
  key[KEY_LEFT] = key[KEY_RIGHT] = 0;
  sprint_end();
  return ticks;
}

static void BM_SprintTicksWithFrames(benchmark::State &state) {
  if (!start_host()) {
    state.SkipWithError("headless start failed");
    return;
  }
  long ticks = 0;
  for (auto _ : state) ticks += one_sprint();
  state.counters["ticks_per_second"] = benchmark::Counter((double)ticks, benchmark::Counter::kIsRate);
  state.counters["ticks_per_sprint"] = (double)ticks / state.iterations();
}
BENCHMARK(BM_SprintTicksWithFrames)->Unit(benchmark::kMillisecond);

// The same sprint through run_sprint's own loop on the virtual clock, with
// its presents (which the headless host only counts).
static void BM_SprintReplayedThroughItsLoop(benchmark::State &state) {
  if (!start_host()) {
    state.SkipWithError("headless start failed");
    return;
  }
  long ticks = 0;
  for (auto _ : state) {
    headless_clear_script();
    int s = headless_tick();
    for (int t = 501; t <= 1400; t++) headless_hold(t & 1 ? KEY_LEFT : KEY_RIGHT, s + t, s + t);
    set_qualifying_marks(NOVICE);
    run_sprint(0);
    ticks += headless_tick() - s;
  }
  state.counters["ticks_per_second"] = benchmark::Counter((double)ticks, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SprintReplayedThroughItsLoop)->Unit(benchmark::kMillisecond);
