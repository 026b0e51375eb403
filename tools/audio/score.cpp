#include "audio/synth.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define STEPS_PER_BAR 16
#define CHORD_BASE 48  // C3: roots sit in the octave above it
#define TAIL_FADE 0.3f

namespace {
struct Note {
  long step;
  int len;
  float pitch;  // MIDI note number
  float accent;
};

struct ChordSpan {
  long step;
  int len;
  int root;
  int tones[4];
  int count;
};

struct Quality {
  const char *name;
  int tones[4];
  int count;
};

}  // namespace

static const Quality QUALITIES[] = {
    {"maj7", {0, 4, 7, 11}, 4}, {"m7", {0, 3, 7, 10}, 4}, {"7", {0, 4, 7, 10}, 4},
    {"dim", {0, 3, 6, 0}, 3},   {"aug", {0, 4, 8, 0}, 3}, {"sus4", {0, 5, 7, 0}, 3},
    {"6", {0, 4, 7, 9}, 4},     {"m", {0, 3, 7, 0}, 3},   {"", {0, 4, 7, 0}, 3},
};

static void skip_space(const char *&p) {
  while (*p == ' ' || *p == '\n' || *p == '\t') p++;
}

// Pitch class of a note name such as C, F#, Bb; -1 when there is none.
static int parse_name(const char *&p) {
  static const int CLASS[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  if (*p < 'A' || *p > 'G') return -1;
  int pc = CLASS[*p - 'A'];
  p++;
  if (*p == '#') {
    pc++;
    p++;
  } else if (*p == 'b') {
    pc += 11;
    p++;
  }
  return pc % 12;
}

// Optional ":N" length; keeps the carried length when absent.
static bool parse_length(const char *&p, int &len) {
  if (*p != ':') return true;
  p++;
  if (!isdigit((unsigned char)*p)) return false;
  char *end = nullptr;
  len = (int)strtol(p, &end, 10);
  p = end;
  return len > 0;
}

static bool at_token_end(const char *p) {
  return *p == 0 || *p == ' ' || *p == '\n' || *p == '\t';
}

// One melody token at *p. Returns false on a malformed token.
static bool melody_token(const char *&p, long &pos, int &len, int transpose, std::vector<Note> &notes,
                         bool &lastIsNote) {
  if (*p == '|') {
    p++;
    return pos % STEPS_PER_BAR == 0;
  }
  if (*p == '-' || *p == 'r') {
    bool tie = *p == '-';
    p++;
    if (!parse_length(p, len) || !at_token_end(p)) return false;
    if (tie && lastIsNote) notes.back().len += len;
    if (!tie) lastIsNote = false;
    pos += len;
    return true;
  }
  int pc = parse_name(p);
  if (pc < 0 || !isdigit((unsigned char)*p)) return false;
  int octave = *p++ - '0';
  if (!parse_length(p, len) || !at_token_end(p)) return false;
  Note n = {pos, len, (float)(12 * (octave + 1) + pc + transpose), 1.0f};
  notes.push_back(n);
  lastIsNote = true;
  pos += len;
  return true;
}

// Notes of a melody starting at step `start`; `steps` gets its length.
static bool parse_melody(const char *text, long start, int transpose, std::vector<Note> &notes, long &steps) {
  std::vector<Note> local;
  long pos = 0;
  int len = 4;
  bool lastIsNote = false;
  const char *p = text;
  for (skip_space(p); *p; skip_space(p))
    if (!melody_token(p, pos, len, transpose, local, lastIsNote)) return false;
  for (Note &n : local) {
    n.step += start;
    notes.push_back(n);
  }
  steps = pos;
  return true;
}

static bool chord_token(const char *&p, long &pos, int &len, int transpose, std::vector<ChordSpan> &chords) {
  if (*p == '|') {
    p++;
    return pos % STEPS_PER_BAR == 0;
  }
  int root = parse_name(p);
  if (root < 0) return false;
  const char *q = p;
  while (*q && *q != ':' && !at_token_end(q)) q++;
  size_t qlen = (size_t)(q - p);
  const Quality *quality = nullptr;
  for (const Quality &c : QUALITIES)
    if (strlen(c.name) == qlen && strncmp(c.name, p, qlen) == 0) quality = &c;
  p = q;
  if (!quality || !parse_length(p, len) || !at_token_end(p)) return false;
  ChordSpan c = {pos, len, (root + transpose + 120) % 12, {0, 0, 0, 0}, quality->count};
  for (int i = 0; i < 4; i++) c.tones[i] = quality->tones[i];
  chords.push_back(c);
  pos += len;
  return true;
}

static bool parse_chords(const char *text, long start, int transpose, std::vector<ChordSpan> &chords,
                         long &steps) {
  long pos = 0;
  int len = 16;
  const char *p = text;
  size_t first = chords.size();
  for (skip_space(p); *p; skip_space(p))
    if (!chord_token(p, pos, len, transpose, chords)) return false;
  for (size_t i = first; i < chords.size(); i++) chords[i].step += start;
  steps = pos;
  return pos > 0;
}

static const ChordSpan &chord_at(const std::vector<ChordSpan> &chords, long step) {
  size_t i = 0;
  while (i + 1 < chords.size() && chords[i + 1].step <= step) i++;
  return chords[i];
}

// Pattern text without its spacing.
static std::string compact(const char *text) {
  std::string s;
  for (const char *p = text; *p; p++)
    if (*p != ' ' && *p != '\n') s.push_back(*p);
  return s;
}

static float chord_tone(const ChordSpan &c, int index) {
  return (float)(CHORD_BASE + c.root + c.tones[index % c.count] + 12 * (index / c.count));
}

static void style_note(const ChordSpan &c, char ch, long step, int len, std::vector<Note> &notes) {
  float accent = step % 4 == 0 ? 1.0f : 0.8f;
  if (ch == 'x') {
    for (int i = 0; i < c.count; i++) notes.push_back({step, len, chord_tone(c, i), accent});
    return;
  }
  int index = ch == 'o' ? c.count : ch - '0';
  notes.push_back({step, len, chord_tone(c, index), accent});
}

static bool is_style_note(char ch) {
  return ch == 'x' || ch == 'o' || (ch >= '0' && ch <= '9');
}

// Accompaniment notes of a section from its chords and a style pattern.
static bool expand_style(const char *style, const std::vector<ChordSpan> &chords, long start, long steps,
                         std::vector<Note> &notes) {
  std::string s = compact(style);
  if (s.empty()) return false;
  for (long i = 0; i < steps; i++) {
    char ch = s[i % s.size()];
    if (!is_style_note(ch)) {
      if (ch != '-' && ch != '.') return false;
      continue;
    }
    int len = 1;
    while (i + len < steps && s[(i + len) % s.size()] == '-') len++;
    style_note(chord_at(chords, start + i), ch, start + i, len, notes);
  }
  return true;
}

namespace {
struct DrumHit {
  long step;
  int drum;
};
}  // namespace

static bool drum_char(char ch, long step, std::vector<DrumHit> &hits) {
  static const char *KEYS = "ksoctT";
  static const int DRUMS[] = {DRUM_KICK, DRUM_SNARE, DRUM_OPEN_HAT, DRUM_CRASH, DRUM_TOM_HIGH, DRUM_TOM_LOW};
  if (ch == '.') return true;
  if (ch == 'h' || ch == 'K' || ch == 'S') hits.push_back({step, DRUM_HAT});
  if (ch == 'K') hits.push_back({step, DRUM_KICK});
  if (ch == 'S') hits.push_back({step, DRUM_SNARE});
  if (ch == 'h' || ch == 'K' || ch == 'S') return true;
  const char *k = strchr(KEYS, ch);
  if (!k) return false;
  hits.push_back({step, DRUMS[k - KEYS]});
  return true;
}

static bool expand_drums(const Section &sec, long start, long steps, std::vector<DrumHit> &hits) {
  std::string main = compact(sec.drums);
  std::string fill = sec.fill ? compact(sec.fill) : std::string();
  long fillFrom = fill.empty() ? steps : steps - STEPS_PER_BAR;
  if (main.empty()) return false;
  for (long i = 0; i < steps; i++) {
    char ch = i >= fillFrom ? fill[(i - fillFrom) % fill.size()] : main[i % main.size()];
    if (!drum_char(ch, start + i, hits)) return false;
  }
  return true;
}

namespace {
// Every note of a song, sorted by part.
struct Score {
  std::vector<Note> lead, second, bass, arp, pad;
  std::vector<const Instrument *> leadInstruments;  // one per lead note
  std::vector<DrumHit> drums;
  long steps;
};
}  // namespace

static bool melody_part(const char *text, long start, long steps, int transpose, std::vector<Note> &notes) {
  if (!text) return true;
  long len = 0;
  return parse_melody(text, start, transpose, notes, len) && len == steps;
}

static bool style_part(const char *style, const std::vector<ChordSpan> &chords, long start, long steps,
                       std::vector<Note> &notes) {
  return !style || expand_style(style, chords, start, steps, notes);
}

static bool score_section(const Song &song, const Section &sec, Score &score) {
  std::vector<ChordSpan> chords;
  long start = score.steps;
  long steps = 0;
  if (!parse_chords(sec.chords, start, sec.transpose, chords, steps)) return false;
  bool ok = melody_part(sec.lead, start, steps, sec.transpose, score.lead) &&
            melody_part(sec.second, start, steps, sec.transpose, score.second) &&
            style_part(sec.bass, chords, start, steps, score.bass) &&
            style_part(sec.arp, chords, start, steps, score.arp) &&
            style_part(sec.pad, chords, start, steps, score.pad) &&
            (!sec.drums || expand_drums(sec, start, steps, score.drums));
  const Instrument *ins = sec.leadInstrument ? sec.leadInstrument : &song.lead;
  score.leadInstruments.resize(score.lead.size(), ins);
  score.steps += steps;
  return ok;
}

static Tone instrument_tone(const Instrument &ins, const Note &n, float stepSeconds) {
  float pitch = n.pitch + 12.0f * ins.octave;
  Tone t = tone_make(ins.osc, midi_freq(pitch), n.len * stepSeconds * ins.gate, ins.gain * n.accent);
  t.duty = ins.duty;
  t.env = ins.env;
  t.vibDepth = ins.vibDepth;
  t.vibRate = ins.vibRate;
  t.vibDelay = ins.vibDelay;
  t.filter = ins.filter;
  t.cutoff = ins.cutoff;
  t.cutoffEnd = ins.cutoffEnd;
  t.cutoffTime = ins.cutoffTime;
  t.q = ins.q > 0.0f ? ins.q : 0.707f;
  if (ins.glide > 0.0f) {
    t.freq = midi_freq(pitch - ins.glide);
    t.freqEnd = midi_freq(pitch);
    t.slideTime = 0.05f;
  }
  return t;
}

static void render_part(const std::vector<Note> &notes, const Instrument &ins, long stepSamples, Samples &buf,
                        Lcg &noise) {
  float stepSeconds = (float)stepSamples / AUDIO_RATE;
  for (const Note &n : notes) render_tone(buf, n.step * stepSamples, instrument_tone(ins, n, stepSeconds), noise);
}

static void mix_into(Samples &out, const Samples &part) {
  if (out.size() < part.size()) out.resize(part.size(), 0.0f);
  for (size_t i = 0; i < part.size(); i++) out[i] += part[i];
}

static void render_lead(const Song &song, const Score &score, long stepSamples, Samples &mix, Lcg &noise) {
  Samples lead;
  float stepSeconds = (float)stepSamples / AUDIO_RATE;
  for (size_t i = 0; i < score.lead.size(); i++) {
    const Note &n = score.lead[i];
    render_tone(lead, n.step * stepSamples, instrument_tone(*score.leadInstruments[i], n, stepSeconds), noise);
  }
  render_part(score.second, song.second, stepSamples, lead, noise);
  add_echo(lead, stepSamples * 3, 0.35f, song.echo);
  mix_into(mix, lead);
}

// Folds everything past the last bar back onto the start, so the end
// flows into the beginning when the piece loops.
static void wrap_loop(Samples &mix, long length) {
  if ((long)mix.size() < length) mix.resize(length, 0.0f);
  for (size_t i = length; i < mix.size(); i++) mix[i % length] += mix[i];
  mix.resize(length);
}

// The first play starts cold, so begin the loop on its quietest sample of
// the first few milliseconds; turning a loop round leaves it seamless.
static void start_quietly(Samples &mix) {
  size_t best = 0;
  size_t search = std::min(mix.size(), (size_t)seconds_to_samples(0.005f));
  for (size_t i = 1; i < search; i++)
    if (fabsf(mix[i]) < fabsf(mix[best])) best = i;
  std::rotate(mix.begin(), mix.begin() + best, mix.end());
}

// Lets the last notes ring out, but only as far as the piece's time
// allows: a longer tail is faded early. False when the notes themselves
// would not fit.
static bool end_tail(Samples &mix, long musicLength, const Song &song) {
  long limit = seconds_to_samples(song.maxSeconds);
  long fade = seconds_to_samples(TAIL_FADE);
  if (musicLength + fade > limit) return false;
  master(mix, song.peak);
  trim_tail(mix, 0.001f);
  if ((long)mix.size() > limit) {
    mix.resize(limit);
    fade_ends(mix, 0.0f, TAIL_FADE);
  }
  fade_ends(mix, 0.002f, 0.03f);
  return true;
}

bool render_song(const Song &song, Samples &out) {
  Score score;
  score.steps = 0;
  for (int i = 0; i < song.sectionCount; i++)
    if (!score_section(song, song.sections[i], score)) return false;
  long stepSamples = lroundf(AUDIO_RATE * 15.0f / song.bpm);
  Lcg noise = {12345u};
  Samples mix;
  render_lead(song, score, stepSamples, mix, noise);
  render_part(score.arp, song.arp, stepSamples, mix, noise);
  render_part(score.pad, song.pad, stepSamples, mix, noise);
  for (const DrumHit &h : score.drums) render_drum(mix, h.step * stepSamples, h.drum, song.drumGain, noise);
  add_reverb(mix, song.reverb);
  Samples bass;
  render_part(score.bass, song.bass, stepSamples, bass, noise);
  mix_into(mix, bass);
  if (song.loops) {
    wrap_loop(mix, score.steps * stepSamples);
    start_quietly(mix);
    master(mix, song.peak);
  } else if (!end_tail(mix, score.steps * stepSamples, song)) {
    return false;
  }
  out.swap(mix);
  return true;
}
