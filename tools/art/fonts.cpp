// The four colour fonts. Each glyph is a shape (from the builder's faces)
// filled with a vertical gradient and ringed by a dark outline, so the text
// reads on the dark header as well as in the white speech bubble.
#include "art/front.h"
#include "art/paint.h"
#include "shell/entries.h"

#include <cstring>

#define GLYPH_MAX 24
#define FIRST_CHAR 32
#define GLYPH_COUNT 95
#define GLYPHS_PER_ROW 16

// Allegro finds glyph boxes by this colour (255, 255, 0).
static const uint32_t FONT_BORDER = 0xFFFFFF00;

struct Shape {
  int w, h;
  unsigned char on[GLYPH_MAX][GLYPH_MAX];  // [y][x]
};

struct FontStyle {
  uint32_t top, middle, bottom;  // fill gradient
  uint32_t outline;
  bool shadow;  // a second dark pixel below and to the right
};

static void shape_clear(Shape &s, int w, int h) {
  memset(&s, 0, sizeof s);
  s.w = w;
  s.h = h;
}

// Drops empty columns at both sides, keeping at least min_w columns.
static void shape_trim(Shape &s, int min_w) {
  int lo = s.w, hi = -1;
  for (int x = 0; x < s.w; x++)
    for (int y = 0; y < s.h; y++)
      if (s.on[y][x]) {
        if (x < lo) lo = x;
        if (x > hi) hi = x;
      }
  if (hi < 0) {
    s.w = min_w;
    return;
  }
  Shape t;
  shape_clear(t, hi - lo + 1 < min_w ? min_w : hi - lo + 1, s.h);
  int pad = (t.w - (hi - lo + 1)) / 2;
  for (int y = 0; y < s.h; y++)
    for (int x = lo; x <= hi; x++) t.on[y][x - lo + pad] = s.on[y][x];
  s = t;
}

// EPX doubling: each pixel becomes four, corners rounded along diagonals.
static Shape shape_scale2x(const Shape &s) {
  Shape d;
  shape_clear(d, s.w * 2, s.h * 2);
  auto at = [&s](int x, int y) { return x >= 0 && y >= 0 && x < s.w && y < s.h ? s.on[y][x] : 0; };
  for (int y = 0; y < s.h; y++)
    for (int x = 0; x < s.w; x++) {
      int p = at(x, y), a = at(x, y - 1), b = at(x + 1, y), c = at(x - 1, y), e = at(x, y + 1);
      d.on[2 * y][2 * x] = (c == a && c != e && a != b) ? a : p;
      d.on[2 * y][2 * x + 1] = (a == b && a != c && b != e) ? b : p;
      d.on[2 * y + 1][2 * x] = (e == c && e != b && c != a) ? c : p;
      d.on[2 * y + 1][2 * x + 1] = (b == e && b != a && e != c) ? e : p;
    }
  return d;
}

static Shape face3_shape(int ch) {
  Shape s;
  unsigned char rows[6];
  int w = face3_glyph(ch, rows);
  shape_clear(s, w > 0 ? w : 2, 6);
  for (int y = 0; y < 6; y++)
    for (int x = 0; x < w; x++) s.on[y][x] = rows[y] >> x & 1;
  return s;
}

static Shape face5_shape(int ch) {
  Shape s;
  shape_clear(s, 5, 7);
  for (int y = 0; y < 7; y++)
    for (int x = 0; x < 5; x++) s.on[y][x] = face5_pixel(ch, x, y);
  return s;
}

// Bold and twice as tall: every stroke two pixels thick.
static Shape menu_shape(int ch) {
  Shape s;
  shape_clear(s, 6, 14);
  for (int y = 0; y < 14; y++)
    for (int x = 0; x < 6; x++)
      s.on[y][x] = bold5_pixel(ch, x, y / 2);
  shape_trim(s, 3);
  return s;
}

// Rounder digits than the 5x7 face's, for the clocks and scores.
static const char *const SCORE_DIGITS[10][7] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", "..#..", "..#..", "..#.."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."},
};

static Shape score_digit(int d) {
  Shape s;
  shape_clear(s, 5, 7);
  for (int y = 0; y < 7; y++)
    for (int x = 0; x < 5; x++) s.on[y][x] = SCORE_DIGITS[d][y][x] == '#';
  return shape_scale2x(s);
}

// Frame k of a digit rolling upwards like a counter's drum: a window over
// the strip 0..9, its top and bottom rows turned away (value 2, dimmer).
static Shape rolling_digit(int k) {
  const int period = 16, strip_h = 10 * period;
  Shape s;
  shape_clear(s, 10, 14);
  int offset = (k * strip_h / 9 + 7) % strip_h;
  for (int y = 0; y < 14; y++) {
    int sy = (offset + y) % strip_h;
    Shape d = score_digit(sy / period);
    int dy = sy % period;
    for (int x = 0; x < 10; x++)
      if (dy < 14 && d.on[dy][x]) s.on[y][x] = (y < 3 || y > 10) ? 2 : 1;
  }
  return s;
}

