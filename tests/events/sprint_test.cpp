// The sprint driven tick by tick: the starter's timeline, the clock, the
// closing countdown, the camera and the personal best.
#include "event_fixture.h"

#include "persist/persist.h"

#include <set>
#include <string>
#include <vector>

class SprintTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    load_music_set(MUSIC_SET_SPORTS_DAY);
    set_qualifying_marks(NOVICE);
    RecordTable.best_sprint_time = -1.0f;
    sprint_begin(0);
    sound_log_clear();
  }
  void TearDown() override {
    end_scene();
    EventTest::TearDown();
  }
  // Runs ticks up to and including event tick n (counted from 1).
  void run_to(int n) {
    while (ticks < n) {
      sprint_tick();
      ticks++;
    }
  }
  GameObject *player(void) { return Lanes[PLAYER_LANE].object; }
  int ticks = 0;
};

// A lane the pool had no room for is never finished: the race waits for no
// one in a computer's lane, but always for the player, who without a runner
// is too slow at 30 seconds rather than home at 0.00.
TEST_F(SprintTest, ALaneWithoutARunnerNeverFinishes) {
  Sprint.startCountdown = 0;
  remove_object(player());
  Lanes[PLAYER_LANE].object = nullptr;
  for (int lane : {0, 1, 3}) Lanes[lane].finished = 1;
  while (Sprint.outcome == OUTCOME_NONE && ticks < 2000) run_to(ticks + 1);
  EXPECT_EQ(Lanes[PLAYER_LANE].finished, 0);
  EXPECT_EQ(Sprint.outcome, OUTCOME_FAILED);
  EXPECT_EQ(Sprint.seconds, 30) << "too slow, not home";
  EXPECT_EQ(Verdict, VERDICT_NONE);
}

TEST_F(SprintTest, StarterTimeline) {
  for (int lane : {0, 1, 3}) EXPECT_LT(Lanes[lane].object->x, -9.0f);
  // Whether a sign is up after each tick.
  const int signs[][2] = {{240, 0}, {241, 1}, {340, 1}, {341, 0}, {370, 0}, {371, 1}, {471, 0}, {499, 0}, {500, 1}};
  for (const auto &s : signs) {
    run_to(s[0]);
    EXPECT_EQ(objects_of_type(TYPE_SIGN), s[1]) << "tick " << s[0];
    // Set (crouched) from the second sign, the signal sounds with the third.
    for (int lane = 0; lane < LANE_COUNT; lane++)
      EXPECT_EQ(Lanes[lane].object->cur.id == SEQ_CROUCH, s[0] >= 371) << "tick " << s[0] << " lane " << lane;
    EXPECT_EQ(plays_of(SoundEffects[SND_START]), s[0] >= 500) << "tick " << s[0];
    // The computers have walked in to the start line and stand there.
    for (int lane : {0, 1, 3}) {
      if (s[0] != 370) continue;
      EXPECT_EQ(Lanes[lane].object->x, 50.0f) << "lane " << lane;
      EXPECT_EQ(Lanes[lane].object->cur.id, SEQ_STAND) << "lane " << lane;
    }
  }
  EXPECT_EQ(Sprint.startCountdown, 0);
  EXPECT_EQ(Sprint.ticks, 0);
  run_to(501);
  EXPECT_EQ(Sprint.ticks, 1);
  EXPECT_EQ(Lanes[0].presses, 1) << "the computers' first press is on their first tick";
  EXPECT_EQ(Sprint.outcome, 0);
}

TEST_F(SprintTest, RaceClockShowsSixtiethsAsHundredths) {
  std::set<std::string> shown;
  char text[16];
  for (int t = 0; t < 60; t++) {
    format_race_time((float)(3 + t * 1.666 / 100), text, sizeof text);
    shown.insert(text + 2);
  }
  EXPECT_EQ(shown.size(), 60u);
  EXPECT_EQ(shown.count("00"), 1u);
  EXPECT_EQ(shown.count("02"), 1u);
  EXPECT_EQ(shown.count("98"), 1u);
  EXPECT_EQ(shown.count("01") + shown.count("99"), 0u);
  format_race_time(16.0f, text, sizeof text);
  EXPECT_STREQ(text, "16.00");
}

