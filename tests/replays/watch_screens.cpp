// What a replay's report shows of the screens around the events: the
// difficulty pointer and choice, how each introduction ended and whether its
// sounds were cut, which end screen ran and how it ended, and the
// celebration's confetti still falling.
#include "replay.h"

#include "frontend/frontend.h"
#include "headless/headless.h"
#include "sound/fsound.h"
#include "sound/sound.h"

#include <string.h>

static const char *const END_NAMES[3] = {"congratulations", "game over", "celebration"};

struct ScreensSeen {
  int difficultyRunning, selected, endRunning;
};
static ScreensSeen Seen;

static void reset(void) { Seen = ScreensSeen(); }

static void watch_difficulty(int tick) {
  const DifficultyScreenState &d = DifficultyScreen;
  if (d.running && !Seen.difficultyRunning)
    replay_say("t=%d difficulty screen on %d", tick, d.selected);
  else if (d.running && d.selected != Seen.selected)
    replay_say("t=%d difficulty pointer %d", tick, d.selected);
  Seen.selected = d.selected;
  Seen.difficultyRunning = d.running;
}

static void watch_end(int tick) {
  const EndScreenState &e = EndScreen;
  if (e.running && !Seen.endRunning) replay_say("t=%d end screen %s", tick, END_NAMES[e.kind]);
  if (e.running && e.kind == END_CELEBRATION && e.ticks % 300 == 0)
    replay_say("t=%d confetti falling %d, banner y %.1f", tick, confetti_falling(), e.bannerY);
  Seen.endRunning = e.running;
}

static void watch(int tick) {
  watch_difficulty(tick);
  watch_end(tick);
}

// The intro's own sounds still on a channel: its tune and its opening sound.
static int intro_sounds_playing(void) {
  int n = 0;
  FsoundChannelInfo info;
  for (int c = 0; fsound_channel_info(c, &info); c++) {
    bool ours = info.sample == MusicSamples[MUS_INTRO] || info.sample == SoundEffects[SND_SCREEN];
    n += info.sample && ours && info.playing;
  }
  return n;
}

// The celebration's limit is not a step's: it is looked at between frames.
static bool end_timed_out(void) {
  return EndScreen.done || (EndScreen.kind == END_CELEBRATION && EndScreen.ticks >= CELEBRATION_TICKS);
}

void screen_ended(const char *anchor) {
  int t = headless_tick();
  const IntroScreenState &s = IntroScreen;
  const DifficultyScreenState &d = DifficultyScreen;
  if (strcmp(anchor, "difficulty") == 0)
    replay_say("t=%d difficulty -> %d (pointer %d, panel y %d)", t, d.chosen, d.selected, d.panelY);
  if (strcmp(anchor, "intro") == 0)
    replay_say("t=%d intro %d over by %s after %d ticks (title y %d, text x %d), its sounds playing %d", t,
               s.event, s.firePressed ? "fire" : s.done ? "time" : "the closed window", s.ticks, s.titleY, s.textX,
               intro_sounds_playing());
  if (strcmp(anchor, "end") == 0)
    replay_say("t=%d %s over by %s after %d ticks", t, END_NAMES[EndScreen.kind],
               EndScreen.left ? "fire or quit" : end_timed_out() ? "time" : "the closed window", EndScreen.ticks);
}

const ReplayWatcher SCREENS_WATCHER = {reset, watch, nullptr};
