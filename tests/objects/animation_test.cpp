// The type table, the animation player and the motion rules.
#include <vector>

#include "object_fixture.h"

using AnimationTest = ObjectsTest;
using MotionTest = ObjectsTest;

static std::vector<int> frames_of(const AnimSeq &seq) { return std::vector<int>(seq.frames, seq.frames + seq.count); }

// The frame shown after each of n updates.
static std::vector<int> play(GameObject *obj, int n) {
  std::vector<int> shown;
  while (n-- > 0) {
    update_object(obj);
    shown.push_back(obj->cur.frame);
  }
  return shown;
}

// Sequence, frame and mode the object plays now.
static std::vector<int> playing(const GameObject *obj) { return {obj->cur.id, obj->cur.frame, obj->cur.mode}; }

// What each type's sequences hold is seen in the replays' frames; here only
// the size, which comes from the first frame's picture.
TEST_F(AnimationTest, SizeIsTheFirstFramesAndNoneWithoutAPicture) {
  set_frame(ENTRY_OPPONENT_A + KID_RUN, 21, 33);
  GameObject *rival = put(TYPE_OPPONENT_A);
  EXPECT_EQ(rival->width, 21);
  EXPECT_EQ(rival->height, 33);
  GameObject *lost = put(TYPE_FLOAT, 0, 0, 1, 200);
  EXPECT_EQ(lost->width, 0);
  EXPECT_EQ(lost->height, 0);
  set_non_bitmap(ENTRY_BREATH_MARKER);
  EXPECT_EQ(put(TYPE_BREATH_MARKER)->width, 0);
}

TEST_F(AnimationTest, LoopShowsEachFrameForItsDelay) {
  GameObject *athlete = put(TYPE_PLAYER);
  set_sequence(athlete, SEQ_WALK);
  std::vector<int> shown = play(athlete, 40);
  for (int n = 1; n <= 40; n++) EXPECT_EQ(shown[n - 1], (n / 8) % 4) << "after update " << n;
  EXPECT_EQ(athlete->cur.frames[athlete->cur.frame], ENTRY_PLAYER + KID_WALK);
}

TEST_F(AnimationTest, OnceStopsOnTheLastFrame) {
  GameObject *starter = put(TYPE_STARTER);
  set_sequence(starter, SEQ_STARTER_SIGNAL);
  play(starter, 1);
  EXPECT_EQ(playing(starter), (std::vector<int>{SEQ_STARTER_SIGNAL, 1, ANIM_ONCE}));
  play(starter, 1);
  EXPECT_EQ(playing(starter), (std::vector<int>{SEQ_STARTER_SIGNAL, 2, ANIM_STILL}));
  EXPECT_EQ(play(starter, 3), (std::vector<int>{2, 2, 2}));
}

TEST_F(AnimationTest, OnceThenRemoveEndsTheBurstAfterFifteenTicks) {
  GameObject *burst = put(TYPE_BURST);
  burst->vx = 1.0f;
  tick(14);
  EXPECT_EQ(burst->active, 1);
  EXPECT_EQ(burst->cur.frame, 4);
  tick(1);
  EXPECT_EQ(burst->active, 0);
  // Removed by its animation before the move of that tick.
  EXPECT_FLOAT_EQ(burst->x, 14.0f);
}

TEST_F(AnimationTest, OnceThenNextRunsIntoTheFollowingSequence) {
  GameObject *balloon = put(TYPE_BALLOON, 0, 0, 1, 1);
  tick(59);
  // The second colour's frames, nine entries on.
  const int second = ENTRY_BALLOON + BALLOON_FRAMES;
  EXPECT_EQ(playing(balloon), (std::vector<int>{SEQ_BALLOON_INFLATE, 5, ANIM_ONCE_NEXT}));
  EXPECT_EQ(balloon->cur.frames[5], second + BALLOON_INFLATE + 5);
  tick(1);
  EXPECT_EQ(playing(balloon), (std::vector<int>{SEQ_BALLOON_FLOAT, 0, ANIM_LOOP}));
  EXPECT_EQ(frames_of(balloon->cur), (std::vector<int>{second + BALLOON_FLOAT, second + BALLOON_FLOAT + 1}));

  GameObject *athlete = put(TYPE_OPPONENT_B);
  set_sequence(athlete, SEQ_DIVE);
  tick(39);
  EXPECT_EQ(playing(athlete), (std::vector<int>{SEQ_DIVE, 3, ANIM_ONCE_NEXT}));
  tick(1);
  EXPECT_EQ(playing(athlete), (std::vector<int>{SEQ_SWIM, 0, ANIM_LOOP}));
  std::vector<int> swim;
  for (int f = 0; f < 10; f++) swim.push_back(ENTRY_OPPONENT_B + KID_SWIM + f);
  EXPECT_EQ(frames_of(athlete->cur), swim);
  tick(15);
  EXPECT_EQ(athlete->cur.frame, 1);
}

