// Sound files in memory to samples: every WAV variant the game can hold,
// Ogg Vorbis, and damaged data of both kinds.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "sound_fixture.h"

#include <algorithm>
#include <vorbis/vorbisfile.h>

namespace {

// Decodes from a buffer of exactly the given length, so a read past the
// end is a read past the allocation.
SAMPLE *decode_exact(const Bytes &bytes, size_t length) {
  std::vector<unsigned char> copy(bytes.begin(), bytes.begin() + (long)length);
  copy.shrink_to_fit();
  return decode_sound(copy.empty() ? nullptr : copy.data(), (long)length);
}

// Whether the first length bytes give a sample (freed again at once).
bool decodes(const Bytes &bytes, size_t length) {
  SAMPLE *spl = decode_exact(bytes, length);
  if (spl) destroy_sample(spl);
  return spl != nullptr;
}

bool decodes(const Bytes &bytes) { return decodes(bytes, bytes.size()); }

void expect_only_the_whole_file_decodes(const Bytes &bytes, const char *what) {
  for (size_t len = 0; len < bytes.size(); len++) {
    EXPECT_FALSE(decodes(bytes, len)) << what << " cut at " << len;
  }
  EXPECT_TRUE(decodes(bytes)) << what;
}

// A decoded sample's value at a frame and channel as a signed 16-bit level.
int sample_level(const SAMPLE *spl, long frame, int channel) {
  long i = frame * (spl->stereo ? 2 : 1) + channel;
  if (spl->bits == 8) return (((const unsigned char *)spl->data)[i] - 128) * 256;
  return ((const unsigned short *)spl->data)[i] - 32768;
}

// One channel's sign changes over a range of frames.
int zero_crossings(const SAMPLE *spl, int channel, long from, long to) {
  int count = 0;
  int last = sample_level(spl, from, channel);
  for (long f = from + 1; f < to; f++) {
    int v = sample_level(spl, f, channel);
    if ((v >= 0) != (last >= 0)) count++;
    last = v;
  }
  return count;
}

struct Shape {
  int bits;
  int channels;
  int rate;
};

class WavShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(WavShapes, DecodesToTheSameShapeAndLevels) {
  Shape s = GetParam();
  Bytes wav = make_wav(s.bits, s.channels, s.rate, 2000, 200);
  SAMPLE *spl = decode_exact(wav, wav.size());
  ASSERT_NE(nullptr, spl);
  EXPECT_EQ(s.bits, spl->bits);
  EXPECT_EQ(s.channels == 2, spl->stereo != 0);
  EXPECT_EQ(s.rate, spl->freq);
  EXPECT_EQ(2000u, spl->len);
  // Signed 16-bit data must come out centred, not flipped or byte-swapped,
  // and each channel in its place (the second an octave up).
  double tolerance = s.bits == 8 ? 300 : 3;
  for (long f : {0L, 7L, 13L, 500L, 1999L}) {
    for (int c = 0; c < s.channels; c++) {
      double want = 0.5 * sin(2.0 * M_PI * 200 * (c + 1) * f / s.rate) * 32767;
      EXPECT_NEAR(want, sample_level(spl, f, c), tolerance) << "frame " << f << " channel " << c;
    }
  }
  destroy_sample(spl);
}

INSTANTIATE_TEST_SUITE_P(AllVariants, WavShapes,
                         ::testing::Values(Shape{8, 1, 22050}, Shape{8, 2, 11025},
                                           Shape{16, 1, 44100}, Shape{16, 2, 48000}));

// A 50-frame WAV with one more chunk (padded to even length) before "fmt ".
Bytes wav_with_chunk(const char *tag, const Bytes &body) {
  Bytes wav = make_wav(16, 1, 44100, 50, 441);
  Bytes chunk(tag, tag + 4);
  unsigned n = (unsigned)body.size();
  for (int i = 0; i < 4; i++) chunk.push_back((unsigned char)(n >> (8 * i)));
  chunk.insert(chunk.end(), body.begin(), body.end());
  if (n & 1) chunk.push_back(0);
  wav.insert(wav.begin() + 12, chunk.begin(), chunk.end());
  return wav;
}

TEST(WavChunks, OtherChunksAreSkippedWithTheirPadByte) {
  Bytes wav = wav_with_chunk("LIST", Bytes(13, 'a'));
  SAMPLE *spl = decode_exact(wav, wav.size());
  ASSERT_NE(nullptr, spl);
  EXPECT_EQ(50u, spl->len);
  destroy_sample(spl);
}

TEST(WavChunks, MalformedHeadersAndHugeLengthsGiveNoSample) {
  Bytes good = make_wav(16, 1, 44100, 50, 441);
  // fmt length at 16, fmt fields: tag 20, channels 22, rate 24 (all four
  // bytes when 0), bits 34; data tag 36, data length 40 (all four bytes).
  const int patches[][2] = {{0, 'X'}, {8, 'X'}, {20, 3}, {22, 3},  {22, 0},   {34, 24},
                            {34, 12}, {24, 0},  {36, 'X'}, {16, 15}, {16, 0xff}, {40, 0xff}};
  for (const auto &p : patches) {
    Bytes bad = good;
    int width = p[0] == 24 || p[1] == 0xff ? 4 : 1;
    for (int k = 0; k < width; k++) bad[p[0] + k] = (unsigned char)p[1];
    EXPECT_FALSE(decodes(bad)) << "byte " << p[0] << " set to " << p[1];
  }
  EXPECT_FALSE(decodes(wav_with_chunk("data", Bytes(20, 1)))) << "data before its format";
  EXPECT_FALSE(decodes(make_wav(16, 2, 44100, 0, 441))) << "no whole frame";
  Bytes skip = wav_with_chunk("junk", Bytes(4, 0));
  skip[16] = skip[17] = skip[18] = 0xff;
  skip[19] = 0x7f;
  EXPECT_FALSE(decodes(skip)) << "skipped chunk running past the end";
}

TEST(WavChunks, EveryCutOfASmallFileGivesNoSample) {
  expect_only_the_whole_file_decodes(make_wav(8, 2, 22050, 20, 300), "8-bit");
  expect_only_the_whole_file_decodes(make_wav(16, 2, 22050, 20, 300), "16-bit");
}

TEST(OggDecoding, MonoAndStereoDecodeWhole) {
  for (int channels : {1, 2}) {
    Bytes ogg = make_ogg(channels, 44100, 22050, 500);
    SAMPLE *spl = decode_exact(ogg, ogg.size());
    ASSERT_NE(nullptr, spl) << channels;
    EXPECT_EQ(16, spl->bits);
    EXPECT_EQ(channels == 2, spl->stereo != 0);
    EXPECT_EQ(44100, spl->freq);
    EXPECT_EQ(22050u, spl->len);
    // 500 Hz for half a second crosses zero about 500 times.
    EXPECT_NEAR(500, zero_crossings(spl, 0, 0, 22050), 15);
    if (channels == 2) {
      EXPECT_NEAR(1000, zero_crossings(spl, 1, 0, 22050), 25);
    }
    int peak = 0;
    for (long f = 0; f < 22050; f++) peak = std::max(peak, abs(sample_level(spl, f, 0)));
    EXPECT_NEAR(16384, peak, 2500);
    destroy_sample(spl);
  }
}

// Reads the codec's float output straight from vorbisfile.
struct OggBytes {
  const Bytes *bytes;
  size_t pos;
};

size_t ogg_bytes_read(void *ptr, size_t size, size_t count, void *source) {
  OggBytes *b = (OggBytes *)source;
  size_t n = std::min(size * count, b->bytes->size() - b->pos);
  memcpy(ptr, b->bytes->data() + b->pos, n);
  b->pos += n;
  return size ? n / size : 0;
}

std::vector<float> codec_floats(const Bytes &ogg) {
  OggBytes source = {&ogg, 0};
  ov_callbacks io = {ogg_bytes_read, nullptr, nullptr, nullptr};
  OggVorbis_File vf;
  std::vector<float> out;
  if (ov_open_callbacks(&source, &vf, nullptr, 0, io) < 0) return out;
  float **pcm = nullptr;
  int section = 0;
  long got;
  while ((got = ov_read_float(&vf, &pcm, 4096, &section)) > 0) out.insert(out.end(), pcm[0], pcm[0] + got);
  ov_clear(&vf);
  return out;
}

// Each level is the codec's value rounded to the nearest step, not cut
// toward zero: a quiet tone would lose half a step of bias on every sample.
TEST(OggDecoding, FloatsRoundToTheNearestLevel) {
  Bytes ogg = make_ogg(1, 22050, 4000, 300);
  std::vector<float> want = codec_floats(ogg);
  SAMPLE *spl = decode_exact(ogg, ogg.size());
  ASSERT_NE(nullptr, spl);
  ASSERT_EQ(want.size(), spl->len);
  int differ = 0;
  for (size_t i = 0; i < want.size(); i++) {
    long level = lrintf(floorf(want[i] * 32768.0f + 32768.5f));
    level = std::max(0L, std::min(65535L, level));
    differ += ((const unsigned short *)spl->data)[i] != level;
  }
  EXPECT_EQ(differ, 0);
  destroy_sample(spl);
}

TEST(OggDecoding, EveryCutGivesNoSample) {
  // Long enough for several audio pages, so some cuts fall between pages.
  Bytes ogg = make_ogg(1, 22050, 300000, 300);
  int pages = 0;
  for (size_t i = 0; i + 4 <= ogg.size(); i++) pages += memcmp(ogg.data() + i, "OggS", 4) == 0;
  ASSERT_GE(pages, 5);
  expect_only_the_whole_file_decodes(ogg, "ogg");
}

TEST(OggDecoding, DamagedStreamsNeverCrashOrGrow) {
  Bytes ogg = make_ogg(2, 44100, 8000, 400);
  // The identification header is gone: not Vorbis at all.
  Bytes bad = ogg;
  bad[29] ^= 0xff;
  EXPECT_FALSE(decodes(bad));
  // Scribbles through the audio pages: whatever decodes is never longer.
  srand(5);
  for (int round = 0; round < 40; round++) {
    Bytes hit = ogg;
    for (int k = 0; k < 8; k++) hit[200 + rand() % (hit.size() - 200)] = (unsigned char)rand();
    SAMPLE *spl = decode_exact(hit, hit.size());
    EXPECT_LE(spl ? spl->len : 0, 8000u) << round;
    if (spl) destroy_sample(spl);
  }
}

TEST(Garbage, NeitherKindOfHeaderGivesNoSample) {
  srand(11);
  for (int round = 0; round < 200; round++) {
    Bytes junk(1 + rand() % 300);
    for (unsigned char &b : junk) b = (unsigned char)rand();
    if (round % 3 == 1 && junk.size() >= 4) memcpy(junk.data(), "RIFF", 4);
    if (round % 3 == 2 && junk.size() >= 4) memcpy(junk.data(), "OggS", 4);
    EXPECT_FALSE(decodes(junk)) << round;
  }
  EXPECT_EQ(nullptr, decode_sound(nullptr, 100));
  EXPECT_EQ(nullptr, decode_wav(nullptr, 100));
  EXPECT_EQ(nullptr, decode_ogg(nullptr, 100));
  // A well-formed single closing page whose body is not Vorbis.
  Bytes page = {'O', 'g', 'g', 'S', 0, 4 | 2};
  page.resize(26, 0);
  page.push_back(1);
  page.push_back(10);
  for (int i = 0; i < 10; i++) page.push_back((unsigned char)(i * 37));
  EXPECT_FALSE(decodes(page));
}

}  // namespace
