// The game's effects and tunes over our sound library.
#include "sound/sound.h"

#include <allegro.h>

#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/fsound.h"

#define MIX_RATE 44100
#define SOFTWARE_CHANNELS 64
#define MUSIC_RATE 44100
#define MUSIC_FIRST_ENTRY 15
#define LEVEL_STEP 32

FSOUND_SAMPLE *SoundEffects[SOUND_COUNT];
FSOUND_SAMPLE *MusicSamples[MUSIC_COUNT];

// Datafile entry of each effect, in SoundId order (and load order).
static const int EFFECT_ENTRIES[SOUND_COUNT] = {
    406, 405, 404, 400, 411, 412, 413, 409, 402,
    407, 399, 396, 410, 403, 408, 397, 398, 401,
};

static const int SET_TITLE[] = {MUS_TITLE};
static const int SET_SPORTS_DAY[] = {MUS_INTRO, MUS_EVENT, MUS_SPARE, MUS_FAILED, MUS_QUALIFIED};
static const int SET_FINALE[] = {MUS_CONGRATULATIONS, MUS_GAME_OVER, MUS_CHAMPION};

enum VolumeKind { VOLUME_SOUND, VOLUME_MUSIC };

// Our library mixes all its channels itself, so Allegro must have a voice
// for each before the driver starts. A driver that cannot give that many
// (the silent one gives none) is taken with its own count instead.
int install_sound_driver(void) {
  reserve_voices(SOFTWARE_CHANNELS, 0);
  if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, NULL) == 0) return 0;
  reserve_voices(-1, -1);
  return install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, NULL) == 0 ? 0 : 1;
}

int init_sound(void) {
  if (!FSOUND_Init(MIX_RATE, SOFTWARE_CHANNELS, 0)) return 1;
  for (int k = 0; k < SOUND_COUNT; k++) SoundEffects[k] = load_sample(EFFECT_ENTRIES[k]);
  FSOUND_SetSFXMasterVolume(Settings.soundvolume * LEVEL_STEP);
  return 0;
}

// Closing the library frees every sample, so the tables must not keep them.
void shutdown_sound(void) {
  FSOUND_Close();
  for (int k = 0; k < SOUND_COUNT; k++) SoundEffects[k] = nullptr;
  for (int k = 0; k < MUSIC_COUNT; k++) MusicSamples[k] = nullptr;
}

FSOUND_SAMPLE *load_sample(int entry) {
  long size = 0;
  const void *data = dat_data(entry, &size);
  if (!data || size <= 0 || size > 0x7fffffffL) return nullptr;
  return FSOUND_Sample_Load(FSOUND_FREE, (const char *)data, FSOUND_NORMAL | FSOUND_LOADMEMORY, 0,
                            (int)size);
}

void free_sample(FSOUND_SAMPLE *sample) {
  if (sample) FSOUND_Sample_Free(sample);
}

static void load_music(const int *ids, int count) {
  for (int i = 0; i < count; i++) MusicSamples[ids[i]] = load_sample(MUSIC_FIRST_ENTRY + ids[i]);
}

void load_music_set(int set) {
  for (int k = 0; k < MUSIC_COUNT; k++) free_sample(MusicSamples[k]);
  for (int k = 0; k < MUSIC_COUNT; k++) MusicSamples[k] = nullptr;
  if (set == MUSIC_SET_TITLE) load_music(SET_TITLE, 1);
  if (set == MUSIC_SET_SPORTS_DAY) load_music(SET_SPORTS_DAY, 5);
  if (set == MUSIC_SET_FINALE) load_music(SET_FINALE, 3);
}

static int volume_level(int kind) {
  if (kind == VOLUME_SOUND) return Settings.soundvolume;
  if (kind == VOLUME_MUSIC) return Settings.musicvolume;
  return 0;
}

static int play_on_channel(FSOUND_SAMPLE *sample, int loop, int rate, int kind) {
  if (!sample) return 0;
  int level = volume_level(kind);
  if (level < 1) return 0;
  int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
  FSOUND_SetFrequency(channel, rate);
  FSOUND_SetLoopMode(channel, loop ? FSOUND_LOOP_NORMAL : FSOUND_LOOP_OFF);
  FSOUND_SetVolume(channel, level * LEVEL_STEP);
  return channel;
}

int play_effect(FSOUND_SAMPLE *sample, int loop, int rate) {
  return play_on_channel(sample, loop, rate, VOLUME_SOUND);
}

int play_music(FSOUND_SAMPLE *sample, int loop) {
  return play_on_channel(sample, loop, MUSIC_RATE, VOLUME_MUSIC);
}

void set_channel_volume(int channel, int isMusic) {
  if (channel <= -1) return;
  FSOUND_SetVolume(channel, volume_level(isMusic ? VOLUME_MUSIC : VOLUME_SOUND) * LEVEL_STEP);
}

void stop_all_sounds(void) {
  fsound_trace(FCALL_STOP_ALL, -1, 0, nullptr);
  int n = FSOUND_GetMaxChannels();
  for (int index = 0; index < n; index++) {
    if (FSOUND_IsPlaying(index)) FSOUND_StopSound(index);
  }
}
