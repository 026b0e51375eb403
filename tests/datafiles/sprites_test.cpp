// The built object frames and Worlds, read back through the game's own type
// table: an object's size comes from its first frame, so every frame it
// shows must have that size and the first frame must fill it; animations
// stand on one feet line; and the Worlds' lines sit where the events
// measure.
#include "headless/headless.h"
#include "objects/objects.h"
#include "shell/entries.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct TypeUse {
  int type, param;
};

// Every type and parameter the events add.
std::vector<TypeUse> all_type_uses() {
  std::vector<TypeUse> uses;
  for (int t : {TYPE_PLAYER, TYPE_OPPONENT_A, TYPE_OPPONENT_B, TYPE_OPPONENT_C, TYPE_STARTER, TYPE_LINE_JUDGE,
                TYPE_MEASURER, TYPE_SHOT, TYPE_BALLOON_STAND, TYPE_BURST, TYPE_BALL, TYPE_BALL_SHADOW, TYPE_DUST,
                TYPE_LANDING_MARK, TYPE_START_LINE, TYPE_BREATH_MARKER, TYPE_SPLASH, TYPE_CATAPULT})
    uses.push_back({t, 0});
  for (int p : {1, 5, 10, 20, 50}) uses.push_back({TYPE_POINTS_LABEL, p});
  // These take parameters 0 up to a count.
  for (TypeUse c : {TypeUse{TYPE_SIGN, START_SIGNS + ROUND_BANNERS}, {TYPE_BALLOON, BALLOON_COLOURS},
                    {TYPE_DISTANCE_MARKER, DISTANCE_MARKERS}, {TYPE_RIPPLE, RIPPLES}, {TYPE_FLOAT, LANE_FLOATS}})
    for (int p = 0; p < c.param; p++) uses.push_back({c.type, p});
  return uses;
}

std::string name(const TypeUse &u) { return "type " + std::to_string(u.type) + " param " + std::to_string(u.param); }

bool opaque(BITMAP *b, int x, int y) { return getpixel(b, x, y) != bitmap_mask_color(b); }

// Empty columns and rows at each edge; all of it when the frame is blank.
struct Box {
  int left, top, right, bottom;
};

Box margins(BITMAP *b) {
  Box m = {b->w, b->h, b->w, b->h};
  for (int y = 0; y < b->h; y++)
    for (int x = 0; x < b->w; x++) {
      if (!opaque(b, x, y)) continue;
      m.left = std::min(m.left, x);
      m.top = std::min(m.top, y);
      m.right = std::min(m.right, b->w - 1 - x);
      m.bottom = std::min(m.bottom, b->h - 1 - y);
    }
  return m;
}

int lowest_row(BITMAP *b) { return b->h - 1 - margins(b).bottom; }

class Sprites : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(headless_start());
    ASSERT_NE(MainData, nullptr);
    begin_scene(3000, 162, ENTRY_WORLD_SPRINT);
  }
  void TearDown() override {
    end_scene();
    headless_stop();
  }
  GameObject *add(const TypeUse &u) { return object_at(add_object(0, 0, 0, u.type, u.param)); }
};

// A sequence the type did not fill still shows entry 0; skip those.
bool filled(const AnimSeq &s) { return s.frames[0] != 0; }

// Also the first frame fills its box up to a two-pixel margin, so
// collision and culling match what the player sees.
TEST_F(Sprites, EveryFrameAnObjectShowsHasTheSizeOfItsFilledFirstFrame) {
  for (const TypeUse &u : all_type_uses()) {
    SCOPED_TRACE(name(u));
    GameObject *o = add(u);
    ASSERT_NE(o, nullptr);
    ASSERT_GT(o->width, 0);
    for (int k = 0; k < MAX_SEQUENCES; k++)
      for (int f = 0; filled(o->seqs[k]) && f < o->seqs[k].count; f++) {
        BITMAP *b = dat_bitmap(o->seqs[k].frames[f]);
        ASSERT_NE(b, nullptr) << "sequence " << k;
        EXPECT_TRUE(b->w == o->width && b->h == o->height) << "sequence " << k << " frame " << f;
      }
    Box m = margins(dat_bitmap(o->seqs[0].frames[0]));
    EXPECT_LT(m.left, o->width) << "blank";
    EXPECT_LE(std::max(std::max(m.left, m.top), std::max(m.right, m.bottom)), 2)
        << "margins " << m.left << " " << m.top << " " << m.right << " " << m.bottom;
    remove_object(o);
  }
}

