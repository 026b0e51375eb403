// What the four events share: the lanes' pace, the verdict, the speech
// bubble, the frame around the playfield, the logic-rate keys, and the race
// the sprint and the swim both run.
#pragma once

#include "events/events.h"
#include "objects/objects.h"

// --- Pace ---

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

void init_pace_controller(PaceController *pace, int x, int y, int type, int aiMinGap, int aiMaxGap);
// Every lane home. Only a lane's runner or swimmer finishes it: a lane the
// pool had no room for has no one to wait for, but the player's is always
// waited for, so a player without one never finishes (never at 0.00).
int all_lanes_finished(void);
void update_pace_controller(PaceController *pace, int computer);
void clear_pace_history(PaceController *pace);

// --- Verdict and speech ---

enum VerdictValue { VERDICT_NONE = 0, VERDICT_QUALIFIED = 2, VERDICT_FAILED = 4 };
extern int Verdict;

void announce_verdict(int verdict);
void draw_verdict_badge(void);

enum SpeechMessage {
  SPEECH_FALSE_START = 0,
  SPEECH_DISQUALIFIED = 1,
  SPEECH_TOO_FAR = 2,
  SPEECH_TOO_SLOW = 3,
  SPEECH_COUNT
};

// The starter's bubble for 300 ticks over the frame as it stands.
void show_speech_bubble(int x, int y, int message);
// The bubble drawn over a saved scene; with no scene (its copy could not be
// made) it is drawn over the Backbuffer as it stands.
void speech_bubble_over(BITMAP *scene, int x, int y, int message);

void handle_logic_rate_keys(void);

// --- The frame around the playfield ---

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
// The frame slides in from the right and the header down from the top.
void slide_frame_in(int *viewX, int *headerY);

// --- The race of the sprint and the swim ---

// The starter's countdown and the false starts so far, the race clock, the
// outcome and where the frame stands.
struct RaceRun {
  int falseStarts;
  int startCountdown;  // to the signal; 0 racing; below 0 closing
  int outcome;
  GameObject *startSign;
  int seconds;  // the clock: whole seconds and sixtieths while running,
  int ticks;
  float time;   // the time shown, worked out every tick
  int viewX;
  int headerY;
};

// A fresh race counting down from countdown; after a false start the frame
// is already in place.
void begin_race(RaceRun *race, int falseStarts, int countdown);
// Quit sets the outcome; left or right before the signal is a false start,
// with the starter's bubble at (x, y).
void race_controls(RaceRun *race, int bubbleX, int bubbleY);
// Sixtieths while running; the time shown is whole seconds plus ticks x
// 1.666 hundredths.
void tick_race_clock(RaceRun *race, int running);
// A finished race's time becomes the personal best when it beats it or there
// is none; saved at once. Quitting, a closed window or no time keep nothing.
void keep_best_race_time(float *best, const RaceRun *race, int finished);
// The frame of a race: whole-second mark, best time (-1 or below: none),
// clock.
void draw_race_frame(const RaceRun *race, int mark, float best, int meter, int label);
// "%3.2f" of a race time into out.
void format_race_time(float seconds, char *out, int size);
