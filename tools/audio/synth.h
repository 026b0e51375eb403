// The little synthesiser behind the game's sounds: oscillators, envelopes,
// a filter, drum hits, a note notation for tunes and the file writers.
#pragma once

#include <cstdint>
#include <vector>

#define AUDIO_RATE 44100

typedef std::vector<float> Samples;

enum Osc { OSC_PULSE, OSC_TRIANGLE, OSC_SINE, OSC_NOISE, OSC_SAW };
enum Filter { FILTER_NONE, FILTER_LOW, FILTER_BAND, FILTER_HIGH };

// Our own noise source, so the sounds never depend on the C library.
struct Lcg {
  uint32_t state;
};
float lcg_next(Lcg &g);  // -1 .. 1

struct Envelope {
  float attack;   // seconds to full level
  float decay;    // seconds to settle on the sustain level
  float sustain;  // level held until the release
  float release;  // seconds from the release to silence
};

// One sounding note. Frequencies in Hz; a noise tone with a frequency holds
// each random value for one period (pitched noise), with 0 it is white.
struct Tone {
  int osc;
  float freq;
  float freqEnd;    // glides there exponentially over slideTime
  float slideTime;  // 0: no glide
  float duty;       // pulse width 0..1
  float hold;       // seconds before the release starts
  Envelope env;
  float gain;
  float vibDepth;  // semitones
  float vibRate;   // Hz
  float vibDelay;  // seconds before the vibrato sets in
  int filter;
  float cutoff;
  float cutoffEnd;   // sweeps there linearly over cutoffTime
  float cutoffTime;  // 0: no sweep
  float q;
};

Tone tone_make(int osc, float freq, float hold, float gain);
Envelope env_make(float attack, float decay, float sustain, float release);
// Adds the tone to buf from sample `at`, growing buf as needed.
void render_tone(Samples &buf, long at, const Tone &t, Lcg &noise);
float tone_seconds(const Tone &t);

enum Drum { DRUM_KICK, DRUM_SNARE, DRUM_HAT, DRUM_OPEN_HAT, DRUM_CRASH, DRUM_TOM_HIGH, DRUM_TOM_LOW };
void render_drum(Samples &buf, long at, int drum, float gain, Lcg &noise);

long seconds_to_samples(float s);
float midi_freq(float note);
void add_echo(Samples &buf, long delay, float feedback, float mix);
void add_reverb(Samples &buf, float mix);
// Short fades at both ends so nothing clicks.
void fade_ends(Samples &buf, float inSeconds, float outSeconds);
// Scales to the given peak through a gentle soft knee.
void master(Samples &buf, float peak);
// Drops near-silent samples from the end.
void trim_tail(Samples &buf, float threshold);

// Tunes. Melodies: "C5:4 E5:2 r:2 | G5:8" (note or r for rest, optional
// length in sixteenths that carries on to later notes, '-' extends the last
// note, '|' must fall on a bar line). Chords: "C:8 Am:8 | F G7" with the
// qualities m 7 m7 maj7 dim aug sus4 6. Accompaniment styles are one
// character per sixteenth, cycled: digit = chord tone (wrapping up an
// octave), 'o' = root an octave up, 'x' = the whole chord, '-' = hold,
// '.' = rest. Drums, one character per sixteenth, cycled: k kick, s snare,
// h hat, o open hat, c crash with kick, t/T high/low tom, K kick and hat,
// S snare and hat, '.' nothing.
struct Instrument {
  int osc;
  float duty;
  Envelope env;
  float gain;
  float gate;  // fraction of the written length that is held
  float vibDepth;
  float vibRate;
  float vibDelay;
  int filter;
  float cutoff;
  float cutoffEnd;
  float cutoffTime;
  float q;
  float glide;  // semitones the note scoops up from
  int octave;   // shift in octaves
};

struct Section {
  const char *chords;
  const char *lead;
  const char *second;  // harmony or counter melody, lead notation
  const char *bass;
  const char *arp;
  const char *pad;
  const char *drums;
  const char *fill;  // drums of the section's last bar, if any
  int transpose;
  const Instrument *leadInstrument;  // null: the song's
};

struct Song {
  int bpm;
  const Section *sections;
  int sectionCount;
  Instrument lead, second, bass, arp, pad;
  float echo;   // lead echo mix, 0 for none
  float drumGain;
  float reverb;  // room mix over everything but the bass
  int loops;    // tails wrap to the start; length is exactly the bars
  float peak;
  float maxSeconds;  // the time the piece has where it plays
};

// False when the notation is malformed.
bool render_song(const Song &song, Samples &out);

// Writers.
void write_wav(const Samples &s, std::vector<uint8_t> &out);
bool write_ogg(const Samples &s, float quality, std::vector<uint8_t> &out);

// The pieces, by datafile entry.
bool make_effect(int entry, Samples &out);
bool make_tune(int entry, Samples &out);
