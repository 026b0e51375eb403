// One sports day over stand-in screens and events that play out a script.
#include "events/event_fixture.h"
#include "game/game.h"

#include "persist/persist.h"

#include <stdio.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// What the stand-ins were asked to do, e.g. "intro 0, event 0(1), game over".
static std::string Calls;
// Outcomes each event returns, one per run, per event.
static std::vector<int> Script[EVENT_COUNT];
static size_t Played[EVENT_COUNT];
static int Difficulty = NOVICE;
static int MarksSeen[4];

static void note(const char *text) { Calls += (Calls.empty() ? "" : ", ") + std::string(text); }

static int play_event(int index, int arg) {
  char text[32];
  snprintf(text, sizeof text, "event %i(%i)", index, arg);
  note(text);
  const int marks[4] = {SprintMark, CatapultMark, SwimMark, ThrowMark};
  for (int m = 0; m < 4; m++) MarksSeen[m] = marks[m];
  size_t run = Played[index]++;
  return run < Script[index].size() ? Script[index][run] : OUTCOME_QUALIFIED;
}

static int sprint(int arg) { return play_event(0, arg); }
static int catapult(int arg) { return play_event(1, arg); }
static int swim(int arg) { return play_event(2, arg); }
static int throw_ball(int arg) { return play_event(3, arg); }
static int difficulty(void) { return Difficulty; }
static void intro(int index) { note(("intro " + std::to_string(index)).c_str()); }
static void game_over(void) { note("game over"); }
static void congratulations(void) { note("congratulations"); }
static void celebration(void) { note("celebration"); }

// The game's own day, its events played by stand-ins.
static DayEvent StandIns[EVENT_COUNT];

class FlowTest : public EventTest {
 protected:
  void SetUp() override {
    EventTest::SetUp();
    Calls.clear();
    for (int i = 0; i < EVENT_COUNT; i++) {
      Script[i].clear();
      Played[i] = 0;
    }
    Difficulty = NOVICE;
    const EventFunction stand_in[EVENT_COUNT] = {sprint, catapult, swim, throw_ball};
    ASSERT_EQ(SPORTS_DAY_DEFAULT.eventCount, EVENT_COUNT);
    for (int i = 0; i < EVENT_COUNT; i++) {
      StandIns[i] = SPORTS_DAY_DEFAULT.events[i];
      StandIns[i].run = stand_in[StandIns[i].event];
    }
    SportsDay = SportsDayTable{difficulty, intro, StandIns, EVENT_COUNT, game_over, congratulations, celebration};
  }
  void TearDown() override {
    SportsDay = SPORTS_DAY_DEFAULT;
    EventTest::TearDown();
  }
};

