// The two streams in every replay's report: what the player sees, as a hash
// of the frames presented in each window of FRAME_WINDOW ticks, and what the
// player hears, as every sound call with its tick.
#include "replay.h"

#include "headless/headless.h"
#include "shell/entries.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <map>

// --- Hashing ---

// Each 64-bit word times an odd key of its own place, summed in four lanes:
// the products do not wait on one another, so a frame hashes in a few
// microseconds, and one word changed anywhere always changes the sum.
struct Hash {
  uint64_t lane[4] = {0, 0, 0, 0};
  uint64_t place = 0;
};
static const uint64_t PRIME = 1099511628211ull;

static void hash_bytes(Hash *h, const void *data, size_t size) {
  const unsigned char *p = (const unsigned char *)data;
  size_t i = 0;
  for (; i + 32 <= size; i += 32, h->place += 4)
    for (int l = 0; l < 4; l++) {
      uint64_t word;
      memcpy(&word, p + i + 8 * l, 8);
      h->lane[l] += word * (((h->place + l) * 0x9e3779b97f4a7c15ull) | 1);
    }
  for (; i < size; i++, h->place++) h->lane[0] += (p[i] + 1ull) * ((h->place * 0x9e3779b97f4a7c15ull) | 1);
}

static unsigned hash_value(const Hash &h) {
  uint64_t v = 14695981039346656037ull;
  for (uint64_t lane : h.lane) v = (v ^ lane) * PRIME;
  return (unsigned)(v ^ (v >> 32));
}

// The 16-bit lines as they are in memory, 320 pixels (80 words) each, or
// 640 for a picture: a word is weighed by an odd key of its place in the
// line, and each line's sum by the lines after it.
static void hash_frame(Hash *h, BITMAP *frame) {
  static uint64_t Keys[160];
  if (!Keys[0])
    for (int i = 0; i < 160; i++) Keys[i] = ((i + 1) * 0x9e3779b97f4a7c15ull) | 1;
  int words = std::min(frame->w / 4, 160);
  for (int y = 0; y < frame->h; y++) {
    uint64_t sum[4] = {0, 0, 0, 0};
    const unsigned char *p = (const unsigned char *)frame->line[y];
    for (int i = 0; i + 4 <= words; i += 4)
      for (int l = 0; l < 4; l++) {
        uint64_t word;
        memcpy(&word, p + 8 * (i + l), 8);
        sum[l] += word * Keys[i + l];
      }
    for (int l = 0; l < 4; l++) h->lane[l] = h->lane[l] * PRIME + sum[l];
  }
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

static size_t sample_bytes(const SAMPLE *pcm) { return pcm->len * (pcm->stereo ? 2 : 1) * (pcm->bits / 8); }

// The sample's format and its first bytes (at most limit) or all of them.
static unsigned sample_hash(const SAMPLE *pcm, size_t limit) {
  Hash h;
  int head[4] = {pcm->bits, pcm->stereo, pcm->freq, (int)pcm->len};
  hash_bytes(&h, head, sizeof head);
  hash_bytes(&h, pcm->data, std::min(limit, sample_bytes(pcm)));
  return hash_value(h);
}

static unsigned entry_hash(int entry) {
  long size = 0;
  const void *data = dat_data(entry, &size);
  SAMPLE *pcm = data ? decode_sound((const unsigned char *)data, size) : nullptr;
  unsigned h = pcm ? sample_hash(pcm, SIZE_MAX) : 0;
  if (pcm) destroy_sample(pcm);
  return h;
}

// Which datafile entry a sound came from, told by its decoded contents, so
// the report shows what is heard, not what the game's tables say. Entries
// are decoded once, as they are needed: first the one a tune should come
// from (the first tune's entry plus its number), then the effects', then
// the tunes'. A sample seen before is known by its first bytes.
static int entry_of(const FSOUND_SAMPLE *sample, int guess) {
  static std::map<int, unsigned> Decoded;
  static std::map<const SAMPLE *, std::pair<unsigned, int>> Known;
  if (!sample || !sample->pcm) return -1;
  unsigned head = sample_hash(sample->pcm, 4096);
  auto known = Known.find(sample->pcm);
  if (known != Known.end() && known->second.first == head) return known->second.second;
  unsigned whole = sample_hash(sample->pcm, SIZE_MAX);
  std::vector<int> order;
  if (guess >= 0) order.push_back(guess);
  for (int e = 0; e < SOUND_EFFECT_COUNT; e++) order.push_back(ENTRY_SOUND_BALLOON + e);
  for (int e = 0; e < TUNE_COUNT; e++) order.push_back(ENTRY_TUNE_INTRO + e);
  int found = -1;
  for (size_t i = 0; i < order.size() && found < 0; i++) {
    if (!Decoded.count(order[i])) Decoded[order[i]] = entry_hash(order[i]);
    if (Decoded[order[i]] == whole) found = order[i];
  }
  Known[sample->pcm] = {head, found};
  return found;
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
  int guess = -1;
  for (int i = 0; c.sample && i < MUSIC_COUNT; i++)
    if (MusicSamples[i] == c.sample) h.name = MUSIC_NAMES[i], h.music = true, guess = ENTRY_TUNE_INTRO + i;
  if (c.call == FCALL_PLAY || c.call == FCALL_FREED) h.entry = entry_of(c.sample, guess);
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
