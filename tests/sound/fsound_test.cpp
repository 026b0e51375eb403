// The sound library's channels and samples on the fake output.
#include <gtest/gtest.h>

#include "sound_fixture.h"

namespace {

class FakeMixer : public ::testing::Test {
 protected:
  void SetUp() override {
    fsound_use_fake_output(1);
    ASSERT_EQ(1, FSOUND_Init(44100, 64, 0));
    tone = load_bytes(make_wav(16, 1, 44100, 4410, 441));  // 0.1 s
    ASSERT_NE(nullptr, tone);
  }
  void TearDown() override { FSOUND_Close(); }

  FSOUND_SAMPLE *tone = nullptr;
};

TEST_F(FakeMixer, FreeChannelsAreHandedOutUpToTheCountNeverChannelZero) {
  ASSERT_EQ(64, FSOUND_GetMaxChannels());
  for (int i = 1; i < 64; i++) ASSERT_EQ(i, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_FALSE(FSOUND_IsPlaying(0));
  EXPECT_EQ(nullptr, channel_info(0).sample);

  // A stopped channel falls silent alone, takes no more calls, and is the
  // next one handed out.
  EXPECT_EQ(1, FSOUND_StopSound(17));
  EXPECT_FALSE(FSOUND_IsPlaying(17));
  EXPECT_TRUE(FSOUND_IsPlaying(16));
  EXPECT_EQ(nullptr, channel_info(17).sample);
  EXPECT_EQ(0, FSOUND_SetVolume(17, 100));
  EXPECT_EQ(17, FSOUND_PlaySound(FSOUND_FREE, tone));
}

TEST_F(FakeMixer, WhenEveryChannelSoundsTheOldestOneShotGivesWayNotTheLoopedTune) {
  FSOUND_SAMPLE *tune = load_bytes(make_wav(16, 1, 44100, 44100, 441));
  int music = FSOUND_PlaySound(FSOUND_FREE, tune);
  FSOUND_SetLoopMode(music, FSOUND_LOOP_NORMAL);
  for (int i = 2; i < 64; i++) FSOUND_PlaySound(FSOUND_FREE, tone);

  EXPECT_EQ(2, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_EQ(3, FSOUND_PlaySound(FSOUND_FREE, tone));
  EXPECT_EQ(tune, channel_info(music).sample);
  EXPECT_TRUE(FSOUND_IsPlaying(music));
}

TEST_F(FakeMixer, OneShotPlaysItsLengthAtItsFrequencyThenStops) {
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  FsoundChannelInfo i = channel_info(ch);
  EXPECT_EQ(44100, i.frequency);
  EXPECT_EQ(255, i.volume);
  EXPECT_EQ(FSOUND_LOOP_OFF, i.loopmode);

  EXPECT_EQ(1, FSOUND_SetFrequency(ch, 22050));
  fsound_fake_advance(735);
  EXPECT_EQ(367, channel_info(ch).position);
  fsound_fake_advance(8820 - 735 - 1);
  EXPECT_TRUE(FSOUND_IsPlaying(ch));
  fsound_fake_advance(1);
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
}

TEST_F(FakeMixer, LoopedChannelWrapsAndKeepsPlaying) {
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  EXPECT_EQ(1, FSOUND_SetLoopMode(ch, FSOUND_LOOP_NORMAL));
  EXPECT_EQ(0, FSOUND_SetLoopMode(ch, 7));
  fsound_fake_advance(4410 * 3 + 590);
  EXPECT_TRUE(FSOUND_IsPlaying(ch));
  EXPECT_EQ(590, channel_info(ch).position);

  // Back to one-shot: it ends at the end of the current pass.
  FSOUND_SetLoopMode(ch, FSOUND_LOOP_OFF);
  fsound_fake_advance(4410 - 590);
  EXPECT_FALSE(FSOUND_IsPlaying(ch));
}

TEST_F(FakeMixer, VolumeIsHeldToTheLibraryRange) {
  int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
  const int volumes[][2] = {{256, 256}, {999, 256}, {-5, 0}, {100, 100}};
  for (const auto &v : volumes) {
    EXPECT_EQ(1, FSOUND_SetVolume(ch, v[0]));
    EXPECT_EQ(v[1], channel_info(ch).volume) << "asked " << v[0];
  }
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
  EXPECT_EQ(nullptr, channel_info(c).sample);
  EXPECT_TRUE(FSOUND_IsPlaying(b));
  EXPECT_EQ(1, fsound_samples_loaded());

  // The stale handle plays nothing and a second free is harmless.
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, tone));
  FSOUND_Sample_Free(tone);
  EXPECT_EQ(1, fsound_samples_loaded());
}

TEST_F(FakeMixer, NullOrUnknownSamplesAndBadChannelsPlayNothing) {
  FSOUND_SAMPLE bogus{};
  struct Play {
    int channel;
    FSOUND_SAMPLE *sample;
    int want;
  };
  // Channel 0 is never used, even when asked for by number.
  const Play plays[] = {{FSOUND_FREE, nullptr, -1}, {FSOUND_FREE, &bogus, -1}, {0, tone, -1},
                        {64, tone, -1}, {5, tone, 5}};
  for (const Play &p : plays) {
    EXPECT_EQ(p.want, FSOUND_PlaySound(p.channel, p.sample)) << "channel " << p.channel;
  }
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
  Bytes padded = make_wav(16, 1, 44100, 100, 441);
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
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_FREE, load_bytes(make_wav(16, 1, 44100, 10, 441))));
  EXPECT_EQ(1, fsound_samples_loaded());
  // More channels than the library has are capped, not refused.
  ASSERT_EQ(1, FSOUND_Init(44100, 500, 0));
  EXPECT_EQ(FSOUND_MAX_CHANNELS, FSOUND_GetMaxChannels());
  FSOUND_Close();
}

}  // namespace
