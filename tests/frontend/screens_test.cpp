// The difficulty screen and the introductions over pictures that cannot be
// decoded, and the starting positions they make safe.
#include <gtest/gtest.h>

#include "frontend/frontend.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"

#include <vector>

class ScreensTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(headless_start(HeadlessOptions())); }
  void TearDown() override {
    headless_on_tick(nullptr);
    if (MainData == broken.data()) set_main_datafile(real);
    headless_stop();
  }
  // The real datafile with some PNG entries spoilt.
  void spoil(std::vector<int> entries) {
    real = MainData;
    for (int i = 0; i == 0 || real[i - 1].type != DAT_END; i++) broken.push_back(real[i]);
    for (int i : entries) broken[i] = DATAFILE{junk, DAT_DATA, sizeof junk, nullptr};
    set_main_datafile(broken.data());
  }
  std::vector<DATAFILE> broken;
  DATAFILE *real = nullptr;
  char junk[64] = "not a picture at all";
};

// Which of the pictures were there while the screens ran.
static int PanelSeen, TextPanelSeen, TitlePanelSeen;

static void look(int) {
  PanelSeen |= DifficultyScreen.panel != nullptr;
  TextPanelSeen |= IntroScreen.textPanel != nullptr;
  TitlePanelSeen |= IntroScreen.titlePanel != nullptr;
}

struct SpoiltCase {
  std::vector<int> entries;
  int panel, textPanel, titlePanel;
};

TEST_F(ScreensTest, SpoiltPicturesAreLeftOutAndOnlyWhatWasMadeIsFreed) {
  const SpoiltCase CASES[] = {{{24, 25, 26}, 0, 0, 0}, {{25}, 1, 1, 0}, {{24, 26}, 0, 0, 1}};
  for (const SpoiltCase &c : CASES) {
    SCOPED_TRACE(c.entries.size());
    ASSERT_TRUE(headless_start(HeadlessOptions()));
    spoil(c.entries);
    PanelSeen = TextPanelSeen = TitlePanelSeen = 0;
    headless_on_tick(look);
    Settings.difficulty = 1;
    headless_hold(KEY_SPACE, 20, 20);
    EXPECT_EQ(select_difficulty(), 1);
    headless_hold(KEY_SPACE, 60, 60);
    show_event_intro(1);
    EXPECT_GE(IntroScreen.ticks, 30) << "the intro ran on without its pictures";
    EXPECT_EQ((std::vector<int>{PanelSeen, TextPanelSeen, TitlePanelSeen}),
              (std::vector<int>{c.panel, c.textPanel, c.titlePanel}));
    EXPECT_EQ((std::vector<BITMAP *>{DifficultyScreen.panel, IntroScreen.textPanel, IntroScreen.titlePanel}),
              (std::vector<BITMAP *>{nullptr, nullptr, nullptr}));
    set_main_datafile(real);
    broken.clear();
  }
}

TEST_F(ScreensTest, StartingPositionsOutOfRangeTakeTheNearest) {
  // Stored difficulty -> pointer; intro argument -> card shown.
  const int CASES[][2] = {{-3, 0}, {0, 0}, {2, 2}, {9, 2}};
  for (const auto &c : CASES) {
    Settings.difficulty = c[0];
    headless_hold(KEY_ESC, headless_tick() + 3, headless_tick() + 3);
    EXPECT_EQ(select_difficulty(), -1);
    EXPECT_EQ(DifficultyScreen.selected, c[1]) << "stored " << c[0];
  }
  for (int event : {-1, 4, 1000}) {
    headless_hold(KEY_SPACE, headless_tick() + 3, headless_tick() + 3);
    show_event_intro(event);
    EXPECT_EQ(IntroScreen.event, 0) << "event " << event;
  }
}

TEST_F(ScreensTest, EndScreensLeftAtOnceByAControlHeldOnEntry) {
  void (*const SCREENS[3])(void) = {congratulations_screen, game_over_screen, champion_celebration};
  const int KEYS[2] = {KEY_SPACE, KEY_ESC};
  for (void (*screen)(void) : SCREENS)
    for (int k : KEYS) {
      headless_hold(k, headless_tick() + 1, headless_tick() + 2);
      screen();
      EXPECT_EQ(EndScreen.ticks, 1) << "kind " << EndScreen.kind << " key " << k;
      EXPECT_TRUE(EndScreen.left);
    }
}
