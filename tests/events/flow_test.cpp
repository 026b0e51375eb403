// One sports day over stand-in screens and events that play out a script.
#include "event_fixture.h"

#include "persist/persist.h"

#include <stdio.h>

#include <string>
#include <vector>

// What the stand-ins were asked to do, in order, e.g. "intro 0", "event 0(1)".
static std::vector<std::string> Calls;
// Outcomes each event returns, one per run, per event.
static std::vector<int> Script[EVENT_COUNT];
static size_t Played[EVENT_COUNT];
static int Difficulty = NOVICE;
static int MarksSeen[4];

static void note(const char *what, int a, int b = -1) {
  char text[64];
  if (b < 0)
    snprintf(text, sizeof text, "%s %i", what, a);
  else
    snprintf(text, sizeof text, "%s %i(%i)", what, a, b);
  Calls.push_back(text);
}

static int play_event(int index, int arg) {
  note("event", index, arg);
  MarksSeen[0] = SprintMark;
  MarksSeen[1] = CatapultMark;
  MarksSeen[2] = SwimMark;
  MarksSeen[3] = ThrowMark;
  size_t run = Played[index]++;
  return run < Script[index].size() ? Script[index][run] : OUTCOME_QUALIFIED;
}

static int sprint(int arg) { return play_event(0, arg); }
static int catapult(int arg) { return play_event(1, arg); }
static int swim(int arg) { return play_event(2, arg); }
static int throw_ball(int arg) { return play_event(3, arg); }
static int difficulty(void) { return Difficulty; }
static void intro(int index) { note("intro", index); }
static void game_over(void) { Calls.push_back("game over"); }
static void congratulations(void) { Calls.push_back("congratulations"); }
static void celebration(void) { Calls.push_back("celebration"); }

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
    SportsDay = SportsDayTable{difficulty, intro, {sprint, catapult, swim, throw_ball},
                               game_over, congratulations, celebration};
  }
  std::vector<std::string> events_and_end(void) {
    std::vector<std::string> out;
    for (const std::string &c : Calls)
      if (c.rfind("intro", 0) != 0) out.push_back(c);
    return out;
  }
};

static std::string file_text(const char *name) {
  std::string text;
  if (FILE *f = fopen(name, "rb")) {
    char buf[256];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    fclose(f);
  }
  return text;
}

TEST_F(FlowTest, AllFourQualifiedEndsInCongratulations) {
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  EXPECT_EQ(Calls, (std::vector<std::string>{"intro 0", "event 0(0)", "intro 1", "event 1(0)",
                                             "intro 2", "event 2(0)", "intro 3", "event 3(0)",
                                             "congratulations"}));
}

TEST_F(FlowTest, EndScreenFollowsOutcomeAndDifficulty) {
  struct Case {
    int difficulty;
    int swimOutcome;
    int result;
    const char *end;  // null: none
  };
  const Case cases[] = {
      {NOVICE, OUTCOME_QUALIFIED, OUTCOME_ALL_DONE, "congratulations"},
      {AMATEUR, OUTCOME_QUALIFIED, OUTCOME_ALL_DONE, "congratulations"},
      {CHAMPION, OUTCOME_QUALIFIED, OUTCOME_ALL_DONE, "celebration"},
      {CHAMPION, OUTCOME_FAILED, OUTCOME_FAILED, "game over"},
      {NOVICE, OUTCOME_QUIT, OUTCOME_QUIT, nullptr},
  };
  for (const Case &c : cases) {
    SetUp();
    Difficulty = c.difficulty;
    Script[EVENT_SWIM] = {c.swimOutcome};
    EXPECT_EQ(run_sports_day(), c.result) << "difficulty " << c.difficulty;
    std::string last = Calls.back();
    EXPECT_EQ(last, c.end ? c.end : "event 2(0)") << "difficulty " << c.difficulty;
    EXPECT_EQ(Settings.difficulty, c.difficulty);
  }
}

TEST_F(FlowTest, FalseStartsAreCountedAcrossSprintAndSwim) {
  Script[EVENT_SPRINT] = {OUTCOME_FALSE_START, OUTCOME_QUALIFIED};
  Script[EVENT_SWIM] = {OUTCOME_FALSE_START};
  EXPECT_EQ(run_sports_day(), OUTCOME_FAILED);
  EXPECT_EQ(events_and_end(), (std::vector<std::string>{"event 0(0)", "event 0(1)", "event 1(0)",
                                                        "event 2(1)", "game over"}));
}

