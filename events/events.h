// Sports day: the flow of the four events and what they share.
#pragma once

#include "objects/objects.h"

enum Difficulty { NOVICE = 0, AMATEUR = 1, CHAMPION = 2 };

enum EventOutcome {
  OUTCOME_NONE = 0,
  OUTCOME_FALSE_START = 1,
  OUTCOME_QUALIFIED = 2,
  OUTCOME_QUIT = 3,
  OUTCOME_FAILED = 4,
  OUTCOME_ALL_DONE = 5,
};

enum EventIndex { EVENT_SPRINT, EVENT_CATAPULT, EVENT_SWIM, EVENT_THROW, EVENT_COUNT };

// Qualifying marks of the sports day in progress.
extern int SprintMark;
extern int CatapultMark;
extern int SwimMark;
extern int ThrowMark;

// Sets the four marks for a difficulty (held to NOVICE..CHAMPION).
void set_qualifying_marks(int difficulty);

// --- Event support ---

#define PACE_HISTORY 180
#define LANE_COUNT 4
#define PLAYER_LANE 2

struct PaceController {
  GameObject *object;  // null when the pool had no room
  int nextSide;
  int history[PACE_HISTORY];
  int head;
  int presses;
  int aiCountdown;
  int divider;
  int dividerCount;
  int meter;
  int aiMinGap;
  int aiMaxGap;
  int finished;
  int direction;
  int turns;
  int breath;
  int breathHold;
};

extern PaceController Lanes[LANE_COUNT];

enum VerdictValue { VERDICT_NONE = 0, VERDICT_QUALIFIED = 2, VERDICT_FAILED = 4 };
extern int Verdict;

enum SpeechMessage {
  SPEECH_FALSE_START = 0,
  SPEECH_DISQUALIFIED = 1,
  SPEECH_TOO_FAR = 2,
  SPEECH_TOO_SLOW = 3,
  SPEECH_COUNT
};

void init_pace_controller(PaceController *pace, int x, int y, int type, int aiMinGap,
                          int aiMaxGap);
void update_pace_controller(PaceController *pace, int computer);
void clear_pace_history(PaceController *pace);

void show_speech_bubble(int x, int y, int message);
// The bubble drawn over a saved scene; with no scene (its copy could not be
// made) it is drawn over the Backbuffer as it stands.
void speech_bubble_over(BITMAP *scene, int x, int y, int message);

void announce_verdict(int verdict);
void draw_verdict_badge(void);
void add_scenery(int scene);
void handle_logic_rate_keys(void);

// What an event shows in the frame around its playfield.
struct EventFrame {
  int headerY;
  int viewX;
  const char *mark;    // null: no "TO QUALIFY" lines
  const char *best;
  const char *figure;  // time or score, in ScoreFont
  int meter;
  int label;           // datafile entry of the event's name
};

// Draws the frame and the camera 0 view into the Backbuffer (no present).
void draw_event_frame(const EventFrame *frame);

// Race clock of the sprint and the swim: sixtieths while running, the time
// shown (whole seconds plus ticks x 1.666 hundredths) worked out every tick.
void tick_race_clock(int running, int *seconds, int *ticks, float *time);
// A finished race's time becomes the personal best when it beats it or there
// is none; saved at once. Quitting, a closed window or no time keep nothing.
void keep_best_race_time(float *best, float time, int outcome, int finished);

// The frame of a race: whole-second mark, best time, clock.
struct RaceFrame {
  int headerY;
  int viewX;
  int mark;
  float best;  // -1 or below: none
  float time;
  int meter;
  int label;
};
void draw_race_frame(const RaceFrame *race);

// --- 100 metre sprint ---

#define SPRINT_FINISH_X 2586.0f
#define SPRINT_START_COUNTDOWN 500
#define SPRINT_CLOSING_END (-500)

// State of the sprint in progress (or the last one run).
struct SprintRun {
  int falseStarts;
  int startCountdown;
  int outcome;
  int leaving;
  GameObject *startSign;
  int raceSeconds;
  int raceTicks;
  float raceTime;
  int viewX;
  int headerY;
};

extern SprintRun Sprint;

int run_sprint(int falseStarts);
// The sprint in pieces, for drivers that run it tick by tick.
void sprint_begin(int falseStarts);
void sprint_tick(void);
void sprint_draw(void);
int sprint_end(void);
// "%3.2f" of a race time into out.
void format_race_time(float seconds, char *out, int size);

