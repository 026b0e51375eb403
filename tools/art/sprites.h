// The objects' sprites and the four Worlds: what the sprite and World files
// share among themselves. The front-end artist's kit (paint.h) stays as it
// is; the extra primitives the figures and scenery need live here.
#pragma once

#include "art/paint.h"

#include <cstdint>

// Entry point the dispatcher asks first (art.cpp); false for every index
// that is not an object frame or a World.
bool art_sprite_entry(int index, Image &out);

// Deterministic pseudo-random numbers for scenery scatter.
struct Rng {
  uint32_t state;
};
int rng_below(Rng &r, int n);

// Extra primitives.
void thick_line(Image &img, float x0, float y0, float x1, float y1, int width, uint32_t c);
// One light from the top left: lit upper-left edges, shaded lower-right ones.
void light_edges(Image &img, int lightPercent, int shadePercent);
// Light, then the dark outline every character and prop has.
void finish_sprite(Image &img);
// Copies the w x h area at (x, y) of src into a new image.
void crop(const Image &src, int x, int y, int w, int h, Image &out);
void draw_text5_outlined(Image &img, int x, int y, const char *text, uint32_t fill, uint32_t edge, int scale = 1);

// Groups of entries, each answered by its own file.
bool athlete_entry(int index, Image &out);  // types 1 to 4
bool adult_entry(int index, Image &out);    // starter, measurer, line figure
bool prop_entry(int index, Image &out);     // every other object frame
bool world_entry(int index, Image &out);    // World backgrounds 0 to 3
bool sign_entry(int index, Image &out);     // boards, banners and labels

// ---- Figures: a posed skeleton drawn as chunky pixel limbs ----

enum HairStyle { HAIR_SPIKY, HAIR_BUNCHES, HAIR_NEAT, HAIR_CURLY, HAIR_BALD, HAIR_CAP };

struct FigureLook {
  uint32_t skin, hair, shirt, shorts, shoe;
  int hairStyle;
  int longSleeves;   // arms in the shirt colour
  int longTrousers;  // legs in the shorts colour
};

struct FigureBuild {
  float headR, neck, torso, thigh, shin, upper, fore;
  int torsoW, legW, armW;
};

// Angles in degrees from straight down, positive towards the facing side
// (every figure faces right; the game mirrors them). [0] is the far limb,
// [1] the near one.
struct Pose {
  float hipX, hipY;
  float lean;  // torso from upright, positive leaning forward
  float thigh[2], knee[2];
  float arm[2], elbow[2];
  int face;       // FACE_*
  int ballHand;   // 1: a tennis ball in the near hand
  float headTilt; // head centre shift forward along the torso's normal
};

enum FaceKind { FACE_PLAIN, FACE_PUFF, FACE_SHOUT };

Pose pose_zero(float hipX, float hipY);
void draw_figure(Image &img, const FigureLook &look, const FigureBuild &build, const Pose &pose);
// A figure of w x h with its lowest pixel on row `baseline` (feet line), lit
// and outlined. With baseline < 0 the hip stays where the pose puts it.
void figure_frame(Image &out, int w, int h, int baseline, const FigureLook &look, const FigureBuild &build,
                  const Pose &pose);
// The hand and foot positions of a pose (for props held in the hands).
void pose_hand(const FigureBuild &build, const Pose &pose, int limb, float *x, float *y);
