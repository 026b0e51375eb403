// The lanes' pace: presses from the controls or a computer's timing.
#include "event_fixture.h"

#include <set>
#include <vector>

class PaceTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    init_pace_controller(&pace, 50, 118, TYPE_PLAYER, 4, 6);
  }
  // Holds the sides for n player ticks.
  void hold(int left, int right, int n) {
    Controls = ControlsData();
    Controls.left = left;
    Controls.right = right;
    computer(0, n);
  }
  // Alternates left and right on every tick for n ticks.
  void alternate(int n) {
    for (int i = 0; i < n; i++, side = 1 - side) hold(side == 0, side == 1, 1);
  }
  void computer(int on, int n) {
    while (n-- > 0) update_pace_controller(&pace, on);
  }
  PaceController pace;
  int side = 0;
};

TEST_F(PaceTest, HeldSideCountsOnceAndFirstPressIsLeft) {
  hold(0, 1, 20);
  EXPECT_EQ(pace.presses, 0) << "a fresh lane waits for left";
  hold(1, 0, 60);
  EXPECT_EQ(pace.presses, 1);
  hold(1, 1, 20);
  EXPECT_EQ(pace.presses, 1) << "both sides together count nothing";
  hold(0, 1, 20);
  EXPECT_EQ(pace.presses, 2);
  EXPECT_EQ(pace.head, 120);
  // Left is due now: holding right and tapping left must not count either.
  for (int tap = 0; tap < 5; tap++) {
    hold(1, 1, 2);
    hold(0, 1, 2);
  }
  EXPECT_EQ(pace.presses, 2) << "right held, left tapped";
}

TEST_F(PaceTest, AlternatingEveryTickFillsTheHistory) {
  alternate(40);
  EXPECT_EQ(pace.presses, 40);
  EXPECT_EQ(pace.meter, 40);
  alternate(200);
  EXPECT_EQ(pace.presses, 180);
  EXPECT_EQ(pace.meter, 50);
  // A press stops counting 180 advancing ticks after it was made.
  hold(0, 0, 179);
  EXPECT_EQ(pace.presses, 1);
  hold(0, 0, 1);
  EXPECT_EQ(pace.presses, 0);
}

TEST_F(PaceTest, ComputerPressesFirstTickThenEveryGap) {
  srand(99);
  std::vector<int> pressTicks;
  for (int t = 1; t <= 600; t++) {
    computer(1, 1);
    if (pace.history[(pace.head + PACE_HISTORY - 1) % PACE_HISTORY]) pressTicks.push_back(t);
  }
  ASSERT_GT(pressTicks.size(), 50u);
  EXPECT_EQ(pressTicks[0], 1);
  std::set<int> gaps;
  for (size_t i = 1; i < pressTicks.size(); i++) gaps.insert(pressTicks[i] - pressTicks[i - 1]);
  EXPECT_EQ(gaps, (std::set<int>{4, 5, 6}));

  // With no range the smaller gap serves.
  init_pace_controller(&pace, 50, 118, TYPE_PLAYER, 5, 3);
  computer(1, 180);
  EXPECT_EQ(pace.presses, 36);
}

TEST_F(PaceTest, FinishedLaneDrainsWithin180Ticks) {
  computer(1, 300);
  ASSERT_GT(pace.presses, 25);
  pace.finished = 1;
  int head = pace.head;
  // The last 10 ticks before finishing hold at least one press (gaps of 6 at most).
  computer(1, 170);
  EXPECT_GT(pace.presses, 0);
  computer(1, 10);
  EXPECT_EQ(pace.presses, 0);
  EXPECT_EQ(pace.head, (head + 180) % 180);
}

TEST_F(PaceTest, DividerTwoAdvancesEveryThirdTick) {
  pace.divider = 2;
  std::vector<int> heads;
  for (int t = 0; t < 9; t++, heads.push_back(pace.head)) computer(1, 1);
  EXPECT_EQ(heads, (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3, 3}));
  EXPECT_EQ(pace.presses, 1) << "the computer counts advancing ticks, not ticks";

  // Player presses between advancing ticks are held, not counted.
  init_pace_controller(&pace, 50, 118, TYPE_PLAYER, 4, 6);
  pace.divider = 2;
  alternate(30);
  EXPECT_EQ(pace.presses, 10);
  EXPECT_EQ(pace.head, 10);
}

TEST_F(PaceTest, NoBreathOrHeldBreathBlocksPressesWhileTheRingTurns) {
  struct Case { int breath, breathHold, presses; };
  // Blocked: entries 100..179 and 0..9 were written as no press.
  for (Case c : {Case{0, 0, 90}, Case{-2, 0, 90}, Case{-1, 1, 90}, Case{5, 1, 90}, Case{3, 0, 180}}) {
    init_pace_controller(&pace, 50, 118, TYPE_PLAYER, 4, 6);
    side = 0;
    alternate(100);
    pace.breath = c.breath;
    pace.breathHold = c.breathHold;
    alternate(90);
    EXPECT_EQ(pace.presses, c.presses) << "breath " << c.breath << " hold " << c.breathHold;
    EXPECT_EQ(pace.head, 10);
  }
}

TEST_F(PaceTest, ClearingKeepsTheHead) {
  alternate(25);
  clear_pace_history(&pace);
  EXPECT_EQ(pace.presses, 0);
  EXPECT_EQ(pace.meter, 0);
  EXPECT_EQ(pace.head, 25);
  alternate(5);
  EXPECT_EQ(pace.presses, 5);
}
