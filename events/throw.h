// The tennis ball throw: its state and its pieces, for drivers that run it
// tick by tick.
#pragma once

#include "events/support.h"

#define THROW_CLOSING_END (-340)
// The thrower's lane: its pace drives the run-up.
#define THROW_LANE 0

enum ThrowPhase { THROW_RUN_UP = 0, THROW_AIMING = 1, THROW_THROWN = 2 };
enum LineCall { LINE_NOT_PLANTED = 0, LINE_FOUL = 1, LINE_FAIR = 2 };

// State of the attempt in progress (or the last one run).
struct ThrowRun {
  int attempt;
  int startCountdown;
  int awaitFirstPress;
  int phase;
  int lineCall;
  int angleCount;
  int released;  // the ball has left the hand (or had no room to)
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
  // For the tests' reports; the game sets it but never reads it.
  int running;  // 1 between throw_begin and throw_end
};

extern ThrowRun Throw;

void throw_begin(int attempt);
void throw_tick(void);
void throw_draw(void);
int throw_end(void);
// The figure at the top right: "00.00", the rolling readout, the measurer's
// jittering reading or the distance.
void format_throw_figure(char *out, int size);
