// The game's effects and tunes over our sound library.
#include "sound/sound.h"

#include <allegro.h>

#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/shell.h"
#include "sound/fsound.h"

#define MIX_RATE 44100
#define SOFTWARE_CHANNELS 64
#define MUSIC_RATE 44100
#define LEVEL_STEP 32

static_assert((int)SOUND_COUNT == (int)SOUND_EFFECT_COUNT, "an entry for every effect");
static_assert((int)MUSIC_COUNT == (int)TUNE_COUNT, "an entry for every tune");

FSOUND_SAMPLE *SoundEffects[SOUND_COUNT];
FSOUND_SAMPLE *MusicSamples[MUSIC_COUNT];

// Datafile entry of each effect, in SoundId order (and load order).
static const int EFFECT_ENTRIES[SOUND_COUNT] = {
    ENTRY_SOUND_SPARE,    ENTRY_SOUND_FOOTSTEP, ENTRY_SOUND_SPEECH, ENTRY_SOUND_MENU,     ENTRY_SOUND_SWIM_A,
    ENTRY_SOUND_SWIM_B,   ENTRY_SOUND_SWIM_C,   ENTRY_SOUND_DIVE,   ENTRY_SOUND_CATAPULT, ENTRY_SOUND_START,
    ENTRY_SOUND_FOUL,     ENTRY_SOUND_BALLOON,  ENTRY_SOUND_THROW,  ENTRY_SOUND_TICK,     ENTRY_SOUND_SCREEN,
    ENTRY_SOUND_BOUNCE,   ENTRY_SOUND_BULLSEYE, ENTRY_SOUND_POP,
};

// Datafile entry of each tune, in MusicId order.
static const int MUSIC_ENTRIES[MUSIC_COUNT] = {
    ENTRY_TUNE_INTRO,  ENTRY_TUNE_EVENT,    ENTRY_TUNE_GAME_OVER, ENTRY_TUNE_CONGRATULATIONS, ENTRY_TUNE_SPARE,
    ENTRY_TUNE_FAILED, ENTRY_TUNE_CHAMPION, ENTRY_TUNE_QUALIFIED, ENTRY_TUNE_TITLE,
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
  for (int i = 0; i < count; i++) MusicSamples[ids[i]] = load_sample(MUSIC_ENTRIES[ids[i]]);
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
