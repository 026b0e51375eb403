// A whole sports day headless, from the title menu through all four events
// to the end screen, with a frame drawn after every tick: logic ticks per
// second of the scripted good player's CHAMPION day. Goal: 10,000 or more.
// The host's start-up (datafile, fonts, sounds) and the report's streams (a
// hash of every frame, every sound named by its entry) are inside the measure.
#include <benchmark/benchmark.h>

#include "headless/headless.h"
#include "replays/replay.h"

#include <stdlib.h>
#include <string.h>

static void BM_WholeSportsDay(benchmark::State &state) {
  Replay day;
  std::string error;
  if (!load_replay(QVL_SOURCE_DIR "/tests/replays/day-champion.replay", &day, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  long ticks = 0;
  for (auto _ : state) {
    std::string report = run_replay(day);
    const char *end = strstr(report.c_str(), "\nend t=");
    if (!end) {
      state.SkipWithError("the day did not end");
      return;
    }
    ticks += atol(end + 7);
  }
  state.counters["ticks_per_second"] = benchmark::Counter((double)ticks, benchmark::Counter::kIsRate);
  state.counters["ticks_per_day"] = (double)ticks / state.iterations();
}
BENCHMARK(BM_WholeSportsDay)->Unit(benchmark::kMillisecond);
