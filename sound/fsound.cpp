// Channels and samples of our sound library. Every channel keeps its own
// state (sample, frequency, loop mode, volume, position); the output only
// decides how the position moves: Allegro's mixer moves it for a channel
// with a voice, the clock for one without (a silent driver, or no voice
// left), and fsound_fake_advance for the fake output.
#include "sound/fsound.h"

#include <allegro.h>
#include <stdint.h>
#include <time.h>

enum Output { OUTPUT_VOICES, OUTPUT_FAKE };

struct Channel {
  FSOUND_SAMPLE *sample;
  int playing;
  int frequency;
  int loopmode;
  int volume;
  // Position in 1/FSOUND_FAKE_RATE of a sample frame, so a frequency
  // change never loses the fraction already played.
  long long units;
  long long started;
  long long clock_ns;
  int voice;
};

static int WantFake = 0;
static int OutputKind = OUTPUT_VOICES;
static int Initialised = 0;
static int MaxChannels = 0;
static int MasterVolume = 255;
static long long PlayCount = 0;
static Channel Channels[FSOUND_MAX_CHANNELS];
static FSOUND_SAMPLE Samples[FSOUND_MAX_SAMPLES];

void (*FsoundTrace)(const FsoundLogEntry &call) = nullptr;

void fsound_trace(int call, int channel, int value, const FSOUND_SAMPLE *sample) {
  if (FsoundTrace) FsoundTrace(FsoundLogEntry{call, channel, value, sample});
}

