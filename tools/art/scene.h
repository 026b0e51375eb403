// Scenery pieces shared by the front end's larger pictures: the same sky,
// trees, school and bunting on the splash, the title and the end screens.
#pragma once

#include "art/paint.h"

void scene_sky(Image &img, int y, int h);
void scene_sun(Image &img, int cx, int cy, int r);
void scene_cloud(Image &img, int cx, int cy, int size);
void scene_tree(Image &img, int x, int base, int size);
// Brick school with a clock, windows and a flag; x, base: bottom-left.
void scene_school(Image &img, int x, int base, int w, int h);
// A string of pennants hanging from (x0, y0) to (x1, y1), sagging by sag.
void scene_bunting(Image &img, int x0, int y0, int x1, int y1, int sag, int flag);
// Rows of spectators behind a white fence; base is the fence's foot.
void scene_crowd(Image &img, int x, int base, int w, int seed);
// Mown grass in stripes.
void scene_grass(Image &img, int y, int h, int stripe);
// The running track with its white lane lines.
void scene_track(Image &img, int y, int h, int lanes);
// A tiny seeded random sequence for scatter.
int scene_rand(unsigned *seed, int n);

// The whole field seen from the stand: sky, sun, clouds, the school and its
// trees on the horizon, grass, bunting, the crowd and the track.
struct FieldLayout {
  int horizon;                  // foot of the school and the trees
  int sunX, sunY, sunR;
  int clouds[3][3];             // x, y, size
  int schoolX, schoolW, schoolH;
  int trees[4][2];              // x, size
  int grassStripe;
  int buntingY0, buntingY1, buntingSag, buntingFlag;
  int crowdBase, crowdSeed;
  int trackY, trackH;
};
void scene_field(Image &img, const FieldLayout &layout);
