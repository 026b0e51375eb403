// The two streams in every replay's report: what the player sees, as a hash
// of the frames presented in each window of FRAME_WINDOW ticks, and what the
// player hears, as every sound call with its tick.
#include "replay.h"

#include "headless/headless.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

#include <stdint.h>
#include <string.h>

#include <map>

// --- Hashing ---

// Four lanes over 64-bit words, so a frame hashes in a few microseconds;
// one word changed anywhere always changes its lane, and so the hash.
struct Hash {
  uint64_t lane[4] = {14695981039346656037ull, 1, 2, 3};
};
static const uint64_t PRIME = 1099511628211ull;

static void hash_bytes(Hash *h, const void *data, size_t size) {
  const unsigned char *p = (const unsigned char *)data;
  size_t i = 0;
  for (; i + 32 <= size; i += 32)
    for (int l = 0; l < 4; l++) {
      uint64_t word;
      memcpy(&word, p + i + 8 * l, 8);
      h->lane[l] = (h->lane[l] ^ word) * PRIME;
    }
  for (; i < size; i++) h->lane[0] = (h->lane[0] ^ p[i]) * PRIME;
}

static unsigned hash_value(const Hash &h) {
  uint64_t v = 14695981039346656037ull;
  for (uint64_t lane : h.lane) v = (v ^ lane) * PRIME;
  return (unsigned)(v ^ (v >> 32));
}

// The 16-bit lines as they are in memory.
static void hash_frame(Hash *h, BITMAP *frame) {
  for (int y = 0; y < frame->h; y++) hash_bytes(h, frame->line[y], (size_t)frame->w * 2);
}

// --- Frames ---

static const int FRAME_WINDOW = 30;

struct FrameWindow {
  int start, last, shown;
  Hash hash;
};
static FrameWindow Window;
static std::string CapturePrefix;
static int CaptureStart = -1;

void frames_reset(int captureStart, const std::string &capturePrefix) {
  Window = FrameWindow();
  CaptureStart = captureStart;
  CapturePrefix = capturePrefix;
}

void frames_flush(int tick) {
  if (!Window.shown || tick < Window.start + FRAME_WINDOW) return;
  replay_say("t=%d frames %d..%d: %d shown %08x", Window.last, Window.start, Window.start + FRAME_WINDOW - 1,
             Window.shown, hash_value(Window.hash));
  Window = FrameWindow();
}

// A window asked for is kept frame by frame, as <prefix>-t<tick>[-n].png.
static void capture(BITMAP *frame, int tick) {
  static int lastTick = -1, sameTick = 0;
  sameTick = tick == lastTick ? sameTick + 1 : 1;
  lastTick = tick;
  std::string path = CapturePrefix + "-t" + std::to_string(tick);
  if (sameTick > 1) path += "-" + std::to_string(sameTick);
  headless_save_png(frame, path + ".png");
}

void frame_presented(BITMAP *frame, int tick) {
  frames_flush(tick);
  if (!Window.shown) Window.start = tick - tick % FRAME_WINDOW;
  Window.last = tick;
  Window.shown++;
  hash_bytes(&Window.hash, &tick, sizeof tick);
  hash_frame(&Window.hash, frame);
  if (CaptureStart >= 0 && Window.start == CaptureStart) capture(frame, tick);
}

// --- Sounds ---

static const char *const SOUND_NAMES[SOUND_COUNT] = {
    "spare", "footstep", "speech", "menu", "swim_a", "swim_b", "swim_c", "dive", "catapult",
    "start", "foul", "balloon", "throw", "tick", "screen", "bounce", "bullseye", "pop"};
static const char *const MUSIC_NAMES[MUSIC_COUNT] = {
    "intro", "event", "game_over", "congratulations", "spare", "failed", "champion", "qualified", "title"};

static unsigned sample_hash(const SAMPLE *pcm) {
  Hash h;
  int head[4] = {pcm->bits, pcm->stereo, pcm->freq, (int)pcm->len};
  hash_bytes(&h, head, sizeof head);
  hash_bytes(&h, pcm->data, pcm->len * (pcm->stereo ? 2 : 1) * (pcm->bits / 8));
  return hash_value(h);
}

