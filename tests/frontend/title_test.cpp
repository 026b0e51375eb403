// The title menu over pictures that cannot be decoded, and its leaving.
#include <gtest/gtest.h>

#include "frontend/frontend.h"
#include "headless/headless.h"
#include "shell/entries.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <vector>

class TitleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(headless_start(HeadlessOptions())); }
  void TearDown() override {
    if (MainData == broken.data()) set_main_datafile(real);
    headless_stop();
  }
  std::vector<DATAFILE> broken;
  DATAFILE *real = nullptr;
  char junk[64] = "not a picture at all";
};

TEST_F(TitleTest, PicturesThatCannotBeDecodedAreSkipped) {
  // The real datafile with the title's PNG entries spoilt.
  real = MainData;
  for (int i = 0; i == 0 || real[i - 1].type != DAT_END; i++) broken.push_back(real[i]);
  for (int i = ENTRY_TITLE_BANNER; i <= ENTRY_LAST_PNG; i++) broken[i] = DATAFILE{junk, DAT_DATA, sizeof junk, nullptr};
  set_main_datafile(broken.data());
  headless_hold(KEY_RIGHT, 40, 40);
  headless_hold(KEY_ESC, 100, 100);
  EXPECT_EQ(title_menu(), MENU_QUIT);
  EXPECT_EQ(TitleMenu.choice, CHOICE_OPTIONS);
  for (BITMAP *image : TitleMenu.images) EXPECT_EQ(image, nullptr);
  EXPECT_GE(headless_presents(), 100);
}

static int DecodedWithAlpha;

static void count_decoded(int tick) {
  for (BITMAP *image : TitleMenu.images) DecodedWithAlpha += tick == 3 && image && bitmap_color_depth(image) == 32;
}

TEST_F(TitleTest, PicturesAreDecodedWithTheirAlphaAndFreedOnLeaving) {
  DecodedWithAlpha = 0;
  headless_hold(KEY_ESC, 5, 5);
  headless_on_tick(count_decoded);
  EXPECT_EQ(title_menu(), MENU_QUIT);
  headless_on_tick(nullptr);
  EXPECT_EQ(DecodedWithAlpha, TITLE_IMAGE_COUNT);
  for (BITMAP *image : TitleMenu.images) EXPECT_EQ(image, nullptr);
}

TEST_F(TitleTest, FireOnPlayWinsOverQuitOnTheSameTick) {
  headless_hold(KEY_ESC, 10, 10);
  headless_hold(KEY_SPACE, 10, 10);
  EXPECT_EQ(title_menu(), MENU_PLAY) << "fire on play replaces quit's result";
}

TEST_F(TitleTest, ClosedWindowLeavesWithNoChoice) {
  HeadlessOptions options;
  options.tickLimit = 50;
  ASSERT_TRUE(headless_start(options));
  EXPECT_EQ(title_menu(), 0);
  EXPECT_EQ(headless_tick(), 50);
}
