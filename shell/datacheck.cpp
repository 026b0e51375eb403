// Checks a datafile before Allegro's loader sees it, and its entries after.
// Allegro trusts every length and size in the file, so a file cut short or
// damaged inside crashes it; the walk here reads the same structure with
// every length held to the bytes that are really there.
#include "shell/shell.h"
#include "shell/entries.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

// Far above the game's own files, far below what a forged length could ask.
#define MAX_DATAFILE_BYTES (64L << 20)
#define MAX_ENTRIES 100000
#define MAX_SIDE 16384

struct DatReader {
  const unsigned char *data;
  long size;
  long pos;
};

static int read_be32(DatReader *r, long *out) {
  if (r->size - r->pos < 4) return 0;
  const unsigned char *p = r->data + r->pos;
  unsigned long v = (unsigned long)p[0] << 24 | (unsigned long)p[1] << 16 | (unsigned long)p[2] << 8 | p[3];
  *out = (long)(int)(unsigned int)v;
  r->pos += 4;
  return 1;
}

static int read_be16(const unsigned char *p) { return p[0] << 8 | p[1]; }

static int skip_bytes(DatReader *r, long n) {
  if (n < 0 || n > r->size - r->pos) return 0;
  r->pos += n;
  return 1;
}

// A property: its id, its length, its bytes. An id that reads as the end
// mark would end Allegro's list of properties early, and the ones after it
// would never be freed.
static int check_property(DatReader *r) {
  long id = 0, length = 0;
  return read_be32(r, &id) && id != DAT_END && read_be32(r, &length) && skip_bytes(r, length);
}

// 16-bit (or 15-bit) pixels, or 8-bit ones; the header says which and how
// many, and the chunk must hold exactly that.
static int bitmap_body_ok(const unsigned char *p, long length) {
  if (length < 6) return 0;
  int bits = read_be16(p);
  long w = read_be16(p + 2), h = read_be16(p + 4);
  long bytes = bits == 8 ? 1 : ((bits == 15 || bits == 16) ? 2 : 0);
  if (!bytes || w < 1 || h < 1 || w > MAX_SIDE || h > MAX_SIDE) return 0;
  return length - 6 == bytes * w * h;
}

// Only the kinds the game's files hold: bitmaps and raw data. Compressed
// chunks are refused rather than unpacked blind.
static int check_object(DatReader *r, long type) {
  long stored = 0, length = 0;
  if (!read_be32(r, &stored) || !read_be32(r, &length)) return 0;
  if (stored != length || length < 0 || length > r->size - r->pos) return 0;
  if (type == DAT_BITMAP && !bitmap_body_ok(r->data + r->pos, length)) return 0;
  if (type != DAT_BITMAP && type != DAT_DATA) return 0;
  return skip_bytes(r, length);
}

static int check_entry(DatReader *r) {
  long id = 0;
  while (read_be32(r, &id)) {
    if (id != DAT_PROPERTY) return check_object(r, id);
    if (!check_property(r)) return 0;
  }
  return 0;
}

int datafile_bytes_ok(const unsigned char *data, long size) {
  DatReader r = {data, size, 0};
  long magic = 0, count = 0;
  if (!data || !read_be32(&r, &magic) || magic != DAT_MAGIC) return 0;
  if (!read_be32(&r, &count) || count < 1 || count > MAX_ENTRIES) return 0;
  for (long i = 0; i < count; i++) {
    if (!check_entry(&r)) return 0;
  }
  return 1;
}

// The file as the loader would see it: unpacked when it is packed, without
// its pack header. Null when it cannot be read or is far too large.
static unsigned char *read_unpacked(const char *path, long *size) {
  PACKFILE *f = pack_fopen(path, F_READ_PACKED);
  if (!f) return nullptr;
  long capacity = 1L << 20, used = 0;
  unsigned char *buf = (unsigned char *)malloc((size_t)capacity);
  while (buf) {
    used += pack_fread(buf + used, capacity - used, f);
    if (used < capacity) break;
    unsigned char *bigger = nullptr;
    if (capacity < MAX_DATAFILE_BYTES) bigger = (unsigned char *)realloc(buf, (size_t)capacity * 2);
    if (!bigger) free(buf);
    buf = bigger;
    capacity *= 2;
  }
  pack_fclose(f);
  *size = used;
  return buf;
}

