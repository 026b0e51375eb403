#include "art/paint.h"

#include <cmath>
#include <cstdlib>

static int clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

uint32_t shade(uint32_t c, int percent) {
  int a = c >> 24, r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
  return argb(a, clamp255(r * percent / 100), clamp255(g * percent / 100), clamp255(b * percent / 100));
}

uint32_t mix(uint32_t a, uint32_t b, int p) {
  int q = 100 - p;
  int ca[4] = {(int)(a >> 24), (int)(a >> 16) & 255, (int)(a >> 8) & 255, (int)a & 255};
  int cb[4] = {(int)(b >> 24), (int)(b >> 16) & 255, (int)(b >> 8) & 255, (int)b & 255};
  return argb((ca[0] * q + cb[0] * p) / 100, (ca[1] * q + cb[1] * p) / 100, (ca[2] * q + cb[2] * p) / 100,
              (ca[3] * q + cb[3] * p) / 100);
}

void img_new(Image &img, int w, int h, uint32_t fill) {
  img.w = w;
  img.h = h;
  img.px.assign((size_t)w * h, fill);
}

void put(Image &img, int x, int y, uint32_t c) {
  if (x >= 0 && y >= 0 && x < img.w && y < img.h) img.px[(size_t)y * img.w + x] = c;
}

uint32_t get(const Image &img, int x, int y) {
  if (x < 0 || y < 0 || x >= img.w || y >= img.h) return pal::CLEAR;
  return img.px[(size_t)y * img.w + x];
}

void fill_rect(Image &img, int x, int y, int w, int h, uint32_t c) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++) put(img, i, j, c);
}

void rect_outline(Image &img, int x, int y, int w, int h, uint32_t c) {
  fill_rect(img, x, y, w, 1, c);
  fill_rect(img, x, y + h - 1, w, 1, c);
  fill_rect(img, x, y, 1, h, c);
  fill_rect(img, x + w - 1, y, 1, h, c);
}

