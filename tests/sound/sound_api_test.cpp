// The game's sound calls over a datafile made here: effects and tunes whose
// lengths tell which entry each came from.
#include <gtest/gtest.h>
#include <unistd.h>

#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "shell/entries.h"
#include "sound/sound.h"
#include "sound_fixture.h"

namespace {

const int ENTRY_COUNT = MAIN_ENTRY_COUNT;

DATAFILE Entries[ENTRY_COUNT + 1];
std::vector<Bytes> Payloads(ENTRY_COUNT);

bool is_tune_entry(int i) { return i >= ENTRY_TUNE_INTRO && i < ENTRY_TUNE_INTRO + TUNE_COUNT; }
bool is_sound_entry(int i) { return is_tune_entry(i) || i >= ENTRY_SOUND_BALLOON; }

// Every sound entry is 1000 + its index frames long; odd tunes are Ogg.
void build_datafile(void) {
  if (!Payloads[ENTRY_TUNE_INTRO].empty()) return;
  for (int i = 0; i < ENTRY_COUNT; i++) {
    if (!is_sound_entry(i)) {
      Payloads[i] = Bytes(8, (unsigned char)i);
    } else if (is_tune_entry(i) && (i & 1)) {
      Payloads[i] = make_ogg(1, 44100, 1000 + i, 441);
    } else {
      Payloads[i] = make_wav(16, 1, 44100, 1000 + i, 441);
    }
    Entries[i] = DATAFILE{Payloads[i].data(), DAT_DATA, (long)Payloads[i].size(), nullptr};
  }
  Entries[ENTRY_COUNT] = DATAFILE{nullptr, DAT_END, 0, nullptr};
}

long length_of(const FSOUND_SAMPLE *s) { return s ? (long)s->pcm->len : -1; }

class SoundApi : public ::testing::Test {
 protected:
  void SetUp() override {
    build_datafile();
    HeadlessOptions options;
    options.loadData = false;
    ASSERT_TRUE(headless_start(options));
    MainData = Entries;
    Settings.soundvolume = 8;
    Settings.musicvolume = 8;
    restart();
  }
  void TearDown() override {
    shutdown_sound();
    MainData = nullptr;
    headless_stop();
  }
  void restart(void) {
    shutdown_sound();
    ASSERT_EQ(0, init_sound());
    sound_log_clear();
  }
  std::vector<FsoundLogEntry> calls(int kind) {
    std::vector<FsoundLogEntry> out;
    for (int k = 0; k < sound_log_count(); k++) {
      FsoundLogEntry e{};
      sound_log_entry(k, &e);
      if (kind < 0 || e.call == kind) out.push_back(e);
    }
    return out;
  }
};

TEST_F(SoundApi, AnEffectThatFailsToLoadStaysNullAndPlaysNothing) {
  Entries[ENTRY_SOUND_MENU].size = 6;  // cut short
  restart();
  Entries[ENTRY_SOUND_MENU].size = (long)Payloads[ENTRY_SOUND_MENU].size();
  EXPECT_EQ(nullptr, SoundEffects[SND_MENU]);
  EXPECT_NE(nullptr, SoundEffects[SND_SWIM_A]);
  EXPECT_EQ(0, play_effect(SoundEffects[SND_MENU], 0, 44100));
  EXPECT_EQ(0, play_music(nullptr, 1));
  EXPECT_TRUE(calls(-1).empty());
  free_sample(SoundEffects[SND_MENU]);
  EXPECT_EQ(SOUND_COUNT - 1, fsound_samples_loaded());
}

TEST_F(SoundApi, MusicSetsHoldTheirTunesOnlyAndSilenceTheLastSet) {
  struct Case {
    int set;
    std::vector<int> tunes;
  };
  const Case cases[] = {
      {MUSIC_SET_SPORTS_DAY, {MUS_INTRO, MUS_EVENT, MUS_SPARE, MUS_FAILED, MUS_QUALIFIED}},
      {MUSIC_SET_FINALE, {MUS_GAME_OVER, MUS_CONGRATULATIONS, MUS_CHAMPION}},
      {MUSIC_SET_TITLE, {MUS_TITLE}},
      {4, {}},
      {MUSIC_SET_TITLE, {MUS_TITLE}},
      {0, {}},
  };
  int effect = play_effect(SoundEffects[SND_BOUNCE], 1, 44100);
  int sounding = 0;
  for (const Case &c : cases) {
    load_music_set(c.set);
    // The previous set's tunes were freed, silencing the last one played
    // (the verdict jingle when the finale comes).
    EXPECT_FALSE(FSOUND_IsPlaying(sounding)) << "set " << c.set;
    EXPECT_EQ(SOUND_COUNT + (int)c.tunes.size(), fsound_samples_loaded()) << "set " << c.set;
    for (int m = 0; m < MUSIC_COUNT; m++) {
      bool wanted = std::find(c.tunes.begin(), c.tunes.end(), m) != c.tunes.end();
      EXPECT_EQ(wanted ? 1000 + ENTRY_TUNE_INTRO + m : -1, length_of(MusicSamples[m])) << "set " << c.set << " tune " << m;
    }
    sounding = c.tunes.empty() ? 0 : play_music(MusicSamples[c.tunes.back()], 0);
    EXPECT_TRUE(c.tunes.empty() || FSOUND_IsPlaying(sounding)) << "set " << c.set;
  }
  EXPECT_TRUE(FSOUND_IsPlaying(effect));
}

TEST_F(SoundApi, EffectGetsRateThenLoopThenVolumeOnItsChannel) {
  Settings.soundvolume = 3;
  int ch = play_effect(SoundEffects[SND_POP], 0, 48100);
  ASSERT_GE(ch, 1);
  const int want[][2] = {{FCALL_PLAY, -1}, {FCALL_FREQUENCY, 48100}, {FCALL_LOOPMODE, FSOUND_LOOP_OFF},
                         {FCALL_VOLUME, 96}};
  std::vector<FsoundLogEntry> log = calls(-1);
  ASSERT_EQ(4u, log.size());
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(want[k][0], log[k].call) << "call " << k;
    EXPECT_TRUE(want[k][1] < 0 || want[k][1] == log[k].value) << "call " << k;
    EXPECT_EQ(ch, log[k].channel) << "call " << k;
  }
  EXPECT_EQ(SoundEffects[SND_POP], log[0].sample);

