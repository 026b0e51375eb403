// The sprint driven tick by tick: the starter's timeline, the clock, the
// closing countdown, the camera and the personal best.
#include "event_fixture.h"

#include "persist/persist.h"

#include <set>
#include <string>

class SprintTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    load_music_set(MUSIC_SET_SPORTS_DAY);
    set_qualifying_marks(NOVICE);
    RecordTable.best_sprint_time = -1.0f;
    sprint_begin(0);
    fsound_log_clear();
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

TEST_F(SprintTest, StarterTimeline) {
  run_to(240);
  EXPECT_EQ(objects_of_type(50), 0);
  run_to(241);
  EXPECT_EQ(objects_of_type(50), 1);
  run_to(340);
  EXPECT_EQ(objects_of_type(50), 1);
  run_to(341);
  EXPECT_EQ(objects_of_type(50), 0);
  run_to(370);
  EXPECT_NE(player()->cur.id, 3);
  run_to(371);
  EXPECT_EQ(objects_of_type(50), 1);
  for (int lane = 0; lane < LANE_COUNT; lane++) EXPECT_EQ(Lanes[lane].object->cur.id, 3);
  run_to(471);
  EXPECT_EQ(objects_of_type(50), 0);
  run_to(499);
  EXPECT_EQ(plays_of(SoundEffects[SND_START]), 0);
  run_to(500);
  EXPECT_EQ(objects_of_type(50), 1);
  EXPECT_EQ(plays_of(SoundEffects[SND_START]), 1);
  EXPECT_EQ(Sprint.startCountdown, 0);
  EXPECT_EQ(Sprint.raceTicks, 0);
  run_to(501);
  EXPECT_EQ(Sprint.raceTicks, 1);
  EXPECT_EQ(Lanes[0].presses, 1) << "the computers' first press is on their first tick";
  EXPECT_EQ(Sprint.outcome, 0);
}

TEST_F(SprintTest, ComputerRunnersWalkInToTheStartLine) {
  for (int lane : {0, 1, 3}) EXPECT_LT(Lanes[lane].object->x, -9.0f);
  run_to(370);
  for (int lane : {0, 1, 3}) {
    EXPECT_EQ(Lanes[lane].object->x, 50.0f) << "lane " << lane;
    EXPECT_EQ(Lanes[lane].object->cur.id, 1);
  }
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
  player()->x = 400.0f;
  run_to(11);
  EXPECT_EQ(Cameras[0].x, 265);
  player()->x = 1000.0f;
  run_to(12);
  EXPECT_EQ(Cameras[0].x, 860);
  player()->x = 2950.0f;
  run_to(13);
  EXPECT_EQ(Cameras[0].x, 3000 - 314);
}

TEST_F(SprintTest, VerdictAtTheLineAndEnd498TicksAfterTheLast) {
  run_to(520);
  player()->x = 2590.0f;
  float timeBefore = Sprint.raceTime;
  run_to(521);
  EXPECT_EQ(Verdict, VERDICT_QUALIFIED);
  EXPECT_EQ(plays_of(MusicSamples[MUS_QUALIFIED]), 1);
  EXPECT_EQ(Sprint.raceTime, timeBefore) << "the clock stops at the line";
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

TEST_F(SprintTest, SlowTimeFailsButStillSetsAFirstRecord) {
  run_to(500);
  Sprint.raceSeconds = 16;
  Sprint.raceTicks = 1;
  Sprint.raceTime = (float)(16 + 1.666 / 100);
  player()->x = 2590.0f;
  run_to(501);
  EXPECT_EQ(Verdict, VERDICT_FAILED) << "16.02 is over the mark";
  Sprint.outcome = OUTCOME_FAILED;
  EXPECT_EQ(sprint_end(), OUTCOME_FAILED);
  EXPECT_FLOAT_EQ(RecordTable.best_sprint_time, (float)(16 + 1.666 / 100));
  RecordTable.best_sprint_time = 0;
  load_records();
  EXPECT_FLOAT_EQ(RecordTable.best_sprint_time, (float)(16 + 1.666 / 100));
  sprint_begin(0);
}

TEST_F(SprintTest, RecordKeepsTheBetterTimeAndIgnoresQuit) {
  RecordTable.best_sprint_time = 12.5f;
  Sprint.raceTime = 13.0f;
  Sprint.outcome = OUTCOME_FAILED;
  sprint_end();
  EXPECT_EQ(RecordTable.best_sprint_time, 12.5f);
  sprint_begin(0);
  Sprint.raceTime = 11.0f;
  Sprint.outcome = OUTCOME_QUIT;
  sprint_end();
  EXPECT_EQ(RecordTable.best_sprint_time, 12.5f);
  sprint_begin(0);
  Sprint.raceTime = 11.0f;
  Sprint.outcome = OUTCOME_QUALIFIED;
  Lanes[PLAYER_LANE].finished = 1;
  sprint_end();
  EXPECT_EQ(RecordTable.best_sprint_time, 11.0f);
  sprint_begin(0);
}

TEST_F(SprintTest, UnfinishedRaceSetsNoRecord) {
  RecordTable.best_sprint_time = -1.0f;
  Sprint.raceTime = 30.0f;
  Sprint.outcome = OUTCOME_FAILED;
  sprint_end();
  EXPECT_EQ(RecordTable.best_sprint_time, -1.0f);
  sprint_begin(0);
  Sprint.raceTime = 24.5f;
  Sprint.outcome = OUTCOME_FAILED;
  Lanes[PLAYER_LANE].finished = 1;
  sprint_end();
  EXPECT_EQ(RecordTable.best_sprint_time, 24.5f);
  sprint_begin(0);
}

TEST_F(SprintTest, CheatTurnsAnyEndIntoQualified) {
  CheatMode = 1;
  Sprint.outcome = OUTCOME_QUIT;
  EXPECT_EQ(sprint_end(), OUTCOME_QUALIFIED);
  sprint_begin(0);
}

TEST_F(SprintTest, RerunAfterAFalseStartSkipsTheSlides) {
  EXPECT_EQ(Sprint.viewX, 323);
  EXPECT_EQ(Sprint.headerY, -48);
  run_to(16);
  EXPECT_EQ(Sprint.viewX, 3);
  EXPECT_EQ(Sprint.headerY, -16);
  end_scene();
  sprint_begin(1);
  EXPECT_EQ(Sprint.viewX, 3);
  EXPECT_EQ(Sprint.headerY, 0);
  EXPECT_EQ(Sprint.startCountdown, 500);
}
