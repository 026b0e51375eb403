// The loop shape every screen follows, seen through the title logo drop:
// all owed ticks run before one frame is drawn, and a closed window stops
// steps, frames and waits.
#include "frontend/frontend.h"
#include "headless/headless.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

namespace {

class LoopShape : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(headless_start()); }
  void TearDown() override { headless_stop(); }
};

TEST_F(LoopShape, OwedTicksRunBeforeOneDraw) {
  int presents = headless_presents();
  title_logo_drop();
  // 240 ticks, one frame each, and the closing blank.
  EXPECT_EQ(headless_presents() - presents, 241);
  EXPECT_EQ(headless_tick(), 240);

  headless_set_ticks_per_idle(5);
  presents = headless_presents();
  int start = headless_tick();
  title_logo_drop();
  EXPECT_EQ(headless_presents() - presents, 240 / 5 + 1);
  EXPECT_EQ(headless_tick() - start, 240);
}

int QuitAt = 0;
void close_window_at(int tick) {
  if (tick == QuitAt) QuitFlag = 1;
}

TEST_F(LoopShape, ClosedWindowStopsStepsDrawsAndWaits) {
  QuitAt = 100;
  headless_on_tick(close_window_at);
  headless_hold(KEY_SPACE, 150, 400);
  int presents = headless_presents();
  title_logo_drop();
  headless_on_tick(nullptr);
  EXPECT_EQ(headless_tick(), 100);
  // 99 frames before the tick that closed the window, then only the blank.
  EXPECT_EQ(headless_presents() - presents, 99 + 1);
}

}  // namespace
