// The swim driven tick by tick: the teacher's timeline, the walls, the
// closing countdown, and what happens on a full pool or after the finish.
#include "event_fixture.h"

#include "persist/persist.h"

class SwimTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    load_music_set(MUSIC_SET_SPORTS_DAY);
    set_qualifying_marks(NOVICE);
    RecordTable.best_swim_time = -1.0f;
    swim_begin(0);
    sound_log_clear();
  }
  // Runs ticks up to and including event tick n (counted from 1).
  void run_to(int n) {
    while (Swim.tick < n) swim_tick();
  }
  // Straight into the race, with the countdown over.
  void racing(void) {
    Swim.race.startCountdown = 0;
    for (int i = 0; i < LANE_COUNT; i++) set_sequence(swimmer(i), SEQ_SWIM);
  }
  void press(int k, int down) {
    key[k] = down;
  }
  GameObject *swimmer(int lane) { return Lanes[lane].object; }
};

TEST_F(SwimTest, TeacherTimelineAndTheDive) {
  // After each tick: signs up, swimmers ready (6) or diving (7), start sound.
  const int T = SEQ_TREAD, R = SEQ_READY, D = SEQ_DIVE;
  const int steps[][4] = {{190, 0, T, 0}, {191, 1, T, 0}, {290, 0, T, 0}, {320, 0, T, 0},
                          {321, 1, R, 0}, {420, 0, R, 0}, {449, 0, R, 0}, {450, 1, D, 1}};
  for (const auto &s : steps) {
    run_to(s[0]);
    EXPECT_EQ(objects_of_type(TYPE_SIGN), s[1]) << "tick " << s[0];
    for (int lane = 0; lane < LANE_COUNT; lane++) EXPECT_EQ(swimmer(lane)->cur.id, s[2]) << "tick " << s[0];
    EXPECT_EQ(plays_of(SoundEffects[SND_START]), s[3]) << "tick " << s[0];
    EXPECT_EQ(plays_of(SoundEffects[SND_DIVE]), s[3]) << "tick " << s[0];
  }
  EXPECT_EQ(plays_of(SoundEffects[SND_SWIM_B]), 1) << "with the second sign";
  EXPECT_EQ(Swim.race.startCountdown, 0);
  run_to(451);
  EXPECT_EQ(Swim.race.ticks, 1);
  // The flying start: 26 presses, the first entry already overwritten.
  EXPECT_EQ(Lanes[0].presses, 26) << "a computer's first press lands on it";
  EXPECT_EQ(Lanes[PLAYER_LANE].presses, 25);
  // The teacher sets off 99 ticks after the last sign went up.
  run_to(548);
  EXPECT_EQ(Swim.teacher->cur.id, SEQ_STARTER_STAND);
  run_to(549);
  EXPECT_EQ(Swim.teacher->cur.id, SEQ_STARTER_WALK);
}

// The teacher keeps a steady walk: 5 pixels and one frame of the four every
// 10 ticks, even once the last sign's slot holds splashes and ripples.
TEST_F(SwimTest, TeacherWalksSteadily) {
  run_to(549);
  float x = Swim.teacher->x;
  int last = 0, frame = Swim.teacher->cur.frame;
  for (int t = 550; t <= 1400; t++) {
    run_to(t);
    if (Swim.teacher->x == x) continue;
    EXPECT_FLOAT_EQ(Swim.teacher->x - x, 5.0f) << "tick " << t;
    EXPECT_EQ(Swim.teacher->cur.frame, (frame + 1) % 4) << "tick " << t;
    if (last) {
      EXPECT_EQ(t - last, 10) << "tick " << t;
    }
    x = Swim.teacher->x;
    frame = Swim.teacher->cur.frame;
    last = t;
  }
  EXPECT_GT(last, 1390);
}

// x, flipped, direction, turns and race seconds before a tick with no
// presses; x, flipped, direction, turns, finished and verdict after it.
struct WallCase {
  float x;
  int flipped, direction, turns, seconds;
  float xAfter;
  int flippedAfter, directionAfter, turnsAfter, finished, verdict;
};

TEST_F(SwimTest, WallsTurnAndFinishTheSwimmer) {
  const WallCase cases[] = {
      {498.5f, 0, 1, 0, 0, 498.0f, 1, -1, 0, 0, VERDICT_NONE},       // far wall
      {498.0f, 0, 1, 0, 0, 498.0f, 0, 1, 0, 0, VERDICT_NONE},        // not past it
      {16.5f, 1, -1, 0, 0, 17.0f, 0, 1, 1, 0, VERDICT_NONE},         // near wall: out again
      {16.5f, 0, 1, 0, 0, 16.5f, 0, 1, 0, 0, VERDICT_NONE},          // the start, facing out
      {17.0f, 1, -1, 1, 0, 17.0f, 1, -1, 1, 0, VERDICT_NONE},        // not past it
      {16.5f, 1, -1, 1, 40, 17.0f, 1, -1, 2, 1, VERDICT_QUALIFIED},  // fourth length
      {16.5f, 1, -1, 1, 41, 17.0f, 1, -1, 2, 1, VERDICT_FAILED},
  };
  for (const WallCase &c : cases) {
    swim_begin(0);
    racing();
    GameObject *obj = swimmer(PLAYER_LANE);
    PaceController *pace = &Lanes[PLAYER_LANE];
    obj->x = c.x;
    obj->flipped = c.flipped;
    pace->direction = c.direction;
    pace->turns = c.turns;
    Swim.race.seconds = c.seconds;
    Swim.race.time = (float)c.seconds;  // as the last tick left it
    swim_tick();
    SCOPED_TRACE(testing::Message() << "from x " << c.x << " turns " << c.turns);
    EXPECT_EQ(obj->x, c.xAfter);
    EXPECT_EQ(obj->flipped, c.flippedAfter);
    EXPECT_EQ(pace->direction, c.directionAfter);
    EXPECT_EQ(pace->turns, c.turnsAfter);
    EXPECT_EQ(pace->finished, c.finished);
    EXPECT_EQ(Verdict, c.verdict);
    if (c.finished) {
      EXPECT_EQ(obj->cur.id, SEQ_TREAD);
    }
    EXPECT_EQ(Swim.race.ticks, c.finished ? 0 : 1) << "the clock stops at the finish";
  }
}