static long long now_ns(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

// Only a real card's driver gets voices: the silent driver would hand out
// voice 0 for everything and never report a position.
static int voices_available(void) {
  return OutputKind == OUTPUT_VOICES && digi_driver && digi_driver->id != DIGI_NONE &&
         digi_driver->voices > 0;
}

static Channel *channel_at(int channel) {
  if (!Initialised || channel < 0 || channel >= MaxChannels) return nullptr;
  return &Channels[channel];
}

// Handles come from callers, so only one of our own slots is trusted.
static int sample_valid(const FSOUND_SAMPLE *sample) {
  uintptr_t p = (uintptr_t)sample;
  uintptr_t first = (uintptr_t)Samples;
  if (p < first || p >= first + sizeof Samples) return 0;
  if ((p - first) % sizeof Samples[0] != 0) return 0;
  return sample->in_use && sample->pcm;
}

static void release_voice_of(Channel *c) {
  if (c->voice < 0) return;
  voice_stop(c->voice);
  deallocate_voice(c->voice);
  c->voice = -1;
}

static void silence(Channel *c) {
  release_voice_of(c);
  c->playing = 0;
  c->sample = nullptr;
}

static int TickClock = 0;

static void advance_units(Channel *c, long long units) {
  long long end = (long long)c->sample->pcm->len * FSOUND_FAKE_RATE;
  c->units += units;
  if (c->units < end) return;
  if (c->loopmode == FSOUND_LOOP_NORMAL && end > 0) {
    c->units %= end;
  } else {
    c->units = end;
    c->playing = 0;
    release_voice_of(c);
  }
}

static void catch_up_by_clock(Channel *c) {
  long long now = now_ns();
  long long frames = (now - c->clock_ns) * FSOUND_FAKE_RATE / 1000000000LL;
  if (frames <= 0) return;
  c->clock_ns += frames * 1000000000LL / FSOUND_FAKE_RATE;
  advance_units(c, frames * c->frequency);
}

// Brings a sounding channel's position and playing flag up to date.
static void refresh(Channel *c) {
  if (!c->playing || !c->sample || TickClock) return;
  if (c->voice >= 0) {
    int pos = voice_get_position(c->voice);
    if (pos < 0) {
      release_voice_of(c);
      c->playing = 0;
    } else {
      c->units = (long long)pos * FSOUND_FAKE_RATE;
    }
  } else if (OutputKind == OUTPUT_VOICES) {
    catch_up_by_clock(c);
  }
}

// Channel 0 is never handed out: the game's play calls return 0 for "nothing
// played" too, so a caller holding 0 must not reach a real sound with it.
// When every channel sounds, the one-shot started longest ago gives way (a
// looped tune only when nothing else is left).
static int pick_channel(void) {
  int oldest = -1;
  int oldest_loop = -1;
  for (int i = 1; i < MaxChannels; i++) {
    Channel *c = &Channels[i];
    refresh(c);
    if (!c->playing) return i;
    int *best = c->loopmode == FSOUND_LOOP_NORMAL ? &oldest_loop : &oldest;
    if (*best < 0 || c->started < Channels[*best].started) *best = i;
  }
  return oldest >= 0 ? oldest : oldest_loop;
}

static void start_voice(Channel *c) {
  c->voice = -1;
  if (!voices_available()) return;
  SAMPLE *pcm = c->sample->pcm;
  int voice = allocate_voice(pcm);
  if (voice < 0) return;
  voice_set_playmode(voice, PLAYMODE_PLAY);
  voice_set_frequency(voice, c->frequency);
  voice_set_volume(voice, 255);
  voice_start(voice);
  c->voice = voice;
}

int FSOUND_Init(int mixrate, int maxchannels, unsigned int flags) {
  (void)flags;
  if (Initialised) FSOUND_Close();
  if (mixrate < 4000 || mixrate > 65535 || maxchannels < 1) return 0;
  OutputKind = WantFake ? OUTPUT_FAKE : OUTPUT_VOICES;
  MaxChannels = maxchannels < FSOUND_MAX_CHANNELS ? maxchannels : FSOUND_MAX_CHANNELS;
  for (int i = 0; i < FSOUND_MAX_CHANNELS; i++) {
    Channels[i] = Channel{};
    Channels[i].voice = -1;
  }
  MasterVolume = 255;
  PlayCount = 0;
  Initialised = 1;
  return 1;
}

void FSOUND_Close(void) {
  if (!Initialised) return;
  for (int i = 0; i < FSOUND_MAX_CHANNELS; i++) silence(&Channels[i]);
  for (int i = 0; i < FSOUND_MAX_SAMPLES; i++) FSOUND_Sample_Free(&Samples[i]);
  Initialised = 0;
  MaxChannels = 0;
}

static FSOUND_SAMPLE *sample_slot(int index) {
  if (index == FSOUND_FREE) {
    for (int i = 0; i < FSOUND_MAX_SAMPLES; i++) {
      if (!Samples[i].in_use) return &Samples[i];
    }
    return nullptr;
  }
  if (index < 0 || index >= FSOUND_MAX_SAMPLES) return nullptr;
  FSOUND_Sample_Free(&Samples[index]);
  return &Samples[index];
}

// Only loads from memory: the game never hands over a file name.
FSOUND_SAMPLE *FSOUND_Sample_Load(int index, const char *data, unsigned int mode,
                                  int offset, int length) {
  if (!Initialised || !(mode & FSOUND_LOADMEMORY) || !data) return nullptr;
  if (offset < 0 || length <= offset) return nullptr;
  FSOUND_SAMPLE *slot = sample_slot(index);
  if (!slot) return nullptr;
  SAMPLE *pcm = decode_sound((const unsigned char *)data + offset, length - offset);
  if (!pcm) return nullptr;
  slot->pcm = pcm;
  slot->in_use = 1;
  return slot;
}

// A freed sample falls silent wherever it plays.
void FSOUND_Sample_Free(FSOUND_SAMPLE *sample) {
  if (!sample_valid(sample)) return;
  for (int i = 0; i < FSOUND_MAX_CHANNELS; i++) {
    Channel *c = &Channels[i];
    if (c->sample != sample) continue;
    // Told only when it was still sounding; nothing is asked of a voice
    // when no one listens.
    if (FsoundTrace) refresh(c);
    if (FsoundTrace && c->playing) fsound_trace(FCALL_FREED, i, 0, sample);
    silence(c);
  }
  destroy_sample(sample->pcm);
  sample->pcm = nullptr;
  sample->in_use = 0;
}

// Kept for the record only. Every channel already carries the player's own
// level; scaling by the level read at start-up as well would square it, and
// a sound level of 0 then would mute the music for the whole run.
void FSOUND_SetSFXMasterVolume(int volume) {
  MasterVolume = volume < 0 ? 0 : (volume > 255 ? 255 : volume);
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE *sample) {
  if (!Initialised || !sample_valid(sample)) return -1;
  if (channel != FSOUND_FREE && (channel < 1 || channel >= MaxChannels)) return -1;
  int index = channel == FSOUND_FREE ? pick_channel() : channel;
  if (index < 0) return -1;
  Channel *c = &Channels[index];
  silence(c);
  c->sample = sample;
  c->playing = 1;
  c->frequency = sample->pcm->freq;
  c->loopmode = FSOUND_LOOP_OFF;
  c->volume = 255;
  c->units = 0;
  c->started = ++PlayCount;
  c->clock_ns = now_ns();
  start_voice(c);
  fsound_trace(FCALL_PLAY, index, (int)(sample - Samples), sample);
  return index;
}

int FSOUND_SetFrequency(int channel, int freq) {
  Channel *c = channel_at(channel);
  if (!c || !c->sample) return 0;
  refresh(c);
  c->frequency = freq < 100 ? 100 : (freq > 705600 ? 705600 : freq);
  if (c->voice >= 0) voice_set_frequency(c->voice, c->frequency);
  fsound_trace(FCALL_FREQUENCY, channel, c->frequency, c->sample);
  return 1;
}

int FSOUND_SetLoopMode(int channel, unsigned int loopmode) {
  Channel *c = channel_at(channel);
  if (!c || !c->sample) return 0;
  if (loopmode != FSOUND_LOOP_OFF && loopmode != FSOUND_LOOP_NORMAL) return 0;
  refresh(c);
  c->loopmode = (int)loopmode;
  if (c->voice >= 0) {
    voice_set_playmode(c->voice, loopmode == FSOUND_LOOP_NORMAL ? PLAYMODE_LOOP : PLAYMODE_PLAY);
  }
  fsound_trace(FCALL_LOOPMODE, channel, c->loopmode, c->sample);
  return 1;
}

// 0..256; Allegro's voices stop at 255, which is full volume to them too.
int FSOUND_SetVolume(int channel, int volume) {
  Channel *c = channel_at(channel);
  if (!c || !c->sample) return 0;
  c->volume = volume < 0 ? 0 : (volume > 256 ? 256 : volume);
  if (c->voice >= 0) voice_set_volume(c->voice, c->volume > 255 ? 255 : c->volume);
  fsound_trace(FCALL_VOLUME, channel, c->volume, c->sample);
  return 1;
}

int FSOUND_GetMaxChannels(void) { return Initialised ? MaxChannels : 0; }

int FSOUND_IsPlaying(int channel) {
  Channel *c = channel_at(channel);
  if (!c) return 0;
  refresh(c);
  return c->playing;
}

int FSOUND_StopSound(int channel) {
  Channel *c = channel_at(channel);
  if (!c) return 0;
  const FSOUND_SAMPLE *was = c->sample;
  silence(c);
  fsound_trace(FCALL_STOP, channel, 0, was);
  return 1;
}

void fsound_use_fake_output(int on) { WantFake = on != 0; }

static void advance_all(int frames44100) {
  for (int i = 0; i < MaxChannels; i++) {
    Channel *c = &Channels[i];
    if (c->playing && c->sample) advance_units(c, (long long)frames44100 * c->frequency);
  }
}

void fsound_fake_advance(int frames44100) {
  if (!Initialised || OutputKind != OUTPUT_FAKE || frames44100 <= 0 || TickClock) return;
  advance_all(frames44100);
}

void fsound_tick_clock(int on) { TickClock = on != 0; }

void fsound_tick_advance(int frames44100) {
  if (Initialised && TickClock && frames44100 > 0) advance_all(frames44100);
}

int fsound_channel_info(int channel, FsoundChannelInfo *info) {
  Channel *c = channel_at(channel);
  if (!c || !info) return 0;
  refresh(c);
  info->sample = c->sample;
  info->playing = c->playing;
  info->frequency = c->frequency;
  info->loopmode = c->loopmode;
  info->volume = c->volume;
  info->position = (long)(c->units / FSOUND_FAKE_RATE);
  info->voice = c->voice;
  return 1;
}

int fsound_master_volume(void) { return MasterVolume; }

int fsound_samples_loaded(void) {
  int n = 0;
  for (int i = 0; i < FSOUND_MAX_SAMPLES; i++) n += Samples[i].in_use;
  return n;
}

int fsound_is_initialised(void) { return Initialised; }

int fsound_driver_voices(void) {
  if (!digi_driver || digi_driver->id == DIGI_NONE) return 0;
  return digi_driver->voices;
}
