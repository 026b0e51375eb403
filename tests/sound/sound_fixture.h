// Sound files made in memory for the sound tests, and a look at channels.
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
// A channel's state; the test fails when there is no such channel.
FsoundChannelInfo channel_info(int channel);
