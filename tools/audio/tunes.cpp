#include "audio/synth.h"
#include "shell/entries.h"

#define COUNT(a) (int)(sizeof(a) / sizeof((a)[0]))

// Instruments: osc, duty, envelope, gain, gate, vibrato (depth, rate,
// delay), filter (kind, cutoff, sweep end, sweep time, q), glide, octave.
static const Instrument LEAD = {OSC_PULSE, 0.25f, {0.004f, 0.15f, 0.65f, 0.06f}, 0.30f, 0.9f,
                                0.15f, 5.5f, 0.15f, FILTER_LOW, 5500, 5500, 0, 0.7f, 0, 0};
static const Instrument SQUARE = {OSC_PULSE, 0.5f, {0.004f, 0.2f, 0.6f, 0.07f}, 0.28f, 0.9f,
                                  0.2f, 5.5f, 0.12f, FILTER_LOW, 4000, 4000, 0, 0.7f, 0, 0};
static const Instrument COUNTER = {OSC_PULSE, 0.5f, {0.02f, 0.3f, 0.6f, 0.1f}, 0.13f, 0.95f,
                                   0.1f, 5.0f, 0.2f, FILTER_LOW, 2500, 2500, 0, 0.7f, 0, 0};
static const Instrument BASS = {OSC_PULSE, 0.5f, {0.003f, 0.12f, 0.6f, 0.04f}, 0.36f, 0.75f,
                                0, 0, 0, FILTER_LOW, 800, 800, 0, 1.0f, 0, -1};
static const Instrument SOFT_BASS = {OSC_TRIANGLE, 0.5f, {0.01f, 0.3f, 0.7f, 0.1f}, 0.5f, 0.95f,
                                     0, 0, 0, FILTER_NONE, 0, 0, 0, 0.7f, 0, -1};
static const Instrument ARP = {OSC_PULSE, 0.125f, {0.002f, 0.08f, 0.25f, 0.03f}, 0.09f, 0.8f,
                               0, 0, 0, FILTER_LOW, 6000, 6000, 0, 0.7f, 0, 1};
static const Instrument PAD = {OSC_PULSE, 0.5f, {0.01f, 0.15f, 0.5f, 0.08f}, 0.06f, 0.8f,
                               0, 0, 0, FILTER_LOW, 2200, 2200, 0, 0.7f, 0, 1};
static const Instrument FLUTE = {OSC_TRIANGLE, 0.5f, {0.03f, 0.2f, 0.8f, 0.1f}, 0.42f, 0.95f,
                                 0.3f, 5.0f, 0.12f, FILTER_NONE, 0, 0, 0, 0.7f, 0, 0};
static const Instrument BRASS = {OSC_SAW, 0.5f, {0.01f, 0.2f, 0.7f, 0.08f}, 0.24f, 0.9f,
                                 0.12f, 5.0f, 0.2f, FILTER_LOW, 600, 3500, 0.08f, 1.0f, 1.0f, 0};
static const Instrument WAH = {OSC_SAW, 0.5f, {0.02f, 0.2f, 0.8f, 0.1f}, 0.35f, 0.85f,
                               0, 0, 0, FILTER_LOW, 300, 1600, 0.3f, 4.0f, 0, 0};
static const Instrument WOBBLE = {OSC_SAW, 0.5f, {0.02f, 0.3f, 0.8f, 0.3f}, 0.35f, 0.95f,
                                  0.6f, 4.5f, 0.25f, FILTER_LOW, 300, 1400, 0.3f, 4.0f, 0, 0};

// Drum grooves.
static const char *GROOVE = "K.h.S.hhK.h.S.h.";
static const char *GROOVE_BUSY = "K.hhS.hhK.hKS.hh";
static const char *GROOVE_DRIVE = "K.hhS.h.K.hhS.hh";
static const char *GROOVE_HALF = "K.h.h.h.S.h.h.h.";
static const char *FILL = "K.h.S.hhS.SSt.T.";
static const char *FILL_ROLL = "S.SSS.SSSSSSt.T.";
static const char *BOUNCE = "0.o.2.o.";
static const char *ARP4 = "0123";
static const char *STABS = "..x...x...x...x.";

