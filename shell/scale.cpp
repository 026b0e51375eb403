// Scaling 16-bit pictures into a display's own pixels in one pass: each
// source pixel is converted once through a table and written zoom times,
// and each finished row is copied to the zoom - 1 rows under it.
#include "shell/shell.h"

#include <cstdint>
#include <cstring>

// A channel's 8-bit value placed in its mask, rounded to the mask's width.
static unsigned channel(int value, unsigned mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!(mask >> shift & 1)) shift++;
  unsigned top = mask >> shift;
  return ((unsigned)value * top + 127) / 255 << shift;
}

void build_colour_table(const PixelFormat &format, unsigned *table) {
  for (int c = 0; c < 65536; c++)
    table[c] = channel(getr16(c), format.red) | channel(getg16(c), format.green) | channel(getb16(c), format.blue);
}

static void put_pixel(unsigned char *out, int bytes, unsigned p) {
  if (bytes == 4) {
    uint32_t v = p;
    memcpy(out, &v, 4);
  } else if (bytes == 2) {
    uint16_t v = (uint16_t)p;
    memcpy(out, &v, 2);
  } else {
    out[0] = (unsigned char)p;
    out[1] = (unsigned char)(p >> 8);
    out[2] = (unsigned char)(p >> 16);
  }
}

// One source row widened zoom times; the common cases get loops of their
// own (stores through memcpy, since an image row need not be aligned).
static void widen_row(const uint16_t *in, int w, int zoom, const unsigned *table, int bytes, unsigned char *out) {
  if (bytes == 4) {
    for (int i = 0; i < w; i++) {
      uint32_t p = table[in[i]];
      for (int k = 0; k < zoom; k++, out += 4) memcpy(out, &p, 4);
    }
  } else if (bytes == 2) {
    for (int i = 0; i < w; i++) {
      uint16_t p = (uint16_t)table[in[i]];
      for (int k = 0; k < zoom; k++, out += 2) memcpy(out, &p, 2);
    }
  } else {
    for (int i = 0; i < w; i++)
      for (int k = 0; k < zoom; k++, out += bytes) put_pixel(out, bytes, table[in[i]]);
  }
}

void scale_rect(BITMAP *src, int x, int y, int w, int h, int zoom, const unsigned *table, int bytes,
                unsigned char *dest, int pitch) {
  size_t rowBytes = (size_t)w * zoom * bytes;
  for (int sy = y; sy < y + h; sy++) {
    unsigned char *row = dest + (size_t)sy * zoom * pitch + (size_t)x * zoom * bytes;
    widen_row((const uint16_t *)(void *)src->line[sy] + x, w, zoom, table, bytes, row);
    for (int k = 1; k < zoom; k++) memcpy(row + (size_t)k * pitch, row, rowBytes);
  }
}

void scale_to_size(BITMAP *src, int dw, int dh, const unsigned *table, int bytes, unsigned char *dest,
                   int pitch) {
  for (int dy = 0; dy < dh; dy++) {
    const uint16_t *in = (const uint16_t *)(void *)src->line[(long)dy * src->h / dh];
    unsigned char *out = dest + (size_t)dy * pitch;
    for (int dx = 0; dx < dw; dx++) put_pixel(out + (size_t)dx * bytes, bytes, table[in[(long)dx * src->w / dw]]);
  }
}

// Columns of one row where the two differ, widened into *x0..*x1.
static void widen_span(const uint16_t *a, const uint16_t *b, int w, int *x0, int *x1) {
  int l = 0, r = w - 1;
  while (l < w && a[l] == b[l]) l++;
  while (r > l && a[r] == b[r]) r--;
  if (l < *x0) *x0 = l;
  if (r > *x1) *x1 = r;
}

int changed_rect(BITMAP *a, BITMAP *b, int *x, int *y, int *w, int *h) {
  int y0 = -1, y1 = -1, x0 = a->w, x1 = -1;
  size_t rowBytes = (size_t)a->w * 2;
  for (int row = 0; row < a->h; row++) {
    if (memcmp(a->line[row], b->line[row], rowBytes) == 0) continue;
    if (y0 < 0) y0 = row;
    y1 = row;
    widen_span((const uint16_t *)(void *)a->line[row], (const uint16_t *)(void *)b->line[row], a->w, &x0, &x1);
  }
  if (y0 < 0) return 0;
  *x = x0;
  *y = y0;
  *w = x1 - x0 + 1;
  *h = y1 - y0 + 1;
  return 1;
}
