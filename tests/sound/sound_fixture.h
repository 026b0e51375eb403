// Sound files made in memory for the sound tests, and what they decode to.
#pragma once

#include <allegro.h>
#include <vector>

#include "sound/fsound.h"

typedef std::vector<unsigned char> Bytes;

// A sine at tone_hz (a second channel an octave above the first) as a RIFF
// WAV of 8-bit unsigned or 16-bit signed PCM, or as Ogg Vorbis.
Bytes make_wav(int bits, int channels, int rate, int frames, double tone_hz);
Bytes make_ogg(int channels, int rate, int frames, double tone_hz);

// Loads bytes into the library as the game does (mode 0x8130, from memory).
FSOUND_SAMPLE *load_bytes(const Bytes &bytes);
FsoundChannelInfo channel_info(int channel);

// A decoded sample's value at a frame and channel as a signed 16-bit level,
// and one channel's sign changes over a range of frames.
int sample_level(const SAMPLE *spl, long frame, int channel);
int zero_crossings(const SAMPLE *spl, int channel, long from, long to);