// A FIFO or a device would hold the loader for ever; a folder is no file.
static int regular_file(const char *path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

int datafile_file_ok(const char *path) {
  if (!regular_file(path)) return 0;
  long size = 0;
  unsigned char *data = read_unpacked(path, &size);
  if (!data) return 0;
  int ok = datafile_bytes_ok(data, size);
  free(data);
  return ok;
}

// A negative size is a least size (GAME OVER copies a fixed part of its picture).
static int side_ok(int got, int want) { return want == 0 || (want > 0 ? got == want : got >= -want); }

static int png_ok(const unsigned char *p, long size) {
  static const unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  // Signature, then IHDR: 8-bit RGBA.
  return size >= 33 && !memcmp(p, SIGNATURE, 8) && !memcmp(p + 12, "IHDR", 4) && p[24] == 8 && p[25] == 6;
}

static int sound_ok(const unsigned char *p, long size) {
  if (size >= 12 && !memcmp(p, "RIFF", 4) && !memcmp(p + 8, "WAVE", 4)) return 1;
  return size >= 27 && !memcmp(p, "OggS", 4);
}

static int entry_ok(const DATAFILE *e, const EntryRule *rule) {
  if (rule->kind == KIND_PNG) return e->type == DAT_DATA && png_ok((const unsigned char *)e->dat, e->size);
  if (rule->kind == KIND_SOUND) return e->type == DAT_DATA && sound_ok((const unsigned char *)e->dat, e->size);
  if (e->type != DAT_BITMAP) return 0;
  const BITMAP *b = (const BITMAP *)e->dat;
  return side_ok(b->w, rule->width) && side_ok(b->h, rule->height);
}

static int entries_follow(const DATAFILE *data, const EntryRule *rules, int rule_count) {
  if (!data) return 0;
  int count = 0;
  while (data[count].type != DAT_END) count++;
  for (int i = 0; i < rule_count; i++) {
    if (rules[i].last >= count) return 0;
    for (int index = rules[i].first; index <= rules[i].last; index++) {
      if (!entry_ok(&data[index], &rules[i])) return 0;
    }
  }
  return 1;
}

int main_entries_ok(const DATAFILE *data) { return entries_follow(data, MAIN_ENTRY_RULES, MAIN_ENTRY_RULE_COUNT); }

int splash_entries_ok(const DATAFILE *data) {
  return entries_follow(data, SPLASH_ENTRY_RULES, SPLASH_ENTRY_RULE_COUNT);
}

DATAFILE *load_checked_datafile(const char *path, int (*entries_ok)(const DATAFILE *)) {
  if (!datafile_file_ok(path)) return nullptr;
  DATAFILE *data = load_datafile(path);
  if (data && !entries_ok(data)) {
    unload_datafile(data);
    data = nullptr;
  }
  return data;
}

// --- Font bitmaps ---

// The characters the game draws: ' ' to '~'.
#define FONT_GLYPHS 95

// A glyph box's top-left corner as Allegro's grabber finds it: border
// colour there, to its right and below it, and not diagonally inside.
static int glyph_corner(BITMAP *bmp, int x, int y, int border) {
  return getpixel(bmp, x, y) == border && getpixel(bmp, x + 1, y) == border &&
         getpixel(bmp, x, y + 1) == border && getpixel(bmp, x + 1, y + 1) != border;
}

// The next box in reading order from (x, y), measured along its top and
// left edges as the grabber measures it; 0 when there is none.
static int next_glyph(BITMAP *bmp, int border, int *x, int *y, int *w) {
  while (!glyph_corner(bmp, *x, *y, border)) {
    if (++*x < bmp->w) continue;
    *x = 0;
    if (++*y >= bmp->h) return 0;
  }
  int h = 0;
  *w = 0;
  while (getpixel(bmp, *x + *w + 1, *y) == border && getpixel(bmp, *x + *w + 1, *y + 1) != border) (*w)++;
  while (getpixel(bmp, *x, *y + h + 1) == border && getpixel(bmp, *x + 1, *y + h + 1) != border) h++;
  return *w > 0 && h > 0;
}

// The grabber walks the bitmap the same way, taking every box it finds; one
// with none at all it does not survive.
int font_grid_ok(BITMAP *bmp) {
  int depth = bitmap_color_depth(bmp);
  int border = depth == 8 ? 255 : makecol_depth(depth, 255, 255, 0);
  int x = 0, y = 0, w = 0, glyphs = 0;
  while (glyphs < FONT_GLYPHS && next_glyph(bmp, border, &x, &y, &w)) {
    glyphs++;
    x += w;
  }
  return glyphs == FONT_GLYPHS;
}
