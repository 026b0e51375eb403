#include "audio/synth.h"

#include <cmath>

static const float PI = 3.14159265358979f;

float lcg_next(Lcg &g) {
  g.state = g.state * 1664525u + 1013904223u;
  return (float)(g.state >> 8) / 8388608.0f - 1.0f;
}

long seconds_to_samples(float s) {
  return (long)lroundf(s * AUDIO_RATE);
}

float midi_freq(float note) {
  return 440.0f * powf(2.0f, (note - 69.0f) / 12.0f);
}

Envelope env_make(float attack, float decay, float sustain, float release) {
  Envelope e = {attack, decay, sustain, release};
  return e;
}

Tone tone_make(int osc, float freq, float hold, float gain) {
  Tone t = {};
  t.osc = osc;
  t.freq = freq;
  t.freqEnd = freq;
  t.duty = 0.5f;
  t.hold = hold;
  t.env = env_make(0.003f, 0.0f, 1.0f, 0.01f);
  t.gain = gain;
  t.q = 0.707f;
  return t;
}

float tone_seconds(const Tone &t) {
  return t.hold + t.env.release;
}

// Band-limiting correction around a waveform step.
static float poly_blep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0f;
  }
  if (t > 1.0f - dt) {
    t = (t - 1.0f) / dt;
    return t * t + t + t + 1.0f;
  }
  return 0.0f;
}

namespace {
struct OscState {
  float phase;
  float held;  // noise value being held
};

static float osc_step(OscState &o, const Tone &t, float freq, Lcg &noise) {
  float dt = freq / AUDIO_RATE;
  if (dt > 0.45f) dt = 0.45f;
  float p = o.phase;
  float v = 0.0f;
  switch (t.osc) {
  case OSC_PULSE: {
    float q = p + 1.0f - t.duty;
    q -= floorf(q);
    v = (p < t.duty ? 1.0f : -1.0f) + poly_blep(p, dt) - poly_blep(q, dt);
    v -= 2.0f * t.duty - 1.0f;
    break;
  }
  case OSC_SAW: v = 2.0f * p - 1.0f - poly_blep(p, dt); break;
  case OSC_TRIANGLE: {
    float q = p + 0.75f;
    q -= floorf(q);
    v = 1.0f - 4.0f * fabsf(q - 0.5f);
    break;
  }
  case OSC_SINE: v = sinf(2.0f * PI * p); break;
  default:
    if (freq <= 0.0f || p + dt >= 1.0f) o.held = lcg_next(noise);
    v = o.held;
    break;
  }
  o.phase = p + dt;
  if (o.phase >= 1.0f) o.phase -= floorf(o.phase);
  return v;
}

// Zero-delay state variable filter: stable at any cutoff.
struct Svf {
  float ic1, ic2;
};
}  // namespace

static float svf_step(Svf &f, int mode, float cutoff, float q, float x) {
  if (cutoff > AUDIO_RATE * 0.45f) cutoff = AUDIO_RATE * 0.45f;
  if (cutoff < 10.0f) cutoff = 10.0f;
  float g = tanf(PI * cutoff / AUDIO_RATE);
  float k = 1.0f / q;
  float a1 = 1.0f / (1.0f + g * (g + k));
  float a2 = g * a1;
  float a3 = g * a2;
  float v3 = x - f.ic2;
  float v1 = a1 * f.ic1 + a2 * v3;
  float v2 = f.ic2 + a2 * f.ic1 + a3 * v3;
  f.ic1 = 2.0f * v1 - f.ic1;
  f.ic2 = 2.0f * v2 - f.ic2;
  if (mode == FILTER_LOW) return v2;
  if (mode == FILTER_BAND) return v1;
  return x - k * v1 - v2;
}

static float held_level(const Envelope &e, float t) {
  if (t < e.attack) return t / e.attack;
  if (e.decay <= 0.0f) return 1.0f;
  float d = (t - e.attack) / e.decay;
  return e.sustain + (1.0f - e.sustain) * expf(-4.0f * d);
}

static float env_level(const Envelope &e, float t, float hold) {
  if (t < hold) return held_level(e, t);
  if (e.release <= 0.0f) return 0.0f;
  float x = (t - hold) / e.release;
  if (x >= 1.0f) return 0.0f;
  float y = 1.0f - x;
  return held_level(e, hold) * y * y * y;
}

static float tone_freq(const Tone &t, float time) {
  float f = t.freq;
  if (t.slideTime > 0.0f && t.freqEnd > 0.0f && t.freq > 0.0f) {
    float x = time / t.slideTime;
    if (x > 1.0f) x = 1.0f;
    f = t.freq * powf(t.freqEnd / t.freq, x);
  }
  if (t.vibDepth > 0.0f && time > t.vibDelay) {
    float depth = t.vibDepth * fminf((time - t.vibDelay) / 0.1f, 1.0f);
    f *= powf(2.0f, depth * sinf(2.0f * PI * t.vibRate * (time - t.vibDelay)) / 12.0f);
  }
  return f;
}

static float tone_cutoff(const Tone &t, float time) {
  if (t.cutoffTime <= 0.0f) return t.cutoff;
  float x = time / t.cutoffTime;
  if (x > 1.0f) x = 1.0f;
  return t.cutoff + (t.cutoffEnd - t.cutoff) * x;
}

void render_tone(Samples &buf, long at, const Tone &t, Lcg &noise) {
  long n = seconds_to_samples(tone_seconds(t));
  if (at < 0 || n <= 0) return;
  if ((long)buf.size() < at + n) buf.resize(at + n, 0.0f);
  OscState o = {0.0f, 0.0f};
  Svf f = {0.0f, 0.0f};
  for (long i = 0; i < n; i++) {
    float time = (float)i / AUDIO_RATE;
    float v = osc_step(o, t, tone_freq(t, time), noise);
    if (t.filter != FILTER_NONE) v = svf_step(f, t.filter, tone_cutoff(t, time), t.q, v);
    buf[at + i] += v * t.gain * env_level(t.env, time, t.hold);
  }
}