void line(Image &img, int x0, int y0, int x1, int y1, uint32_t c) {
  int dx = abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    put(img, x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

void fill_ellipse(Image &img, int cx, int cy, int rx, int ry, uint32_t c) {
  if (rx <= 0 || ry <= 0) { put(img, cx, cy, c); return; }
  for (int y = -ry; y <= ry; y++)
    for (int x = -rx; x <= rx; x++)
      if ((long)x * x * ry * ry + (long)y * y * rx * rx <= (long)rx * rx * ry * ry) put(img, cx + x, cy + y, c);
}

void fill_circle(Image &img, int cx, int cy, int r, uint32_t c) { fill_ellipse(img, cx, cy, r, r, c); }

void vgradient(Image &img, int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
  for (int j = 0; j < h; j++) fill_rect(img, x, y + j, w, 1, mix(top, bottom, h > 1 ? j * 100 / (h - 1) : 0));
}

void outline_opaque(Image &img, uint32_t c) {
  Image src = img;
  for (int y = 0; y < img.h; y++)
    for (int x = 0; x < img.w; x++) {
      if ((get(src, x, y) >> 24) >= 128) continue;
      bool edge = (get(src, x - 1, y) >> 24) >= 128 || (get(src, x + 1, y) >> 24) >= 128 ||
                  (get(src, x, y - 1) >> 24) >= 128 || (get(src, x, y + 1) >> 24) >= 128;
      if (edge) put(img, x, y, c);
    }
}

void blit_over(Image &dst, const Image &src, int x, int y) {
  for (int j = 0; j < src.h; j++)
    for (int i = 0; i < src.w; i++) {
      uint32_t c = src.px[(size_t)j * src.w + i];
      if ((c >> 24) >= 128) put(dst, x + i, y + j, c);
    }
}

// 5x7 face, columns as bits (bit 0 = top row), printable ASCII 32..126.
static const unsigned char FACE5[95][5] = {
    {0, 0, 0, 0, 0},          {0, 0, 0x5f, 0, 0},       {0, 7, 0, 7, 0},          {0x14, 0x7f, 0x14, 0x7f, 0x14},
    {0x24, 0x2a, 0x7f, 0x2a, 0x12}, {0x23, 0x13, 8, 0x64, 0x62}, {0x36, 0x49, 0x55, 0x22, 0x50}, {0, 5, 3, 0, 0},
    {0, 0x1c, 0x22, 0x41, 0}, {0, 0x41, 0x22, 0x1c, 0}, {0x14, 8, 0x3e, 8, 0x14}, {8, 8, 0x3e, 8, 8},
    {0, 0x50, 0x30, 0, 0},    {8, 8, 8, 8, 8},          {0, 0x60, 0x60, 0, 0},    {0x20, 0x10, 8, 4, 2},
    {0x3e, 0x51, 0x49, 0x45, 0x3e}, {0, 0x42, 0x7f, 0x40, 0}, {0x42, 0x61, 0x51, 0x49, 0x46}, {0x21, 0x41, 0x45, 0x4b, 0x31},
    {0x18, 0x14, 0x12, 0x7f, 0x10}, {0x27, 0x45, 0x45, 0x45, 0x39}, {0x3c, 0x4a, 0x49, 0x49, 0x30}, {1, 0x71, 9, 5, 3},
    {0x36, 0x49, 0x49, 0x49, 0x36}, {6, 0x49, 0x49, 0x29, 0x1e}, {0, 0x36, 0x36, 0, 0}, {0, 0x56, 0x36, 0, 0},
    {8, 0x14, 0x22, 0x41, 0}, {0x14, 0x14, 0x14, 0x14, 0x14}, {0, 0x41, 0x22, 0x14, 8}, {2, 1, 0x51, 9, 6},
    {0x32, 0x49, 0x79, 0x41, 0x3e}, {0x7e, 0x11, 0x11, 0x11, 0x7e}, {0x7f, 0x49, 0x49, 0x49, 0x36}, {0x3e, 0x41, 0x41, 0x41, 0x22},
    {0x7f, 0x41, 0x41, 0x22, 0x1c}, {0x7f, 0x49, 0x49, 0x49, 0x41}, {0x7f, 9, 9, 9, 1}, {0x3e, 0x41, 0x49, 0x49, 0x7a},
    {0x7f, 8, 8, 8, 0x7f},    {0, 0x41, 0x7f, 0x41, 0}, {0x20, 0x40, 0x41, 0x3f, 1}, {0x7f, 8, 0x14, 0x22, 0x41},
    {0x7f, 0x40, 0x40, 0x40, 0x40}, {0x7f, 2, 0xc, 2, 0x7f}, {0x7f, 4, 8, 0x10, 0x7f}, {0x3e, 0x41, 0x41, 0x41, 0x3e},
    {0x7f, 9, 9, 9, 6},       {0x3e, 0x41, 0x51, 0x21, 0x5e}, {0x7f, 9, 0x19, 0x29, 0x46}, {0x46, 0x49, 0x49, 0x49, 0x31},
    {1, 1, 0x7f, 1, 1},       {0x3f, 0x40, 0x40, 0x40, 0x3f}, {0x1f, 0x20, 0x40, 0x20, 0x1f}, {0x3f, 0x40, 0x38, 0x40, 0x3f},
    {0x63, 0x14, 8, 0x14, 0x63}, {7, 8, 0x70, 8, 7},    {0x61, 0x51, 0x49, 0x45, 0x43}, {0, 0x7f, 0x41, 0x41, 0},
    {2, 4, 8, 0x10, 0x20},    {0, 0x41, 0x41, 0x7f, 0}, {4, 2, 1, 2, 4},          {0x40, 0x40, 0x40, 0x40, 0x40},
    {0, 1, 2, 4, 0},          {0x20, 0x54, 0x54, 0x54, 0x78}, {0x7f, 0x48, 0x44, 0x44, 0x38}, {0x38, 0x44, 0x44, 0x44, 0x20},
    {0x38, 0x44, 0x44, 0x48, 0x7f}, {0x38, 0x54, 0x54, 0x54, 0x18}, {8, 0x7e, 9, 1, 2}, {0x0c, 0x52, 0x52, 0x52, 0x3e},
    {0x7f, 8, 4, 4, 0x78},    {0, 0x44, 0x7d, 0x40, 0}, {0x20, 0x40, 0x44, 0x3d, 0}, {0x7f, 0x10, 0x28, 0x44, 0},
    {0, 0x41, 0x7f, 0x40, 0}, {0x7c, 4, 0x18, 4, 0x78}, {0x7c, 8, 4, 4, 0x78},    {0x38, 0x44, 0x44, 0x44, 0x38},
    {0x7c, 0x14, 0x14, 0x14, 8}, {8, 0x14, 0x14, 0x18, 0x7c}, {0x7c, 8, 4, 4, 8}, {0x48, 0x54, 0x54, 0x54, 0x20},
    {4, 0x3f, 0x44, 0x40, 0x20}, {0x3c, 0x40, 0x40, 0x20, 0x7c}, {0x1c, 0x20, 0x40, 0x20, 0x1c}, {0x3c, 0x40, 0x30, 0x40, 0x3c},
    {0x44, 0x28, 0x10, 0x28, 0x44}, {0x0c, 0x50, 0x50, 0x50, 0x3c}, {0x44, 0x64, 0x54, 0x4c, 0x44}, {0, 8, 0x36, 0x41, 0},
    {0, 0, 0x7f, 0, 0},       {0, 0x41, 0x36, 8, 0},    {8, 4, 8, 0x10, 8},
};

void draw_text5(Image &img, int x, int y, const char *text, uint32_t c, int scale) {
  for (; *text; text++) {
    int ch = (unsigned char)*text;
    if (ch >= 32 && ch <= 126)
      for (int col = 0; col < 5; col++)
        for (int row = 0; row < 7; row++)
          if (FACE5[ch - 32][col] & (1 << row)) fill_rect(img, x + col * scale, y + row * scale, scale, scale, c);
    x += 6 * scale;
  }
}

int text5_width(const char *text, int scale) {
  int n = 0;
  while (text[n]) n++;
  return n > 0 ? (6 * n - 1) * scale : 0;
}

bool face5_pixel(int ch, int x, int y) {
  if (ch < 32 || ch > 126 || x < 0 || x > 4 || y < 0 || y > 6) return false;
  return (FACE5[ch - 32][x] >> y) & 1;
}

// Bold letters whose strokes would run together when thickened.
static const char *const BOLD_FIXES[3][8] = {
    {"M", "##..##", "######", "#.##.#", "#.##.#", "##..##", "##..##", "##..##"},
    {"V", "##..##", "##..##", "##..##", "##..##", ".####.", ".####.", "..##.."},
    {"W", "##..##", "##..##", "##..##", "#.##.#", "#.##.#", "######", "##..##"},
};

bool bold5_pixel(int ch, int x, int y) {
  if (x < 0 || x > 5 || y < 0 || y > 6) return false;
  for (int i = 0; i < 3; i++)
    if (BOLD_FIXES[i][0][0] == ch) return BOLD_FIXES[i][1 + y][x] == '#';
  return face5_pixel(ch, x, y) || face5_pixel(ch, x - 1, y);
}

// Tiny face: rows separated by '/', '#' set; missing rows are blank. Rows
// 1 to 4 are the lower-case x-height, row 5 the descender.
static const char *const FACE3[95] = {
    "../../../../..",                       // space
    "#/#/#/./#",                            // !
    "#.#/#.#",                              // "
    "#.#/###/#.#/###/#.#",                  // #
    ".#./#.#/.#.",                          // $ (a degree sign)
    "#.#/..#/.#./#../#.#",                  // %
    ".#./#.#/.#./#.#/.##",                  // &
    "#/#",                                  // '
    ".#/#./#./#./.#",                       // (
    "#./.#/.#/.#/#.",                       // )
    ".../#.#/.#./#.#",                      // *
    ".../.#./###/.#.",                      // +
    "../../../../.#/#.",                    // ,
    ".../.../###",                          // -
    "././././#",                            // . (on the baseline row 4, above a comma's tail)
    "..#/..#/.#./#../#..",                  // /
    "###/#.#/#.#/#.#/###",                  // 0
    ".#./##./.#./.#./###",                  // 1
    "##./..#/.#./#../###",                  // 2
    "##./..#/.#./..#/##.",                  // 3
    "#.#/#.#/###/..#/..#",                  // 4
    "###/#../##./..#/##.",                  // 5
    ".##/#../###/#.#/###",                  // 6
    "###/..#/.#./.#./.#.",                  // 7
    "###/#.#/###/#.#/###",                  // 8
    "###/#.#/###/..#/##.",                  // 9
    "./#/./#",                              // :
    "../.#/../.#/#.",                       // ;
    "..#/.#./#../.#./..#",                  // <
    ".../###/.../###",                      // =
    "#../.#./..#/.#./#..",                  // >
    "##./..#/.#./.../.#.",                  // ?
    ".#./#.#/###/#../.##",                  // @
    ".#./#.#/###/#.#/#.#",                  // A
    "##./#.#/##./#.#/##.",                  // B
    ".##/#../#../#../.##",                  // C
    "##./#.#/#.#/#.#/##.",                  // D
    "###/#../##./#../###",                  // E
    "###/#../##./#../#..",                  // F
    ".##/#../#.#/#.#/.##",                  // G
    "#.#/#.#/###/#.#/#.#",                  // H
    "###/.#./.#./.#./###",                  // I
    "..#/..#/..#/#.#/.#.",                  // J
    "#.#/#.#/##./#.#/#.#",                  // K
    "#../#../#../#../###",                  // L
    "#...#/##.##/#.#.#/#...#/#...#",        // M
    "#..#/##.#/#.##/#..#/#..#",             // N
    ".#./#.#/#.#/#.#/.#.",                  // O
    "##./#.#/##./#../#..",                  // P
    ".#./#.#/#.#/##./.##",                  // Q
    "##./#.#/##./#.#/#.#",                  // R
    ".##/#../.#./..#/##.",                  // S
    "###/.#./.#./.#./.#.",                  // T
    "#.#/#.#/#.#/#.#/###",                  // U
    "#.#/#.#/#.#/#.#/.#.",                  // V
    "#...#/#...#/#.#.#/##.##/#...#",        // W
    "#.#/#.#/.#./#.#/#.#",                  // X
    "#.#/#.#/.#./.#./.#.",                  // Y
    "###/..#/.#./#../###",                  // Z
    "##/#./#./#./##",                       // [
    "#../#../.#./..#/..#",                  // backslash
    "##/.#/.#/.#/##",                       // ]
    ".#./#.#",                              // ^
    ".../.../.../.../.../###",              // _
    "#./.#",                                // `
    ".../.##/#.#/#.#/.##",                  // a
    "#../##./#.#/#.#/##.",                  // b
    ".../.##/#../#../.##",                  // c
    "..#/.##/#.#/#.#/.##",                  // d
    ".../.#./###/#../.##",                  // e
    "..#/.#./###/.#./.#.",                  // f
    ".../.##/#.#/#.#/.##/##.",              // g
    "#../##./#.#/#.#/#.#",                  // h
    "#/./#/#/#",                            // i
    ".#/../.#/.#/.#/#.",                    // j
    "#../#.#/##./##./#.#",                  // k
    "#./#./#./#./.#",                       // l
    "...../####./#.#.#/#.#.#/#.#.#",        // m
    ".../##./#.#/#.#/#.#",                  // n
    ".../.#./#.#/#.#/.#.",                  // o
    ".../##./#.#/#.#/##./#..",              // p
    ".../.##/#.#/#.#/.##/..#",              // q
    ".../#.#/##./#../#..",                  // r
    ".../.##/#../..#/##.",                  // s
    ".#./###/.#./.#./..#",                  // t
    ".../#.#/#.#/#.#/.##",                  // u
    ".../#.#/#.#/#.#/.#.",                  // v
    "...../#...#/#.#.#/#.#.#/.#.#.",        // w
    ".../#.#/.#./.#./#.#",                  // x
    ".../#.#/#.#/.##/..#/##.",              // y
    ".../###/..#/#../###",                  // z
    ".##/.#./##./.#./.##",                  // {
    "#/#/#/#/#",                            // |
    "##./.#./.##/.#./##.",                  // }
    "..../.#.#/#.#.",                       // ~
};

int face3_glyph(int ch, unsigned char rows[6]) {
  for (int r = 0; r < 6; r++) rows[r] = 0;
  if (ch < 32 || ch > 126) return 0;
  const char *s = FACE3[ch - 32];
  int row = 0, col = 0, width = 0;
  for (; *s && row < 6; s++) {
    if (*s == '/') { row++; col = 0; continue; }
    if (*s == '#') rows[row] |= (unsigned char)(1 << col);
    col++;
    if (col > width) width = col;
  }
  return width;
}

void draw_text3(Image &img, int x, int y, const char *text, uint32_t c) {
  for (; *text; text++) {
    unsigned char rows[6];
    int w = face3_glyph((unsigned char)*text, rows);
    for (int r = 0; r < 6; r++)
      for (int i = 0; i < w; i++)
        if (rows[r] >> i & 1) put(img, x + i, y + r, c);
    x += w + 1;
  }
}

int text3_width(const char *text) {
  int n = 0;
  unsigned char rows[6];
  for (; *text; text++) n += face3_glyph((unsigned char)*text, rows) + 1;
  return n > 0 ? n - 1 : 0;
}

// --- Shapes, compositing and big lettering ---------------------------------

void fill_round_rect(Image &img, int x, int y, int w, int h, int r, uint32_t c) {
  for (int j = 0; j < h; j++) {
    // Distance of this row's pixel centre from the corner circles' centres.
    double dy = j < r ? r - j - 0.5 : (j >= h - r ? j - (h - r) + 0.5 : 0.0);
    int inset = dy > 0 ? (int)(r - sqrt((double)r * r - dy * dy) + 0.5) : 0;
    fill_rect(img, x + inset, y + j, w - 2 * inset, 1, c);
  }
}

void fill_polygon(Image &img, const int *xy, int n, uint32_t c) {
  int ymin = xy[1], ymax = xy[1];
  for (int i = 1; i < n; i++) {
    if (xy[2 * i + 1] < ymin) ymin = xy[2 * i + 1];
    if (xy[2 * i + 1] > ymax) ymax = xy[2 * i + 1];
  }
  for (int y = ymin; y <= ymax; y++) {
    int xs[32], k = 0;
    double fy = y + 0.5;
    for (int i = 0; i < n && k < 32; i++) {
      int x0 = xy[2 * i], y0 = xy[2 * i + 1], x1 = xy[2 * ((i + 1) % n)], y1 = xy[2 * ((i + 1) % n) + 1];
      if ((y0 <= fy && y1 > fy) || (y1 <= fy && y0 > fy)) xs[k++] = (int)(x0 + (fy - y0) * (x1 - x0) / (double)(y1 - y0) + 0.5);
    }
    for (int a = 0; a < k; a++)
      for (int b = a + 1; b < k; b++)
        if (xs[b] < xs[a]) { int t = xs[a]; xs[a] = xs[b]; xs[b] = t; }
    for (int a = 0; a + 1 < k; a += 2) fill_rect(img, xs[a], y, xs[a + 1] - xs[a], 1, c);
  }
}

void fill_triangle(Image &img, int x0, int y0, int x1, int y1, int x2, int y2, uint32_t c) {
  int xy[6] = {x0, y0, x1, y1, x2, y2};
  fill_polygon(img, xy, 3, c);
}

void fill_quad(Image &img, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, uint32_t c) {
  int xy[8] = {x0, y0, x1, y1, x2, y2, x3, y3};
  fill_polygon(img, xy, 4, c);
}

void hgradient(Image &img, int x, int y, int w, int h, uint32_t left, uint32_t right) {
  for (int i = 0; i < w; i++) fill_rect(img, x + i, y, 1, h, mix(left, right, w > 1 ? i * 100 / (w - 1) : 0));
}

void bevel(Image &img, int x, int y, int w, int h, uint32_t light, uint32_t dark) {
  fill_rect(img, x, y, w - 1, 1, light);
  fill_rect(img, x, y, 1, h - 1, light);
  fill_rect(img, x + 1, y + h - 1, w - 1, 1, dark);
  fill_rect(img, x + w - 1, y + 1, 1, h - 1, dark);
}

void blend_over(Image &dst, const Image &src, int x, int y) {
  for (int j = 0; j < src.h; j++)
    for (int i = 0; i < src.w; i++) {
      uint32_t s = src.px[(size_t)j * src.w + i];
      int sa = s >> 24;
      if (sa == 0) continue;
      uint32_t d = get(dst, x + i, y + j);
      int da = d >> 24;
      int oa = sa + da * (255 - sa) / 255;
      if (oa == 0) continue;
      int ch[3];
      for (int k = 0; k < 3; k++) {
        int sc = (s >> (16 - 8 * k)) & 255, dc = (d >> (16 - 8 * k)) & 255;
        ch[k] = (sc * sa + dc * da * (255 - sa) / 255) / oa;
      }
      put(dst, x + i, y + j, argb(oa, ch[0], ch[1], ch[2]));
    }
}

void downsample(const Image &src, int f, Image &out) {
  img_new(out, src.w / f, src.h / f);
  for (int y = 0; y < out.h; y++)
    for (int x = 0; x < out.w; x++) {
      long a = 0, r = 0, g = 0, b = 0;
      for (int j = 0; j < f; j++)
        for (int i = 0; i < f; i++) {
          uint32_t c = src.px[(size_t)(y * f + j) * src.w + x * f + i];
          int ca = c >> 24;
          a += ca;
          r += ((c >> 16) & 255) * ca;
          g += ((c >> 8) & 255) * ca;
          b += (c & 255) * ca;
        }
      if (a > 0) put(out, x, y, argb((int)(a / (f * f)), (int)(r / a), (int)(g / a), (int)(b / a)));
    }
}

void scale2x(Image &img) {
  Image s = img;
  img_new(img, s.w * 2, s.h * 2);
  for (int y = 0; y < s.h; y++)
    for (int x = 0; x < s.w; x++) {
      uint32_t p = get(s, x, y), a = get(s, x, y - 1), b = get(s, x + 1, y), c = get(s, x - 1, y),
               d = get(s, x, y + 1);
      put(img, 2 * x, 2 * y, (c == a && c != d && a != b) ? a : p);
      put(img, 2 * x + 1, 2 * y, (a == b && a != c && b != d) ? b : p);
      put(img, 2 * x, 2 * y + 1, (d == c && d != b && c != a) ? c : p);
      put(img, 2 * x + 1, 2 * y + 1, (b == d && b != a && d != c) ? d : p);
    }
}

void outline_thick(Image &img, int width, uint32_t c) {
  for (int i = 0; i < width; i++) outline_opaque(img, c);
}

void drop_shadow(Image &img, int dx, int dy, uint32_t c) {
  Image src = img;
  for (int y = 0; y < img.h; y++)
    for (int x = 0; x < img.w; x++)
      if ((get(src, x, y) >> 24) < 128 && (get(src, x - dx, y - dy) >> 24) >= 128) put(img, x, y, c);
}

void img_pad(Image &img, int pad) {
  Image src = img;
  img_new(img, src.w + 2 * pad, src.h + 2 * pad);
  for (int y = 0; y < src.h; y++)
    for (int x = 0; x < src.w; x++) put(img, x + pad, y + pad, get(src, x, y));
}

void recolour_vertical(Image &img, int y0, int y1, uint32_t top, uint32_t middle, uint32_t bottom) {
  int mid = (y0 + y1) / 2;
  for (int y = 0; y < img.h; y++) {
    uint32_t c;
    if (y <= y0) c = top;
    else if (y < mid) c = mix(top, middle, (y - y0) * 100 / (mid - y0));
    else if (y < y1) c = mix(middle, bottom, (y - mid) * 100 / (y1 - mid));
    else c = bottom;
    for (int x = 0; x < img.w; x++) {
      uint32_t p = get(img, x, y);
      if (p >> 24) put(img, x, y, (p & 0xFF000000u) | (c & 0xFFFFFF));
    }
  }
}

void text_shape(Image &out, const char *text, int doublings, int spacing) {
  int n = 0;
  while (text[n]) n++;
  Image small;
  img_new(small, n * 7 + 2, 9);
  for (int k = 0; k < n; k++)
    for (int y = 0; y < 7; y++)
      for (int x = 0; x < 6; x++) {
        int ch = (unsigned char)text[k];
        if (bold5_pixel(ch, x, y)) put(small, 1 + k * 7 + x, 1 + y, pal::WHITE);
      }
  for (int i = 0; i < doublings; i++) scale2x(small);
  // Close up the letters to the asked spacing.
  int f = 1 << doublings;
  img_new(out, n * (6 * f + spacing) - spacing, 7 * f);
  for (int k = 0; k < n; k++)
    for (int y = 0; y < 7 * f; y++)
      for (int x = 0; x < 6 * f; x++) {
        uint32_t c = get(small, (1 + k * 7) * f + x, f + y);
        if (c >> 24) put(out, k * (6 * f + spacing) + x, y, c);
      }
}

void text_shape_tall(Image &out, const char *text, int spacing) {
  int n = 0;
  while (text[n]) n++;
  img_new(out, n > 0 ? n * (6 + spacing) - spacing : 1, 14);
  for (int k = 0; k < n; k++)
    for (int y = 0; y < 14; y++)
      for (int x = 0; x < 6; x++)
        if (bold5_pixel((unsigned char)text[k], x, y / 2)) put(out, k * (6 + spacing) + x, y, pal::WHITE);
}

void draw_map(Image &img, int x, int y, const char *const *rows, int nrows, const char *keys,
              const uint32_t *colours) {
  for (int j = 0; j < nrows; j++)
    for (int i = 0; rows[j][i]; i++) {
      char ch = rows[j][i];
      if (ch == '.' || ch == ' ') continue;
      for (int k = 0; keys[k]; k++)
        if (keys[k] == ch) put(img, x + i, y + j, colours[k]);
    }
}
