#include "audio/synth.h"
#include "shell/entries.h"

// A tone with a one-shot envelope: attack, held level, release.
static Tone shot(int osc, float f0, float f1, float slide, float attack, float hold, float release, float gain) {
  Tone t = tone_make(osc, f0, hold, gain);
  t.freqEnd = f1;
  t.slideTime = slide;
  t.env = env_make(attack, 0.0f, 1.0f, release);
  return t;
}

static Tone filtered(Tone t, int filter, float c0, float c1, float time, float q) {
  t.filter = filter;
  t.cutoff = c0;
  t.cutoffEnd = c1;
  t.cutoffTime = time;
  t.q = q;
  return t;
}

static void at(Samples &buf, float seconds, const Tone &t, Lcg &noise) {
  render_tone(buf, seconds_to_samples(seconds), t, noise);
}

static float between(Lcg &g, float a, float b) {
  return a + (b - a) * 0.5f * (lcg_next(g) + 1.0f);
}

// Water drops: short sines that rise in pitch.
static void droplets(Samples &buf, float from, float to, int count, float pitch, float gain, Lcg &g) {
  for (int i = 0; i < count; i++) {
    float when = between(g, from, to);
    float f = pitch * between(g, 0.8f, 1.5f);
    at(buf, when, shot(OSC_SINE, f, f * 2.2f, 0.03f, 0.002f, 0.01f, 0.03f, gain * between(g, 0.5f, 1.0f)), g);
  }
}

static void splash(Samples &buf, float when, float length, float bright, float gain, Lcg &g) {
  Tone t = shot(OSC_NOISE, 0.0f, 0.0f, 0.0f, 0.02f, length * 0.3f, length * 0.7f, gain);
  at(buf, when, filtered(t, FILTER_BAND, bright, bright * 0.3f, length, 1.2f), g);
}

static void make_spare(Samples &b, Lcg &g) {
  at(b, 0.0f, filtered(shot(OSC_PULSE, 660.0f, 990.0f, 0.05f, 0.002f, 0.06f, 0.04f, 0.8f), FILTER_LOW, 5000.0f, 5000.0f, 0.0f, 0.7f), g);
}

static void make_footstep(Samples &b, Lcg &g) {
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.002f, 0.01f, 0.06f, 0.9f), FILTER_LOW, 900.0f, 900.0f, 0.0f, 0.7f), g);
  at(b, 0.0f, shot(OSC_SINE, 110.0f, 60.0f, 0.05f, 0.002f, 0.01f, 0.07f, 0.6f), g);
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.001f, 0.005f, 0.03f, 0.2f), FILTER_BAND, 3000.0f, 3000.0f, 0.0f, 1.0f), g);
}

// Vowel formants (first, second) for a babble that sounds like talking.
static const float VOWELS[5][2] = {{800, 1200}, {450, 1900}, {320, 2300}, {520, 900}, {360, 800}};

static void syllable(Samples &b, float when, float length, float pitch, Lcg &g) {
  const float *from = VOWELS[(int)between(g, 0.0f, 4.99f)];
  const float *to = VOWELS[(int)between(g, 0.0f, 4.99f)];
  if (lcg_next(g) > 0.0f) {
    Tone s = shot(OSC_NOISE, 0, 0, 0, 0.003f, 0.01f, 0.015f, 0.25f);
    at(b, when, filtered(s, FILTER_BAND, between(g, 2500.0f, 4500.0f), 3000.0f, 0.0f, 2.0f), g);
    when += 0.02f;
  }
  Tone v = shot(OSC_SAW, pitch, pitch * between(g, 0.85f, 1.1f), length, 0.015f, length, 0.04f, 1.0f);
  at(b, when, filtered(v, FILTER_BAND, from[0], to[0], length, 5.0f), g);
  v.gain = 0.6f;
  at(b, when, filtered(v, FILTER_BAND, from[1], to[1], length, 6.0f), g);
  v.gain = 0.2f;
  at(b, when, filtered(v, FILTER_BAND, 2600.0f, 2600.0f, 0.0f, 6.0f), g);
}

static void make_speech(Samples &b, Lcg &g) {
  float when = 0.0f;
  for (int i = 0; i < 7; i++) {
    float length = between(g, 0.055f, 0.1f);
    syllable(b, when, length, 205.0f - 7.0f * i + between(g, -15.0f, 15.0f), g);
    when += length + between(g, 0.035f, 0.06f);
  }
}

static void make_menu(Samples &b, Lcg &g) {
  at(b, 0.0f, filtered(shot(OSC_PULSE, 1047.0f, 1047.0f, 0, 0.002f, 0.03f, 0.005f, 0.6f), FILTER_LOW, 4000, 4000, 0, 0.7f), g);
  at(b, 0.03f, filtered(shot(OSC_PULSE, 1568.0f, 1568.0f, 0, 0.002f, 0.035f, 0.035f, 0.6f), FILTER_LOW, 4000, 4000, 0, 0.7f), g);
}

