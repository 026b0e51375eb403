// The sounds of the built main datafile, decoded and measured: every effect
// is a clean mono WAV, every tune decodes and fits the screen it plays on,
// and the title tune loops without a seam.
#include "headless/headless.h"
#include "shell/entries.h"
#include "shell/shell.h"
#include "sound/fsound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <allegro.h>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

const int RATE = 44100;
const int TICKS = 60;
const int TITLE_TUNE = ENTRY_TUNE_TITLE;

struct Pcm {
  int rate = 0;
  int channels = 0;
  std::vector<float> s;  // first channel, -1..1
};

unsigned rd16(const unsigned char *p) { return p[0] | (p[1] << 8); }
unsigned long rd32(const unsigned char *p) { return rd16(p) | ((unsigned long)rd16(p + 2) << 16); }

// The canonical 44-byte header of 16-bit PCM the game's effects use, its
// sizes agreeing with the entry's.
bool canonical_wav(const DATAFILE &e) {
  const unsigned char *d = (const unsigned char *)e.dat;
  return e.size >= 44 && !memcmp(d, "RIFF", 4) && !memcmp(d + 8, "WAVEfmt ", 8) && !memcmp(d + 36, "data", 4) &&
         rd16(d + 20) == 1 && rd16(d + 34) == 16 && rd32(d + 40) + 44 == (unsigned long)e.size &&
         rd32(d + 4) + 8 == (unsigned long)e.size;
}

// The first channel as the game decodes it, -1..1.
bool decode(const DATAFILE &e, Pcm &out) {
  SAMPLE *spl = decode_sound((const unsigned char *)e.dat, e.size);
  if (!spl || spl->bits != 16) return false;
  out.rate = spl->freq;
  out.channels = spl->stereo ? 2 : 1;
  const unsigned short *d = (const unsigned short *)spl->data;
  for (unsigned long i = 0; i < spl->len; i++) out.s.push_back(((int)d[i * out.channels] - 0x8000) / 32768.0f);
  destroy_sample(spl);
  return true;
}

float seconds(const Pcm &p) { return (float)p.s.size() / RATE; }

float peak(const Pcm &p) {
  float top = 0;
  for (float v : p.s) top = std::max(top, std::fabs(v));
  return top;
}

float rms(const std::vector<float> &s, size_t from, size_t n) {
  double sum = 0;
  for (size_t i = from; i < from + n; i++) sum += s[i] * s[i];
  return (float)std::sqrt(sum / n);
}

float mean(const Pcm &p) {
  double sum = 0;
  for (float v : p.s) sum += v;
  return (float)(sum / p.s.size());
}

struct Limits {
  int entry;
  float shortest;
  float longest;
};

// The tick sounds every second logic tick and must be over before the next;
// the menu blip is also played 4.4 times slower on key redefinition.
const Limits EFFECTS[] = {
    {ENTRY_SOUND_SPARE, 0.02f, 1.0f},     {ENTRY_SOUND_FOOTSTEP, 0.02f, 0.15f},
    {ENTRY_SOUND_SPEECH, 0.4f, 1.0f},     {ENTRY_SOUND_MENU, 0.02f, 0.15f},
    {ENTRY_SOUND_SWIM_A, 0.15f, 0.8f},    {ENTRY_SOUND_SWIM_B, 0.15f, 0.8f},
    {ENTRY_SOUND_SWIM_C, 0.15f, 0.8f},    {ENTRY_SOUND_DIVE, 0.4f, 1.5f},
    {ENTRY_SOUND_CATAPULT, 0.15f, 1.0f},  {ENTRY_SOUND_START, 0.1f, 1.0f},
    {ENTRY_SOUND_FOUL, 0.2f, 1.0f},       {ENTRY_SOUND_BALLOON, 0.2f, 0.83f},
    {ENTRY_SOUND_THROW, 0.1f, 0.8f},      {ENTRY_SOUND_TICK, 0.003f, 2.0f / TICKS},
    {ENTRY_SOUND_SCREEN, 0.1f, 1.0f},     {ENTRY_SOUND_BOUNCE, 0.03f, 0.5f},
    {ENTRY_SOUND_BULLSEYE, 0.05f, 0.8f},  {ENTRY_SOUND_POP, 0.03f, 0.5f},
};

