// Damaged datafiles never reach Allegro's loader, and a loaded file whose
// entries are not what the game relies on is refused.
#include "datbuild/entries.h"
#include "headless/headless.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <allegro/internal/aintern.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string bytes_of(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void write_file(const std::string &path, const std::string &bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), (std::streamsize)bytes.size());
}

const unsigned char *raw(const std::string &s) { return (const unsigned char *)s.data(); }

class DataCheck : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(headless_start_bare()); }
  void TearDown() override { headless_stop(); }
  std::string main_ = bytes_of(QVL_RUN_DIR "/qvlgam.dat");
};

TEST_F(DataCheck, BuiltFilesPassAndLoad) {
  write_file(MAIN_DATAFILE, main_);
  EXPECT_EQ(load_main_data(), STARTUP_OK);
  // Entries are handed out only as the kind they are.
  long size = 0;
  EXPECT_EQ(dat_bitmap(ENTRY_DIFFICULTY_PANEL), nullptr);
  EXPECT_NE(dat_data(ENTRY_DIFFICULTY_PANEL, &size), nullptr);
  EXPECT_NE(dat_bitmap(ENTRY_WORLD_SPRINT), nullptr);
  EXPECT_EQ(dat_data(ENTRY_WORLD_SPRINT, &size), nullptr);
  DATAFILE *splash = load_checked_datafile(QVL_RUN_DIR "/qvlgam2.dat", splash_entries_ok);
  EXPECT_NE(splash, nullptr);
  if (splash) unload_datafile(splash);
  // Either file in the other's place is the wrong datafile.
  write_file(MAIN_DATAFILE, bytes_of(QVL_RUN_DIR "/qvlgam2.dat"));
  EXPECT_EQ(load_main_data(), STARTUP_DATAFILE);
  EXPECT_EQ(load_checked_datafile(QVL_RUN_DIR "/qvlgam.dat", splash_entries_ok), nullptr);
}

// Cut at every 4 KiB boundary and at scattered offsets inside the first
// 4 KiB (headers, properties, the first chunks): each is error 6. Every cut
// is walked in memory; the small ones and a spread of the large ones also
// go through start-up's own step, which reads the file.
TEST_F(DataCheck, FileCutShortAnywhereIsErrorSix) {
  std::vector<long> cuts;
  for (long at = (long)main_.size() / 4096 * 4096; at >= 4096; at -= 4096) cuts.push_back(at);
  for (long at = 4095; at >= 0; at -= 1 + at / 8) cuts.push_back(at);
  write_file(MAIN_DATAFILE, main_);
  for (size_t i = 0; i < cuts.size(); i++) {
    long at = cuts[i];
    // Past the 4-byte pack magic, as the loader sees it.
    long body = at > 4 ? at - 4 : 0;
    ASSERT_FALSE(datafile_bytes_ok(raw(main_) + 4, body)) << "cut at " << at;
    if (at >= 4096 && i % 97 != 0) continue;
    ASSERT_EQ(truncate(MAIN_DATAFILE, at), 0);
    ASSERT_EQ(load_main_data(), STARTUP_DATAFILE) << "cut at " << at;
  }
}

// The splash is decoration: a damaged file is skipped, a whole one shown.
TEST_F(DataCheck, DamagedSplashIsSkipped) {
  std::string splash = bytes_of(QVL_RUN_DIR "/qvlgam2.dat");
  for (size_t cut : {(size_t)100, splash.size() / 2, splash.size() - 1, splash.size()}) {
    write_file(SPLASH_DATAFILE, splash.substr(0, cut));
    clear_to_color(screen, 0);
    show_splash();
    int lit = 0;
    for (int x = 0; x < 640; x += 8) lit += getpixel(screen, x, 240) != 0;
    EXPECT_EQ(lit > 0, cut == splash.size()) << "cut at " << cut;
  }
}

