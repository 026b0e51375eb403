// Mock-ups of the game's screens drawn from the datafile's entries at the
// places the game draws them, for judging the art in context.
#include <allegro.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <vector>

#define SCREEN_COUNT 11

static DATAFILE *Dat;
static FONT *Fonts[4];  // TextFont, MenuFont, ScoreFont, TitleFont

static BITMAP *bmp(int index) { return (BITMAP *)Dat[index].dat; }

// Alpha-blends a PNG entry onto a 16-bit bitmap.
static void draw_png(BITMAP *dst, int index, int x, int y) {
  png_image img;
  memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, Dat[index].dat, (size_t)Dat[index].size)) return;
  img.format = PNG_FORMAT_RGBA;
  std::vector<unsigned char> px(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, NULL, px.data(), 0, NULL)) return;
  for (int j = 0; j < (int)img.height; j++)
    for (int i = 0; i < (int)img.width; i++) {
      const unsigned char *p = &px[((size_t)j * img.width + i) * 4];
      int dx = x + i, dy = y + j;
      if (dx < 0 || dy < 0 || dx >= dst->w || dy >= dst->h || p[3] == 0) continue;
      int c = getpixel(dst, dx, dy), a = p[3];
      int r = (p[0] * a + getr16(c) * (255 - a)) / 255;
      int g = (p[1] * a + getg16(c) * (255 - a)) / 255;
      int b = (p[2] * a + getb16(c) * (255 - a)) / 255;
      putpixel(dst, dx, dy, makecol16(r, g, b));
    }
}

static void text_c(BITMAP *b, int f, const char *s, int x, int y) { textout_centre_ex(b, Fonts[f], s, x, y, 0, -1); }

static void tile_rows(BITMAP *b, int scroll) {
  clear_to_color(b, makecol(0, 85, 0));
  for (int y = -80 + scroll / 2; y < 240; y += 80) {
    draw_sprite(b, bmp(366), scroll, y);
    draw_sprite(b, bmp(366), scroll - 294, y);
    draw_sprite(b, bmp(366), -scroll, y + 40);
    draw_sprite(b, bmp(366), 294 - scroll, y + 40);
  }
}

static void title_screen(BITMAP *b) {
  blit(bmp(13), b, 0, 0, 0, 0, 320, 240);
  draw_png(b, 27, 0, 195);
  draw_png(b, 36 + 2, 14, 195);
  draw_png(b, 28, 98, 195);
  draw_png(b, 32, 212, 195);
  textout_right_ex(b, Fonts[3], "V1.0", 319, 232, 0, -1);
}

static void options_screen(BITMAP *b) {
  blit(bmp(14), b, 0, 0, 0, 0, 320, 240);
  draw_sprite(b, bmp(303), 46, 49 + 18 * 1);
  draw_sprite(b, bmp(387 + 5), 173, 53);
  draw_sprite(b, bmp(387 + 8), 173, 71);
  textout_ex(b, Fonts[1], "WINDOWED", 173, 89, 0, -1);
  textout_ex(b, Fonts[1], "NO THANKS", 173, 107, 0, -1);
  textout_ex(b, Fonts[1], "DON'T CARE!", 173, 125, 0, -1);
  draw_sprite(b, bmp(324), 100, 165);
  text_c(b, 1, "PRESS 'FIRE/THROW'...", 205, 183);
  text_c(b, 1, "???", 205, 204);
}

static void difficulty_screen(BITMAP *b) {
  tile_rows(b, 60);
  draw_png(b, 24, 80, 66);
  text_c(b, 1, "NOVICE", 160, 66 + 45);
  text_c(b, 1, "AMATEUR", 160, 66 + 63);
  text_c(b, 1, "CHAMPION", 160, 66 + 81);
  draw_sprite(b, bmp(304), 117, 66 + 18 + 41);
}

