// Whole sound files in memory to Allegro samples. Allegro's samples are
// unsigned: 8-bit as WAV has them, 16-bit offset by 0x8000 in host order.
#include "sound/fsound.h"

#include <allegro.h>
#include <string.h>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

// Ten minutes at 48 kHz: no sound of the game comes near it, and a forged
// length cannot ask for more memory than this.
#define MAX_FRAMES (48000L * 600)
// Vorbis packs at best about a dozen frames into a byte; a stream claiming
// far more than that is forged.
#define MAX_FRAMES_PER_BYTE 64
#define MAX_HOLES 64

static unsigned read_u16(const unsigned char *p) { return p[0] | (p[1] << 8); }

static unsigned long read_u32(const unsigned char *p) {
  return (unsigned long)read_u16(p) | ((unsigned long)read_u16(p + 2) << 16);
}

struct WavFormat {
  int channels;
  int bits;
  int rate;
  int block;
};

static int parse_fmt(const unsigned char *p, unsigned long len, WavFormat *fmt) {
  if (len < 16 || read_u16(p) != 1) return 0;
  fmt->channels = (int)read_u16(p + 2);
  fmt->rate = (int)read_u32(p + 4);
  fmt->bits = (int)read_u16(p + 14);
  if (fmt->channels < 1 || fmt->channels > 2) return 0;
  if (fmt->bits != 8 && fmt->bits != 16) return 0;
  if (fmt->rate < 1 || fmt->rate > 384000) return 0;
  fmt->block = fmt->channels * fmt->bits / 8;
  return 1;
}

static SAMPLE *wav_pcm(const WavFormat *fmt, const unsigned char *p, unsigned long len) {
  long frames = (long)(len / (unsigned long)fmt->block);
  if (frames < 1 || frames > MAX_FRAMES) return nullptr;
  SAMPLE *spl = create_sample(fmt->bits, fmt->channels == 2, fmt->rate, (int)frames);
  if (!spl) return nullptr;
  long values = frames * fmt->channels;
  if (fmt->bits == 8) {
    memcpy(spl->data, p, (size_t)values);
  } else {
    unsigned short *out = (unsigned short *)spl->data;
    for (long i = 0; i < values; i++) out[i] = (unsigned short)(read_u16(p + 2 * i) ^ 0x8000);
  }
  return spl;
}

// Walks the chunks; any chunk that claims more bytes than are left means the
// file was cut short.
SAMPLE *decode_wav(const unsigned char *data, long size) {
  if (!data || size < 12 || memcmp(data, "RIFF", 4) || memcmp(data + 8, "WAVE", 4)) {
    return nullptr;
  }
  WavFormat fmt{};
  int have_fmt = 0;
  long pos = 12;
  while (pos + 8 <= size) {
    const unsigned char *chunk = data + pos;
    unsigned long len = read_u32(chunk + 4);
    long body = pos + 8;
    if (len > (unsigned long)(size - body)) return nullptr;
    if (!memcmp(chunk, "fmt ", 4)) {
      if (!parse_fmt(data + body, len, &fmt)) return nullptr;
      have_fmt = 1;
    } else if (!memcmp(chunk, "data", 4)) {
      return have_fmt ? wav_pcm(&fmt, data + body, len) : nullptr;
    }
    pos = body + (long)len + (long)(len & 1);
  }
  return nullptr;
}

// An Ogg file is whole when its pages follow one another to the very end
// and the last one closes the stream; vorbisfile alone would play a cut
// file up to the cut.
static int ogg_complete(const unsigned char *data, long size) {
  long pos = 0;
  int last_flags = 0;
  while (pos < size) {
    if (size - pos < 27 || memcmp(data + pos, "OggS", 4)) return 0;
    int segments = data[pos + 26];
    if (size - pos < 27 + segments) return 0;
    long body = 0;
    for (int i = 0; i < segments; i++) body += data[pos + 27 + i];
    long page = 27 + segments + body;
    if (size - pos < page) return 0;
    last_flags = data[pos + 5];
    pos += page;
  }
  return pos > 0 && (last_flags & 4);
}

struct MemFile {
  const unsigned char *data;
  long size;
  long pos;
};

