// Catapulting with shots and balloons placed by hand: the table of hits at
// its edges, disarmed balloons, labels, the record and a full pool.
#include "event_fixture.h"

#include "persist/persist.h"

class CatapultTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    load_music_set(MUSIC_SET_SPORTS_DAY);
    set_qualifying_marks(NOVICE);
    RecordTable.best_catapult_points = -1;
    catapult_begin();
    sound_log_clear();
  }
  // A floating balloon whose middle is diff below the shot's line (y 72).
  GameObject *balloon(int x, float diff, float targetVy) {
    GameObject *b = object_at(add_object(x, 0, 4, TYPE_BALLOON, 0));
    set_sequence(b, SEQ_BALLOON_FLOAT);
    b->y = 67.0f + diff;
    b->targetVy = targetVy;
    return b;
  }
  GameObject *shot_at(const GameObject *b) {
    GameObject *s = object_at(add_object(0, 72, 5, TYPE_SHOT, 0));
    s->x = b->x + b->width / 2 - s->width / 2;
    return s;
  }
};

struct HitRow {
  float diff;
  int d, points;
  float vx, vy;
  int seq, rate;
};

TEST_F(CatapultTest, TableOfHitsTruncatesTowardZero) {
  // Floating on, wobbling or popped (-1).
  const int F = SEQ_BALLOON_FLOAT, W = SEQ_BALLOON_WOBBLE;
  const HitRow rows[] = {
      {-6.0f, -6, 0, 0, 0, F, 0},        {-5.5f, -5, 1, 1, -2, F, 42100},
      {-4.0f, -4, 5, 2, -1.5f, F, 44100}, {-3.0f, -3, 10, 3, -1, W, 46100},
      {-2.0f, -2, 20, 4, -0.5f, W, 48100}, {-1.9f, -1, 50, 0, 0, -1, 0},
      {0.0f, 0, 50, 0, 0, -1, 0},          {1.9f, 1, 50, 0, 0, -1, 0},
      {2.0f, 2, 20, 4, 0.5f, W, 48100},   {3.0f, 3, 10, 3, 1, W, 46100},
      {4.0f, 4, 5, 2, 1.5f, F, 44100},    {5.9f, 5, 1, 1, 2, F, 42100},
      {6.0f, 6, 0, 0, 0, F, 0},
  };
  for (const HitRow &r : rows) {
    catapult_begin();
    // The balloon's own steering keeps vy where the table put it.
    GameObject *b = balloon(515, r.diff, r.vy);
    GameObject *s = shot_at(b);
    catapult_tick();
    ASSERT_EQ(Catapult.hitCount, 1) << "diff " << r.diff;
    const CatapultHit &h = Catapult.hits[0];
    EXPECT_EQ(h.d, r.d) << "diff " << r.diff;
    EXPECT_EQ(h.points, r.points) << "diff " << r.diff;
    EXPECT_EQ(Catapult.score, r.points) << "diff " << r.diff;
    EXPECT_EQ(objects_of_type(TYPE_POINTS_LABEL), r.points > 0) << "diff " << r.diff;
    EXPECT_EQ(s->active, r.points == 0) << "a spent shot is removed; a miss flies on";
    EXPECT_EQ(b->armed, 0) << "diff " << r.diff;
    if (r.seq < 0) {
      EXPECT_EQ(objects_of_type(TYPE_BALLOON), 0) << "popped at diff " << r.diff;
      EXPECT_EQ(objects_of_type(TYPE_BURST), 1) << "burst at diff " << r.diff;
      EXPECT_TRUE(h.rate >= 44100 && h.rate < 48100) << h.rate;
      continue;
    }
    EXPECT_EQ(b->cur.id, r.seq) << "diff " << r.diff;
    EXPECT_EQ(b->vx, (float)(r.vx * 0.9)) << "diff " << r.diff;
    EXPECT_EQ(b->vy, r.vy) << "diff " << r.diff;
    EXPECT_EQ(h.rate, r.rate) << "diff " << r.diff;
  }
}