  // The top level hands the library 256.
  Settings.soundvolume = 8;
  EXPECT_EQ(256, channel_info(play_effect(SoundEffects[SND_POP], 0, 44100)).volume);
}

TEST_F(SoundApi, SoundLevelZeroSilencesEffectsButNotMusic) {
  Settings.soundvolume = 0;
  Settings.musicvolume = 4;
  load_music_set(MUSIC_SET_TITLE);
  for (int k = 0; k < SOUND_COUNT; k++) EXPECT_EQ(0, play_effect(SoundEffects[k], 0, 44100)) << k;
  EXPECT_TRUE(calls(FCALL_PLAY).empty());
  int ch = play_music(MusicSamples[MUS_TITLE], 1);
  ASSERT_GE(ch, 1);
  EXPECT_EQ(128, channel_info(ch).volume);
  EXPECT_EQ(44100, channel_info(ch).frequency);

  Settings.musicvolume = 0;
  EXPECT_EQ(0, play_music(MusicSamples[MUS_TITLE], 0));
}

// With the music level at 0 the title keeps a handle of 0; stepping the level
// up then sets "channel 0", which must not touch a sound that really plays.
TEST_F(SoundApi, ChannelVolumeFollowsTheRightSettingAndHandleZeroReachesNoSound) {
  load_music_set(MUSIC_SET_TITLE);
  Settings.musicvolume = 0;
  int none = play_music(MusicSamples[MUS_TITLE], 1);
  ASSERT_EQ(0, none);
  Settings.musicvolume = 2;
  Settings.soundvolume = 5;
  int music = play_music(MusicSamples[MUS_TITLE], 1);
  int effect = play_effect(SoundEffects[SND_MENU], 0, 44100);
  set_channel_volume(music, 0);
  EXPECT_EQ(160, channel_info(music).volume);
  set_channel_volume(music, 1);
  EXPECT_EQ(64, channel_info(music).volume);

  Settings.musicvolume = 8;
  sound_log_clear();
  set_channel_volume(none, 1);
  EXPECT_EQ(64, channel_info(music).volume);
  EXPECT_EQ(160, channel_info(effect).volume);
  set_channel_volume(-1, 1);
  set_channel_volume(-7, 0);
  EXPECT_TRUE(calls(-1).empty());
}