static void intro_screen(BITMAP *b, int event) {
  static const char *const LINES[2][3] = {
      {"Hit left and right as fast as you can. Don't jump", "the gun. You don't have to win the race, just",
       "finish inside the qualification time."},
      {"Fire at each balloon as it rises. A dead centre", "shot will pop the balloon for maximum points. There",
       "are three rounds of five balloons."}};
  tile_rows(b, 100);
  draw_png(b, 26, 0, 175);
  draw_png(b, 25, 88, 33);
  draw_sprite(b, bmp(271 + event), 80, 25);
  for (int i = 0; i < 3; i++) text_c(b, 0, LINES[event & 1][i], 160, 181 + 11 * i);
}

static void event_frame(BITMAP *b, int world, int label, int verdict, const char *clock) {
  clear_to_color(b, makecol(0, 0, 0));
  blit(bmp(383), b, 0, 0, 0, 0, 320, 48);
  if (!verdict) {
    text_c(b, 0, "TO QUALIFY", 59, 14);
    text_c(b, 0, "16.00 secs", 59, 28);
  }
  text_c(b, 0, "PERSONAL BEST", 170, 14);
  text_c(b, 0, "------", 170, 28);
  textout_right_ex(b, Fonts[2], clock, 309, 12, makecol(255, 255, 255), -1);
  if (verdict) draw_sprite(b, bmp(verdict == 2 ? 323 : 281), 6, 6);
  blit(bmp(128), b, 0, 0, 0, 216, 320, 24);
  blit(bmp(364), b, 0, 0, 8, 225, 37, 6);
  blit(bmp(276 + label), b, 0, 0, 75, 220, 230, 16);
  BITMAP *w = bmp(world);
  masked_blit(w, b, w->w > 900 ? 600 : 0, 0, 3, 51, 314, 162);
}

static void bubble(BITMAP *b, int x, int y, const char *l1, const char *l2) {
  draw_sprite(b, bmp(355), x, y);
  text_c(b, 0, l1, x + 42, y + 6);
  text_c(b, 0, l2, x + 42, y + 14);
}

static void sprint_screen(BITMAP *b) {
  event_frame(b, 3, 0, 0, "12.34");
  bubble(b, 150, 70, "Go and take an", "early shower!");
}

static void throw_screen(BITMAP *b) {
  event_frame(b, 0, 3, 2, "a");
  blit(bmp(287), b, 0, 0, 10, 58, 91, 50);
  blit(bmp(288), b, 0, 0, 82, 69, 18, 28);
  bubble(b, 180, 60, "Pelk, slow down", "you idiot!");
}

static void swim_screen(BITMAP *b) {
  event_frame(b, 2, 2, 4, "45.67");
  blit(bmp(287), b, 0, 0, 10, 58, 91, 50);
  blit(bmp(289), b, 0, 0, 82, 69, 18, 28);
  textout_ex(b, Fonts[0], "45$", 154, 153, makecol(255, 255, 255), -1);
}

static void game_over_screen(BITMAP *b) {
  clear_to_color(b, 0);
  blit(bmp(10), b, 0, 0, 40, 35, 240, 147);
  text_c(b, 1, "GAME OVER", 160, 180);
}

static void champion_screen(BITMAP *b) {
  clear_to_color(b, 0);
  srand(7);
  for (int i = 0; i < 140; i++) draw_sprite(b, bmp(367 + rand() % 16), rand() % 320, rand() % 240);
  draw_sprite(b, bmp(11), 40, 24);
  text_c(b, 1, "- - CHAMPION - -", 160, 214);
}

// Every font's characters on dark and light grounds; the score font's
// digits and rolling frames only.
static void font_lines(BITMAP *b, FONT *f, const char *text, int *y) {
  textout_ex(b, f, text, 2, *y, 0, -1);
  textout_ex(b, f, text, 162, *y, 0, -1);
  *y += text_height(f) + 1;
}