// Running, standing, walking and the crouch (sequences 0 to 3), and the
// player's catapult and throw (9 to 14), share one feet line, so nobody
// hops when an animation changes.
TEST_F(Sprites, AthletesKeepOneFeetLineOnDryLand) {
  for (int type : {TYPE_PLAYER, TYPE_OPPONENT_A, TYPE_OPPONENT_B, TYPE_OPPONENT_C}) {
    GameObject *o = add({type, 0});
    ASSERT_NE(o, nullptr);
    int feet = lowest_row(dat_bitmap(o->seqs[0].frames[0]));
    for (int k : {SEQ_RUN, SEQ_STAND, SEQ_WALK, SEQ_CROUCH, SEQ_DRAW_BACK, SEQ_LET_GO, SEQ_THROW_STAND, SEQ_THROW_RUN,
                  SEQ_PLANT, SEQ_THROW}) {
      if (type != TYPE_PLAYER && k > SEQ_CROUCH) continue;
      for (int f = 0; f < o->seqs[k].count; f++)
        EXPECT_EQ(lowest_row(dat_bitmap(o->seqs[k].frames[f])), feet)
            << "type " << type << " sequence " << k << " frame " << f;
    }
    remove_object(o);
  }
}

bool white(BITMAP *b, int x, int y) { return getpixel(b, x, y) == makecol16(255, 255, 255); }

// Rows of the sprint World's column x that are lane lines.
std::vector<int> white_rows(BITMAP *world, int x, int from) {
  std::vector<int> rows;
  for (int y = from; y < world->h; y++)
    if (white(world, x, y)) rows.push_back(y);
  return rows;
}

// Each runner's feet, with its top at its lane's y, land between two lane
// lines of the track, one lane each.
TEST_F(Sprites, RunnersStandInsideTheirOwnLanes) {
  BITMAP *world = dat_bitmap(ENTRY_WORLD_SPRINT);
  ASSERT_TRUE(world && world->w == 3000);
  std::vector<int> lines = white_rows(world, 1000, 100);
  ASSERT_EQ(lines.size(), 5u) << "four lanes need five lines";
  const int LANE_Y[4] = {94, 106, 118, 132}, LANE_TYPE[4] = {TYPE_OPPONENT_A, TYPE_OPPONENT_C, TYPE_PLAYER, TYPE_OPPONENT_B};
  for (int lane = 0; lane < 4; lane++) {
    GameObject *o = add({LANE_TYPE[lane], 0});
    ASSERT_NE(o, nullptr);
    int feet = LANE_Y[lane] + lowest_row(dat_bitmap(o->seqs[0].frames[0]));
    EXPECT_TRUE(feet > lines[lane] && feet < lines[lane + 1]) << "lane " << lane << " feet at " << feet;
    remove_object(o);
  }
}

// The finishing line is crossed when the player's x passes 2586: it is
// drawn across the lanes just ahead of the runner's front there, and the
// start line just ahead of the crouched runners at x 50.
TEST_F(Sprites, SprintLinesLieWhereTheRaceStartsAndEnds) {
  BITMAP *world = dat_bitmap(ENTRY_WORLD_SPRINT);
  GameObject *runner = add({TYPE_PLAYER, 0});
  ASSERT_TRUE(world && runner);
  std::vector<int> lines = white_rows(world, 1000, 100);
  auto across_lanes = [&](int x) {
    int count = 0;
    for (int y = 112; y < 158; y++)
      count += white(world, x, y) && std::find(lines.begin(), lines.end(), y) == lines.end();
    return count;
  };
  auto first_line = [&](int from, int least) {
    for (int x = from; x < from + 2 * runner->width; x++)
      if (across_lanes(x) > least) return x;
    return -1;
  };
  EXPECT_GE(first_line(2586, 20), 2586 + runner->width / 2);
  EXPECT_GE(first_line(50, 40), 50 + runner->width / 2);
  EXPECT_EQ(across_lanes(1000), 0) << "no line across the lanes mid-race";
}