static Shape score_shape(int ch) {
  if (ch >= '0' && ch <= '9') return score_digit(ch - '0');
  if (ch >= 'a' && ch <= 'i') return rolling_digit(ch - 'a');
  Shape s = shape_scale2x(face5_shape(ch));
  shape_trim(s, 6);
  return s;
}

static uint32_t gradient(const FontStyle &st, int y, int h) {
  int half = h / 2 > 0 ? h / 2 : 1;
  if (y < half) return mix(st.top, st.middle, y * 100 / half);
  return mix(st.middle, st.bottom, h - half > 1 ? (y - half) * 100 / (h - half - 1) : 0);
}

// One glyph box: the shape at (1, 1), its outline around it.
static void render_glyph(const Shape &s, const FontStyle &st, Image &g) {
  int extra = st.shadow ? 3 : 2;
  img_new(g, s.w + extra, s.h + extra, pal::CLEAR);
  for (int y = 0; y < s.h; y++)
    for (int x = 0; x < s.w; x++) {
      if (!s.on[y][x]) continue;
      uint32_t c = gradient(st, y, s.h);
      put(g, x + 1, y + 1, s.on[y][x] == 2 ? mix(c, st.outline, 45) : c);
    }
  Image filled = g;
  for (int y = 0; y < g.h; y++)
    for (int x = 0; x < g.w; x++) {
      if (get(filled, x, y) >> 24) continue;
      bool near = false;
      for (int j = -1; j <= 1; j++)
        for (int i = -1; i <= 1; i++) near = near || (get(filled, x + i, y + j) >> 24);
      bool behind = st.shadow && (get(filled, x - 1, y - 1) >> 24 || get(filled, x - 2, y - 2) >> 24 ||
                                  get(filled, x - 1, y - 2) >> 24 || get(filled, x - 2, y - 1) >> 24);
      if (near || behind) put(g, x, y, st.outline);
    }
}

// Packs the glyphs for ' ' to '~' in rows, each box ringed by the border colour.
static void pack_font(Image *glyphs, Image &out) {
  int h = glyphs[0].h, rows = (GLYPH_COUNT + GLYPHS_PER_ROW - 1) / GLYPHS_PER_ROW, width = 0;
  for (int r = 0; r < rows; r++) {
    int w = 1;
    for (int i = r * GLYPHS_PER_ROW; i < GLYPH_COUNT && i < (r + 1) * GLYPHS_PER_ROW; i++) w += glyphs[i].w + 1;
    if (w > width) width = w;
  }
  img_new(out, width, 1 + rows * (h + 1), FONT_BORDER);
  for (int i = 0; i < GLYPH_COUNT; i++) {
    int r = i / GLYPHS_PER_ROW, x = 1;
    for (int j = r * GLYPHS_PER_ROW; j < i; j++) x += glyphs[j].w + 1;
    Image &g = glyphs[i];
    for (int y = 0; y < g.h; y++)
      for (int gx = 0; gx < g.w; gx++) put(out, x + gx, 1 + r * (h + 1) + y, get(g, gx, y));
  }
}

static void build_font(Shape (*shape_of)(int), const FontStyle &st, Image &out) {
  static Image glyphs[GLYPH_COUNT];
  int h = 0;
  for (int i = 0; i < GLYPH_COUNT; i++) {
    render_glyph(shape_of(FIRST_CHAR + i), st, glyphs[i]);
    if (glyphs[i].h > h) h = glyphs[i].h;
  }
  for (int i = 0; i < GLYPH_COUNT; i++)
    if (glyphs[i].h < h) {
      Image g = glyphs[i];
      img_new(glyphs[i], g.w, h, pal::CLEAR);
      blit_over(glyphs[i], g, 0, 0);
    }
  pack_font(glyphs, out);
}

bool art_font_entry(int index, Image &out) {
  static const FontStyle TEXT = {pal::WHITE, 0xFFF4F4FF, 0xFFB8CCEC, pal::OUTLINE, false};
  static const FontStyle MENU = {0xFFFFFFF0, 0xFFFFD84A, 0xFFFF7A1A, pal::OUTLINE, true};
  static const FontStyle SCORE = {pal::WHITE, 0xFFE8F6FF, 0xFF8FC8F8, 0xFF10162E, true};
  static const FontStyle TITLE = {0xFFFFF8C0, 0xFFFFD23F, 0xFFFF8C1A, pal::OUTLINE, false};
  switch (index) {
  case ENTRY_FONT_TEXT: build_font(face3_shape, TEXT, out); return true;
  case ENTRY_FONT_MENU: build_font(menu_shape, MENU, out); return true;
  case ENTRY_FONT_SCORE: build_font(score_shape, SCORE, out); return true;
  case ENTRY_FONT_TITLE: build_font(face3_shape, TITLE, out); return true;
  default: return false;
  }
}