static std::string file_text(const char *name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#define ALL_FOUR "intro 0, event 0(0), intro 1, event 1(0), intro 2, event 2(0), intro 3, event 3(0)"

TEST_F(FlowTest, FalseStartsAttemptsAndEndScreenFollowTheScript) {
  const int Q = OUTCOME_QUALIFIED, F = OUTCOME_FAILED, S = OUTCOME_FALSE_START, X = OUTCOME_QUIT;
  struct Case {
    int difficulty;
    std::vector<int> script[EVENT_COUNT];
    int result;
    const char *calls;
  };
  const Case cases[] = {
      {NOVICE, {}, OUTCOME_ALL_DONE, ALL_FOUR ", congratulations"},
      {AMATEUR, {}, OUTCOME_ALL_DONE, ALL_FOUR ", congratulations"},
      {CHAMPION, {}, OUTCOME_ALL_DONE, ALL_FOUR ", celebration"},
      {CHAMPION, {{}, {}, {F}}, OUTCOME_FAILED,
       "intro 0, event 0(0), intro 1, event 1(0), intro 2, event 2(0), game over"},
      {NOVICE, {{}, {}, {X}}, OUTCOME_QUIT, "intro 0, event 0(0), intro 1, event 1(0), intro 2, event 2(0)"},
      {NOVICE, {{}, {F}}, OUTCOME_FAILED, "intro 0, event 0(0), intro 1, event 1(0), game over"},
      // False starts are counted across sprint and swim; the second disqualifies.
      {NOVICE, {{S, Q}, {}, {S}}, OUTCOME_FAILED,
       "intro 0, event 0(0), event 0(1), intro 1, event 1(0), intro 2, event 2(1), game over"},
      {NOVICE, {{S, S}}, OUTCOME_FAILED, "intro 0, event 0(0), event 0(1), game over"},
      {NOVICE, {{}, {}, {S, Q}}, OUTCOME_ALL_DONE,
       "intro 0, event 0(0), intro 1, event 1(0), intro 2, event 2(0), event 2(1), intro 3, event 3(0), "
       "congratulations"},
      // The throw has three attempts; a qualifying one ends it.
      {NOVICE, {{}, {}, {}, {F, F, Q}}, OUTCOME_ALL_DONE, ALL_FOUR ", event 3(1), event 3(2), congratulations"},
      {NOVICE, {{}, {}, {}, {F, F, F, Q}}, OUTCOME_FAILED, ALL_FOUR ", event 3(1), event 3(2), game over"},
  };
  for (const Case &c : cases) {
    SetUp();
    Difficulty = c.difficulty;
    for (int i = 0; i < EVENT_COUNT; i++) Script[i] = c.script[i];
    EXPECT_EQ(run_sports_day(), c.result) << c.calls;
    EXPECT_EQ(Calls, c.calls);
    // The chosen difficulty is kept and saved.
    EXPECT_EQ(Settings.difficulty, c.difficulty);
    Settings.difficulty = -1;
    load_settings();
    EXPECT_EQ(Settings.difficulty, c.difficulty) << c.calls;
  }
}

// The catapult sets a record without saving it and then quits (or the
// window closes); the day ends with no end screen.
static int CloseWindow;
static int leave_after_setting_record(int) {
  RecordTable.best_catapult_points = 321;
  if (CloseWindow) QuitFlag = 1;
  return CloseWindow ? OUTCOME_NONE : OUTCOME_QUIT;
}

TEST_F(FlowTest, QuitSavesTheRecordsOnceMoreButAClosedWindowDoesNot) {
  for (int close : {0, 1}) {
    SetUp();
    CloseWindow = close;
    StandIns[EVENT_CATAPULT].run = leave_after_setting_record;
    EXPECT_EQ(run_sports_day(), OUTCOME_QUIT);
    EXPECT_EQ(Calls, "intro 0, event 0(0), intro 1");
    // What a fresh copy of the game reads.
    RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
    load_records();
    EXPECT_EQ(RecordTable.best_catapult_points == 321, !close) << "window closed " << close;
  }
}

static int cancel(void) { return -1; }

TEST_F(FlowTest, CancelledDifficultyTouchesNothing) {
  std::string config = file_text(CONFIG_FILE);
  SportsDay.selectDifficulty = cancel;
  EXPECT_EQ(run_sports_day(), OUTCOME_NONE);
  EXPECT_EQ(Calls, "");
  EXPECT_EQ(file_text(CONFIG_FILE), config);
  EXPECT_EQ(file_text(RECORDS_FILE), "");
}

static int PacingSeen[2];
static int note_pacing(int) {
  PacingSeen[0] = FrameRestMs;
  PacingSeen[1] = AutoRestFrames;
  return OUTCOME_QUIT;
}

TEST_F(FlowTest, CpuUsageFourRestartsThePacing) {
  StandIns[EVENT_SPRINT].run = note_pacing;
  Settings.cpu_usage = 4;
  FrameRestMs = 3;
  AutoRestFrames = 0;
  run_sports_day();
  EXPECT_EQ(PacingSeen[0], 12);
  EXPECT_EQ(PacingSeen[1], 600);
  Settings.cpu_usage = 1;
  FrameRestMs = 3;
  run_sports_day();
  EXPECT_EQ(PacingSeen[0], 3);
}

// Each event is introduced by its own card and run by its own rule, not by
// its place in the day (the replays hand the game days of fewer events).
TEST_F(FlowTest, ADayOfFewerEventsIntroducesAndRunsEachAsItself) {
  const DayEvent later[2] = {StandIns[EVENT_SWIM], StandIns[EVENT_THROW]};
  SportsDay.events = later;
  SportsDay.eventCount = 2;
  Script[EVENT_SWIM] = {OUTCOME_FALSE_START, OUTCOME_QUALIFIED};
  Script[EVENT_THROW] = {OUTCOME_FAILED, OUTCOME_QUALIFIED};
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  EXPECT_EQ(Calls, "intro 2, event 2(0), event 2(1), intro 3, event 3(0), event 3(1), congratulations");
  SetUp();
  SportsDay.eventCount = 0;
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  EXPECT_EQ(Calls, "congratulations");
}