// The school theme, first heard on the title screen.
static const char *THEME_A_CHORDS = "C | Am | F | G | C | Am | F:8 G:8 | C:16";
static const char *THEME_A =
    "G4:2 C5:2 E5:2 G5:2 E5:4 C5:4 | A5:3 G5:1 E5:2 C5:2 A4:4 r:4 |"
    "F4:2 A4:2 C5:2 F5:2 A5:4 G5:2 F5:2 | G5:6 D5:2 B4:4 r:4 |"
    "G4:2 C5:2 E5:2 G5:2 C6:4 B5:2 A5:2 | A5:2 E5:2 C5:2 E5:2 A5:4 G5:4 |"
    "F5:2 A5:2 C6:4 B5:2 G5:2 D5:4 | C6:4 G5:2 E5:2 C5:4 r:4";
static const char *THEME_B_CHORDS = "F | G | Em | Am | Dm | G | C:8 Am:8 | Dm:8 G7:8";
static const char *THEME_B =
    "A5:6 G5:2 F5:2 A5:2 C6:4 | B5:6 A5:2 G5:2 B5:2 D6:4 |"
    "E6:4 D6:2 B5:2 G5:4 E5:4 | A5:2 B5:2 C6:2 B5:2 A5:4 E5:4 |"
    "F5:2 A5:2 D6:4 C6:2 A5:2 F5:4 | G5:2 B5:2 D6:2 B5:2 G5:4 F5:4 |"
    "E5:2 G5:2 C6:4 A5:2 C6:2 E6:4 | D6:2 C6:2 A5:2 F5:2 G5:2 F5:2 D5:2 B4:2";
static const char *THEME_B_COUNTER =
    "C5:16 | D5:16 | B4:16 | C5:16 | A4:16 | B4:16 | G4:8 A4:8 | F4:8 G4:8";

static const Section TITLE[] = {
    {THEME_A_CHORDS, THEME_A, nullptr, BOUNCE, nullptr, STABS, GROOVE, FILL, 2, nullptr},
    {THEME_B_CHORDS, THEME_B, THEME_B_COUNTER, "0-.o0-.o", ARP4, nullptr, GROOVE_DRIVE, FILL_ROLL, 2, nullptr},
};

static const Section INTRO[] = {
    {"C | Am | F:8 G:8",
     "C5:2 E5:2 G5:2 C6:2 G5:2 E5:2 G5:4 | A5:2 C6:2 E6:2 C6:2 A5:2 E5:2 A5:4 |"
     "F5:2 A5:2 C6:4 G5:2 B5:2 D6:4",
     nullptr, BOUNCE, ARP4, nullptr, GROOVE, "K.h.S.hhS.S.SSSS", 0, nullptr},
    {"C:8", "C6:8", "E5:8", "0-------", nullptr, "x-------", "c.......", nullptr, 0, nullptr},
};

static const Section EVENT[] = {
    {"C:16", "G4:2 G4:1 G4:1 C5:4 E5:2 E5:1 E5:1 G5:4", "E4:2 E4:1 E4:1 G4:4 C5:2 C5:1 C5:1 E5:4",
     "0-..0-..0-..0-..", nullptr, nullptr, "S.SSK...S.SSK...", nullptr, 0, nullptr},
    {"F:4 G:4 C:8", "A5:2 F5:2 B5:2 G5:2 C6:8", "F5:2 D5:2 G5:2 D5:2 E5:8", "0-..0-..0-------", nullptr,
     nullptr, "K...K...c.......", nullptr, 0, nullptr},
};

static const Section QUALIFIED[] = {
    {"C:8 F:4 G:4", "C5:1 E5:1 G5:1 C6:1 E6:2 C6:2 A5:2 C6:2 D6:2 B5:2", nullptr, BOUNCE, ARP4, nullptr,
     "K.S.K.S.K.S.SSSS", nullptr, 0, nullptr},
    {"C:8", "C6:8", "G5:8", "0-------", nullptr, "x-------", "c.......", nullptr, 0, nullptr},
};

static const Section FAILED[] = {
    {"C:4 D:4 Db:4 C:8", "G4:4 F#4:4 F4:4 r:8", "r:12 E4:8", "0---", nullptr, nullptr, nullptr, nullptr, 0,
     &WAH},
};