static void make_swim_a(Samples &b, Lcg &g) {
  splash(b, 0.0f, 0.35f, 1800.0f, 1.0f, g);
  at(b, 0.0f, shot(OSC_SINE, 300.0f, 150.0f, 0.06f, 0.005f, 0.02f, 0.06f, 0.3f), g);
  droplets(b, 0.08f, 0.3f, 3, 700.0f, 0.15f, g);
}

static void make_swim_b(Samples &b, Lcg &g) {
  splash(b, 0.0f, 0.4f, 3000.0f, 1.0f, g);
  droplets(b, 0.05f, 0.35f, 4, 900.0f, 0.15f, g);
}

static void make_swim_c(Samples &b, Lcg &g) {
  splash(b, 0.0f, 0.22f, 2200.0f, 0.8f, g);
  splash(b, 0.18f, 0.28f, 1500.0f, 1.0f, g);
  droplets(b, 0.1f, 0.4f, 3, 800.0f, 0.12f, g);
}

static void make_dive(Samples &b, Lcg &g) {
  Tone crash = shot(OSC_NOISE, 0, 0, 0, 0.005f, 0.1f, 0.8f, 1.0f);
  at(b, 0.0f, filtered(crash, FILTER_LOW, 6000.0f, 400.0f, 0.6f, 0.9f), g);
  at(b, 0.0f, shot(OSC_SINE, 120.0f, 50.0f, 0.2f, 0.005f, 0.05f, 0.25f, 0.7f), g);
  droplets(b, 0.2f, 0.9f, 8, 450.0f, 0.2f, g);
}

static void make_catapult(Samples &b, Lcg &g) {
  Tone twang = shot(OSC_SAW, 98.0f, 82.0f, 0.4f, 0.002f, 0.02f, 0.45f, 0.9f);
  twang.vibDepth = 1.5f;
  twang.vibRate = 14.0f;
  at(b, 0.0f, filtered(twang, FILTER_LOW, 3000.0f, 400.0f, 0.3f, 2.0f), g);
  Tone whoosh = shot(OSC_NOISE, 0, 0, 0, 0.03f, 0.05f, 0.12f, 0.4f);
  at(b, 0.02f, filtered(whoosh, FILTER_BAND, 1200.0f, 3000.0f, 0.15f, 1.5f), g);
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.0005f, 0.002f, 0.005f, 0.5f), FILTER_HIGH, 2000, 2000, 0, 0.7f), g);
}

static void make_start(Samples &b, Lcg &g) {
  Tone bang = shot(OSC_NOISE, 0, 0, 0, 0.0005f, 0.005f, 0.35f, 1.0f);
  at(b, 0.0f, filtered(bang, FILTER_LOW, 8000.0f, 1500.0f, 0.15f, 0.7f), g);
  at(b, 0.0f, shot(OSC_SINE, 90.0f, 40.0f, 0.1f, 0.001f, 0.01f, 0.25f, 0.8f), g);
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.0005f, 0.002f, 0.05f, 0.6f), FILTER_HIGH, 3000, 3000, 0, 0.7f), g);
  add_echo(b, seconds_to_samples(0.09f), 0.3f, 0.25f);
}

static void make_foul(Samples &b, Lcg &g) {
  at(b, 0.0f, filtered(shot(OSC_SAW, 110.0f, 110.0f, 0, 0.005f, 0.55f, 0.03f, 0.5f), FILTER_LOW, 2500, 2500, 0, 0.7f), g);
  at(b, 0.0f, filtered(shot(OSC_PULSE, 116.5f, 116.5f, 0, 0.005f, 0.55f, 0.03f, 0.5f), FILTER_LOW, 2500, 2500, 0, 0.7f), g);
}

// Three breaths, each stretching the rubber a little higher.
static void make_balloon(Samples &b, Lcg &g) {
  for (int i = 0; i < 3; i++) {
    float when = 0.2f * i;
    Tone air = shot(OSC_NOISE, 0, 0, 0, 0.05f, 0.08f, 0.05f, 0.6f);
    at(b, when, filtered(air, FILTER_BAND, 900.0f + 300.0f * i, 1600.0f + 300.0f * i, 0.13f, 3.0f), g);
    float f = 520.0f + 260.0f * i;
    Tone squeak = shot(OSC_TRIANGLE, f, f * 1.35f, 0.15f, 0.03f, 0.1f, 0.05f, 0.35f);
    squeak.vibDepth = 0.5f;
    squeak.vibRate = 11.0f;
    at(b, when + 0.02f, squeak, g);
  }
}

