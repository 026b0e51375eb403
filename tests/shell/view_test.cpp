// The window and full-screen sizes that the zoom setting and the display
// give, and the pictures scaled onto the screen as the real driver shows
// them: the title at zoom 3 is its zoom 2 picture scaled, the splash follows
// the frames, and the scaler writes every pixel format a display may have.
#include "frontend/frontend.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

void write_config(const std::string &text) {
  FILE *f = fopen(CONFIG_FILE, "w");
  ASSERT_NE(f, nullptr);
  fputs(text.c_str(), f);
  fclose(f);
}

struct ModeCase {
  const char *config;
  DisplayInfo display;
  int card, width, height, x, y, zoom;
  const char *note;  // on stderr, or "" for none
};

const DisplayInfo WIDE = {1920, 1050, 1920, 1080, 1};
const DisplayInfo OLD_LCD_NO_640 = {1024, 740, 1024, 768, 0};

const ModeCase MODES[] = {
    {"[graphics]\nwindowed = 1\n", WIDE, GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0, 2, ""},
    {"[graphics]\nwindowed = 1\nzoom = 3\n", WIDE, GFX_AUTODETECT_WINDOWED, 960, 720, 0, 0, 3, ""},
    {"[graphics]\nwindowed = 1\nzoom = 0\n", WIDE, GFX_AUTODETECT_WINDOWED, 1280, 960, 0, 0, 4, ""},
    {"[graphics]\nwindowed = 1\nzoom = 1\n", WIDE, GFX_AUTODETECT_WINDOWED, 320, 240, 0, 0, 1, ""},
    {"[graphics]\nwindowed = 1\nzoom = 9\n", WIDE, GFX_AUTODETECT_WINDOWED, 1280, 960, 0, 0, 4,
     "zoom 9 does not fit the desktop (1920x1050), using 4"},
    // The panels leave 740 rows: 720 fit, 960 do not.
    {"[graphics]\nwindowed = 1\nzoom = 4\n", OLD_LCD_NO_640, GFX_AUTODETECT_WINDOWED, 960, 720, 0, 0, 3,
     "zoom 4 does not fit the desktop (1024x740), using 3"},
    // Today's window stays whatever the desktop; the largest is at least 1.
    {"[graphics]\nwindowed = 1\nzoom = 3\n", {600, 400, 600, 400, 0}, GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0, 2,
     "zoom 3 does not fit the desktop (600x400), using 2"},
    {"[graphics]\nwindowed = 1\nzoom = 0\n", {600, 400, 600, 400, 0}, GFX_AUTODETECT_WINDOWED, 320, 240, 0, 0, 1, ""},
    {"[graphics]\nwindowed = 1\nzoom = -3\n", WIDE, GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0, 2, ""},
    {"[graphics]\nwindowed = 1\nzoom = big\n", WIDE, GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0, 2, ""},
    // Full screen ignores the zoom: 640x480 where the display has it...
    {"[graphics]\nwindowed = 0\nzoom = 4\n", WIDE, GFX_AUTODETECT_FULLSCREEN, 640, 480, 0, 0, 2, ""},
    // ...else the whole display, the picture as large as fits in its middle.
    {"[graphics]\nwindowed = 0\n", OLD_LCD_NO_640, GFX_AUTODETECT_FULLSCREEN, 1024, 768, 32, 24, 3, ""},
    {"[graphics]\nwindowed = 0\n", {1920, 1050, 1920, 1080, 0}, GFX_AUTODETECT_FULLSCREEN, 1920, 1080, 320, 60, 4,
     ""},
};

TEST(View, ZoomSettingAndDisplayGiveTheScreenModeAndWhereFramesLand) {
  for (const ModeCase &c : MODES) {
    SCOPED_TRACE(c.config);
    ASSERT_TRUE(headless_start_bare());
    write_config(c.config);
    ASSERT_EQ(load_settings(), 1);
    headless_set_display(c.display);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(apply_graphics_mode());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(headless_gfx_card(), c.card);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, c.width);
    EXPECT_EQ(screen->h, c.height);
    int x, y, zoom;
    headless_view(&x, &y, &zoom);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(zoom, c.zoom);
    if (*c.note)
      EXPECT_NE(err.find(c.note), std::string::npos) << err;
    else
      EXPECT_EQ(err, "");
    headless_stop();
  }
}

unsigned fnv(BITMAP *bmp) {
  unsigned h = 2166136261u;
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      unsigned pixel = (unsigned)getpixel(bmp, x, y);
      for (int b = 0; b < 4; b++) h = (h ^ ((pixel >> (8 * b)) & 0xff)) * 16777619u;
    }
  return h;
}

// The screen as shown at a tick of the title menu, copied out.
BITMAP *Shown = nullptr;
int ShowTick = 0;
void keep_screen(BITMAP *, int tick) {
  if (tick >= ShowTick && !Shown) {
    Shown = create_bitmap(screen->w, screen->h);
    blit(screen, Shown, 0, 0, 0, 0, screen->w, screen->h);
  }
}

