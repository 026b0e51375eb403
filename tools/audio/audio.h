// The game's sound effects and music, synthesised from note data in code.
// Deterministic: the same source gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

// The bytes of a sound entry of the main datafile: a RIFF WAV file for the
// effects (396 to 413), an Ogg Vorbis file for the music (15 to 23). False
// for any other index.
bool audio_main_entry(int index, std::vector<uint8_t> &out);
