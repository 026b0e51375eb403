// The throw driven tick by tick: the release velocity, the bounce rule, the
// readout, the nudge and a quit that no other ending overrides.
#include "event_fixture.h"

#include "persist/persist.h"

#include <math.h>
#include <stdlib.h>

class ThrowTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    load_music_set(MUSIC_SET_SPORTS_DAY);
    set_qualifying_marks(NOVICE);
    RecordTable.best_throw_distance = -1.0f;
    throw_begin(0);
    sound_log_clear();
  }
  void TearDown() override {
    for (int k : {KEY_ESC, KEY_RIGHT}) headless_release(k);
    end_scene();
    EventTest::TearDown();
  }
  GameObject *thrower(void) { return Lanes[THROW_LANE].object; }
  // A ball already in the air at (600, 149.9), to watch one step of it.
  GameObject *ball_falling_at(float vy) {
    Throw.ball = object_at(add_object(600, 149, 2, TYPE_BALL, 0));
    Throw.ball->y = 149.9f;
    Throw.ball->vy = vy;
    return Throw.ball;
  }
};

// AngleCount, presses, vx, vy: 0 flat, 32 at 45 degrees, 64 straight up;
// vx is whole pixels, vy keeps its fraction.
TEST_F(ThrowTest, ReleaseVelocityFromFixedPointSineAndCosine) {
  const struct {
    int angle, presses, vx;
    float vy;
  } cases[] = {{0, 95, 9, 0.0f}, {32, 95, 6, -6.36396f}, {64, 95, 0, -9.0f}, {32, 9, 0, 0.0f}, {21, 180, 15, -8.872f}};
  for (const auto &c : cases) {
    throw_begin(0);
    Throw.phase = THROW_AIMING;
    Throw.angleCount = c.angle;
    Lanes[THROW_LANE].presses = c.presses;
    int ticks = 0;
    while (!Throw.ball && ticks < 20) {
      throw_tick();
      ticks++;
    }
    ASSERT_TRUE(Throw.ball) << "angle " << c.angle;
    EXPECT_EQ(ticks, 8) << "fire up, then 7 ticks to the second throwing frame";
    // The release step has run update_objects once, then gravity.
    EXPECT_EQ(Throw.ball->vx, (float)c.vx) << "angle " << c.angle;
    EXPECT_NEAR(Throw.ball->vy - 0.03f, c.vy, 0.01) << "angle " << c.angle;
    EXPECT_EQ(Throw.ball->x, (float)(189 + c.vx));
  }
}

// With no room for the ball the throw is measured where it began, and the
// ball is tried once: a slot freed after the verdict throws nothing.
TEST_F(ThrowTest, ABallWithNoRoomIsTriedOnce) {
  Throw.phase = THROW_AIMING;
  Throw.angleCount = 32;
  Lanes[THROW_LANE].presses = 95;
  int from = headless_tick();
  headless_hold(KEY_SPACE, from + 1, from + 2);  // past the one-time error screen
  while (add_object(0, 0, 0, TYPE_LANDING_MARK, 0) >= 0) continue;
  key[KEY_SPACE] = 0;
  for (int t = 0; t < 8; t++) throw_tick();
  EXPECT_EQ(Throw.ball, nullptr);
  EXPECT_EQ(Verdict, VERDICT_FAILED) << "0.00 metres";
  remove_object(&ObjectPool[MAX_OBJECTS - 1]);
  for (int t = 0; t < 20; t++) throw_tick();
  EXPECT_EQ(Throw.ball, nullptr) << "no ball after the verdict";
  EXPECT_EQ(objects_of_type(TYPE_BALL), 0);
  EXPECT_EQ(plays_of(SoundEffects[SND_THROW]), 0);
}

// Speed before the step; whether it sounds; speed after the bounce.
TEST_F(ThrowTest, BouncesHalveAndDieOut) {
  const struct {
    float vy;
    int sound;
    float after;
  } cases[] = {{2.0f, 1, -1.015f}, {0.96f, 0, -0.495f}, {0.37f, 0, -0.2f}, {0.35f, 0, 0.0f}};
  for (const auto &c : cases) {
    sound_log_clear();
    GameObject *ball = ball_falling_at(c.vy);
    throw_tick();
    EXPECT_EQ(ball->y, 150.0f);
    EXPECT_NEAR(ball->vy, c.after, 1e-5) << "from " << c.vy;
    EXPECT_EQ(plays_of(SoundEffects[SND_BOUNCE]), c.sound) << "from " << c.vy;
  }
  // Only the first touch-down leaves a mark, a puff and sends the measurer.
  EXPECT_EQ(objects_of_type(TYPE_LANDING_MARK), 1);
  EXPECT_EQ(objects_of_type(TYPE_DUST), 1);
  EXPECT_EQ(Throw.measurer->cur.id, SEQ_MEASURER_WALK);
}