// Packed files are unpacked by Allegro's own reader before the walk.
TEST_F(DataCheck, PackedFileIsUnpackedBeforeTheWalk) {
  PACKFILE *f = pack_fopen(MAIN_DATAFILE, F_WRITE_PACKED);
  ASSERT_NE(f, nullptr);
  pack_fwrite(main_.data() + 4, (long)main_.size() - 4, f);
  pack_fclose(f);
  EXPECT_EQ(load_main_data(), STARTUP_OK);
  std::string packed = bytes_of(MAIN_DATAFILE);
  for (long at : {8L, 300L, 5000L, (long)packed.size() / 2, (long)packed.size() - 2}) {
    write_file(MAIN_DATAFILE, packed.substr(0, (size_t)at));
    EXPECT_EQ(load_main_data(), STARTUP_DATAFILE) << "cut at " << at;
  }
}

// Offsets from the start of the unpacked stream (after the 4-byte pack
// magic): the count, then entry 0's NAME property and its chunk header.
struct Damage {
  const char *what;
  long offset;
  unsigned char byte;
};

TEST_F(DataCheck, DamagedHeadersAreRefused) {
  std::string body = main_.substr(4);
  const long name = 20;
  long nameLength = (long)raw(body)[name - 1];
  long chunk = name + nameLength + 4;
  const Damage cases[] = {
      {"magic", 0, 'X'},
      {"count far too high", 4, 0x7F},
      {"count zero", 7, 0},
      {"property length past the end", 16, 0x7F},
      {"property id read as the end mark", 12, 0xFF},
      {"stored size differs from length", chunk, 0x01},
      {"negative length (a packed chunk)", chunk + 4, 0xFF},
      {"bitmap depth 24", chunk + 9, 24},
      {"bitmap width zero", chunk + 10, 0},
      {"unknown object type", chunk - 4, 'Q'},
  };
  ASSERT_TRUE(datafile_bytes_ok(raw(body), (long)body.size()));
  for (const Damage &d : cases) {
    std::string bad = body;
    bad[(size_t)d.offset] = (char)d.byte;
    if (d.offset == 7) bad[4] = bad[5] = bad[6] = 0;
    if (d.offset == 12) bad[13] = bad[14] = bad[15] = (char)0xFF;
    if (d.offset == chunk + 10) bad[(size_t)d.offset + 1] = 0;
    EXPECT_FALSE(datafile_bytes_ok(raw(bad), (long)bad.size())) << d.what;
  }
}

std::string be32(unsigned v) {
  return {(char)(v >> 24), (char)(v >> 16), (char)(v >> 8), (char)v};
}

// A one-object datafile (after the pack magic) whose bitmap header claims
// w x h at a depth, with a body of the given number of bytes.
std::string one_bitmap(int bits, int w, int h, size_t body) {
  std::string chunk = {(char)(bits >> 8), (char)bits, (char)(w >> 8), (char)w, (char)(h >> 8), (char)h};
  chunk += std::string(body, '\x11');
  return "ALL." + be32(1) + "BMP " + be32((unsigned)chunk.size()) + be32((unsigned)chunk.size()) + chunk;
}

struct BitmapCase {
  int bits, w, h;
  size_t body;
  bool ok;
};

TEST(DataCheckBitmaps, BodyMustHoldExactlyThePixelsItsHeaderClaims) {
  const BitmapCase cases[] = {
      {16, 3, 2, 12, true}, {15, 3, 2, 12, true}, {8, 3, 2, 6, true},    {16, 3, 2, 10, false},
      {16, 3, 2, 11, false}, {16, 3, 2, 13, false}, {8, 3, 2, 5, false}, {24, 3, 2, 18, false},
      {32, 3, 2, 24, false}, {16, 0, 2, 0, false},  {16, 3, 0, 0, false}, {16, 40000, 1, 80000, false},
  };
  for (const BitmapCase &c : cases) {
    std::string file = one_bitmap(c.bits, c.w, c.h, c.body);
    EXPECT_EQ(datafile_bytes_ok(raw(file), (long)file.size()), c.ok ? 1 : 0)
        << c.bits << " bits " << c.w << "x" << c.h << ", " << c.body << " bytes";
  }
}

