// The lanes' pace: presses from the controls or a computer's timing.
#include "event_fixture.h"

#include <set>
#include <vector>

class PaceTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    init_pace_controller(&pace, 50, 118, 1, 4, 6);
  }
  void hold(int left, int right) {
    Controls = ControlsData();
    Controls.left = left;
    Controls.right = right;
  }
  // Alternates left and right on every tick for n ticks.
  void alternate(int n) {
    for (int i = 0; i < n; i++) {
      hold(side == 0, side == 1);
      side = 1 - side;
      update_pace_controller(&pace, 0);
    }
  }
  void player_ticks(int n) {
    for (int i = 0; i < n; i++) update_pace_controller(&pace, 0);
  }
  PaceController pace;
  int side = 0;
};

TEST_F(PaceTest, HeldSideCountsOnceAndFirstPressIsLeft) {
  hold(0, 1);
  player_ticks(20);
  EXPECT_EQ(pace.presses, 0) << "a fresh lane waits for left";
  hold(1, 0);
  player_ticks(60);
  EXPECT_EQ(pace.presses, 1);
  hold(1, 1);
  player_ticks(20);
  EXPECT_EQ(pace.presses, 1) << "both sides together count nothing";
  hold(0, 1);
  player_ticks(20);
  EXPECT_EQ(pace.presses, 2);
  EXPECT_EQ(pace.head, 120);
}

TEST_F(PaceTest, AlternatingEveryTickFillsTheHistory) {
  alternate(40);
  EXPECT_EQ(pace.presses, 40);
  EXPECT_EQ(pace.meter, 40);
  alternate(200);
  EXPECT_EQ(pace.presses, 180);
  EXPECT_EQ(pace.meter, 50);
  // A press stops counting 180 advancing ticks after it was made.
  hold(0, 0);
  player_ticks(179);
  EXPECT_EQ(pace.presses, 1);
  player_ticks(1);
  EXPECT_EQ(pace.presses, 0);
}

TEST_F(PaceTest, ComputerPressesFirstTickThenEveryGap) {
  srand(99);
  std::vector<int> pressTicks;
  for (int t = 1; t <= 600; t++) {
    update_pace_controller(&pace, 1);
    if (pace.history[(pace.head + PACE_HISTORY - 1) % PACE_HISTORY]) pressTicks.push_back(t);
  }
  ASSERT_GT(pressTicks.size(), 50u);
  EXPECT_EQ(pressTicks[0], 1);
  std::set<int> gaps;
  for (size_t i = 1; i < pressTicks.size(); i++) gaps.insert(pressTicks[i] - pressTicks[i - 1]);
  EXPECT_EQ(gaps, (std::set<int>{4, 5, 6}));
}

TEST_F(PaceTest, ComputerWithNoRangeUsesTheSmallerGap) {
  pace.aiMinGap = 5;
  pace.aiMaxGap = 3;
  for (int t = 0; t < 180; t++) update_pace_controller(&pace, 1);
  EXPECT_EQ(pace.presses, 36);
}

TEST_F(PaceTest, FinishedLaneDrainsWithin180Ticks) {
  for (int t = 0; t < 300; t++) update_pace_controller(&pace, 1);
  ASSERT_GT(pace.presses, 25);
  pace.finished = 1;
  int head = pace.head;
  // The last 10 ticks before finishing hold at least one press (gaps of 6 at most).
  for (int t = 0; t < 170; t++) update_pace_controller(&pace, 1);
  EXPECT_GT(pace.presses, 0);
  for (int t = 0; t < 10; t++) update_pace_controller(&pace, 1);
  EXPECT_EQ(pace.presses, 0);
  EXPECT_EQ(pace.head, (head + 180) % 180);
}

TEST_F(PaceTest, DividerTwoAdvancesEveryThirdTick) {
  pace.divider = 2;
  std::vector<int> heads;
  for (int t = 0; t < 9; t++) {
    update_pace_controller(&pace, 1);
    heads.push_back(pace.head);
  }
  EXPECT_EQ(heads, (std::vector<int>{1, 1, 1, 2, 2, 2, 3, 3, 3}));
  EXPECT_EQ(pace.presses, 1) << "the computer counts advancing ticks, not ticks";
}

TEST_F(PaceTest, DividerHoldsPlayerPressesBetweenAdvancingTicks) {
  pace.divider = 2;
  alternate(30);
  EXPECT_EQ(pace.presses, 10);
  EXPECT_EQ(pace.head, 10);
}

TEST_F(PaceTest, NoBreathOrHeldBreathBlocksPressesWhileTheRingTurns) {
  struct Case {
    int breath;
    int breathHold;
  };
  for (Case c : {Case{0, 0}, Case{-2, 0}, Case{-1, 1}, Case{5, 1}}) {
    init_pace_controller(&pace, 50, 118, 1, 4, 6);
    side = 0;
    alternate(100);
    pace.breath = c.breath;
    pace.breathHold = c.breathHold;
    alternate(90);
    // Entries 100..179 and 0..9 were written as no press.
    EXPECT_EQ(pace.presses, 90) << "breath " << c.breath << " hold " << c.breathHold;
    EXPECT_EQ(pace.head, 10);
  }
}

TEST_F(PaceTest, BreathLeftLetsPressesCount) {
  pace.breath = 3;
  alternate(10);
  EXPECT_EQ(pace.presses, 10);
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