TEST_F(ThrowTest, ReadoutThroughTheAttempt) {
  char text[32];
  format_throw_figure(text, sizeof text);
  EXPECT_STREQ(text, "00.00") << "before the throw";
  Throw.phase = THROW_THROWN;
  Throw.lineCall = LINE_FAIR;
  Throw.spinStep = 5;
  format_throw_figure(text, sizeof text);
  EXPECT_STREQ(text, "fg.hi") << "rolling while the ball flies";
  Throw.camTarget = 500;
  set_sequence(Throw.measurer, SEQ_MEASURER_WALK);
  Throw.measurer->x = 586 + 2 * 15.73f;
  for (int i = 0; i < 20; i++) {
    format_throw_figure(text, sizeof text);
    double shown = atof(text);
    EXPECT_TRUE(shown >= 1.9 && shown <= 2.1) << text << ": the walking measurer's reading jitters";
  }
  set_sequence(Throw.measurer, SEQ_MEASURER_STAND);
  Throw.distance = 3.4965f;
  format_throw_figure(text, sizeof text);
  EXPECT_STREQ(text, "3.50");
  Throw.lineCall = LINE_FOUL;
  format_throw_figure(text, sizeof text);
  EXPECT_STREQ(text, "00.00") << "a foul never shows its length";
}

// The Right arrow edges the thrower on after the throw too, and so past the
// end of the run-up.
TEST_F(ThrowTest, NudgeCarriesPastTheEndOfTheRunUp) {
  Throw.phase = THROW_THROWN;
  thrower()->x = 648.5f;
  headless_press(KEY_RIGHT);
  throw_tick();
  EXPECT_EQ(thrower()->x, 649.0f);
  throw_tick();
  EXPECT_EQ(thrower()->x, 650.0f);
  EXPECT_EQ(Throw.outcome, OUTCOME_NONE) << "650 is still within the run-up";
  throw_tick();
  EXPECT_EQ(Throw.outcome, OUTCOME_FAILED);
  EXPECT_EQ(plays_of(SoundEffects[SND_SPEECH]), 1);
}

// A quit in the very step that would close the attempt, or run it past the
// end, is still a quit.
TEST_F(ThrowTest, QuitOutlastsTheOtherEndings) {
  Throw.startCountdown = THROW_CLOSING_END + 1;
  Throw.distance = 30.0f;
  Throw.lineCall = LINE_FAIR;
  headless_press(KEY_ESC);
  throw_tick();
  EXPECT_EQ(Throw.startCountdown, THROW_CLOSING_END);
  EXPECT_EQ(Throw.outcome, OUTCOME_QUIT);
  throw_begin(0);
  thrower()->x = 651.0f;
  throw_tick();
  EXPECT_EQ(Throw.outcome, OUTCOME_QUIT);
  EXPECT_EQ(plays_of(SoundEffects[SND_SPEECH]), 0) << "no bubble for a player who is leaving";
}

// Landings are whole pixels, so no throw measures a whole number of metres,
// but the mark is inclusive: a distance equal to it qualifies, when the
// measurer stops and at the end; a hair short fails. A distance equal to
// the record leaves it (and the file) alone.
TEST_F(ThrowTest, DistanceEqualToTheMarkQualifiesAndEqualToTheRecordStays) {
  for (float distance : {16.0f, nextafterf(16.0f, 0.0f)}) {
    throw_begin(0);
    Throw.lineCall = LINE_FAIR;
    Throw.distance = distance;
    set_sequence(Throw.measurer, 1);
    Throw.measurer->cur.frame = 1;
    Throw.measurer->x = (float)Throw.landingX;
    throw_tick();
    EXPECT_EQ(Verdict, distance == 16.0f ? VERDICT_QUALIFIED : VERDICT_FAILED) << distance;
    Throw.startCountdown = THROW_CLOSING_END + 1;
    throw_tick();
    EXPECT_EQ(Throw.outcome, distance == 16.0f ? OUTCOME_QUALIFIED : OUTCOME_FAILED) << distance;
  }
  Throw.distance = RecordTable.best_throw_distance = 16.0f;
  remove(RECORDS_FILE);
  throw_end();
  EXPECT_FALSE(exists(RECORDS_FILE));
}
