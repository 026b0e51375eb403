// Sound: the 18 effects and 9 tunes of the main datafile over the sound
// library layer (fsound.h).
#pragma once

struct FSOUND_SAMPLE;

enum SoundId {
  SND_SPARE,
  SND_FOOTSTEP,
  SND_SPEECH,
  SND_MENU,
  SND_SWIM_A,
  SND_SWIM_B,
  SND_SWIM_C,
  SND_DIVE,
  SND_CATAPULT,
  SND_START,
  SND_FOUL,
  SND_BALLOON,
  SND_THROW,
  SND_TICK,
  SND_SCREEN,
  SND_BOUNCE,
  SND_BULLSEYE,
  SND_POP,
  SOUND_COUNT
};

enum MusicId {
  MUS_INTRO,
  MUS_EVENT,
  MUS_GAME_OVER,
  MUS_CONGRATULATIONS,
  MUS_SPARE,
  MUS_FAILED,
  MUS_CHAMPION,
  MUS_QUALIFIED,
  MUS_TITLE,
  MUSIC_COUNT
};

enum MusicSet {
  MUSIC_SET_TITLE = 1,
  MUSIC_SET_SPORTS_DAY = 2,
  MUSIC_SET_FINALE = 3,
};

extern FSOUND_SAMPLE *SoundEffects[SOUND_COUNT];
extern FSOUND_SAMPLE *MusicSamples[MUSIC_COUNT];

// Allegro's digital sound installation; 0 on success.
int install_sound_driver(void);
int init_sound(void);
void shutdown_sound(void);
FSOUND_SAMPLE *load_sample(int entry);
void free_sample(FSOUND_SAMPLE *sample);
void load_music_set(int set);
int play_effect(FSOUND_SAMPLE *sample, int loop, int rate);
int play_music(FSOUND_SAMPLE *sample, int loop);
void set_channel_volume(int channel, int isMusic);
void stop_all_sounds(void);
