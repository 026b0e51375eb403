// Adding, removing, refusing and updating objects in the pool.
#include <string.h>

#include "object_fixture.h"

using PoolTest = ObjectsTest;

// Whether screen rows 14..26 match the error banner drawn here with this line.
static bool banner_reads(const char *text) {
  BITMAP *expected = create_bitmap_ex(16, screen->w, 48);
  clear_to_color(expected, makecol(128, 0, 0));
  textout_ex(expected, font, text, 4, 16, makecol(255, 255, 255), -1);
  bool same = true;
  for (int y = 14; y <= 26 && same; y++)
    for (int x = 0; x < screen->w && same; x++) same = getpixel(screen, x, y) == getpixel(expected, x, y);
  destroy_bitmap(expected);
  return same;
}

TEST_F(PoolTest, TakesTheLowestFreeSlotAndReusesItFresh) {
  for (int i = 0; i < 5; i++) EXPECT_EQ(add_object(10 * i, 20, 1, TYPE_BALL, 0), i);
  GameObject *two = object_at(2);
  two->vx = 4.0f;
  two->flipped = 1;
  remove_object(two);
  // A removed object keeps its fields until the slot is taken again.
  EXPECT_EQ(two->active, 0);
  EXPECT_FLOAT_EQ(two->x, 20.0f);
  EXPECT_EQ(two->flipped, 1);

  // Taken again, the slot holds just what a never used one would.
  EXPECT_EQ(add_object(7, 9, 3, TYPE_LANDING_MARK, 0), 2);
  EXPECT_EQ(add_object(7, 9, 3, TYPE_LANDING_MARK, 0), 5);
  EXPECT_EQ(memcmp(two, object_at(5), sizeof *two), 0);
  EXPECT_EQ(two->cur.frames[0], 94);
  EXPECT_EQ(two->layer, 3);
  EXPECT_FLOAT_EQ(two->y, 9.0f);

  remove_object(nullptr);
  remove_object(two);
  remove_object(two);
  EXPECT_EQ(active_count(), 5);
}

TEST_F(PoolTest, FullPoolShowsTheErrorScreenOnceAndCreatesNothing) {
  for (int i = 0; i < MAX_OBJECTS; i++) ASSERT_EQ(add_object(i, 0, 1, TYPE_BALL, 0), i);
  clear_to_color(screen, 0);
  int from = headless_tick();
  headless_hold(KEY_SPACE, from + 5, from + 8);

  EXPECT_EQ(add_object(0, 0, 1, TYPE_BALLOON, 2), -1);
  // The screen waited for Space to go down and up again.
  EXPECT_GT(headless_tick(), from + 8);
  EXPECT_EQ(getpixel(screen, 630, 2), makecol(128, 0, 0));
  EXPECT_TRUE(banner_reads("Object array full whilst trying to add object type 52"));
  EXPECT_FALSE(banner_reads("Object array full whilst trying to add object type 53"));

  clear_to_color(screen, 0);
  int again = headless_tick();
  EXPECT_EQ(add_object(0, 0, 1, TYPE_BALLOON_STAND, 0), -1);
  EXPECT_EQ(headless_tick(), again);
  EXPECT_EQ(getpixel(screen, 630, 2), 0);

  EXPECT_EQ(active_count(), MAX_OBJECTS);
  for (const GameObject &obj : ObjectPool) EXPECT_EQ(obj.type, TYPE_BALL);
  EXPECT_EQ(object_at(-1), nullptr);
}

TEST_F(PoolTest, RefusesUnknownTypesAndPointsWithoutShowingAnything) {
  int from = headless_tick();
  for (int type : {0, 5, 9, 49, 61, 103, 110, -1}) EXPECT_EQ(add_object(0, 0, 1, type, 0), -1) << "type " << type;
  for (int points : {0, 2, 15, 100, -5}) EXPECT_EQ(add_object(0, 0, 5, TYPE_POINTS_LABEL, points), -1) << "points " << points;
  EXPECT_EQ(active_count(), 0);
  EXPECT_EQ(headless_tick(), from);

  const int labels[][2] = {{1, 126}, {5, 125}, {10, 124}, {20, 123}, {50, 122}};
  for (const auto &label : labels) {
    GameObject *obj = put(TYPE_POINTS_LABEL, 0, 0, 5, label[0]);
    ASSERT_NE(obj, nullptr) << "points " << label[0];
    EXPECT_EQ(obj->cur.frames[0], label[1]) << "points " << label[0];
  }
  EXPECT_EQ(object_at(MAX_OBJECTS), nullptr);
  EXPECT_EQ(object_at(MAX_OBJECTS - 1), &ObjectPool[MAX_OBJECTS - 1]);
}

TEST_F(PoolTest, LifetimeRemovesInTheLastUpdateWithoutMoving) {
  GameObject *brief = put(TYPE_BALL, 10, 10);
  brief->lifetime = 1;
  brief->vx = 3.0f;
  GameObject *splash = put(TYPE_SPLASH, 0, 0, 6);
  splash->vx = 1.0f;
  GameObject *line = put(TYPE_START_LINE, 54, 93, 5);
  GameObject *doomed = put(TYPE_BALL);
  doomed->vy = 2.0f;

  tick(1);
  EXPECT_EQ(brief->active, 0);
  EXPECT_FLOAT_EQ(brief->x, 10.0f);
  doomed->lifetime = 0;
  tick(1);
  EXPECT_EQ(doomed->active, 0);
  EXPECT_FLOAT_EQ(doomed->y, 2.0f);

  tick(17);
  EXPECT_EQ(splash->active, 1);
  tick(1);
  // Animated and moved 19 times, removed in its 20th update.
  EXPECT_EQ(splash->active, 0);
  EXPECT_FLOAT_EQ(splash->x, 19.0f);

  tick(129);
  EXPECT_EQ(line->active, 1);
  tick(1);
  EXPECT_EQ(line->active, 0);
}

TEST_F(PoolTest, RemovedObjectsAreNotUpdated) {
  GameObject *ball = put(TYPE_BALL, 0, 0, 2);
  GameObject *burst = put(TYPE_BURST, 0, 0, 5);
  ball->vx = 2.0f;
  tick(2);
  remove_object(ball);
  remove_object(burst);
  tick(5);
  EXPECT_FLOAT_EQ(ball->x, 4.0f);
  EXPECT_EQ(burst->cur.frame, 0);
  EXPECT_EQ(burst->cur.timer, 2);
}

TEST_F(PoolTest, NewSceneEmptiesThePool) {
  for (int i = 0; i < 10; i++) put(TYPE_DISTANCE_MARKER, i, 0, 1, i);
  object_at(3)->layer = 7;
  begin_scene(612, 162, 2);
  EXPECT_EQ(active_count(), 0);
  EXPECT_EQ(ObjectPool[3].cur.id, -1);
  EXPECT_EQ(ObjectPool[3].lifetime, -1);
  EXPECT_EQ(ObjectPool[3].seqs[9].id, 9);
  EXPECT_EQ(World.worldWidth, 612);
  EXPECT_EQ(World.background, 2);
  EXPECT_EQ(add_object(0, 0, 1, TYPE_BALL, 0), 0);
}