// The title menu under a given display and settings, shown at tick 150.
BITMAP *title_as_shown(const char *config, const DisplayInfo &display, unsigned *frameHash) {
  HeadlessOptions options;
  options.seed = 7;
  if (!headless_start(options)) return nullptr;
  write_config(config);
  load_settings();
  headless_set_display(display);
  apply_graphics_mode();
  headless_frames_on_screen(1);
  Shown = nullptr;
  ShowTick = 150;
  headless_on_present(keep_screen);
  headless_hold(KEY_ESC, 200, 210);
  title_menu();
  *frameHash = fnv(Backbuffer);
  headless_stop();
  return Shown;
}

TEST(View, TitleAtZoomThreeIsItsZoomTwoPictureScaled) {
  unsigned hash2 = 0, hash3 = 0, hashFull = 0;
  BITMAP *two = title_as_shown("[graphics]\nwindowed = 1\n", WIDE, &hash2);
  BITMAP *three = title_as_shown("[graphics]\nwindowed = 1\nzoom = 3\n", WIDE, &hash3);
  BITMAP *full = title_as_shown("[graphics]\nwindowed = 0\n", OLD_LCD_NO_640, &hashFull);
  ASSERT_TRUE(two && three && full);
  ASSERT_TRUE(headless_start_bare());
  headless_save_png(two, QVL_BINARY_DIR "/view-title-zoom2.png");
  headless_save_png(full, QVL_BINARY_DIR "/view-title-full-1024.png");
  // The same game frame under both zooms.
  EXPECT_EQ(hash2, hash3);
  EXPECT_EQ(hash2, hashFull);
  // Golden: the title settled, PLAY lit, as the 640x480 window shows it.
  EXPECT_EQ(fnv(two), 0x9c1ae90du);
  int wrong = 0;
  for (int y = 0; y < 720; y++)
    for (int x = 0; x < 960; x++) {
      int want = getpixel(two, x / 3 * 2, y / 3 * 2);
      wrong += getpixel(three, x, y) != want;
      // Full screen: the zoom 3 picture centred, black all round.
      wrong += getpixel(full, x + 32, y + 24) != want;
    }
  EXPECT_EQ(wrong, 0);
  int lit = 0;
  for (int x = 0; x < 1024; x++) lit += getpixel(full, x, 23) != 0 || getpixel(full, x, 744) != 0;
  for (int y = 0; y < 768; y++) lit += getpixel(full, 31, y) != 0 || getpixel(full, 992, y) != 0;
  EXPECT_EQ(lit, 0);
  destroy_bitmap(two);
  destroy_bitmap(three);
  destroy_bitmap(full);
  headless_stop();
}

// The splash (a 640x480 picture) covers the same area as the frames.
TEST(View, SplashIsScaledWithTheFrames) {
  for (int zoom : {1, 3}) {
    ASSERT_TRUE(headless_start_bare());
    char config[64];
    snprintf(config, sizeof config, "[graphics]\nwindowed = 1\nzoom = %d\n", zoom);
    write_config(config);
    load_settings();
    headless_set_display(WIDE);
    apply_graphics_mode();
    ASSERT_EQ(symlink(QVL_RUN_DIR "/qvlgam2.dat", SPLASH_DATAFILE), 0);
    DATAFILE *splash = load_datafile(SPLASH_DATAFILE);
    ASSERT_NE(splash, nullptr);
    BITMAP *picture = (BITMAP *)splash[1].dat;
    int pictures = headless_pictures();
    show_splash();
    EXPECT_EQ(headless_pictures(), pictures + 1);
    int wrong = 0;
    for (int y = 0; y < 240 * zoom; y++)
      for (int x = 0; x < 320 * zoom; x++) wrong += getpixel(screen, x, y) != getpixel(picture, x * 2 / zoom, y * 2 / zoom);
    EXPECT_EQ(wrong, 0) << "zoom " << zoom;
    unload_datafile(splash);
    headless_stop();
  }
}

