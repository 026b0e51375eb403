// Decoding every tune and effect of the built main datafile, as start-up
// and the three music sets do between them. Goal: under 150 ms in all.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "headless/headless.h"
#include "shell/entries.h"
#include "shell/shell.h"
#include "sound/fsound.h"

// The tunes, then the effects.
static const int SOUND_ENTRY_COUNT = TUNE_COUNT + SOUND_EFFECT_COUNT;

static int sound_entry(int i) { return i < TUNE_COUNT ? ENTRY_TUNE_INTRO + i : ENTRY_SOUND_BALLOON + i - TUNE_COUNT; }

static FSOUND_SAMPLE *load_entry(int entry) {
  long size = 0;
  const char *data = (const char *)dat_data(entry, &size);
  if (!data || size <= 0) return nullptr;
  return FSOUND_Sample_Load(FSOUND_FREE, data, FSOUND_NORMAL | FSOUND_LOADMEMORY, 0, (int)size);
}

static void BM_DecodeAllSounds(benchmark::State &state) {
  HeadlessOptions options;
  if (!headless_start(options)) {
    state.SkipWithError("the main datafile is not built");
    headless_stop();
    return;
  }
  long bytes = 0;
  long frames = 0;
  int decoded = 0;
  for (auto _ : state) {
    bytes = frames = decoded = 0;
    for (int i = 0; i < SOUND_ENTRY_COUNT; i++) {
      long size = 0;
      dat_data(sound_entry(i), &size);
      FSOUND_SAMPLE *s = load_entry(sound_entry(i));
      bytes += size;
      if (!s) continue;
      decoded++;
      frames += (long)s->pcm->len;
      FSOUND_Sample_Free(s);
    }
  }
  struct stat st {};
  stat(QVL_RUN_DIR "/qvlgam.dat", &st);
  state.counters["decoded"] = decoded;
  state.counters["sound_bytes"] = (double)bytes;
  state.counters["frames"] = (double)frames;
  state.counters["datafile_bytes"] = (double)st.st_size;
  headless_stop();
}
// The machine is shared: the quickest repetition is the figure to read.
static double quickest(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }
BENCHMARK(BM_DecodeAllSounds)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ComputeStatistics("min", quickest)
    ->ReportAggregatesOnly(true);
