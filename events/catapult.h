// Catapulting: its state and its pieces, for drivers that run it tick by
// tick.
#pragma once

#include "events/support.h"

#define CATAPULT_ROUNDS 3
#define CATAPULT_PLACES 5
#define CATAPULT_BALLOONS (CATAPULT_ROUNDS * CATAPULT_PLACES)
#define CATAPULT_KIDS 4

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
  GameObject *kids[CATAPULT_KIDS];  // the player's character first
  int headerY;
  int viewX;
  int outcome;
  // A log for the tests' reports; the game keeps it but never reads it.
  int steps;
  int released;  // balloons blown up so far
  int releaseSteps[CATAPULT_BALLOONS];
  int hitCount;
  CatapultHit hits[CATAPULT_BALLOONS];
};

extern CatapultRun Catapult;

void catapult_begin(void);
void catapult_tick(void);
void catapult_draw(void);
int catapult_end(void);
