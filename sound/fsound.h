// Our own small sound library with the FSOUND calls the game makes: samples
// loaded whole from memory (WAV or Ogg Vorbis), played on numbered channels
// over Allegro's digital voices, or over a deterministic software output for
// tests and headless runs.
#pragma once

#define FSOUND_FREE -1
#define FSOUND_LOOP_OFF 1
#define FSOUND_LOOP_NORMAL 2
#define FSOUND_16BITS 0x10
#define FSOUND_MONO 0x20
#define FSOUND_SIGNED 0x100
#define FSOUND_NORMAL (FSOUND_16BITS | FSOUND_SIGNED | FSOUND_MONO)
#define FSOUND_LOADMEMORY 0x8000

// Channel indices 0 .. FSOUND_MAX_CHANNELS - 1 can exist; sample slots are
// far more than the 18 effects and 9 tunes held at once.
#define FSOUND_MAX_CHANNELS 64
#define FSOUND_MAX_SAMPLES 64
// The rate the fake output's clock counts in.
#define FSOUND_FAKE_RATE 44100

struct SAMPLE;

struct FSOUND_SAMPLE {
  SAMPLE *pcm;
  int in_use;
};

int FSOUND_Init(int mixrate, int maxchannels, unsigned int flags);
void FSOUND_Close(void);
FSOUND_SAMPLE *FSOUND_Sample_Load(int index, const char *data, unsigned int mode,
                                  int offset, int length);
void FSOUND_Sample_Free(FSOUND_SAMPLE *sample);
void FSOUND_SetSFXMasterVolume(int volume);
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE *sample);
int FSOUND_SetFrequency(int channel, int freq);
int FSOUND_SetLoopMode(int channel, unsigned int loopmode);
int FSOUND_SetVolume(int channel, int volume);
int FSOUND_GetMaxChannels(void);
int FSOUND_IsPlaying(int channel);
int FSOUND_StopSound(int channel);

// Decoding (decode.cpp): a whole RIFF WAV (8-bit unsigned or 16-bit signed
// PCM, mono or stereo) or Ogg Vorbis file in memory into an Allegro sample;
// null when the bytes are not one of those or are cut short.
SAMPLE *decode_wav(const unsigned char *data, long size);
SAMPLE *decode_ogg(const unsigned char *data, long size);
SAMPLE *decode_sound(const unsigned char *data, long size);

// Output selection, before FSOUND_Init: non-zero picks the software fake,
// zero Allegro's voices (the default).
void fsound_use_fake_output(int on);
// Moves the fake output on by a number of frames at 44100 Hz; a channel's
// position moves by frames * frequency / 44100 of its sample's frames.
void fsound_fake_advance(int frames44100);
// While on, a channel's position moves only with fsound_tick_advance, on
// any output: whether a sound still plays is then a matter of logic ticks,
// not of the sound card (a demo repeats the same on any machine).
// fsound_fake_advance does nothing meanwhile.
void fsound_tick_clock(int on);
void fsound_tick_advance(int frames44100);

// What a channel is doing, for tests and diagnostics.
struct FsoundChannelInfo {
  const FSOUND_SAMPLE *sample;  // null when the channel is free
  int playing;
  int frequency;
  int loopmode;
  int volume;
  long position;  // in sample frames
  int voice;      // Allegro voice, -1 when none
};
// Fills info for a channel index; 0 when the index is out of range.
int fsound_channel_info(int channel, FsoundChannelInfo *info);
int fsound_master_volume(void);
int fsound_samples_loaded(void);
int fsound_is_initialised(void);
// Voices Allegro's installed driver mixes; 0 for the silent driver.
int fsound_driver_voices(void);

// Every channel call as it is made, for tests and replays that want to hear
// what the game plays. The game leaves the hook null, so nothing is kept in
// play.
enum FsoundCall {
  FCALL_PLAY,
  FCALL_FREQUENCY,
  FCALL_LOOPMODE,
  FCALL_VOLUME,
  FCALL_STOP,
  // Told by stop_all_sounds before the stops it makes.
  FCALL_STOP_ALL,
  // A sample freed while it sounded on the channel: it falls silent.
  FCALL_FREED,
};
struct FsoundLogEntry {
  int call;
  int channel;
  int value;
  // The sample on the channel (for a stop, the one it stopped).
  const FSOUND_SAMPLE *sample;
};
extern void (*FsoundTrace)(const FsoundLogEntry &call);
void fsound_trace(int call, int channel, int value, const FSOUND_SAMPLE *sample);
