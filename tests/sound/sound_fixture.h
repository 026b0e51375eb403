// Sound files made in memory for the sound tests, and what they decode to.
#pragma once

#include <allegro.h>
#include <vector>

#include "sound/fsound.h"

typedef std::vector<unsigned char> Bytes;

// A RIFF WAV of a sine at tone_hz: 8-bit unsigned or 16-bit signed PCM,
// one or two channels (the right channel an octave above the left).
Bytes make_wav(int bits, int channels, int rate, int frames, double tone_hz);
// The same sine as an Ogg Vorbis file.
Bytes make_ogg(int channels, int rate, int frames, double tone_hz);

// Loads bytes into the library as the game does (mode 0x8130, from memory).
FSOUND_SAMPLE *load_bytes(const Bytes &bytes);

// Value of a decoded sample at a frame and channel, as a signed 16-bit level.
int sample_level(const SAMPLE *spl, long frame, int channel);
// Sign changes of one channel of a decoded sample over a range of frames.
int zero_crossings(const SAMPLE *spl, int channel, long from, long to);
