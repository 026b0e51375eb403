// Both built datafiles, read back with Allegro's own loader: every entry has
// the kind and the size the game relies on.
#include "datbuild/entries.h"
#include "headless/headless.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <loadpng.h>
#include <sstream>

namespace {

class Datafiles : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(headless_start_bare());
  }
  void TearDown() override { headless_stop(); }
};

int count_entries(DATAFILE *d) {
  int n = 0;
  while (d[n].type != DAT_END) n++;
  return n;
}

void check_size(int index, const EntrySpec &want, int w, int h) {
  if (want.width) {
    EXPECT_EQ(w, want.width) << "entry " << index;
  }
  if (want.height) {
    EXPECT_EQ(h, want.height) << "entry " << index;
  }
  EXPECT_GE(w, want.minWidth) << "entry " << index;
  EXPECT_GE(h, want.minHeight) << "entry " << index;
}

bool starts_with(const DATAFILE &e, const char *magic) {
  return e.size >= (long)strlen(magic) && memcmp(e.dat, magic, strlen(magic)) == 0;
}

TEST_F(Datafiles, MainDatafileHasEveryEntryOfItsKindAndSize) {
  DATAFILE *d = load_datafile(QVL_RUN_DIR "/qvlgam.dat");
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(count_entries(d), MAIN_ENTRY_COUNT);
  for (int i = 0; i < MAIN_ENTRY_COUNT; i++) {
    EntrySpec want = main_entry_spec(i);
    const DATAFILE &e = d[i];
    switch (want.kind) {
    case KIND_BITMAP:
    case KIND_FONT: {
      ASSERT_EQ(e.type, DAT_BITMAP) << "entry " << i;
      BITMAP *b = (BITMAP *)e.dat;
      EXPECT_EQ(bitmap_color_depth(b), 16) << "entry " << i;
      EXPECT_EQ(bitmap_mask_color(b), MASK_COLOUR_16);
      check_size(i, want, b->w, b->h);
      break;
    }
    case KIND_PNG: {
      ASSERT_EQ(e.type, DAT_DATA) << "entry " << i;
      set_color_conversion(COLORCONV_NONE);
      BITMAP *b = load_memory_png(e.dat, e.size, nullptr);
      ASSERT_NE(b, nullptr) << "entry " << i;
      EXPECT_EQ(bitmap_color_depth(b), 32) << "entry " << i;
      check_size(i, want, b->w, b->h);
      destroy_bitmap(b);
      break;
    }
    case KIND_SOUND:
      ASSERT_EQ(e.type, DAT_DATA) << "entry " << i;
      if (i >= ENTRY_SOUND_BALLOON) {
        EXPECT_TRUE(starts_with(e, "RIFF")) << "entry " << i;
      } else {
        EXPECT_TRUE(starts_with(e, "OggS") || starts_with(e, "RIFF")) << "entry " << i;
      }
      break;
    }
  }
  unload_datafile(d);
}

TEST_F(Datafiles, FontsGrabFromTheirEntries) {
  set_main_datafile(load_datafile(QVL_RUN_DIR "/qvlgam.dat"));
  ASSERT_NE(MainData, nullptr);
  EXPECT_EQ(create_fonts(), 0);
  for (FONT *f : {TitleFont, TextFont, ScoreFont, MenuFont}) {
    ASSERT_NE(f, nullptr);
    EXPECT_GT(text_height(f), 0);
  }
}

TEST_F(Datafiles, SplashDatafileHoldsThe640x480Picture) {
  DATAFILE *d = load_datafile(QVL_RUN_DIR "/qvlgam2.dat");
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(count_entries(d), 2);
  ASSERT_EQ(d[1].type, DAT_BITMAP);
  BITMAP *b = (BITMAP *)d[1].dat;
  EXPECT_EQ(b->w, 640);
  EXPECT_EQ(b->h, 480);
  EXPECT_EQ(d[0].type, DAT_BITMAP);
  unload_datafile(d);
}

std::string file_bytes(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST_F(Datafiles, SameSourceGivesTheSameBytes) {
  std::string dir = headless_work_dir();
  std::string cmd = std::string(QVL_BINARY_DIR "/datbuild ") + dir;
  ASSERT_EQ(system(cmd.c_str()), 0);
  EXPECT_TRUE(file_bytes(dir + "/qvlgam.dat") == file_bytes(QVL_RUN_DIR "/qvlgam.dat"));
  EXPECT_TRUE(file_bytes(dir + "/qvlgam2.dat") == file_bytes(QVL_RUN_DIR "/qvlgam2.dat"));
}

}  // namespace