static Tone drum_tone(int osc, float freq, float freqEnd, float slide, float decay, float gain) {
  Tone t = tone_make(osc, freq, 0.001f, gain);
  t.freqEnd = freqEnd;
  t.slideTime = slide;
  t.env = env_make(0.001f, 0.0f, 1.0f, decay);
  return t;
}

static void render_cymbal(Samples &buf, long at, float decay, float gain, float cutoff, Lcg &noise) {
  Tone t = drum_tone(OSC_NOISE, 0.0f, 0.0f, 0.0f, decay, gain);
  t.filter = FILTER_HIGH;
  t.cutoff = cutoff;
  render_tone(buf, at, t, noise);
}

static void render_tom(Samples &buf, long at, float freq, float gain, Lcg &noise) {
  render_tone(buf, at, drum_tone(OSC_SINE, freq, freq * 0.6f, 0.15f, 0.25f, gain), noise);
}

void render_drum(Samples &buf, long at, int drum, float gain, Lcg &noise) {
  switch (drum) {
  case DRUM_KICK:
    render_tone(buf, at, drum_tone(OSC_SINE, 150.0f, 42.0f, 0.07f, 0.22f, gain), noise);
    render_tone(buf, at, drum_tone(OSC_NOISE, 0.0f, 0.0f, 0.0f, 0.006f, gain * 0.3f), noise);
    break;
  case DRUM_SNARE: {
    Tone body = drum_tone(OSC_TRIANGLE, 200.0f, 160.0f, 0.05f, 0.08f, gain * 0.5f);
    Tone rattle = drum_tone(OSC_NOISE, 0.0f, 0.0f, 0.0f, 0.16f, gain * 0.55f);
    rattle.filter = FILTER_BAND;
    rattle.cutoff = 3500.0f;
    rattle.q = 0.6f;
    render_tone(buf, at, body, noise);
    render_tone(buf, at, rattle, noise);
    break;
  }
  case DRUM_HAT: render_cymbal(buf, at, 0.045f, gain * 0.3f, 7000.0f, noise); break;
  case DRUM_OPEN_HAT: render_cymbal(buf, at, 0.22f, gain * 0.25f, 6500.0f, noise); break;
  case DRUM_CRASH:
    render_cymbal(buf, at, 1.2f, gain * 0.35f, 4000.0f, noise);
    render_drum(buf, at, DRUM_KICK, gain, noise);
    break;
  case DRUM_TOM_HIGH: render_tom(buf, at, 220.0f, gain * 0.7f, noise); break;
  default: render_tom(buf, at, 140.0f, gain * 0.7f, noise); break;
  }
}

void add_echo(Samples &buf, long delay, float feedback, float mix) {
  if (delay <= 0 || mix <= 0.0f) return;
  long extra = delay * 4;
  buf.resize(buf.size() + extra, 0.0f);
  Samples wet(buf.size(), 0.0f);
  for (size_t i = delay; i < buf.size(); i++)
    wet[i] = (buf[i - delay] + wet[i - delay]) * feedback;
  for (size_t i = 0; i < buf.size(); i++) buf[i] += wet[i] * mix / feedback;
}

// A small room: four damped combs into two allpasses (Schroeder), so the
// tunes do not sound bone dry.
static const int COMB_DELAYS[4] = {1116, 1188, 1277, 1356};
static const int ALLPASS_DELAYS[2] = {556, 441};

static void comb(const Samples &in, Samples &out, int delay) {
  Samples line(delay, 0.0f);
  float low = 0.0f;
  for (size_t i = 0; i < in.size(); i++) {
    float y = line[i % delay];
    low = y * 0.7f + low * 0.3f;
    line[i % delay] = in[i] + low * 0.78f;
    out[i] += y * 0.25f;
  }
}

static void allpass(Samples &buf, int delay) {
  Samples line(delay, 0.0f);
  for (size_t i = 0; i < buf.size(); i++) {
    float y = line[i % delay];
    line[i % delay] = buf[i] + y * 0.5f;
    buf[i] = y - buf[i] * 0.5f;
  }
}

void add_reverb(Samples &buf, float mix) {
  if (mix <= 0.0f) return;
  buf.resize(buf.size() + seconds_to_samples(1.0f), 0.0f);
  Samples wet(buf.size(), 0.0f);
  for (int d : COMB_DELAYS) comb(buf, wet, d);
  for (int d : ALLPASS_DELAYS) allpass(wet, d);
  for (size_t i = 0; i < buf.size(); i++) buf[i] += wet[i] * mix;
}

void fade_ends(Samples &buf, float inSeconds, float outSeconds) {
  long n = (long)buf.size();
  long a = seconds_to_samples(inSeconds);
  long b = seconds_to_samples(outSeconds);
  for (long i = 0; i < a && i < n; i++) buf[i] *= (float)i / a;
  for (long i = 0; i < b && i < n; i++) buf[n - 1 - i] *= (float)i / b;
}

void master(Samples &buf, float peak) {
  float top = 0.0f;
  for (float v : buf) top = fmaxf(top, fabsf(v));
  if (top <= 0.0f) return;
  for (float &v : buf) {
    float x = v / top;
    v = (1.5f * x - 0.5f * x * x * x) * peak;
  }
}

void trim_tail(Samples &buf, float threshold) {
  size_t n = buf.size();
  while (n > 0 && fabsf(buf[n - 1]) < threshold) n--;
  buf.resize(n);
}
