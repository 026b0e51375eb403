// The type table, the animation player and the motion rules.
#include <vector>

#include "object_fixture.h"

using AnimationTest = ObjectsTest;
using MotionTest = ObjectsTest;

static GameObject *add(int type, int param = 0, int x = 0, int y = 0) {
  return object_at(add_object(x, y, 1, type, param));
}

static std::vector<int> frames_of(const AnimSeq &seq) {
  return std::vector<int>(seq.frames, seq.frames + seq.count);
}

// The frame shown after each of n updates.
static std::vector<int> play(GameObject *obj, int n) {
  std::vector<int> shown;
  for (int i = 0; i < n; i++) {
    update_object(obj);
    shown.push_back(obj->cur.frame);
  }
  return shown;
}

TEST_F(AnimationTest, TypesGetTheirSequencesSpeedsAndSize) {
  set_frame(47, 21, 33);
  GameObject *rival = add(2);
  ASSERT_NE(rival, nullptr);
  EXPECT_EQ(rival->width, 21);
  EXPECT_EQ(rival->height, 33);
  EXPECT_EQ(frames_of(rival->seqs[5]), (std::vector<int>{236, 61, 62, 63, 64, 65, 66, 67, 68, 69}));
  EXPECT_EQ(rival->seqs[7].mode, ANIM_ONCE_NEXT);
  EXPECT_EQ(rival->seqs[7].next, 5);
  EXPECT_EQ(rival->seqs[8].frames[0], 0);

  GameObject *fourth = add(4);
  EXPECT_EQ(frames_of(fourth->seqs[4]), (std::vector<int>{195, 196, 195, 194}));
  EXPECT_EQ(fourth->seqs[4].delay, 15);

  GameObject *balloon = add(52, 2);
  EXPECT_EQ(frames_of(balloon->seqs[0]), (std::vector<int>{116, 117, 118, 119, 120, 121}));
  EXPECT_EQ(frames_of(balloon->seqs[2]), (std::vector<int>{113, 114, 113, 115}));
  EXPECT_EQ(balloon->armed, 1);

  EXPECT_EQ(add(50, 2)->cur.frames[0], 359);
  EXPECT_EQ(add(104, 9)->cur.frames[0], 178);
  EXPECT_EQ(frames_of(add(105, 4)->cur), (std::vector<int>{345, 346, 347, 348, 349}));
  EXPECT_FLOAT_EQ(add(51)->vx, 3.0f);
  EXPECT_FLOAT_EQ(add(54, 1)->vy, 8.0f);
  EXPECT_EQ(add(60)->lifetime, 150);
  EXPECT_EQ(add(108)->lifetime, 20);
  EXPECT_EQ(add(56)->lifetime, -1);

  // A first frame that is missing or not a picture gives no size.
  GameObject *lost = add(106, 200);
  EXPECT_EQ(lost->width, 0);
  EXPECT_EQ(lost->height, 0);
  set_non_bitmap(168);
  EXPECT_EQ(add(107)->width, 0);
}

TEST_F(AnimationTest, LoopShowsEachFrameForItsDelay) {
  GameObject *athlete = add(1);
  set_sequence(athlete, 2);
  std::vector<int> shown = play(athlete, 40);
  for (int n = 1; n <= 40; n++) EXPECT_EQ(shown[n - 1], (n / 8) % 4) << "after update " << n;
  EXPECT_EQ(athlete->cur.frames[athlete->cur.frame], 220);
}