static const Section GAME_OVER[] = {
    {"Am:8 F:8 | Dm:4 E:4 Am:4", "E5:4 D5:2 C5:2 F5:4 E5:2 C5:2 | D5:2 F5:2 E5:2 G#4:2 A4:4", nullptr, "0-2-",
     nullptr, "x---", "k...h...s...h...", nullptr, 0, &FLUTE},
};

static const Section CONGRATULATIONS[] = {
    {"C | F:8 G:8 | Am:8 F:8 | G7:16",
     "E5:2 G5:2 C6:4 E6:4 D6:2 C6:2 | A5:2 C6:2 F6:4 D6:2 B5:2 G5:4 |"
     "C6:2 B5:2 A5:2 E5:2 F5:2 A5:2 C6:4 | B5:2 D6:2 G6:4 F6:2 D6:2 B5:2 D6:2",
     nullptr, BOUNCE, ARP4, nullptr, GROOVE, "S.S.SSSSt.t.T.T.", -7, nullptr},
    {"C:4", "C6:4", "E5:4", "0---", nullptr, "x---", "c...", nullptr, -7, nullptr},
};

static const Section SPARE[] = {
    {"C:8 G:8", "G5:2 E5:2 C5:2 E5:2 D5:2 B4:2 G4:2 B4:2", nullptr, BOUNCE, nullptr, nullptr, GROOVE, nullptr, 0,
     nullptr},
    {"C:8", "C5:8", nullptr, "0-------", nullptr, "x-------", "c.......", nullptr, 0, nullptr},
};

// The champion's celebration: a march of its own, the school theme and a
// lift into a new key for the finish.
static const char *MARCH_CHORDS = "C | G | Am | F | C | G | F:8 G:8 | C:16";
static const char *MARCH =
    "C5:2 C5:2 G5:4 E5:2 G5:2 C6:4 | B5:2 A5:2 G5:2 D5:2 G5:4 r:4 |"
    "A5:2 A5:2 E6:4 C6:2 A5:2 E5:4 | F5:2 G5:2 A5:2 C6:2 A5:4 G5:4 |"
    "C5:2 C5:2 G5:4 E5:2 G5:2 C6:4 | D6:2 C6:2 B5:2 A5:2 B5:4 G5:4 |"
    "A5:2 C6:2 F6:4 G5:2 B5:2 D6:4 | C6:6 G5:2 C6:4 r:4";
static const char *CHORUS =
    "r:2 A5:2 C6:3 A5:3 F5:2 A5:4 | r:2 B5:2 D6:3 B5:3 G5:2 B5:4 |"
    "E6:3 D6:3 B5:2 G5:3 E5:3 G5:2 | A5:6 C6:2 E6:4 C6:4 |"
    "r:2 F5:2 A5:3 F5:3 D5:2 F5:4 | r:2 G5:2 B5:3 G5:3 E5:2 G5:4 |"
    "A5:2 G5:2 F5:2 A5:2 C6:4 A5:4 | B5:2 C6:2 D6:2 F6:2 D6:2 B5:2 G5:4";
static const char *CHORUS_COUNTER = "C5:16 | B4:16 | B4:16 | C5:16 | A4:16 | G4:16 | A4:16 | B4:16";
static const char *BRIDGE =
    "E5:8 A5:4 C6:4 | C6:6 A5:2 F5:8 | G5:8 E5:4 G5:4 | D6:12 B5:4 |"
    "C6:8 B5:4 A5:4 | A5:6 G5:2 F5:8 | F5:4 A5:4 D6:4 C6:4 | B5:8 G#5:8";
static const char *OUTRO =
    "A5:2 C6:2 F6:4 E6:2 C6:2 A5:4 | B5:2 D6:2 G6:4 F6:2 D6:2 B5:4 |"
    "C6:2 E6:2 A6:4 A5:2 C6:2 F6:4 | G6:4 F6:2 E6:2 D6:2 C6:2 B5:2 D6:2";