TEST_F(AnimationTest, ShortAndNegativeDelaysStepEveryTick) {
  GameObject *line = put(TYPE_START_LINE);
  line->cur.delay = 0;
  EXPECT_EQ(play(line, 3), (std::vector<int>{1, 2, 3}));
  line->cur.delay = -4;
  EXPECT_EQ(play(line, 8), (std::vector<int>{4, 5, 6, 7, 8, 9, 0, 1}));
  line->cur.delay = 3;
  EXPECT_EQ(play(line, 3), (std::vector<int>{1, 1, 2}));
}

TEST_F(AnimationTest, SetSequenceRestartsAndRefusesUnknownNumbers) {
  GameObject *athlete = put(TYPE_PLAYER);
  set_sequence(athlete, SEQ_TREAD);
  tick(20);
  EXPECT_EQ(athlete->cur.frame, 1);
  set_sequence(athlete, SEQ_TREAD);
  EXPECT_EQ(playing(athlete), (std::vector<int>{SEQ_TREAD, 0, ANIM_LOOP}));
  EXPECT_EQ(athlete->cur.timer, 0);
  tick(5);
  set_sequence(athlete, 15);
  set_sequence(athlete, -1);
  EXPECT_EQ(playing(athlete), (std::vector<int>{SEQ_TREAD, 0, ANIM_LOOP}));
  EXPECT_EQ(athlete->cur.timer, 5);

  // A sequence the type does not fill is a still picture of entry 0.
  GameObject *shot = put(TYPE_SHOT);
  set_sequence(shot, 3);
  EXPECT_EQ(playing(shot), (std::vector<int>{3, 0, ANIM_STILL}));
  EXPECT_EQ(shot->cur.frames[0], 0);
}

TEST_F(MotionTest, BalloonDriftsToAStopAndKeepsLeftwardDrift) {
  GameObject *right = put(TYPE_BALLOON, 100, 100);
  GameObject *left = put(TYPE_BALLOON, 100, 100);
  GameObject *young = put(TYPE_BALLOON, 100, 100);
  set_sequence(right, SEQ_BALLOON_FLOAT);
  set_sequence(left, SEQ_BALLOON_WOBBLE);
  right->vx = 1.0f;
  left->vx = -1.0f;
  young->vx = 1.0f;
  float x = 100.0f;
  for (float vx : {0.9f, 0.81f, 0.729f, 0.6561f, 0.59049f, 0.531441f, 0.0f, 0.0f}) {
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

TEST_F(MotionTest, BalloonSettlesOnItsTargetSpeedAndLeavesAboveTheWorld) {
  GameObject *balloon = put(TYPE_BALLOON, 100, 150, 1, 1);
  set_sequence(balloon, SEQ_BALLOON_FLOAT);
  balloon->targetVy = -1.5f;
  for (int i = 1; i <= 60; i++) {
    update_object(balloon);
    EXPECT_NEAR(balloon->vy, i < 15 ? -0.1f * i : -1.5f, i < 15 ? 1e-4 : 0.1f + 1e-4) << "update " << i;
  }
  balloon->targetVy = -0.5f;
  tick(20);
  EXPECT_NEAR(balloon->vy, -0.5f, 0.1f + 1e-4);

  GameObject *above = put(TYPE_BALLOON, 0, -18.5f);
  GameObject *edge = put(TYPE_BALLOON, 0, -18.0f);
  set_sequence(above, SEQ_BALLOON_FLOAT);
  set_sequence(edge, SEQ_BALLOON_WOBBLE);
  update_object(above);
  update_object(edge);
  EXPECT_EQ(above->active, 0);
  EXPECT_EQ(edge->active, 1);
}

TEST_F(MotionTest, PointsLabelFallsSlowerAndLands) {
  GameObject *label = put(TYPE_POINTS_LABEL, 30, 100, 1, 20);
  float y = 100.0f;
  for (float vy : {7.25f, 6.5f, 5.75f, 5.0f, 4.25f, 3.5f, 2.75f, 2.0f, 1.25f, 1.0f, 1.0f}) {
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
  GameObject *measurer = put(TYPE_MEASURER, 481, 115);
  tick(10);
  EXPECT_FLOAT_EQ(measurer->x, 481.0f);
  set_sequence(measurer, SEQ_MEASURER_WALK);
  std::vector<float> xs;
  for (int i = 0; i < 15; i++) {
    update_object(measurer);
    xs.push_back(measurer->x);
  }
  const float expected[][2] = {{3, 481}, {4, 486}, {8, 486}, {9, 491}, {14, 496}};
  for (const auto &e : expected) EXPECT_FLOAT_EQ(xs[(int)e[0]], e[1]) << "after update " << e[0] + 1;
}

TEST_F(MotionTest, AutoFacingFollowsTheSignOfTheSpeed) {
  GameObject *starter = put(TYPE_STARTER);
  starter->flipped = 1;
  struct Step { int autoFace; float vx; int flipped; };
  const Step steps[] = {{1, 0.0f, 1}, {1, 0.5f, 0}, {1, 0.0f, 0}, {1, -2.0f, 1}, {0, 2.0f, 1}};
  for (const Step &s : steps) {
    starter->autoFace = s.autoFace;
    starter->vx = s.vx;
    tick(1);
    EXPECT_EQ(starter->flipped, s.flipped) << "vx " << s.vx << " autoFace " << s.autoFace;
  }
}