static void make_throw(Samples &b, Lcg &g) {
  Tone t = shot(OSC_NOISE, 0, 0, 0, 0.08f, 0.1f, 0.15f, 1.0f);
  at(b, 0.0f, filtered(t, FILTER_BAND, 400.0f, 2200.0f, 0.25f, 1.5f), g);
}

static void make_tick(Samples &b, Lcg &g) {
  at(b, 0.0f, shot(OSC_SINE, 1800.0f, 1800.0f, 0, 0.0005f, 0.002f, 0.012f, 0.6f), g);
  at(b, 0.0f, shot(OSC_SINE, 2700.0f, 2700.0f, 0, 0.0005f, 0.001f, 0.008f, 0.3f), g);
}

static void make_screen(Samples &b, Lcg &g) {
  Tone t = shot(OSC_NOISE, 0, 0, 0, 0.15f, 0.2f, 0.2f, 1.0f);
  at(b, 0.0f, filtered(t, FILTER_BAND, 300.0f, 4000.0f, 0.35f, 1.2f), g);
  at(b, 0.05f, shot(OSC_SINE, 300.0f, 900.0f, 0.3f, 0.1f, 0.15f, 0.15f, 0.15f), g);
}

static void make_bounce(Samples &b, Lcg &g) {
  at(b, 0.0f, shot(OSC_SINE, 220.0f, 110.0f, 0.04f, 0.001f, 0.01f, 0.1f, 0.9f), g);
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.001f, 0.003f, 0.03f, 0.4f), FILTER_LOW, 1500, 1500, 0, 0.7f), g);
}

static void make_bullseye(Samples &b, Lcg &g) {
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.0005f, 0.003f, 0.09f, 1.0f), FILTER_HIGH, 600, 600, 0, 0.7f), g);
  at(b, 0.0f, shot(OSC_SINE, 150.0f, 60.0f, 0.06f, 0.001f, 0.01f, 0.08f, 0.6f), g);
  Tone ding = shot(OSC_PULSE, 1568.0f, 1568.0f, 0, 0.002f, 0.02f, 0.25f, 0.25f);
  ding.duty = 0.125f;
  at(b, 0.05f, ding, g);
  ding.freq = ding.freqEnd = 2093.0f;
  at(b, 0.11f, ding, g);
}

static void make_pop(Samples &b, Lcg &g) {
  at(b, 0.0f, shot(OSC_SINE, 420.0f, 260.0f, 0.08f, 0.002f, 0.03f, 0.12f, 0.9f), g);
  at(b, 0.0f, filtered(shot(OSC_NOISE, 0, 0, 0, 0.001f, 0.005f, 0.04f, 0.4f), FILTER_LOW, 1200, 1200, 0, 0.7f), g);
}

namespace {
struct EffectDef {
  int entry;
  void (*make)(Samples &, Lcg &);
  float peak;
};
}  // namespace

static const EffectDef EFFECTS[] = {
    {ENTRY_SOUND_SPARE, make_spare, 0.5f},       {ENTRY_SOUND_FOOTSTEP, make_footstep, 0.6f},
    {ENTRY_SOUND_SPEECH, make_speech, 0.75f},    {ENTRY_SOUND_MENU, make_menu, 0.45f},
    {ENTRY_SOUND_SWIM_A, make_swim_a, 0.6f},     {ENTRY_SOUND_SWIM_B, make_swim_b, 0.6f},
    {ENTRY_SOUND_SWIM_C, make_swim_c, 0.6f},     {ENTRY_SOUND_DIVE, make_dive, 0.85f},
    {ENTRY_SOUND_CATAPULT, make_catapult, 0.8f}, {ENTRY_SOUND_START, make_start, 0.95f},
    {ENTRY_SOUND_FOUL, make_foul, 0.6f},         {ENTRY_SOUND_BALLOON, make_balloon, 0.7f},
    {ENTRY_SOUND_THROW, make_throw, 0.7f},       {ENTRY_SOUND_TICK, make_tick, 0.5f},
    {ENTRY_SOUND_SCREEN, make_screen, 0.65f},    {ENTRY_SOUND_BOUNCE, make_bounce, 0.75f},
    {ENTRY_SOUND_BULLSEYE, make_bullseye, 0.85f}, {ENTRY_SOUND_POP, make_pop, 0.75f},
};

bool make_effect(int entry, Samples &out) {
  for (const EffectDef &e : EFFECTS) {
    if (e.entry != entry) continue;
    Lcg g = {(uint32_t)entry * 2654435761u};
    out.clear();
    e.make(out, g);
    trim_tail(out, 0.0005f);
    fade_ends(out, 0.001f, 0.005f);
    master(out, e.peak);
    return true;
  }
  return false;
}
