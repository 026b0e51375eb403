// Objects and drawing: the pool of 150 game objects, their types, animation
// and motion, the World and its two cameras.
#pragma once

#include <allegro.h>

#include "objects/types.h"

#define MAX_OBJECTS 150
#define MAX_SEQUENCES 15
#define MAX_FRAMES 15
#define MAX_LAYERS 10
#define MAX_CAMERAS 2

enum AnimMode {
  ANIM_STILL = 0,
  ANIM_ONCE = 1,
  ANIM_LOOP = 2,
  ANIM_ONCE_REMOVE = 5,
  ANIM_ONCE_NEXT = 7,
};

struct AnimSeq {
  int id;
  int frames[MAX_FRAMES];
  int frame;
  int count;
  int mode;
  int delay;
  int timer;
  int step;
  int next;
};

struct GameObject {
  int active;
  int type;
  float x;
  float y;
  float vx;
  float vy;
  float targetVy;
  int layer;
  int width;
  int height;
  AnimSeq seqs[MAX_SEQUENCES];
  AnimSeq cur;
  int lifetime;
  int armed;
  int flipped;
  int autoFace;
};

extern GameObject ObjectPool[MAX_OBJECTS];

// Pool.
int add_object(int x, int y, int layer, int type, int param);
void remove_object(GameObject *obj);
void update_objects(void);
void update_object(GameObject *obj);
int objects_collide(GameObject *a, GameObject *b);
int pixel_overlap(BITMAP *a, BITMAP *b, int ax, int ay, int bx, int by);
void reset_object(GameObject *obj);
void reset_sequence(AnimSeq *seq, int id);
// The slot of an index from add_object, or null for -1: callers write
// `if (GameObject *o = object_at(add_object(...)))` to skip a full pool.
GameObject *object_at(int index);
// Clears the run-wide "pool full" latch (tests start each run afresh).
void reset_pool_full_report(void);
// The main-datafile bitmap of the frame the object shows now, or null.
BITMAP *current_frame_bitmap(const GameObject *obj);

// Types, animation and motion.
void setup_object_type(GameObject *obj, int param);
void set_sequence(GameObject *obj, int k);
void animate_object(GameObject *obj);
void move_object(GameObject *obj);
void frame_size(int entry, int *width, int *height);
// 1 when add_object accepts this type and parameter.
int object_type_known(int type, int param);

// World and cameras.
struct WorldData {
  int worldWidth;
  int worldHeight;
  int background;
};

struct Camera {
  int id;
  int x;
  int y;
  int w;
  int h;
  BITMAP *view;
};

extern WorldData World;
extern Camera Cameras[MAX_CAMERAS];

void begin_scene(int worldWidth, int worldHeight, int background);
void end_scene(void);
void setup_camera(int camera, int w, int h);
void scroll_camera(int camera, int x);
void render_camera(int camera);
int draw_object(int camera, GameObject *obj);
void blit_camera(BITMAP *dest, int camera, int x, int y, int scale);
