// The qualifying marks of the sports day in progress, set by its difficulty.
#include "events/events.h"

int SprintMark = 16;
int CatapultMark = 200;
int SwimMark = 40;
int ThrowMark = 16;

void set_qualifying_marks(int difficulty) {
  static const int SPRINT[3] = {16, 14, 12};
  static const int CATAPULT[3] = {200, 300, 400};
  static const int SWIM[3] = {40, 33, 26};
  static const int THROW[3] = {16, 23, 30};
  if (difficulty < NOVICE) difficulty = NOVICE;
  if (difficulty > CHAMPION) difficulty = CHAMPION;
  SprintMark = SPRINT[difficulty];
  CatapultMark = CATAPULT[difficulty];
  SwimMark = SWIM[difficulty];
  ThrowMark = THROW[difficulty];
}