// The pool's turning walls: swimmers are put back to x 17 and 498, so the
// water runs from just right of 17 to just past 498 plus a swimmer.
TEST_F(Sprites, PoolWaterEndsAtTheTurningWalls) {
  BITMAP *pool = dat_bitmap(ENTRY_WORLD_SWIM);
  GameObject *swimmer = add({TYPE_PLAYER, 0});
  ASSERT_TRUE(pool && swimmer);
  int first = -1, last = -1;
  for (int x = 0; x < pool->w; x++) {
    int c = getpixel(pool, x, 125);
    if (getb16(c) > getr16(c) + 40 && getb16(c) > getg16(c)) {
      if (first < 0) first = x;
      last = x;
    }
  }
  EXPECT_TRUE(first >= 12 && first <= 22) << first;
  EXPECT_TRUE(std::abs(last - (498 + swimmer->width)) <= 4) << last;
}

// A plant at truncated x 568 is fair and 569 a foul; the close-up of the
// line shows the same: the planted toe (the rightmost opaque column of the
// bottom rows) stays behind the line at 568 and touches it at 569.
TEST_F(Sprites, PlantedToeMeetsTheThrowingLineExactlyAtAFoul) {
  BITMAP *world = dat_bitmap(ENTRY_WORLD_THROW);
  GameObject *thrower = add({TYPE_PLAYER, 0});
  ASSERT_TRUE(world && thrower);
  int line = 560;
  while (line < 600 && !white(world, line, 150)) line++;
  EXPECT_EQ(line, 586);
  BITMAP *planted = dat_bitmap(thrower->seqs[SEQ_PLANT].frames[0]);
  int toe = -1;
  for (int y = planted->h - 6; y < planted->h; y++)
    for (int x = 0; x < planted->w; x++)
      if (opaque(planted, x, y)) toe = std::max(toe, x);
  EXPECT_LT(568 + toe, line);
  EXPECT_GE(569 + toe, line);
}

// Distance markings every five metres at 15.73 pixels a metre from x 586,
// and no chalk line between them (a daisy or two is not a line).
TEST_F(Sprites, ThrowFieldMarksEveryFiveMetresFromTheLine) {
  BITMAP *world = dat_bitmap(0);
  ASSERT_NE(world, nullptr);
  auto marked = [&](float metres) {
    int x = 586 + (int)(metres * 15.73 + 0.5), chalk = 0;
    for (int y = 130; y < world->h; y++) chalk += white(world, x, y);
    return chalk >= 8;
  };
  for (int m = 5; m <= 65; m += 5) {
    EXPECT_TRUE(marked(m)) << m << " metres";
    EXPECT_FALSE(marked(m - 2.5f)) << m - 2.5 << " metres";
  }
}

int luma(int c) { return (299 * getr16(c) + 587 * getg16(c) + 114 * getb16(c)) / 1000; }

int mean_luma(BITMAP *b, int x0, int y0, int x1, int y1) {
  long sum = 0, n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++, n++) sum += luma(getpixel(b, x, y));
  return n ? (int)(sum / n) : 0;
}

// The catapult's shot keeps the 13-pixel disc the hits are measured with,
// and shows on the grass along its path (y 72 from x 420) and on the sky:
// a ring darker than both and a face lighter than the grass.
TEST_F(Sprites, TheShotStandsOutOnGrassAndSky) {
  BITMAP *world = dat_bitmap(1), *shot = dat_bitmap(312);
  ASSERT_TRUE(world && shot && shot->w == 5 && shot->h == 5);
  auto disc = [](int x, int y) { return (x - 2) * (x - 2) + (y - 2) * (y - 2) <= 4; };
  long ring = 0, rings = 0, face = 0, faces = 0;
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 5; x++) {
      ASSERT_EQ(opaque(shot, x, y), disc(x, y)) << x << "," << y;
      if (!disc(x, y)) continue;
      bool edge = !disc(x - 1, y) || !disc(x + 1, y) || !disc(x, y - 1) || !disc(x, y + 1);
      (edge ? ring : face) += luma(getpixel(shot, x, y));
      (edge ? rings : faces)++;
    }
  int grass = mean_luma(world, 420, 72, 624, 77), sky = mean_luma(world, 0, 0, world->w, 20);
  EXPECT_LE(ring / rings, std::min(grass, sky) - 60) << "grass " << grass << " sky " << sky;
  EXPECT_GE(face / faces, grass + 40) << "grass " << grass;
}

}  // namespace