// --- Catapulting ---

#define CATAPULT_START_COUNTDOWN 400
#define CATAPULT_CLOSING_END (-300)
#define CATAPULT_ROUNDS 3
#define CATAPULT_PLACES 5
#define CATAPULT_BALLOONS (CATAPULT_ROUNDS * CATAPULT_PLACES)
// Where the shot leaves the World.
#define CATAPULT_SHOT_END_X 624.0f

// One shot touching one balloon (each balloon is touched at most once).
struct CatapultHit {
  int step;     // the event's logic step, counted from 1
  double diff;  // balloon y + 5 - shot y
  int d;        // diff truncated toward zero
  int points;   // 0 for a touch outside -5..5
  int rate;     // sound frequency; 0 when no sound
};

// State of the catapulting in progress (or the last one run).
struct CatapultRun {
  int startCountdown;
  int balloonTimer;
  int balloonIndex;
  int round;
  int score;
  int shownScore;
  GameObject *shot;
  GameObject *banner;
  GameObject *kids[4];  // the player's character first
  int headerY;
  int viewX;
  int outcome;
  int steps;
  int released;  // balloons blown up so far
  int releaseSteps[CATAPULT_BALLOONS];
  int hitCount;
  CatapultHit hits[CATAPULT_BALLOONS];
};

extern CatapultRun Catapult;

int run_catapult(int unused);
// The event in pieces, for drivers that run it tick by tick.
void catapult_begin(void);
void catapult_tick(void);
void catapult_draw(void);
int catapult_end(void);

// --- 50 metre swim ---

#define SWIM_START_COUNTDOWN 450
#define SWIM_CLOSING_END (-300)
#define SWIM_FAR_WALL 498.0f
#define SWIM_NEAR_WALL 17.0f
// Touches of the near wall after turning: two make four lengths.
#define SWIM_TURNS 2
#define SWIM_FIRST_BREATH 300
#define SWIM_BREATH_MIN 300
#define SWIM_BREATH_MAX 330

// State of the swim in progress (or the last one run).
struct SwimRun {
  int falseStarts;
  int tick;  // logic ticks run, from 1
  int startCountdown;
  int outcome;
  int leaving;
  GameObject *startSign;
  int raceSeconds;
  int raceTicks;
  float raceTime;
  int fireHeld;
  GameObject *breathWarning;
  GameObject *teacher;
  int teacherStep;
  int lastSwimChannel;
  int viewX;
  int headerY;
};

extern SwimRun Swim;

int run_swim(int falseStarts);
// The swim in pieces, for drivers that run it tick by tick.
void swim_begin(int falseStarts);
void swim_tick(void);
void swim_draw(void);
int swim_end(void);

// --- Tennis ball throw ---

#define THROW_ATTEMPT_COUNT 3
#define THROW_START_COUNTDOWN 150
#define THROW_CLOSING_END (-340)
#define THROW_FIRE_FROM_X 450.0f
#define THROW_LINE_X 568
#define THROW_RUN_UP_END_X 650.0f
#define THROW_ORIGIN_X 586.0f
#define THROW_PIXELS_PER_METRE 15.73
#define THROW_GROUND_Y 150.0f
#define THROW_LANE 0

enum ThrowPhase { THROW_RUN_UP = 0, THROW_AIMING = 1, THROW_THROWN = 2 };
enum LineCall { LINE_NOT_PLANTED = 0, LINE_FOUL = 1, LINE_FAIR = 2 };

// State of the attempt in progress (or the last one run).
struct ThrowRun {
  int running;  // 1 between throw_begin and throw_end
  int attempt;
  int startCountdown;
  int awaitFirstPress;
  int phase;
  int lineCall;
  int angleCount;
  GameObject *ball;
  GameObject *shadow;
  GameObject *landingMark;
  GameObject *measurer;
  GameObject *lineFigure;
  int landingX;  // where the landing mark was put, kept without the object too
  int camTarget;
  float distance;
  int spinTick;
  int spinStep;
  int headerY;
  int viewX;
  int attemptX;
  int outcome;
};

extern ThrowRun Throw;

int run_throw(int attempt);
// The throw in pieces, for drivers that run it tick by tick.
void throw_begin(int attempt);
void throw_tick(void);
void throw_draw(void);
int throw_end(void);
// The figure at the top right: "00.00", the rolling readout, the measurer's
// jittering reading or the distance.
void format_throw_figure(char *out, int size);