TEST_F(FlowTest, TwoFalseStartsInTheSprintDisqualify) {
  Script[EVENT_SPRINT] = {OUTCOME_FALSE_START, OUTCOME_FALSE_START};
  EXPECT_EQ(run_sports_day(), OUTCOME_FAILED);
  EXPECT_EQ(Calls, (std::vector<std::string>{"intro 0", "event 0(0)", "event 0(1)", "game over"}));
}

TEST_F(FlowTest, OneFalseStartInTheSwimIsForgiven) {
  Script[EVENT_SWIM] = {OUTCOME_FALSE_START, OUTCOME_QUALIFIED};
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  EXPECT_EQ(Played[EVENT_SWIM], 2u);
}

TEST_F(FlowTest, ThrowHasThreeAttempts) {
  Script[EVENT_THROW] = {OUTCOME_FAILED, OUTCOME_FAILED, OUTCOME_QUALIFIED};
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  std::vector<std::string> tail(Calls.end() - 5, Calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"intro 3", "event 3(0)", "event 3(1)", "event 3(2)",
                                            "congratulations"}));

  SetUp();
  Script[EVENT_THROW] = {OUTCOME_FAILED, OUTCOME_FAILED, OUTCOME_FAILED, OUTCOME_QUALIFIED};
  EXPECT_EQ(run_sports_day(), OUTCOME_FAILED);
  EXPECT_EQ(Played[EVENT_THROW], 3u);
  EXPECT_EQ(Calls.back(), "game over");

  SetUp();
  Script[EVENT_THROW] = {OUTCOME_QUALIFIED};
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  EXPECT_EQ(Played[EVENT_THROW], 1u) << "a qualifying attempt ends the event";
}

TEST_F(FlowTest, FailedEventEndsTheDay) {
  Script[EVENT_CATAPULT] = {OUTCOME_FAILED};
  EXPECT_EQ(run_sports_day(), OUTCOME_FAILED);
  EXPECT_EQ(Played[EVENT_SWIM], 0u);
  EXPECT_EQ(Calls.back(), "game over");
}

TEST_F(FlowTest, MarksFollowTheDifficulty) {
  const int expected[3][4] = {{16, 200, 40, 16}, {14, 300, 33, 23}, {12, 400, 26, 30}};
  for (int d = 0; d < 3; d++) {
    SetUp();
    Difficulty = d;
    run_sports_day();
    for (int m = 0; m < 4; m++) EXPECT_EQ(MarksSeen[m], expected[d][m]) << d << " " << m;
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
    SportsDay.events[EVENT_CATAPULT] = leave_after_setting_record;
    EXPECT_EQ(run_sports_day(), OUTCOME_QUIT);
    EXPECT_EQ(Calls.back(), "intro 1");
    RecordTable.best_catapult_points = 0;
    load_records();
    EXPECT_EQ(RecordTable.best_catapult_points == 321, !close) << "window closed " << close;
  }
}

static int cancel(void) { return -1; }

TEST_F(FlowTest, CancelledDifficultyTouchesNothing) {
  std::string config = file_text(CONFIG_FILE);
  SportsDay.selectDifficulty = cancel;
  EXPECT_EQ(run_sports_day(), OUTCOME_NONE);
  EXPECT_TRUE(Calls.empty());
  EXPECT_EQ(file_text(CONFIG_FILE), config);
  EXPECT_EQ(file_text(RECORDS_FILE), "");
}

TEST_F(FlowTest, ChosenDifficultyIsSaved) {
  Difficulty = CHAMPION;
  run_sports_day();
  Settings.difficulty = NOVICE;
  load_settings();
  EXPECT_EQ(Settings.difficulty, CHAMPION);
}

static int PacingSeen[2];
static int note_pacing(int) {
  PacingSeen[0] = FrameRestMs;
  PacingSeen[1] = AutoRestFrames;
  return OUTCOME_QUIT;
}

TEST_F(FlowTest, CpuUsageFourRestartsThePacing) {
  SportsDay.events[EVENT_SPRINT] = note_pacing;
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

TEST_F(FlowTest, EventsNotYetBuiltAreLeftOut) {
  SportsDay = SportsDayTable{nullptr, nullptr, {sprint, nullptr, swim, nullptr}, game_over,
                             nullptr, nullptr};
  Settings.difficulty = 7;
  EXPECT_EQ(run_sports_day(), OUTCOME_ALL_DONE);
  EXPECT_EQ(Calls, (std::vector<std::string>{"event 0(0)", "event 2(0)"}));
  EXPECT_EQ(MarksSeen[0], 12) << "a stored difficulty above CHAMPION plays as CHAMPION";
}