// A touch outside -5..5 disarms the balloon for good; the shot flies on and
// can still pop the next balloon in its way.
TEST_F(CatapultTest, MissedBalloonIsNeverHitAgainAndTheShotFliesOn) {
  GameObject *high = balloon(490, -8.0f, 0);
  GameObject *next = balloon(540, 0.5f, 0);
  GameObject *s = shot_at(high);
  catapult_tick();
  ASSERT_EQ(Catapult.hitCount, 1);
  EXPECT_EQ(Catapult.hits[0].d, -8);
  EXPECT_TRUE(s->active);
  high->y = 67.0f;  // now dead centre, but disarmed
  s->x = high->x + high->width / 2 - s->width / 2;
  catapult_tick();
  EXPECT_EQ(Catapult.hitCount, 1);
  EXPECT_TRUE(high->active);
  s->x = next->x + next->width / 2 - s->width / 2;
  next->y = 67.5f;
  catapult_tick();
  ASSERT_EQ(Catapult.hitCount, 2);
  EXPECT_EQ(Catapult.hits[1].points, 50);
  EXPECT_EQ(objects_of_type(TYPE_BALLOON), 1) << "the popped one is gone";
  EXPECT_EQ(objects_of_type(TYPE_SHOT), 0);
  EXPECT_EQ(Catapult.score, 50);
}

// The label stands under the round's current place, whichever balloon
// scored, at the shot's height less 3 (then falls 7.25 in the same step).
TEST_F(CatapultTest, LabelFollowsTheCurrentPlaceNotTheBalloon) {
  Catapult.balloonIndex = 3;
  GameObject *s = shot_at(balloon(490, 0.0f, 0));
  s->y = 72.5f;
  catapult_tick();
  int labels = 0;
  for (const GameObject &o : ObjectPool) {
    if (!o.active || o.type != TYPE_POINTS_LABEL) continue;
    labels++;
    EXPECT_EQ(o.x, 489.0f + 75.0f);
    EXPECT_EQ(o.y, 69.0f + 7.25f);
  }
  EXPECT_EQ(labels, 1);
}

struct RecordRow {
  int best, score, quit, cheat;
  int kept;
  int outcome;
};

// The record moves only on a higher score of an event not quit; the outcome
// comes from the closing countdown, or is qualified whatever happened when
// the cheat is on.
TEST_F(CatapultTest, RecordAndOutcomeAtTheEnd) {
  const RecordRow rows[] = {
      {-1, 0, 0, 0, 0, OUTCOME_FAILED},     {120, 120, 0, 0, 120, OUTCOME_FAILED},
      {100, 150, 0, 0, 150, OUTCOME_FAILED}, {100, 200, 0, 0, 200, OUTCOME_QUALIFIED},
      {100, 400, 1, 0, 100, OUTCOME_QUIT},   {100, 400, 1, 1, 100, OUTCOME_QUALIFIED},
  };
  for (const RecordRow &r : rows) {
    catapult_begin();
    RecordTable.best_catapult_points = r.best;
    CheatMode = r.cheat;
    Catapult.score = r.score;
    Catapult.startCountdown = -299;
    catapult_tick();
    if (r.quit) Catapult.outcome = OUTCOME_QUIT;
    EXPECT_EQ(catapult_end(), r.outcome) << "score " << r.score << " quit " << r.quit;
    EXPECT_EQ(RecordTable.best_catapult_points, r.kept) << "score " << r.score;
  }
  CheatMode = 0;
}

// With no room left the event goes on without its new objects.
TEST_F(CatapultTest, FullPoolLeavesOutBalloonsShotsAndLabels) {
  int from = headless_tick();
  headless_hold(KEY_SPACE, from + 2, from + 3);  // past the one-time error screen
  while (add_object(0, 0, 1, TYPE_BALL, 0) >= 0) continue;
  key[KEY_SPACE] = 0;
  for (int t = 1; t <= 700; t++) {
    key[KEY_SPACE] = t >= 600 && t < 640;
    catapult_tick();
  }
  EXPECT_EQ(Catapult.released, 1) << "the release goes on without a balloon";
  EXPECT_EQ(objects_of_type(TYPE_BALLOON), 0);
  EXPECT_EQ(Catapult.shot, nullptr);
  EXPECT_EQ(Catapult.kids[0]->cur.id, SEQ_LET_GO) << "the let-go still plays";
  EXPECT_EQ(plays_of(SoundEffects[SND_CATAPULT]), 1);
}