// Which datafile entry a sound came from, told by its decoded contents, so
// the report shows what is heard, not what the game's tables say.
static int entry_of(const FSOUND_SAMPLE *sample) {
  static std::map<unsigned, int> Entries;
  if (Entries.empty())
    for (int e = 15; e <= 413; e = e == 23 ? 396 : e + 1) {
      long size = 0;
      const void *data = dat_data(e, &size);
      SAMPLE *pcm = data ? decode_sound((const unsigned char *)data, size) : nullptr;
      if (pcm) Entries[sample_hash(pcm)] = e;
      if (pcm) destroy_sample(pcm);
    }
  auto it = sample && sample->pcm ? Entries.find(sample_hash(sample->pcm)) : Entries.end();
  return it == Entries.end() ? -1 : it->second;
}

struct Heard {
  int call, channel, value, entry;
  bool music;
  std::string name;
};
static std::vector<Heard> HeardCalls;
static int Footsteps;

// Named as the call is made: by the time the report is written the sample
// may be freed and its slot reused.
static void hear(const FsoundLogEntry &c) {
  Heard h{c.call, c.channel, c.value, -1, false, "?"};
  for (int i = 0; c.sample && i < SOUND_COUNT; i++)
    if (SoundEffects[i] == c.sample) h.name = SOUND_NAMES[i];
  for (int i = 0; c.sample && i < MUSIC_COUNT; i++)
    if (MusicSamples[i] == c.sample) h.name = MUSIC_NAMES[i], h.music = true;
  if (c.call == FCALL_PLAY || c.call == FCALL_FREED) h.entry = entry_of(c.sample);
  HeardCalls.push_back(h);
}

void sounds_reset(void) {
  HeardCalls.clear();
  Footsteps = 0;
  FsoundTrace = hear;
}

int sounds_footsteps(void) { return Footsteps; }

// A start: the play call and the rate, loop and volume set on its channel
// right after.
static size_t say_start(int tick, size_t i) {
  const Heard &p = HeardCalls[i];
  int value[3] = {-1, -1, -1};
  for (i++; i < HeardCalls.size() && HeardCalls[i].channel == p.channel; i++) {
    int call = HeardCalls[i].call;
    if (call < FCALL_FREQUENCY || call > FCALL_VOLUME || value[call - FCALL_FREQUENCY] >= 0) break;
    value[call - FCALL_FREQUENCY] = HeardCalls[i].value;
  }
  if (p.name == "footstep")
    Footsteps++;
  else
    replay_say("t=%d sound %s", tick, p.name.c_str());
  replay_say("t=%d %s %s (entry %d) ch %d at %d Hz vol %d %s", tick, p.music ? "music" : "effect",
             p.name.c_str(), p.entry, p.channel, value[0], value[2],
             value[1] == FSOUND_LOOP_NORMAL ? "looped" : "once");
  return i;
}

// stop_all_sounds and the channels it stopped, on one line.
static size_t say_stop_all(int tick, size_t i) {
  std::string stopped;
  for (i++; i < HeardCalls.size() && HeardCalls[i].call == FCALL_STOP; i++)
    stopped += (stopped.empty() ? " " : ", ") + HeardCalls[i].name + " ch " + std::to_string(HeardCalls[i].channel);
  replay_say("t=%d stop all:%s", tick, stopped.empty() ? " nothing sounding" : stopped.c_str());
  return i;
}

static size_t say_call(int tick, size_t i) {
  const Heard &h = HeardCalls[i];
  const char *name = h.name.c_str();
  switch (h.call) {
  case FCALL_PLAY: return say_start(tick, i);
  case FCALL_STOP_ALL: return say_stop_all(tick, i);
  case FCALL_STOP: replay_say("t=%d stop %s ch %d", tick, name, h.channel); break;
  case FCALL_FREED: replay_say("t=%d cut %s ch %d: its sample freed", tick, name, h.channel); break;
  case FCALL_VOLUME: replay_say("t=%d volume %s ch %d now %d", tick, name, h.channel, h.value); break;
  case FCALL_FREQUENCY: replay_say("t=%d rate %s ch %d now %d Hz", tick, name, h.channel, h.value); break;
  default: replay_say("t=%d loop mode %s ch %d now %d", tick, name, h.channel, h.value); break;
  }
  return i + 1;
}

void sounds_say(int tick) {
  for (size_t i = 0; i < HeardCalls.size();) i = say_call(tick, i);
  HeardCalls.clear();
}