static size_t mem_read(void *ptr, size_t size, size_t count, void *source) {
  MemFile *f = (MemFile *)source;
  if (size == 0) return 0;
  size_t items = (size_t)(f->size - f->pos) / size;
  if (count < items) items = count;
  memcpy(ptr, f->data + f->pos, items * size);
  f->pos += (long)(items * size);
  return items;
}

static int mem_seek(void *source, ogg_int64_t offset, int whence) {
  MemFile *f = (MemFile *)source;
  ogg_int64_t base = whence == SEEK_CUR ? f->pos : (whence == SEEK_END ? f->size : 0);
  if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
  ogg_int64_t target = base + offset;
  if (target < 0 || target > f->size) return -1;
  f->pos = (long)target;
  return 0;
}

static long mem_tell(void *source) { return ((MemFile *)source)->pos; }

// Float to Allegro's unsigned 16-bit, rounded and held to the range; ours
// rather than ov_read's, which costs more than the codec's own steps.
static inline unsigned short to_u16(float x) {
  float v = x * 32768.0f + 32768.5f;
  v = v < 0.0f ? 0.0f : (v > 65535.0f ? 65535.0f : v);
  return (unsigned short)(int)v;
}

// Mono, the usual case, in fixed runs the compiler can vectorise.
static void store_frames(float **pcm, int channels, long count, unsigned short *out) {
  if (channels == 1) {
    const float *in = pcm[0];
    long f = 0;
    for (; f + 16 <= count; f += 16) {
      for (int k = 0; k < 16; k++) out[f + k] = to_u16(in[f + k]);
    }
    for (; f < count; f++) out[f] = to_u16(in[f]);
    return;
  }
  for (long f = 0; f < count; f++) {
    for (int c = 0; c < channels; c++) *out++ = to_u16(pcm[c][f]);
  }
}

// Reads every frame; 0 on a broken stream or a change of channel count
// between chained streams.
static long read_frames(OggVorbis_File *vf, SAMPLE *spl, int channels) {
  unsigned short *out = (unsigned short *)spl->data;
  long want = (long)spl->len;
  long done = 0;
  int holes = 0;
  while (done < want) {
    int section = 0;
    float **pcm = nullptr;
    long got = ov_read_float(vf, &pcm, (int)(want - done < 65536 ? want - done : 65536), &section);
    if (got == 0) break;
    if (got == OV_HOLE && ++holes <= MAX_HOLES) continue;
    if (got < 0) return 0;
    vorbis_info *vi = ov_info(vf, section);
    if (!vi || vi->channels != channels) return 0;
    store_frames(pcm, channels, got, out + done * channels);
    done += got;
  }
  return done;
}

static SAMPLE *ogg_pcm(OggVorbis_File *vf, long size) {
  vorbis_info *vi = ov_info(vf, -1);
  if (!vi || vi->channels < 1 || vi->channels > 2 || vi->rate < 1) return nullptr;
  ogg_int64_t total = ov_pcm_total(vf, -1);
  if (total < 1 || total > MAX_FRAMES || total > (ogg_int64_t)size * MAX_FRAMES_PER_BYTE) {
    return nullptr;
  }
  SAMPLE *spl = create_sample(16, vi->channels == 2, (int)vi->rate, (int)total);
  if (!spl) return nullptr;
  long frames = read_frames(vf, spl, vi->channels);
  if (frames < 1) {
    destroy_sample(spl);
    return nullptr;
  }
  spl->len = (unsigned long)frames;
  spl->loop_end = (unsigned long)frames;
  return spl;
}

SAMPLE *decode_ogg(const unsigned char *data, long size) {
  if (!data || size < 27 || !ogg_complete(data, size)) return nullptr;
  MemFile file{data, size, 0};
  ov_callbacks io = {mem_read, mem_seek, nullptr, mem_tell};
  OggVorbis_File vf;
  if (ov_open_callbacks(&file, &vf, nullptr, 0, io) < 0) return nullptr;
  SAMPLE *spl = ogg_pcm(&vf, size);
  ov_clear(&vf);
  return spl;
}

SAMPLE *decode_sound(const unsigned char *data, long size) {
  if (!data || size < 4) return nullptr;
  if (!memcmp(data, "RIFF", 4)) return decode_wav(data, size);
  if (!memcmp(data, "OggS", 4)) return decode_ogg(data, size);
  return nullptr;
}