// Entries swapped in a loaded file: each swap breaks a kind or a size.
TEST_F(DataCheck, WrongKindOrSizeOfAnEntryIsRefused) {
  DATAFILE *d = load_datafile(QVL_RUN_DIR "/qvlgam.dat");
  ASSERT_NE(d, nullptr);
  ASSERT_TRUE(main_entries_ok(d));
  const int swaps[][2] = {{ENTRY_WORLD_THROW, ENTRY_WORLD_CATAPULT},
                          {ENTRY_TITLE_BACKGROUND, ENTRY_SPLASH_PROMPT},
                          {ENTRY_DIFFICULTY_PANEL, ENTRY_SOUND_BALLOON},
                          {ENTRY_SOUND_BALLOON, ENTRY_MEASURER},
                          {ENTRY_FONT_TEXT, ENTRY_TUNE_INTRO},
                          {ENTRY_BOTTOM_PANEL, ENTRY_OPPONENT_B},
                          {ENTRY_HEADER_PANEL, ENTRY_MEASURER},
                          {ENTRY_GAME_OVER, ENTRY_SPLASH_PROMPT}};
  for (const auto &s : swaps) {
    std::swap(d[s[0]], d[s[1]]);
    EXPECT_FALSE(main_entries_ok(d)) << s[0] << " with " << s[1];
    std::swap(d[s[0]], d[s[1]]);
  }
  // Raw data too short to be a PNG file or a sound file.
  for (int index : {(int)ENTRY_DIFFICULTY_PANEL, (int)ENTRY_LAST_PNG, (int)ENTRY_TUNE_INTRO, (int)ENTRY_SOUND_BALLOON}) {
    long size = d[index].size;
    d[index].size = 8;
    EXPECT_FALSE(main_entries_ok(d)) << index << " cut to 8 bytes";
    d[index].size = size;
  }
  // An outdated file with fewer entries.
  DATAFILE end = d[ENTRY_SOUND_SWIM_C];
  d[ENTRY_SOUND_SWIM_C].type = DAT_END;
  EXPECT_FALSE(main_entries_ok(d));
  d[ENTRY_SOUND_SWIM_C] = end;
  unload_datafile(d);
}

// The first rule covering an entry is the one it is checked and built by, so
// a sized entry's rule must come before a group around it (each is checked
// either way; a group's size would be lost in the builder).
TEST(DataCheckRules, EveryEntryIsBuiltByItsOwnRule) {
  for (int i = 0; i < MAIN_ENTRY_RULE_COUNT; i++) {
    const EntryRule &r = MAIN_ENTRY_RULES[i];
    EXPECT_TRUE(r.first <= r.last && r.last < MAIN_ENTRY_COUNT) << "rule " << i;
    for (int index = r.first; index <= r.last; index++) {
      const EntryRule *first = main_entry_rule(index);
      bool sized = r.width || r.height;
      EXPECT_TRUE(first == &r || !sized) << "entry " << index << " loses its size to rule " << first - MAIN_ENTRY_RULES;
      EXPECT_EQ(first->kind, r.kind) << "entry " << index << " of two kinds";
    }
  }
  EXPECT_EQ(main_entry_spec(ENTRY_GAME_OVER).minWidth, 240);
  EXPECT_EQ(main_entry_spec(ENTRY_ATTEMPT_PANEL).width, 91);
  EXPECT_EQ(main_entry_spec(ENTRY_LINE_JUDGE + LINE_JUDGE_FRAMES).kind, KIND_BITMAP);
}


// --- Font bitmaps against Allegro's grabber ---

// n glyph boxes of w x h, perRow to a row, the border ringing each; damage
// then changes pixel (dx, dy) to colour c when dx >= 0.
struct FontGrid {
  const char *what;
  int n, w, h, perRow;
  int dx, dy, colour;  // 0 border, 1 mask, 2 ink
  bool ok;
};

BITMAP *font_bitmap(int n, int w, int h, int perRow) {
  int rows = n > 0 ? (n + perRow - 1) / perRow : 1;
  BITMAP *b = create_bitmap_ex(16, 1 + perRow * (w + 1), 1 + rows * (h + 1));
  clear_to_color(b, makecol16(255, 255, 0));
  for (int i = 0; i < n; i++) {
    int x = 1 + (i % perRow) * (w + 1), y = 1 + (i / perRow) * (h + 1);
    rectfill(b, x, y, x + w - 1, y + h - 1, MASK_COLOUR_16);
    putpixel(b, x, y, makecol16(200, 40, 40));
  }
  return b;
}

int colour_of(int which) {
  return which == 0 ? makecol16(255, 255, 0) : which == 1 ? MASK_COLOUR_16 : makecol16(200, 40, 40);
}