// Each piece within the time of the screen or moment it plays on.
const Limits TUNES[] = {
    {ENTRY_TUNE_INTRO, 3.0f, 420.0f / TICKS},            // introduction card
    {ENTRY_TUNE_EVENT, 2.0f, 4.5f},                      // event start, before the verdict can come
    {ENTRY_TUNE_GAME_OVER, 3.0f, 340.0f / TICKS},        // GAME OVER screen
    {ENTRY_TUNE_CONGRATULATIONS, 4.0f, 500.0f / TICKS},  // congratulations screen
    {ENTRY_TUNE_SPARE, 0.5f, 10.0f},
    {ENTRY_TUNE_FAILED, 1.5f, 5.0f},
    {ENTRY_TUNE_CHAMPION, 85.0f, 5800.0f / TICKS},  // champion celebration
    {ENTRY_TUNE_QUALIFIED, 1.5f, 5.0f},
    {TITLE_TUNE, 15.0f, 40.0f},
};

class Sounds : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(headless_start()); }
  void TearDown() override { headless_stop(); }
};

// Decodes the entry and checks what every sound shares: rate, length and a
// level that neither clips nor drifts off the centre line.
bool decoded(const Limits &lim, bool wav, Pcm &p) {
  EXPECT_TRUE(!wav || canonical_wav(MainData[lim.entry])) << "not a plain 16-bit WAV";
  if (!decode(MainData[lim.entry], p)) return false;
  EXPECT_EQ(p.rate, RATE);
  EXPECT_GE(seconds(p), lim.shortest);
  EXPECT_LE(seconds(p), lim.longest);
  EXPECT_LE(peak(p), 0.98f);
  EXPECT_LT(std::fabs(mean(p)), 0.02f);
  return true;
}

std::string entry_name(int entry) { return "entry " + std::to_string(entry); }

TEST_F(Sounds, EffectsAreShortCleanMonoWavs) {
  for (const Limits &lim : EFFECTS) {
    SCOPED_TRACE(entry_name(lim.entry));
    Pcm p;
    ASSERT_TRUE(decoded(lim, true, p));
    EXPECT_EQ(p.channels, 1);
    EXPECT_GE(peak(p), 0.25f) << "barely audible";
    // Starting or stopping away from zero clicks.
    EXPECT_LT(std::fabs(p.s.front()), 0.01f);
    EXPECT_LT(std::fabs(p.s.back()), 0.01f);
  }
}

// A part that failed to sound would leave a hole in the music (the last
// second and a half may die away); the pieces played once end in silence
// rather than being cut off.
TEST_F(Sounds, TunesFitWhereTheyPlayAndSoundThroughout) {
  for (const Limits &lim : TUNES) {
    SCOPED_TRACE(entry_name(lim.entry));
    Pcm p;
    ASSERT_TRUE(decoded(lim, false, p));
    ASSERT_GT(p.s.size(), (size_t)RATE);
    EXPECT_GE(peak(p), 0.3f);
    size_t window = RATE / 2;
    for (size_t at = 0; at + window + RATE * 3 / 2 <= p.s.size(); at += window)
      EXPECT_GT(rms(p.s, at, window), 0.02f) << "at " << (float)at / RATE << " s";
    if (lim.entry != TITLE_TUNE) {
      EXPECT_LT(rms(p.s, p.s.size() - RATE / 100, RATE / 100), 0.01f) << "cut off";
    }
  }
}

// No two entries carry the same sound: each effect and tune is its own.
TEST_F(Sounds, EverySoundEntryIsDistinct) {
  std::vector<int> entries;
  for (const Limits &e : EFFECTS) entries.push_back(e.entry);
  for (const Limits &t : TUNES) entries.push_back(t.entry);
  ASSERT_EQ(entries.size(), (size_t)(SOUND_EFFECT_COUNT + TUNE_COUNT));
  for (size_t i = 0; i < entries.size(); i++)
    for (size_t j = i + 1; j < entries.size(); j++) {
      const DATAFILE &a = MainData[entries[i]], &b = MainData[entries[j]];
      EXPECT_FALSE(a.size == b.size && memcmp(a.dat, b.dat, a.size) == 0)
          << "entries " << entries[i] << " and " << entries[j];
    }
}

// Looped by the title screen: the end must run on into the beginning with
// neither a fade nor a jump.
TEST_F(Sounds, TitleTuneLoopsWithoutASeam) {
  Pcm p;
  ASSERT_TRUE(decode(MainData[TITLE_TUNE], p));
  size_t n = p.s.size();
  ASSERT_GT(n, (size_t)RATE);
  float head = rms(p.s, 0, RATE / 10), tail = rms(p.s, n - RATE / 10, RATE / 10);
  EXPECT_GT(tail, head * 0.5f);
  EXPECT_GT(head, tail * 0.5f);
  std::vector<float> steps;
  for (size_t i = 1; i < n; i++) steps.push_back(std::fabs(p.s[i] - p.s[i - 1]));
  std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
  EXPECT_LE(std::fabs(p.s.front() - p.s.back()), steps[steps.size() * 99 / 100]);
}

}  // namespace
