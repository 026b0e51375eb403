// Contact sheet of both datafiles: every entry labelled with its index on a
// checkerboard. The screens themselves come from the screenshots tool.
//   contact_sheet <run dir> <out.png>
#include <allegro.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#define SHEET_W 1300
#define CELL_PAD 6
#define LABEL_H 10

struct Canvas {
  int w, h;
  std::vector<uint32_t> px;  // 0xAARRGGBB, opaque
};

static void canvas_new(Canvas &c, int w, int h, uint32_t fill) {
  c.w = w;
  c.h = h;
  c.px.assign((size_t)w * h, fill);
}

static void plot(Canvas &c, int x, int y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= c.w || y >= c.h) return;
  uint32_t &d = c.px[(size_t)y * c.w + x];
  int a = argb >> 24;
  if (a == 255) { d = argb; return; }
  int r = (((argb >> 16) & 255) * a + ((d >> 16) & 255) * (255 - a)) / 255;
  int g = (((argb >> 8) & 255) * a + ((d >> 8) & 255) * (255 - a)) / 255;
  int b = ((argb & 255) * a + (d & 255) * (255 - a)) / 255;
  d = 0xFF000000u | r << 16 | g << 8 | b;
}

static void checker(Canvas &c, int x, int y, int w, int h) {
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) plot(c, x + i, y + j, ((i / 8 + j / 8) & 1) ? 0xFF9A9AA6 : 0xFF6E6E7A);
}

// A picture of any depth as ARGB; mask pixels of bitmaps become transparent.
struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
};

static bool picture_from_bitmap(BITMAP *b, Picture &p) {
  p.w = b->w;
  p.h = b->h;
  p.px.resize((size_t)p.w * p.h);
  int depth = bitmap_color_depth(b), mask = bitmap_mask_color(b);
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      int c = getpixel(b, x, y);
      uint32_t a = depth == 32 ? (uint32_t)geta_depth(32, c) : (c == mask ? 0 : 255);
      p.px[(size_t)y * p.w + x] =
          a << 24 | getr_depth(depth, c) << 16 | getg_depth(depth, c) << 8 | getb_depth(depth, c);
    }
  return true;
}

static bool picture_from_png(const void *data, long size, Picture &p) {
  if (size < 8 || memcmp(data, "\x89PNG", 4) != 0) return false;
  png_image img;
  memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, data, (size_t)size)) return false;
  img.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  p.w = (int)img.width;
  p.h = (int)img.height;
  p.px.resize((size_t)p.w * p.h);
  return png_image_finish_read(&img, NULL, p.px.data(), 0, NULL) != 0;
}

static bool entry_picture(const DATAFILE &d, Picture &p) {
  if (d.type == DAT_BITMAP) return picture_from_bitmap((BITMAP *)d.dat, p);
  if (d.type == DAT_DATA) return picture_from_png(d.dat, d.size, p);
  return false;
}

static void draw_picture(Canvas &c, const Picture &p, int x, int y, int scale, int shrink) {
  for (int j = 0; j < p.h * scale / shrink; j++)
    for (int i = 0; i < p.w * scale / shrink; i++)
      plot(c, x + i, y + j, p.px[(size_t)(j * shrink / scale) * p.w + i * shrink / scale]);
}

// Text in Allegro's own 8x8 font, drawn through a scratch bitmap.
static void label(Canvas &c, int x, int y, const char *text, uint32_t colour) {
  BITMAP *b = create_bitmap_ex(8, text_length(font, text), 8);
  clear_to_color(b, 0);
  textout_ex(b, font, text, 0, 0, 1, 0);
  for (int j = 0; j < b->h; j++)
    for (int i = 0; i < b->w; i++)
      if (getpixel(b, i, j)) plot(c, x + i, y + j, colour);
  destroy_bitmap(b);
}

struct Shelf {
  int x, y, rowH;
};

static void place_entry(Canvas &c, Shelf &s, const char *name, const Picture *p) {
  int scale = p && p->w <= 48 && p->h <= 48 ? 2 : 1;
  int shrink = 1;
  while (p && p->w * scale / shrink > SHEET_W - 2 * CELL_PAD) shrink++;
  int w = p ? p->w * scale / shrink : 40, h = p ? p->h * scale / shrink : 16;
  if (w < 40) w = 40;
  if (s.x + w + CELL_PAD > c.w) {
    s.x = CELL_PAD;
    s.y += s.rowH + LABEL_H + CELL_PAD;
    s.rowH = 0;
  }
  if (s.y + h + LABEL_H + CELL_PAD > c.h) {
    c.h = s.y + h + LABEL_H + CELL_PAD + 400;
    c.px.resize((size_t)c.w * c.h, 0xFF202028);
  }
  label(c, s.x, s.y, name, 0xFFFFFF60);
  if (p) {
    checker(c, s.x, s.y + LABEL_H, p->w * scale / shrink, p->h * scale / shrink);
    draw_picture(c, *p, s.x, s.y + LABEL_H, scale, shrink);
  }
  s.x += w + CELL_PAD;
  if (h > s.rowH) s.rowH = h;
}

static void sheet_datafile(Canvas &c, Shelf &s, DATAFILE *dat, const char *prefix) {
  for (int i = 0; dat[i].type != DAT_END; i++) {
    Picture p;
    char name[24];
    snprintf(name, sizeof name, "%s%d", prefix, i);
    place_entry(c, s, name, entry_picture(dat[i], p) ? &p : NULL);
  }
}

static bool write_png(const char *path, const Canvas &c) {
  png_image img;
  memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  img.width = (png_uint_32)c.w;
  img.height = (png_uint_32)c.h;
  img.format = PNG_FORMAT_BGRA;
  return png_image_write_to_file(&img, path, 0, c.px.data(), 0, NULL) != 0;
}

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: contact_sheet <run dir> <out.png>\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_depth(16);
  set_color_conversion(COLORCONV_NONE);
  char path[1024];
  snprintf(path, sizeof path, "%s/qvlgam.dat", argv[1]);
  DATAFILE *main_dat = load_datafile(path);
  snprintf(path, sizeof path, "%s/qvlgam2.dat", argv[1]);
  DATAFILE *splash_dat = load_datafile(path);
  if (!main_dat || !splash_dat) {
    fprintf(stderr, "contact_sheet: cannot load the datafiles in %s\n", argv[1]);
    return 1;
  }
  Canvas c;
  canvas_new(c, SHEET_W, 800, 0xFF202028);
  Shelf s = {CELL_PAD, CELL_PAD, 0};
  sheet_datafile(c, s, main_dat, "");
  sheet_datafile(c, s, splash_dat, "B");
  c.h = s.y + s.rowH + LABEL_H + CELL_PAD;
  c.px.resize((size_t)c.w * c.h);
  bool ok = write_png(argv[2], c);
  unload_datafile(main_dat);
  unload_datafile(splash_dat);
  if (!ok) fprintf(stderr, "contact_sheet: cannot write the sheet\n");
  return ok ? 0 : 1;
}
