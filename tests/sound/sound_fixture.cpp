#include "sound_fixture.h"

#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <vorbis/vorbisenc.h>

static void put_u16(Bytes &b, unsigned v) {
  b.push_back((unsigned char)(v & 0xff));
  b.push_back((unsigned char)(v >> 8));
}

static void put_u32(Bytes &b, unsigned long v) {
  put_u16(b, (unsigned)(v & 0xffff));
  put_u16(b, (unsigned)(v >> 16));
}

static void put_tag(Bytes &b, const char *tag) { b.insert(b.end(), tag, tag + 4); }

static double tone(int channel, long frame, int rate, double tone_hz) {
  return 0.5 * sin(2.0 * M_PI * tone_hz * (channel + 1) * frame / rate);
}

Bytes make_wav(int bits, int channels, int rate, int frames, double tone_hz) {
  int block = channels * bits / 8;
  Bytes b;
  put_tag(b, "RIFF");
  put_u32(b, 36 + (unsigned long)frames * block);
  put_tag(b, "WAVE");
  put_tag(b, "fmt ");
  put_u32(b, 16);
  put_u16(b, 1);
  put_u16(b, channels);
  put_u32(b, rate);
  put_u32(b, (unsigned long)rate * block);
  put_u16(b, block);
  put_u16(b, bits);
  put_tag(b, "data");
  put_u32(b, (unsigned long)frames * block);
  for (long f = 0; f < frames; f++) {
    for (int c = 0; c < channels; c++) {
      double v = tone(c, f, rate, tone_hz);
      if (bits == 8) {
        b.push_back((unsigned char)lrint(128 + v * 127));
      } else {
        put_u16(b, (unsigned)(lrint(v * 32767) & 0xffff));
      }
    }
  }
  return b;
}

static void append_page(Bytes &out, const ogg_page &page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

static void drain(vorbis_dsp_state &dsp, vorbis_block &block, ogg_stream_state &os, Bytes &out) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
      ogg_stream_packetin(&os, &packet);
      while (ogg_stream_pageout(&os, &page)) append_page(out, page);
    }
  }
}

Bytes make_ogg(int channels, int rate, int frames, double tone_hz) {
  Bytes out;
  vorbis_info vi;
  vorbis_comment vc;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state os;
  ogg_packet headers[3];
  ogg_page page;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.4f) != 0) abort();
  vorbis_comment_init(&vc);
  vorbis_analysis_init(&dsp, &vi);
  vorbis_block_init(&dsp, &block);
  ogg_stream_init(&os, 7);
  vorbis_analysis_headerout(&dsp, &vc, &headers[0], &headers[1], &headers[2]);
  for (ogg_packet &h : headers) ogg_stream_packetin(&os, &h);
  while (ogg_stream_flush(&os, &page)) append_page(out, page);
  float **buffer = vorbis_analysis_buffer(&dsp, frames);
  for (int c = 0; c < channels; c++) {
    for (long f = 0; f < frames; f++) buffer[c][f] = (float)tone(c, f, rate, tone_hz);
  }
  vorbis_analysis_wrote(&dsp, frames);
  vorbis_analysis_wrote(&dsp, 0);
  drain(dsp, block, os, out);
  ogg_stream_clear(&os);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

FSOUND_SAMPLE *load_bytes(const Bytes &bytes) {
  return FSOUND_Sample_Load(FSOUND_FREE, (const char *)bytes.data(), FSOUND_NORMAL | FSOUND_LOADMEMORY,
                            0, (int)bytes.size());
}

FsoundChannelInfo channel_info(int channel) {
  FsoundChannelInfo i{};
  EXPECT_EQ(1, fsound_channel_info(channel, &i)) << "channel " << channel;
  return i;
}