static void font_screen(BITMAP *b) {
  clear_to_color(b, makecol(20, 24, 48));
  rectfill(b, 160, 0, 319, 239, makecol(250, 250, 250));
  int y = 2;
  font_lines(b, Fonts[2], "0123456789.:", &y);
  font_lines(b, Fonts[2], "abcdefghi", &y);
  static const int SMALL_FONTS[3] = {3, 0, 1};  // TitleFont, TextFont, MenuFont
  for (int k = 0; k < 3; k++) {
    int f = SMALL_FONTS[k];
    for (int row = 0; row < 6; row++) {
      char line[20];
      int n = 0;
      for (int c = 32 + row * 16; c < 48 + row * 16 && c < 127; c++) line[n++] = (char)c;
      line[n] = 0;
      font_lines(b, Fonts[f], line, &y);
    }
  }
}

static void draw_screen(BITMAP *b, int i) {
  switch (i) {
  case 0: title_screen(b); break;
  case 1: options_screen(b); break;
  case 2: difficulty_screen(b); break;
  case 3: intro_screen(b, 0); break;
  case 4: sprint_screen(b); break;
  case 5: throw_screen(b); break;
  case 6: swim_screen(b); break;
  case 7: game_over_screen(b); break;
  case 9: font_screen(b); break;
  case 10:
    clear_to_color(b, 0);
    draw_sprite(b, bmp(4), 94, 24);
    break;
  default: champion_screen(b); break;
  }
}

static bool write_scaled(const char *path, BITMAP *b, int scale, int cols, BITMAP **all, int n) {
  int rows = (n + cols - 1) / cols, w = b->w * scale, h = b->h * scale;
  std::vector<uint32_t> px((size_t)w * cols * h * rows, 0xFF101010);
  for (int k = 0; k < n; k++)
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        int c = getpixel(all[k], x / scale, y / scale);
        px[(size_t)((k / cols) * h + y) * w * cols + (k % cols) * w + x] =
            0xFF000000u | getr16(c) << 16 | getg16(c) << 8 | getb16(c);
      }
  png_image img;
  memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  img.width = (png_uint_32)(w * cols);
  img.height = (png_uint_32)(h * rows);
  img.format = PNG_FORMAT_BGRA;
  return png_image_write_to_file(&img, path, 0, px.data(), 0, NULL) != 0;
}

// All screens side by side at scale 1, and each one alone at scale 2 beside
// it (path_0.png, path_1.png, ...).
bool screens_sheet(DATAFILE *dat, DATAFILE *splash, const char *path) {
  Dat = dat;
  static const int FONT_ENTRIES[4] = {6, 7, 8, 9};
  for (int i = 0; i < 4; i++) Fonts[i] = grab_font_from_bitmap(bmp(FONT_ENTRIES[i]));
  BITMAP *screens[SCREEN_COUNT];
  bool ok = true;
  for (int i = 0; i < SCREEN_COUNT; i++) {
    screens[i] = create_bitmap_ex(16, 320, 240);
    draw_screen(screens[i], i);
    char one[1024];
    snprintf(one, sizeof one, "%.*s_%d.png", (int)strlen(path) - 4, path, i);
    ok = ok && write_scaled(one, screens[i], 2, 1, &screens[i], 1);
  }
  ok = ok && write_scaled(path, screens[0], 1, 3, screens, SCREEN_COUNT);
  // The splash with its prompt, on the 640x480 screen.
  BITMAP *s = create_bitmap_ex(16, 640, 480);
  blit((BITMAP *)splash[1].dat, s, 0, 0, 0, 0, 640, 480);
  draw_sprite(s, bmp(12), 182, 444);
  char one[1024];
  snprintf(one, sizeof one, "%.*s_splash.png", (int)strlen(path) - 4, path);
  ok = ok && write_scaled(one, s, 1, 1, &s, 1);
  destroy_bitmap(s);
  for (int i = 0; i < SCREEN_COUNT; i++) destroy_bitmap(screens[i]);
  for (int i = 0; i < 4; i++) destroy_font(Fonts[i]);
  return ok;
}