static const Section CHAMPION[] = {
    {"C | F | G | G7", nullptr, nullptr, "0...0...0...0...", ARP4, "x-------x-------", "K...K...K...K...",
     "S.S.SSSSSSSSt.T.", 0, nullptr},
    {MARCH_CHORDS, MARCH, nullptr, BOUNCE, nullptr, STABS, GROOVE, FILL, 0, nullptr},
    {"F | G | Em | Am | Dm | Em | F | G7", CHORUS, CHORUS_COUNTER, "0-.o0-.o", ARP4, nullptr, GROOVE_DRIVE,
     FILL_ROLL, 0, nullptr},
    {MARCH_CHORDS, MARCH, nullptr, BOUNCE, ARP4, nullptr, GROOVE_BUSY, FILL, 0, &SQUARE},
    {"Am | F | C | G | Am | F | Dm | E7", BRIDGE, nullptr, "0-------2-------", "0.1.2.1.", "x---------------",
     GROOVE_HALF, "K.h.h.h.S.SSSSSS", 0, &FLUTE},
    {THEME_B_CHORDS, THEME_B, THEME_B_COUNTER, BOUNCE, ARP4, nullptr, GROOVE, FILL_ROLL, 0, nullptr},
    {"A7:16", "A4:2 C#5:2 E5:2 G5:2 A5:2 C#6:2 E6:2 G6:2", nullptr, "0.0.0.0.0.0.0.0.", ARP4, nullptr,
     "S.S.S.S.SSSSSSSS", nullptr, 0, nullptr},
    {MARCH_CHORDS, MARCH, nullptr, BOUNCE, ARP4, STABS, GROOVE_BUSY, FILL, 2, &SQUARE},
    {"F | G | Am:8 F:8 | G:16", OUTRO, nullptr, BOUNCE, ARP4, "x-------x-------", GROOVE, FILL_ROLL, 2, nullptr},
    {"C:16", "C6:16", "E5:16", "0---------------", nullptr, "x---------------", "c...............", nullptr,
     2, nullptr},
};

namespace {
struct TuneDef {
  int entry;
  const Section *sections;
  int count;
  int bpm;
  const Instrument *second;
  const Instrument *bass;
  float echo;
  int loops;
  float maxSeconds;
};
}  // namespace

static const TuneDef TUNES[] = {
    {ENTRY_TUNE_INTRO, INTRO, COUNT(INTRO), 160, &COUNTER, &BASS, 0.25f, 0, 7.0f},
    {ENTRY_TUNE_EVENT, EVENT, COUNT(EVENT), 140, &BRASS, &BASS, 0.2f, 0, 4.0f},
    {ENTRY_TUNE_GAME_OVER, GAME_OVER, COUNT(GAME_OVER), 100, &COUNTER, &SOFT_BASS, 0.1f, 0, 5.6f},
    {ENTRY_TUNE_CONGRATULATIONS, CONGRATULATIONS, COUNT(CONGRATULATIONS), 150, &COUNTER, &BASS, 0.25f, 0, 8.3f},
    {ENTRY_TUNE_SPARE, SPARE, COUNT(SPARE), 150, &COUNTER, &BASS, 0.2f, 0, 4.0f},
    {ENTRY_TUNE_FAILED, FAILED, COUNT(FAILED), 100, &WOBBLE, &SOFT_BASS, 0.0f, 0, 4.5f},
    {ENTRY_TUNE_CHAMPION, CHAMPION, COUNT(CHAMPION), 150, &COUNTER, &BASS, 0.25f, 0, 96.0f},
    {ENTRY_TUNE_QUALIFIED, QUALIFIED, COUNT(QUALIFIED), 160, &COUNTER, &BASS, 0.25f, 0, 4.0f},
    {ENTRY_TUNE_TITLE, TITLE, COUNT(TITLE), 150, &COUNTER, &BASS, 0.25f, 1, 30.0f},
};

static Song tune_song(const TuneDef &d) {
  Song s = {};
  s.bpm = d.bpm;
  s.sections = d.sections;
  s.sectionCount = d.count;
  s.lead = LEAD;
  s.second = *d.second;
  s.bass = *d.bass;
  s.arp = ARP;
  s.pad = PAD;
  s.echo = d.echo;
  s.drumGain = 0.5f;
  s.reverb = 0.18f;
  s.loops = d.loops;
  s.peak = 0.78f;
  s.maxSeconds = d.maxSeconds;
  return s;
}

// False for an unknown entry, malformed notes or a piece too long for the
// screen it plays on.
bool make_tune(int entry, Samples &out) {
  for (const TuneDef &d : TUNES) {
    if (d.entry != entry) continue;
    return render_song(tune_song(d), out);
  }
  return false;
}
