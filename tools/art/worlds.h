// The four Worlds and the scenery pieces they are built from.
#pragma once

#include "art/sprites.h"

void sky(Image &img, int bottom, Rng &r);
void tree_line(Image &img, int x0, int x1, int base, Rng &r);
void school(Image &img, int x, int base, int w, int h);
void bunting(Image &img, int x0, int x1, int y, int sag);
void crowd(Image &img, int x0, int x1, int base, Rng &r);
void grass(Image &img, int x0, int y0, int x1, int y1);
void daisies(Image &img, int x0, int y0, int x1, int y1, Rng &r);
void hedge(Image &img, int x0, int x1, int top, int bottom);
void picket_fence(Image &img, int x0, int x1, int base);
void marquee(Image &img, int x, int base, uint32_t stripe);
void house_flag(Image &img, int x, int base, uint32_t colour);

// The sprint track: start line at x 77, finish at x 2604, lanes whose
// runners (26 high, top at y 94, 106, 118, 132) stand inside their lines.
const int TRACK_TOP = 110;
const int LANE_LINES[5] = {111, 123, 135, 147, 159};
const int SPRINT_START_X = 77;
const int SPRINT_FINISH_X = 2604;
// Pool walls where the swimmers turn.
const int POOL_LEFT = 18;
const int POOL_RIGHT = 523;
const int POOL_TOP = 62;
// The throw: the foul line and measuring origin, 15.73 pixels a metre.
const int THROW_LINE_X = 586;
const float THROW_PX_PER_M = 15.73f;