TEST_F(SoundApi, StopAllSoundsStopsOnlyWhatPlays) {
  load_music_set(MUSIC_SET_TITLE);
  int music = play_music(MusicSamples[MUS_TITLE], 1);
  int quick = play_effect(SoundEffects[SND_SPEECH], 0, 88200);
  int a = play_effect(SoundEffects[SND_MENU], 0, 10000);
  int b = play_effect(SoundEffects[SND_SCREEN], 0, 10000);
  for (int t = 0; t < 3; t++) plat_idle();
  ASSERT_FALSE(FSOUND_IsPlaying(quick));
  sound_log_clear();

  stop_all_sounds();
  for (int ch : {music, a, b}) EXPECT_FALSE(FSOUND_IsPlaying(ch));
  std::vector<FsoundLogEntry> stops = calls(FCALL_STOP);
  ASSERT_EQ(3u, stops.size());
  EXPECT_EQ(music, stops[0].channel);
  EXPECT_EQ(a, stops[1].channel);
  EXPECT_EQ(b, stops[2].channel);
}

// The swim's race sounds over the looping title tune: each starts when the
// last has ended, so they follow one another without overlap for as long as
// the race runs, while the tune never stops.
TEST_F(SoundApi, RaceSoundsFollowOneAnotherOverTheLoopingTune) {
  load_music_set(MUSIC_SET_TITLE);
  int music = play_music(MusicSamples[MUS_TITLE], 1);
  EXPECT_EQ(FSOUND_LOOP_NORMAL, channel_info(music).loopmode);
  int last = 0;
  int started = 0;
  for (int tick = 0; tick < 600; tick++) {
    if (!FSOUND_IsPlaying(last)) {
      int rate = 42100 + rand_below(4000);
      last = play_effect(SoundEffects[SND_SWIM_A + rand_int(0, 2)], 0, rate);
      started++;
    }
    int sounding = 0;
    for (int ch = 0; ch < FSOUND_GetMaxChannels(); ch++) sounding += FSOUND_IsPlaying(ch);
    ASSERT_EQ(2, sounding) << tick;
    ASSERT_TRUE(FSOUND_IsPlaying(music)) << tick;
    plat_idle();
  }
  // Each lasts about 1412 frames at 42100..46100 Hz: 2 or 3 ticks.
  EXPECT_GE(started, 200);
  EXPECT_LE(started, 300);
}

// No sound card: the driver cannot give 64 voices, so the silent one is
// taken with its own count rather than failing start-up; no voice is taken,
// and a channel lasts as long as its sample would sound, by the clock.
TEST_F(SoundApi, WithoutACardChannelsFollowTheClock) {
  ASSERT_EQ(0, install_sound_driver());
  EXPECT_EQ(0, fsound_driver_voices());
  fsound_use_fake_output(0);
  restart();
  fsound_use_fake_output(1);
  FSOUND_SAMPLE *blip = load_bytes(make_wav(16, 1, 44100, 44, 441));
  FSOUND_SAMPLE *tune = load_bytes(make_wav(8, 1, 8000, 80000, 441));
  int b = play_effect(tune, 0, 8000);
  int a = play_effect(blip, 0, 44100);
  ASSERT_EQ(1, b);
  ASSERT_EQ(2, a);
  EXPECT_EQ(-1, channel_info(b).voice);
  usleep(30000);
  EXPECT_FALSE(FSOUND_IsPlaying(a));
  EXPECT_TRUE(FSOUND_IsPlaying(b));
  long before = channel_info(b).position;
  EXPECT_GT(before, 0);
  // The fake clock does not move this output.
  fsound_fake_advance(44100 * 20);
  EXPECT_LT(channel_info(b).position, before + 8000);
  stop_all_sounds();
  EXPECT_FALSE(FSOUND_IsPlaying(b));
}

TEST_F(SoundApi, ShutdownReleasesEverythingAndStartsAgainCleanly) {
  load_music_set(MUSIC_SET_FINALE);
  int ch = play_music(MusicSamples[MUS_CHAMPION], 1);
  shutdown_sound();
  EXPECT_EQ(0, fsound_samples_loaded());
  EXPECT_EQ(0, fsound_is_initialised());
  EXPECT_EQ(0, FSOUND_GetMaxChannels());
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
  for (int k = 0; k < SOUND_COUNT; k++) EXPECT_EQ(nullptr, SoundEffects[k]);
  for (int k = 0; k < MUSIC_COUNT; k++) EXPECT_EQ(nullptr, MusicSamples[k]);
  EXPECT_EQ(0, play_effect(SoundEffects[SND_MENU], 0, 44100));
  EXPECT_EQ(nullptr, load_bytes(make_wav(16, 1, 44100, 10, 441)));
  stop_all_sounds();

  restart();
  EXPECT_EQ(SOUND_COUNT, fsound_samples_loaded());
  EXPECT_EQ(1, play_effect(SoundEffects[SND_MENU], 0, 44100));
}

}  // namespace
