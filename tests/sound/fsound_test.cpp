// The sound library's channels and samples on the fake output, and on
// Allegro's output with no card behind it.
#include <gtest/gtest.h>
#include <unistd.h>

#include "sound_fixture.h"

namespace {

class FakeMixer : public ::testing::Test {
 protected:
  void SetUp() override {
    fsound_use_fake_output(1);
    ASSERT_EQ(1, FSOUND_Init(44100, 64, 0));
    fsound_log_clear();
    // 0.1 s of tone at 44100 Hz.
    tone = load_bytes(make_wav(16, 1, 44100, 4410, 441));
    ASSERT_NE(nullptr, tone);
  }
  void TearDown() override { FSOUND_Close(); }

  FsoundChannelInfo info(int channel) {
    FsoundChannelInfo i{};
    EXPECT_EQ(1, fsound_channel_info(channel, &i));
    return i;
  }

  FSOUND_SAMPLE *tone = nullptr;
};

TEST_F(FakeMixer, FreeChannelsAreHandedOutUpToTheCountNeverChannelZero) {
  ASSERT_EQ(64, FSOUND_GetMaxChannels());
  for (int i = 1; i < 64; i++) ASSERT_EQ(i, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_FALSE(FSOUND_IsPlaying(0));
  EXPECT_EQ(nullptr, info(0).sample);

  // A finished channel is the next one handed out.
  FSOUND_StopSound(17);
  EXPECT_EQ(17, FSOUND_PlaySound(FSOUND_FREE, tone));
}

TEST_F(FakeMixer, WhenEveryChannelSoundsTheOldestOneShotGivesWayNotTheLoopedTune) {
  FSOUND_SAMPLE *tune = load_bytes(make_wav(16, 1, 44100, 44100, 441));
  int music = FSOUND_PlaySound(FSOUND_FREE, tune);
  FSOUND_SetLoopMode(music, FSOUND_LOOP_NORMAL);
  for (int i = 2; i < 64; i++) FSOUND_PlaySound(FSOUND_FREE, tone);

  EXPECT_EQ(2, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_EQ(3, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_EQ(tune, info(music).sample);
  EXPECT_TRUE(FSOUND_IsPlaying(music));
}

TEST_F(FakeMixer, OneShotPlaysItsLengthAtItsFrequencyThenStops) {
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  EXPECT_EQ(44100, info(ch).frequency);
  EXPECT_EQ(255, info(ch).volume);
  EXPECT_EQ(FSOUND_LOOP_OFF, info(ch).loopmode);

  FSOUND_SetFrequency(ch, 22050);
  fsound_fake_advance(735);
  EXPECT_EQ(367, info(ch).position);
  fsound_fake_advance(8820 - 735 - 1);
  EXPECT_TRUE(FSOUND_IsPlaying(ch));
  fsound_fake_advance(1);
  EXPECT_FALSE(FSOUND_IsPlaying(ch));

  // A higher rate ends sooner.
  ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  FSOUND_SetFrequency(ch, 88200);
  fsound_fake_advance(2205);
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
}

TEST_F(FakeMixer, LoopedChannelWrapsAndKeepsPlaying) {
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  FSOUND_SetLoopMode(ch, FSOUND_LOOP_NORMAL);
  fsound_fake_advance(4410 * 3 + 590);
  EXPECT_TRUE(FSOUND_IsPlaying(ch));
  EXPECT_EQ(590, info(ch).position);

  // Back to one-shot: it ends at the end of the current pass.
  FSOUND_SetLoopMode(ch, FSOUND_LOOP_OFF);
  fsound_fake_advance(4410 - 590);
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
}

TEST_F(FakeMixer, ChannelSettingsAreKeptWithinTheLibraryRange) {
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  EXPECT_EQ(1, FSOUND_SetFrequency(ch, 48100));
  EXPECT_EQ(1, FSOUND_SetLoopMode(ch, FSOUND_LOOP_NORMAL));
  EXPECT_EQ(1, FSOUND_SetVolume(ch, 256));
  FsoundChannelInfo i = info(ch);
  EXPECT_EQ(48100, i.frequency);
  EXPECT_EQ(FSOUND_LOOP_NORMAL, i.loopmode);
  EXPECT_EQ(256, i.volume);
  EXPECT_EQ(-1, i.voice);

  // Out-of-range values are held to the library's range; bad loop modes refused.
  FSOUND_SetVolume(ch, 999);
  EXPECT_EQ(256, info(ch).volume);
  FSOUND_SetVolume(ch, -5);
  EXPECT_EQ(0, info(ch).volume);
  EXPECT_EQ(0, FSOUND_SetLoopMode(ch, 7));
  EXPECT_EQ(FSOUND_LOOP_NORMAL, info(ch).loopmode);
}

TEST_F(FakeMixer, StopSoundSilencesAndFreesTheChannel) {
  int a = FSOUND_PlaySound(FSOUND_FREE, tone);
  int b = FSOUND_PlaySound(FSOUND_FREE, tone);
  EXPECT_EQ(1, FSOUND_StopSound(a));
  EXPECT_FALSE(FSOUND_IsPlaying(a));
  EXPECT_TRUE(FSOUND_IsPlaying(b));
  EXPECT_EQ(nullptr, info(a).sample);
  // Calls on a stopped channel do nothing.
  EXPECT_EQ(0, FSOUND_SetVolume(a, 100));
  EXPECT_EQ(a, FSOUND_PlaySound(FSOUND_FREE, tone));
}

TEST_F(FakeMixer, FreedSampleFallsSilentOnEveryChannelPlayingIt) {
  FSOUND_SAMPLE *other = load_bytes(make_wav(8, 1, 22050, 2000, 300));
  int a = FSOUND_PlaySound(FSOUND_FREE, tone);
  int b = FSOUND_PlaySound(FSOUND_FREE, other);
  int c = FSOUND_PlaySound(FSOUND_FREE, tone);
  FSOUND_SetLoopMode(c, FSOUND_LOOP_NORMAL);

  FSOUND_Sample_Free(tone);
  EXPECT_FALSE(FSOUND_IsPlaying(a));
  EXPECT_FALSE(FSOUND_IsPlaying(c));
  EXPECT_EQ(nullptr, info(c).sample);
  EXPECT_TRUE(FSOUND_IsPlaying(b));
  EXPECT_EQ(1, fsound_samples_loaded());

  // The stale handle plays nothing and a second free is harmless.
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, tone));
  FSOUND_Sample_Free(tone);
  EXPECT_EQ(1, fsound_samples_loaded());
}

TEST_F(FakeMixer, CloseReleasesEverySampleAndChannel) {
  load_bytes(make_wav(8, 2, 22050, 100, 300));
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  FSOUND_SetLoopMode(ch, FSOUND_LOOP_NORMAL);
  EXPECT_EQ(2, fsound_samples_loaded());

  FSOUND_Close();
  EXPECT_EQ(0, fsound_samples_loaded());
  EXPECT_EQ(0, FSOUND_GetMaxChannels());
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_EQ(nullptr, load_bytes(make_wav(16, 1, 44100, 10, 441)));

  // And the library starts again cleanly.
  ASSERT_EQ(1, FSOUND_Init(44100, 64, 0));
  tone = load_bytes(make_wav(16, 1, 44100, 4410, 441));
  EXPECT_EQ(1, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_EQ(1, fsound_samples_loaded());
}

TEST_F(FakeMixer, NullOrUnknownSamplesAndBadChannelsPlayNothing) {
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, nullptr));
  FSOUND_SAMPLE bogus{};
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, &bogus));
  // Channel 0 is never used, even when asked for by number.
  EXPECT_EQ(-1, FSOUND_PlaySound(0, tone));
  EXPECT_EQ(-1, FSOUND_PlaySound(64, tone));
  EXPECT_EQ(5, FSOUND_PlaySound(5, tone));
  EXPECT_EQ(0, FSOUND_SetFrequency(-1, 44100));
  EXPECT_EQ(0, FSOUND_SetVolume(64, 10));
  EXPECT_FALSE(FSOUND_IsPlaying(-1));
  EXPECT_FALSE(FSOUND_IsPlaying(1000));
  EXPECT_EQ(0, FSOUND_StopSound(-1));
  FSOUND_Sample_Free(nullptr);
  FSOUND_Sample_Free(&bogus);
  EXPECT_EQ(1, fsound_samples_loaded());
}

