// -timedemo of the good player's whole CHAMPION day, headless: the day's
// replay recorded once by the game's demo recorder, then played back as
// fast as the machine goes with every frame drawn. The figure is the one
// -timedemo prints (from the title menu to the exit; start-up is outside).
// Goal: 20,000 ticks a second or more.
#include <benchmark/benchmark.h>

#include "game/demo.h"
#include "game/game.h"
#include "headless/headless.h"
#include "replays/replay.h"

#include <stdio.h>

static bool record_day(const std::string &demo) {
  Replay day;
  std::string error;
  if (!load_replay(QVL_SOURCE_DIR "/tests/replays/day-champion.replay", &day, &error)) return false;
  ReplayCapture capture;
  capture.demoFile = demo;
  run_replay(day, capture);
  return true;
}

static void BM_TimedemoChampionDay(benchmark::State &state) {
  std::string demo = "/tmp/qvl-timedemo-bench.demo";
  if (!record_day(demo)) {
    state.SkipWithError("the day's replay cannot be read");
    return;
  }
  DemoReport = fopen("/dev/null", "w");
  double ticks = 0, seconds = 0;
  for (auto _ : state) {
    headless_start();
    CommandLine line = {DEMO_TIME, demo.c_str()};
    if (demo_prepare(&line)) {
      demo_begin();
      run_title_loop();
      if (demo_finish() != 0) state.SkipWithError("the demo did not verify");
    }
    headless_stop();
    ticks += LastPlayback.ticks;
    seconds += LastPlayback.seconds;
  }
  fclose(DemoReport);
  DemoReport = nullptr;
  remove(demo.c_str());
  state.counters["ticks_per_second"] = seconds > 0 ? ticks / seconds : 0;
  state.counters["ticks_per_day"] = ticks / state.iterations();
}
BENCHMARK(BM_TimedemoChampionDay)->Unit(benchmark::kMillisecond);