TEST_F(AnimationTest, OnceStopsOnTheLastFrame) {
  GameObject *starter = add(6);
  set_sequence(starter, 1);
  EXPECT_EQ(play(starter, 1), (std::vector<int>{1}));
  EXPECT_EQ(starter->cur.mode, ANIM_ONCE);
  EXPECT_EQ(play(starter, 1), (std::vector<int>{2}));
  EXPECT_EQ(starter->cur.mode, ANIM_STILL);
  EXPECT_EQ(play(starter, 3), (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(starter->cur.id, 1);
}

TEST_F(AnimationTest, OnceThenRemoveEndsTheBurstAfterFifteenTicks) {
  GameObject *burst = add(55);
  burst->vx = 1.0f;
  tick(12);
  EXPECT_EQ(burst->cur.frame, 4);
  tick(2);
  EXPECT_EQ(burst->active, 1);
  tick(1);
  EXPECT_EQ(burst->active, 0);
  // Removed by its animation before the move of that tick.
  EXPECT_FLOAT_EQ(burst->x, 14.0f);
}

TEST_F(AnimationTest, BalloonInflatesThenFloats) {
  GameObject *balloon = add(52, 1);
  tick(59);
  EXPECT_EQ(balloon->cur.id, 0);
  EXPECT_EQ(balloon->cur.frames[balloon->cur.frame], 112);
  tick(1);
  EXPECT_EQ(balloon->cur.id, 1);
  EXPECT_EQ(balloon->cur.mode, ANIM_LOOP);
  EXPECT_EQ(frames_of(balloon->cur), (std::vector<int>{104, 105}));
}

TEST_F(AnimationTest, OnceThenNextRunsIntoTheRunningLoop) {
  GameObject *athlete = add(3);
  set_sequence(athlete, 7);
  tick(39);
  EXPECT_EQ(athlete->cur.id, 7);
  EXPECT_EQ(athlete->cur.frame, 3);
  tick(1);
  EXPECT_EQ(athlete->cur.id, 5);
  EXPECT_EQ(athlete->cur.frame, 0);
  EXPECT_EQ(athlete->cur.mode, ANIM_LOOP);
  EXPECT_EQ(athlete->cur.count, 10);
  EXPECT_EQ(athlete->cur.frames[0], 146);
  tick(15);
  EXPECT_EQ(athlete->cur.frame, 1);
}

TEST_F(AnimationTest, ShortAndNegativeDelaysStepEveryTick) {
  GameObject *line = add(60);
  line->cur.delay = 0;
  EXPECT_EQ(play(line, 3), (std::vector<int>{1, 2, 3}));
  line->cur.delay = -4;
  EXPECT_EQ(play(line, 8), (std::vector<int>{4, 5, 6, 7, 8, 9, 0, 1}));
  line->cur.delay = 3;
  EXPECT_EQ(play(line, 3), (std::vector<int>{1, 1, 2}));
}

TEST_F(AnimationTest, SetSequenceRestartsAndRefusesUnknownNumbers) {
  GameObject *athlete = add(1);
  set_sequence(athlete, 4);
  tick(20);
  EXPECT_EQ(athlete->cur.frame, 1);
  set_sequence(athlete, 4);
  EXPECT_EQ(athlete->cur.frame, 0);
  EXPECT_EQ(athlete->cur.timer, 0);
  tick(5);

  set_sequence(athlete, 15);
  set_sequence(athlete, -1);
  EXPECT_EQ(athlete->cur.id, 4);
  EXPECT_EQ(athlete->cur.timer, 5);

  // A sequence the type does not fill is a still picture of entry 0.
  GameObject *shot = add(51);
  set_sequence(shot, 3);
  EXPECT_EQ(shot->cur.id, 3);
  EXPECT_EQ(shot->cur.frames[0], 0);
  EXPECT_EQ(shot->cur.mode, ANIM_STILL);
}

TEST_F(MotionTest, BalloonDriftsToAStopAndKeepsLeftwardDrift) {
  GameObject *right = add(52, 0, 100, 100);
  GameObject *left = add(52, 0, 100, 100);
  GameObject *young = add(52, 0, 100, 100);
  set_sequence(right, 1);
  set_sequence(left, 2);
  right->vx = 1.0f;
  left->vx = -1.0f;
  young->vx = 1.0f;
  const float expected[] = {0.9f, 0.81f, 0.729f, 0.6561f, 0.59049f, 0.531441f, 0.0f, 0.0f};
  float x = 100.0f;
  for (float vx : expected) {
    update_objects();
    x += vx;
    EXPECT_FLOAT_EQ(right->vx, vx);
    EXPECT_FLOAT_EQ(left->vx, -1.0f);
  }
  EXPECT_NEAR(right->x, x, 1e-4);
  // The opening sequence has no rule: it keeps its speed.
  EXPECT_FLOAT_EQ(young->vx, 1.0f);
  EXPECT_FLOAT_EQ(young->x, 108.0f);
}

TEST_F(MotionTest, BalloonSettlesOnItsTargetSpeed) {
  GameObject *balloon = add(52, 1, 100, 150);
  set_sequence(balloon, 1);
  balloon->targetVy = -1.5f;
  for (int i = 1; i <= 60; i++) {
    update_object(balloon);
    if (i < 15) EXPECT_NEAR(balloon->vy, -0.1f * i, 1e-4);
    else EXPECT_NEAR(balloon->vy, -1.5f, 0.1f + 1e-4);
  }
  balloon->targetVy = -0.5f;
  tick(20);
  EXPECT_NEAR(balloon->vy, -0.5f, 0.1f + 1e-4);
}

TEST_F(MotionTest, BalloonLeavesOnlyWhenAboveTheWorld) {
  GameObject *above = add(52);
  GameObject *edge = add(52);
  set_sequence(above, 1);
  set_sequence(edge, 2);
  above->y = -18.5f;
  edge->y = -18.0f;
  tick(1);
  EXPECT_EQ(above->active, 0);
  EXPECT_EQ(edge->active, 1);
}

TEST_F(MotionTest, PointsLabelFallsSlowerAndLands) {
  GameObject *label = add(54, 20, 30, 100);
  const float speeds[] = {7.25f, 6.5f, 5.75f, 5.0f, 4.25f, 3.5f, 2.75f, 2.0f, 1.25f, 1.0f, 1.0f};
  float y = 100.0f;
  for (float vy : speeds) {
    update_object(label);
    y += vy;
    EXPECT_FLOAT_EQ(label->vy, vy);
    EXPECT_FLOAT_EQ(label->y, y);
  }
  tick(5);
  // Past the ground for one tick, then down on it for good.
  EXPECT_FLOAT_EQ(label->y, 145.25f);
  for (int i = 0; i < 20; i++) {
    update_object(label);
    EXPECT_EQ(label->y, 145.0f);
    EXPECT_EQ(label->vy, 0.0f);
  }
  EXPECT_FLOAT_EQ(label->x, 30.0f);
}

TEST_F(MotionTest, MeasurerWalksFivePixelsAtEachStep) {
  GameObject *measurer = add(8, 0, 481, 115);
  tick(10);
  EXPECT_FLOAT_EQ(measurer->x, 481.0f);
  set_sequence(measurer, 1);
  std::vector<float> xs;
  for (int i = 0; i < 15; i++) {
    update_object(measurer);
    xs.push_back(measurer->x);
  }
  EXPECT_FLOAT_EQ(xs[3], 481.0f);
  EXPECT_FLOAT_EQ(xs[4], 486.0f);
  EXPECT_FLOAT_EQ(xs[8], 486.0f);
  EXPECT_FLOAT_EQ(xs[9], 491.0f);
  EXPECT_FLOAT_EQ(xs[14], 496.0f);
}

TEST_F(MotionTest, AutoFacingFollowsTheSignOfTheSpeed) {
  GameObject *starter = add(6);
  starter->autoFace = 1;
  starter->flipped = 1;
  tick(1);
  EXPECT_EQ(starter->flipped, 1);
  starter->vx = 0.5f;
  tick(1);
  EXPECT_EQ(starter->flipped, 0);
  starter->vx = 0.0f;
  tick(1);
  EXPECT_EQ(starter->flipped, 0);
  starter->vx = -2.0f;
  tick(1);
  EXPECT_EQ(starter->flipped, 1);
  starter->autoFace = 0;
  starter->vx = 2.0f;
  tick(1);
  EXPECT_EQ(starter->flipped, 1);
}