TEST_F(FakeMixer, SampleLoadTakesMemoryWithOffsetAndLength) {
  Bytes wav = make_wav(16, 1, 44100, 100, 441);
  Bytes padded = wav;
  padded.insert(padded.begin(), 7, 'x');
  const char *p = (const char *)padded.data();
  int n = (int)padded.size();
  unsigned mode = FSOUND_NORMAL | FSOUND_LOADMEMORY;

  FSOUND_SAMPLE *s = FSOUND_Sample_Load(FSOUND_FREE, p, mode, 7, n);
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(100u, s->pcm->len);
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_FREE, p, mode, 0, n));
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_FREE, p, mode, 7, n - 1));
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_FREE, p, mode, n, n));
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_FREE, p + 7, FSOUND_NORMAL, 0, n - 7));
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_FREE, nullptr, mode, 0, 100));

  // A numbered slot is replaced, silencing what played from it.
  FSOUND_SAMPLE *numbered = FSOUND_Sample_Load(9, p, mode, 7, n);
  ASSERT_NE(nullptr, numbered);
  int ch = FSOUND_PlaySound(FSOUND_FREE, numbered);
  EXPECT_TRUE(FSOUND_IsPlaying(ch));
  EXPECT_EQ(numbered, FSOUND_Sample_Load(9, p, mode, 7, n));
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_MAX_SAMPLES, p, mode, 7, n));
}

