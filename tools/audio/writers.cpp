#include "audio/synth.h"

#include <algorithm>
#include <cmath>
#include <vorbis/vorbisenc.h>

// A fixed stream serial keeps the Ogg files byte for byte the same.
static const int OGG_SERIAL = 0x51564c47;
static const int OGG_CHUNK = 4096;

static void put_u32(std::vector<uint8_t> &out, uint32_t v) {
  for (int i = 0; i < 4; i++) out.push_back((uint8_t)(v >> (8 * i)));
}

static void put_u16(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back((uint8_t)v);
  out.push_back((uint8_t)(v >> 8));
}

static void put_tag(std::vector<uint8_t> &out, const char *tag) {
  for (int i = 0; i < 4; i++) out.push_back((uint8_t)tag[i]);
}

static int16_t to_pcm(float v) {
  long x = lroundf(v * 32767.0f);
  if (x > 32767) x = 32767;
  if (x < -32767) x = -32767;
  return (int16_t)x;
}

void write_wav(const Samples &s, std::vector<uint8_t> &out) {
  uint32_t bytes = (uint32_t)s.size() * 2;
  out.clear();
  put_tag(out, "RIFF");
  put_u32(out, 36 + bytes);
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, 1);  // PCM
  put_u16(out, 1);  // mono
  put_u32(out, AUDIO_RATE);
  put_u32(out, AUDIO_RATE * 2);
  put_u16(out, 2);
  put_u16(out, 16);
  put_tag(out, "data");
  put_u32(out, bytes);
  for (float v : s) put_u16(out, (uint16_t)to_pcm(v));
}

static void append_page(std::vector<uint8_t> &out, const ogg_page &og) {
  out.insert(out.end(), og.header, og.header + og.header_len);
  out.insert(out.end(), og.body, og.body + og.body_len);
}

static void drain_blocks(vorbis_dsp_state &vd, vorbis_block &vb, ogg_stream_state &os,
                         std::vector<uint8_t> &out) {
  ogg_packet op;
  ogg_page og;
  while (vorbis_analysis_blockout(&vd, &vb) == 1) {
    vorbis_analysis(&vb, nullptr);
    vorbis_bitrate_addblock(&vb);
    while (vorbis_bitrate_flushpacket(&vd, &op)) {
      ogg_stream_packetin(&os, &op);
      while (ogg_stream_pageout(&os, &og)) append_page(out, og);
    }
  }
}

static void write_headers(vorbis_dsp_state &vd, ogg_stream_state &os, std::vector<uint8_t> &out) {
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  ogg_packet head, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &head, &comment, &code);
  ogg_stream_packetin(&os, &head);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  ogg_page og;
  while (ogg_stream_flush(&os, &og)) append_page(out, og);
  vorbis_comment_clear(&vc);
}

static void feed_samples(const Samples &s, vorbis_dsp_state &vd, vorbis_block &vb,
                         ogg_stream_state &os, std::vector<uint8_t> &out) {
  size_t at = 0;
  while (at < s.size()) {
    int n = (int)std::min<size_t>(OGG_CHUNK, s.size() - at);
    float **buf = vorbis_analysis_buffer(&vd, n);
    for (int i = 0; i < n; i++) buf[0][i] = s[at + i];
    vorbis_analysis_wrote(&vd, n);
    drain_blocks(vd, vb, os, out);
    at += n;
  }
  vorbis_analysis_wrote(&vd, 0);
  drain_blocks(vd, vb, os, out);
}

bool write_ogg(const Samples &s, float quality, std::vector<uint8_t> &out) {
  out.clear();
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 1, AUDIO_RATE, quality) != 0) {
    vorbis_info_clear(&vi);
    return false;
  }
  vorbis_dsp_state vd;
  vorbis_block vb;
  ogg_stream_state os;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_init(&os, OGG_SERIAL);
  write_headers(vd, os, out);
  feed_samples(s, vd, vb, os, out);
  ogg_page og;
  while (ogg_stream_flush(&os, &og)) append_page(out, og);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_info_clear(&vi);
  return true;
}