// The glyphs Allegro's grabber takes from the bitmap, in a child process:
// -1 when it returns no font, -2 when it does not survive.
int glyphs_grabbed(BITMAP *b) {
  int fds[2];
  if (pipe(fds) != 0) return -3;
  pid_t pid = fork();
  if (pid == 0) {
    FONT *f = grab_font_from_bitmap(b);
    int n = f ? 0 : -1;
    for (FONT_COLOR_DATA *d = f ? (FONT_COLOR_DATA *)f->data : nullptr; d; d = d->next) n += d->end - d->begin;
    _exit(write(fds[1], &n, sizeof n) == sizeof n ? 0 : 1);
  }
  close(fds[1]);
  int n = -2;
  if (read(fds[0], &n, sizeof n) != sizeof n) n = -2;
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return n;
}

// A font the grabber cannot take whole is refused, and one it can is not:
// the table, then grids damaged at random places, checked against the
// grabber itself. A refused font entry is start-up error 10.
TEST_F(DataCheck, FontBitmapsNeedEveryGlyphBoxTheGrabberLooksFor) {
  const FontGrid grids[] = {
      {"1x1", 0, 0, 0, 1, -1, 0, 0, false},
      {"one box", 1, 5, 7, 16, -1, 0, 0, false},
      {"94 boxes", 94, 5, 7, 16, -1, 0, 0, false},
      {"95 boxes", 95, 5, 7, 16, -1, 0, 0, true},
      {"95 boxes of one pixel", 95, 1, 1, 16, -1, 0, 0, true},
      {"first corner gone", 95, 5, 7, 16, 0, 0, 1, false},
      {"first box opened above", 95, 5, 7, 16, 2, 0, 1, true},
      {"a gap in the wall between two boxes", 95, 5, 7, 16, 6, 3, 1, true},
  };
  unsigned seed = 10;
  for (int i = 0; i < (int)(sizeof grids / sizeof grids[0]) + 60; i++) {
    FontGrid g = i < 8 ? grids[i] : FontGrid{"random", 93 + (int)(rand_r(&seed) % 5), 1 + (int)(rand_r(&seed) % 6),
                                             1 + (int)(rand_r(&seed) % 6), 8 + (int)(rand_r(&seed) % 12), 0, 0, 0, true};
    BITMAP *b = g.n > 0 ? font_bitmap(g.n, g.w, g.h, g.perRow) : create_bitmap_ex(16, 1, 1);
    if (i >= 8) {
      g.dx = (int)(rand_r(&seed) % (unsigned)b->w);
      g.dy = (int)(rand_r(&seed) % (unsigned)b->h);
      g.colour = (int)(rand_r(&seed) % 3);
    }
    if (g.dx >= 0) putpixel(b, g.dx, g.dy, colour_of(g.colour));
    SCOPED_TRACE(std::string(g.what) + " " + std::to_string(i));
    int grabbed = glyphs_grabbed(b);
    EXPECT_EQ(font_grid_ok(b) != 0, grabbed >= 95) << grabbed << " glyphs";
    EXPECT_TRUE(i >= 8 || (font_grid_ok(b) != 0) == g.ok);
    destroy_bitmap(b);
  }
}

void destroy_fonts(void) {
  for (FONT **f : {&TitleFont, &TextFont, &ScoreFont, &MenuFont}) {
    if (*f) destroy_font(*f);
    *f = nullptr;
  }
}

TEST_F(DataCheck, FontEntryWithoutItsGridIsErrorTen) {
  write_file(MAIN_DATAFILE, main_);
  ASSERT_EQ(load_main_data(), STARTUP_OK);
  ASSERT_EQ(create_fonts(), STARTUP_OK);
  BITMAP *tiny = create_bitmap_ex(16, 2, 2);
  clear_to_color(tiny, makecol16(255, 255, 0));
  for (int entry = ENTRY_FONT_TEXT; entry <= ENTRY_FONT_TITLE; entry++) {
    destroy_fonts();
    void *kept = MainData[entry].dat;
    MainData[entry].dat = tiny;
    EXPECT_EQ(create_fonts(), STARTUP_FONTS) << entry;
    MainData[entry].dat = kept;
  }
  destroy_fonts();
  destroy_bitmap(tiny);
}

}  // namespace