TEST(FsoundInit, RefusesWhatTheLibraryWouldAndOneChannelPlaysNothing) {
  fsound_use_fake_output(1);
  EXPECT_EQ(0, FSOUND_Init(0, 64, 0));
  EXPECT_EQ(0, FSOUND_Init(44100, 0, 0));
  EXPECT_EQ(0, fsound_is_initialised());
  EXPECT_EQ(nullptr, load_bytes(make_wav(16, 1, 44100, 10, 441)));

  ASSERT_EQ(1, FSOUND_Init(44100, 1, 0));
  FSOUND_SAMPLE *s = load_bytes(make_wav(16, 1, 44100, 10, 441));
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, s));
  FSOUND_Close();

  // More channels than the library has are capped, not refused.
  ASSERT_EQ(1, FSOUND_Init(44100, 500, 0));
  EXPECT_EQ(FSOUND_MAX_CHANNELS, FSOUND_GetMaxChannels());
  FSOUND_Close();
}

// Allegro's output with no sound card installed: no voice is taken, and a
// channel lasts as long as its sample would sound, by the clock.
TEST(SilentOutput, ChannelsFollowTheClock) {
  fsound_use_fake_output(0);
  ASSERT_EQ(1, FSOUND_Init(44100, 64, 0));
  FSOUND_SAMPLE *blip = load_bytes(make_wav(16, 1, 44100, 44, 441));
  FSOUND_SAMPLE *tune = load_bytes(make_wav(8, 1, 8000, 80000, 441));
  ASSERT_NE(nullptr, blip);
  ASSERT_NE(nullptr, tune);
  int a = FSOUND_PlaySound(FSOUND_FREE, blip);
  int b = FSOUND_PlaySound(FSOUND_FREE, tune);
  EXPECT_EQ(1, a);
  EXPECT_EQ(2, b);
  FsoundChannelInfo i{};
  fsound_channel_info(b, &i);
  EXPECT_EQ(-1, i.voice);
  usleep(30000);
  EXPECT_FALSE(FSOUND_IsPlaying(a));
  EXPECT_TRUE(FSOUND_IsPlaying(b));
  fsound_channel_info(b, &i);
  EXPECT_GT(i.position, 0);
  // The fake clock does not move this output.
  long before = i.position;
  fsound_fake_advance(44100 * 20);
  fsound_channel_info(b, &i);
  EXPECT_LT(i.position, before + 8000);
  FSOUND_StopSound(b);
  EXPECT_FALSE(FSOUND_IsPlaying(b));
  FSOUND_Close();
  fsound_use_fake_output(1);
}

}  // namespace