// Once all four are home the swim closes 298 ticks after that tick; the mark
// is inclusive.
TEST_F(SwimTest, ClosingCountdownAndMark) {
  const struct {
    int seconds, ticks, outcome;
  } cases[] = {{40, 0, OUTCOME_QUALIFIED}, {39, 59, OUTCOME_QUALIFIED}, {40, 1, OUTCOME_FAILED}};
  for (const auto &c : cases) {
    swim_begin(0);
    racing();
    for (int i = 0; i < LANE_COUNT; i++) Lanes[i].finished = 1;
    Swim.race.seconds = c.seconds;
    Swim.race.ticks = c.ticks;
    for (int t = 1; t < 299; t++) swim_tick();
    EXPECT_EQ(Swim.race.outcome, 0);
    swim_tick();
    EXPECT_EQ(Swim.race.outcome, c.outcome) << c.seconds << " s " << c.ticks;
    EXPECT_EQ(Swim.race.startCountdown, SWIM_CLOSING_END);
  }
}

// A lane the pool had no room for is never finished. The race waits for no
// one in a computer's lane, but always for the player, whose clock then runs
// on with the race open until quit: never a time of 0.00 at the mark.
TEST_F(SwimTest, ALaneWithoutASwimmerNeverFinishes) {
  for (int empty : {PLAYER_LANE, 0}) {
    swim_begin(0);
    racing();
    remove_object(swimmer(empty));
    Lanes[empty].object = nullptr;
    for (int i = 0; i < LANE_COUNT; i++)
      if (i != empty) Lanes[i].finished = 1;
    for (int t = 0; t < 600; t++) swim_tick();
    EXPECT_EQ(Lanes[empty].finished, 0) << "lane " << empty;
    if (empty == PLAYER_LANE) {
      EXPECT_EQ(Swim.race.outcome, OUTCOME_NONE);
      EXPECT_EQ(Swim.race.seconds, 10) << "the clock runs on";
      EXPECT_EQ(Verdict, VERDICT_NONE);
    } else {
      EXPECT_EQ(Swim.race.outcome, OUTCOME_QUALIFIED) << "closed 298 ticks after the last swimmer";
    }
  }
}

// A finished swimmer out of breath is not set swimming again by fire.
TEST_F(SwimTest, FireAfterTheFinishIsNotABreath) {
  racing();
  PaceController *pace = &Lanes[PLAYER_LANE];
  pace->breath = 0;
  pace->finished = 1;
  set_sequence(swimmer(PLAYER_LANE), SEQ_TREAD);
  press(KEY_SPACE, 1);
  swim_tick();
  press(KEY_SPACE, 0);
  EXPECT_EQ(swimmer(PLAYER_LANE)->cur.id, SEQ_TREAD);
  EXPECT_EQ(pace->breath, 0);
  EXPECT_EQ(pace->breathHold, 0);
}

// With no room for the marker the breath still runs out, and the next
// breath removes nothing; splashes and ripples are left out meanwhile.
TEST_F(SwimTest, FullPoolLeavesOutMarkerSplashesAndRipples) {
  run_to(700);
  for (GameObject &obj : ObjectPool) {
    obj.lifetime = -1;  // nothing leaves the pool from now on
    obj.cur.mode = 0;
  }
  int from = headless_tick();
  headless_hold(KEY_SPACE, from + 1, from + 2);
  while (add_object(0, 0, 0, TYPE_BALL, 0) >= 0) {
  }
  GameObject before[MAX_OBJECTS];
  for (int i = 0; i < MAX_OBJECTS; i++) before[i] = ObjectPool[i];
  run_to(760);
  EXPECT_EQ(Lanes[PLAYER_LANE].breath, 0);
  EXPECT_EQ(Swim.breathWarning, nullptr);
  press(KEY_SPACE, 1);
  run_to(761);
  press(KEY_SPACE, 0);
  EXPECT_GE(Lanes[PLAYER_LANE].breath, SWIM_BREATH_MIN);
  EXPECT_EQ(swimmer(PLAYER_LANE)->cur.id, SEQ_SWIM);
  for (int i = 0; i < MAX_OBJECTS; i++) {
    EXPECT_TRUE(ObjectPool[i].active);
    EXPECT_EQ(ObjectPool[i].type, before[i].type) << "slot " << i;
  }
}