TEST(Scaler, WritesEveryPixelFormatAtItsPlace) {
  ASSERT_TRUE(headless_start_bare());
  BITMAP *src = create_bitmap(3, 2);
  clear_to_color(src, makecol(255, 255, 255));
  putpixel(src, 0, 0, makecol(255, 0, 0));
  putpixel(src, 1, 0, makecol(0, 255, 0));
  putpixel(src, 2, 1, makecol(0, 0, 255));
  struct Format {
    PixelFormat format;
    unsigned red, green, blue, white;
  } formats[] = {
      {{4, 0xFF0000, 0xFF00, 0xFF}, 0xFF0000, 0xFF00, 0xFF, 0xFFFFFF},
      {{4, 0xFF, 0xFF00, 0xFF0000}, 0xFF, 0xFF00, 0xFF0000, 0xFFFFFF},
      {{4, 0x3FF00000, 0xFFC00, 0x3FF}, 0x3FF00000, 0xFFC00, 0x3FF, 0x3FFFFFFF},
      {{3, 0xFF0000, 0xFF00, 0xFF}, 0xFF0000, 0xFF00, 0xFF, 0xFFFFFF},
      {{2, 0xF800, 0x7E0, 0x1F}, 0xF800, 0x7E0, 0x1F, 0xFFFF},
      {{2, 0x7C00, 0x3E0, 0x1F}, 0x7C00, 0x3E0, 0x1F, 0x7FFF},
  };
  static unsigned table[65536];
  for (const Format &f : formats) {
    SCOPED_TRACE(f.format.bytes * 1000 + (f.format.red & 0xff));
    build_colour_table(f.format, table);
    int b = f.format.bytes, pitch = 9 * b + 5;  // rows padded, as images often are
    std::string mem((size_t)pitch * 8, '\x77');
    unsigned char *dest = (unsigned char *)&mem[0];
    // Only the lower right 2x1 of the picture, zoom 3: the rest is untouched.
    scale_rect(src, 1, 1, 2, 1, 3, table, b, dest, pitch);
    auto px = [&](int x, int y) {
      unsigned v = 0;
      for (int i = 0; i < b; i++) v |= (unsigned)dest[(size_t)y * pitch + (size_t)x * b + i] << (8 * i);
      return v;
    };
    unsigned untouched = b == 4 ? 0x77777777u : b == 3 ? 0x777777u : 0x7777u;
    for (int y = 0; y < 6; y++)
      for (int x = 0; x < 9; x++) {
        unsigned want = y < 3 || x < 3 ? untouched : x < 6 ? f.white : f.blue;
        ASSERT_EQ(px(x, y), want) << x << "," << y;
      }
    scale_rect(src, 0, 0, 3, 1, 3, table, b, dest, pitch);
    EXPECT_EQ(px(2, 2), f.red);
    EXPECT_EQ(px(3, 0), f.green);
    EXPECT_EQ(px(8, 2), f.white);
    EXPECT_EQ(dest[(size_t)2 * pitch + 9 * b], 0x77) << "the padding is left alone";
  }
  destroy_bitmap(src);
  headless_stop();
}

TEST(Scaler, ChangedRectangleBoundsEveryDifference) {
  ASSERT_TRUE(headless_start_bare());
  BITMAP *a = create_bitmap(320, 240), *b = create_bitmap(320, 240);
  clear_to_color(a, 0);
  clear_to_color(b, 0);
  int x = -1, y = -1, w = -1, h = -1;
  EXPECT_EQ(changed_rect(a, b, &x, &y, &w, &h), 0);
  putpixel(b, 319, 7, 1);
  ASSERT_EQ(changed_rect(a, b, &x, &y, &w, &h), 1);
  EXPECT_EQ(x, 319);
  EXPECT_EQ(y, 7);
  EXPECT_EQ(w, 1);
  EXPECT_EQ(h, 1);
  putpixel(b, 0, 239, 1);
  putpixel(b, 100, 100, 1);
  ASSERT_EQ(changed_rect(a, b, &x, &y, &w, &h), 1);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 7);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 233);
  destroy_bitmap(a);
  destroy_bitmap(b);
  headless_stop();
}

// The title's pictures with alpha, drawn without Allegro's call per pixel:
// every alpha, the mask colour and every clipped edge give Allegro's pixels.
TEST(AlphaSprite, SamePixelsAsAllegrosTranslucentSprite) {
  ASSERT_TRUE(headless_start_bare());
  BITMAP *sprite = create_bitmap_ex(32, 37, 23);
  BITMAP *mine = create_bitmap(320, 240), *allegro = create_bitmap(320, 240);
  game_srand(11);
  for (int y = 0; y < 23; y++)
    for (int x = 0; x < 37; x++) {
      unsigned a = (unsigned)(x * 7 + y * 37) & 255, r = (unsigned)game_rand() & 255;
      unsigned c = a << 24 | r << 16 | ((unsigned)game_rand() & 255) << 8 | ((unsigned)game_rand() & 255);
      putpixel(sprite, x, y, (x + y) % 29 == 0 ? MASK_COLOR_32 : (int)c);
    }
  set_alpha_blender();
  const int places[][2] = {{10, 10}, {-5, 100}, {300, -7}, {290, 230}, {-36, -22}, {320, 0}, {100, 240}};
  for (const auto &p : places) {
    for (int y = 0; y < 240; y++)
      for (int x = 0; x < 320; x++) {
        int c = makecol(x * 3 & 255, y & 255, (x ^ y) & 255);
        putpixel(mine, x, y, c);
        putpixel(allegro, x, y, c);
      }
    draw_alpha_sprite(mine, sprite, p[0], p[1]);
    draw_trans_sprite(allegro, sprite, p[0], p[1]);
    int wrong = 0;
    for (int y = 0; y < 240; y++)
      for (int x = 0; x < 320; x++) wrong += getpixel(mine, x, y) != getpixel(allegro, x, y);
    EXPECT_EQ(wrong, 0) << "at " << p[0] << "," << p[1];
  }
  destroy_bitmap(sprite);
  destroy_bitmap(mine);
  destroy_bitmap(allegro);
  headless_stop();
}

}  // namespace