TEST_F(SprintTest, CameraLeadsThePlayer) {
  run_to(10);
  const int leads[][2] = {{400, 265}, {1000, 860}, {2950, 3000 - 314}};
  for (const auto &l : leads) {
    player()->x = (float)l[0];
    run_to(ticks + 1);
    EXPECT_EQ(Cameras[0].x, l[1]) << "player at " << l[0];
  }
}

TEST_F(SprintTest, VerdictAtTheLineAndEnd498TicksAfterTheLast) {
  run_to(520);
  player()->x = SPRINT_FINISH_X;
  run_to(521);
  ASSERT_EQ(Lanes[PLAYER_LANE].presses, 0);
  EXPECT_EQ(Verdict, VERDICT_NONE) << "on the line is not past it";
  player()->x = 2590.0f;
  float timeBefore = Sprint.time;
  run_to(522);
  EXPECT_EQ(Verdict, VERDICT_QUALIFIED);
  EXPECT_EQ(plays_of(MusicSamples[MUS_QUALIFIED]), 1);
  EXPECT_EQ(Sprint.time, timeBefore) << "the clock stops at the line";
  run_to(600);
  EXPECT_EQ(Sprint.startCountdown, 0) << "the others still run";
  for (int lane : {0, 1, 3}) Lanes[lane].object->x = 2590.0f;
  run_to(601);
  EXPECT_EQ(Sprint.startCountdown, -2);
  run_to(601 + 497);
  EXPECT_EQ(Sprint.outcome, 0);
  run_to(601 + 498);
  EXPECT_EQ(Sprint.outcome, OUTCOME_QUALIFIED);
}

TEST_F(SprintTest, RecordKeepsTheBetterFinishedTime) {
  struct Case { float best, time; int outcome, finished; float after; };
  const Case cases[] = {
      {12.5f, 13.0f, OUTCOME_FAILED, 1, 12.5f},   {12.5f, 11.0f, OUTCOME_QUIT, 1, 12.5f},
      {12.5f, 11.0f, OUTCOME_QUALIFIED, 1, 11.0f}, {-1.0f, 30.0f, OUTCOME_FAILED, 0, -1.0f},
      {-1.0f, 24.5f, OUTCOME_FAILED, 1, 24.5f},  {-1.0f, 0.0f, OUTCOME_QUALIFIED, 1, -1.0f},
  };
  for (const Case &c : cases) {
    sprint_begin(0);
    RecordTable.best_sprint_time = c.best;
    Sprint.time = c.time;
    Sprint.outcome = c.outcome;
    Lanes[PLAYER_LANE].finished = c.finished;
    remove(RECORDS_FILE);
    sprint_end();
    EXPECT_EQ(RecordTable.best_sprint_time, c.after) << c.time << " after " << c.best << ", outcome " << c.outcome;
    // A new record is on disk at once, before the day goes on.
    EXPECT_EQ(exists(RECORDS_FILE) != 0, c.after != c.best) << c.time << " after " << c.best;
  }
}

TEST_F(SprintTest, RerunAfterAFalseStartSkipsTheSlides) {
  auto slides = [] { return std::vector<int>{Sprint.viewX, Sprint.headerY}; };
  EXPECT_EQ(slides(), (std::vector<int>{323, -48}));
  run_to(16);
  EXPECT_EQ(slides(), (std::vector<int>{3, -16}));
  end_scene();
  sprint_begin(1);
  EXPECT_EQ(slides(), (std::vector<int>{3, 0}));
  EXPECT_EQ(Sprint.startCountdown, 500);
}
