// Every object type by name, and the sequences each type's row gives it
// (objects/types.cpp). Events add objects and switch sequences by these
// names only.
#pragma once

enum ObjectType {
  TYPE_PLAYER = 1,      // Pelk, the player's athlete
  TYPE_OPPONENT_A = 2,  // the three other children
  TYPE_OPPONENT_B = 3,
  TYPE_OPPONENT_C = 4,
  TYPE_STARTER = 6,     // the sprint's starter, the swim's teacher
  TYPE_LINE_JUDGE = 7,  // at the throwing line, and by the catapult
  TYPE_MEASURER = 8,
  TYPE_SIGN = 50,       // start signs, then the catapult's round banners
  TYPE_SHOT = 51,
  TYPE_BALLOON = 52,
  TYPE_BALLOON_STAND = 53,
  TYPE_POINTS_LABEL = 54,
  TYPE_BURST = 55,
  TYPE_BALL = 56,
  TYPE_BALL_SHADOW = 57,
  TYPE_DUST = 58,
  TYPE_LANDING_MARK = 59,
  TYPE_START_LINE = 60,
  TYPE_DISTANCE_MARKER = 104,
  TYPE_RIPPLE = 105,
  TYPE_FLOAT = 106,
  TYPE_BREATH_MARKER = 107,
  TYPE_SPLASH = 108,
  TYPE_CATAPULT = 109,
};

// The children's sequences (types 1 to 4); from SEQ_DRAW_BACK on, the
// player's only.
enum AthleteSeq {
  SEQ_RUN = 0,
  SEQ_STAND = 1,
  SEQ_WALK = 2,
  SEQ_CROUCH = 3,
  SEQ_TREAD = 4,
  SEQ_SWIM = 5,
  SEQ_READY = 6,
  SEQ_DIVE = 7,  // then swims on
  SEQ_OUT_OF_BREATH = 8,
  SEQ_DRAW_BACK = 9,
  SEQ_LET_GO = 10,
  SEQ_THROW_STAND = 11,
  SEQ_THROW_RUN = 12,
  SEQ_PLANT = 13,
  SEQ_THROW = 14,
};

enum StarterSeq { SEQ_STARTER_WALK = 0, SEQ_STARTER_SIGNAL = 1, SEQ_STARTER_STAND = 2 };
enum LineJudgeSeq { SEQ_FLAG_DOWN = 0, SEQ_FLAG_OUT = 1 };
enum MeasurerSeq { SEQ_MEASURER_STAND = 0, SEQ_MEASURER_WALK = 1 };
enum BalloonSeq { SEQ_BALLOON_INFLATE = 0, SEQ_BALLOON_FLOAT = 1, SEQ_BALLOON_WOBBLE = 2 };
