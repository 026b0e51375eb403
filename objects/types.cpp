// The object types: their sequences and starting values, the animation
// player and the per-type motion rules.
#include "objects/objects.h"

#include "shell/shell.h"

// One sequence of a type. Each frame is frames[i] + pstep * param, so the
// types chosen by a parameter (sign, balloon colour, marker) share a row.
struct SeqSpec {
  int k;
  int mode;
  int delay;
  int next;
  int pstep;
  int count;
  int frames[MAX_FRAMES];
};

struct TypeSpec {
  int type;
  const SeqSpec *seqs;
  int seqCount;
  float vx;
  float vy;
  int lifetime;
  int armed;
};

#define N_OF(a) ((int)(sizeof(a) / sizeof((a)[0])))

static const SeqSpec PLAYER_SEQS[] = {
    {0, ANIM_LOOP, 0, 0, 0, 8, {223, 224, 225, 226, 227, 228, 229, 230}},
    {1, ANIM_STILL, 0, 0, 0, 1, {219}},
    {2, ANIM_LOOP, 8, 0, 0, 4, {219, 220, 221, 222}},
    {3, ANIM_STILL, 0, 0, 0, 1, {231}},
    {4, ANIM_LOOP, 15, 0, 0, 4, {233, 234, 235, 234}},
    {5, ANIM_LOOP, 15, 0, 0, 10, {236, 237, 238, 239, 240, 241, 242, 243, 244, 245}},
    {6, ANIM_STILL, 0, 0, 0, 1, {247}},
    {7, ANIM_ONCE_NEXT, 10, 5, 0, 4, {248, 249, 250, 251}},
    {8, ANIM_STILL, 0, 0, 0, 1, {246}},
    {9, ANIM_ONCE, 7, 0, 0, 2, {252, 253}},
    {10, ANIM_ONCE, 7, 0, 0, 2, {252, 219}},
    {11, ANIM_STILL, 0, 0, 0, 1, {254}},
    {12, ANIM_LOOP, 0, 0, 0, 8, {255, 256, 257, 258, 259, 260, 261, 262}},
    {13, ANIM_STILL, 0, 0, 0, 1, {263}},
    {14, ANIM_ONCE, 7, 0, 0, 2, {264, 265}},
};

static const SeqSpec RIVAL2_SEQS[] = {
    {0, ANIM_LOOP, 0, 0, 0, 8, {47, 48, 49, 50, 51, 52, 53, 54}},
    {1, ANIM_STILL, 0, 0, 0, 1, {43}},
    {2, ANIM_LOOP, 8, 0, 0, 4, {43, 44, 45, 46}},
    {3, ANIM_STILL, 0, 0, 0, 1, {55}},
    {4, ANIM_LOOP, 17, 0, 0, 4, {57, 58, 59, 58}},
    {5, ANIM_LOOP, 15, 0, 0, 10, {236, 61, 62, 63, 64, 65, 66, 67, 68, 69}},
    {6, ANIM_STILL, 0, 0, 0, 1, {71}},
    {7, ANIM_ONCE_NEXT, 10, 5, 0, 4, {72, 73, 74, 75}},
};

static const SeqSpec RIVAL3_SEQS[] = {
    {0, ANIM_LOOP, 0, 0, 0, 8, {133, 134, 135, 136, 137, 138, 139, 140}},
    {1, ANIM_STILL, 0, 0, 0, 1, {129}},
    {2, ANIM_LOOP, 7, 0, 0, 4, {129, 130, 131, 132}},
    {3, ANIM_STILL, 0, 0, 0, 1, {141}},
    {4, ANIM_LOOP, 11, 0, 0, 4, {143, 144, 145, 144}},
    {5, ANIM_LOOP, 15, 0, 0, 10, {146, 147, 148, 149, 150, 151, 152, 153, 154, 155}},
    {6, ANIM_STILL, 0, 0, 0, 1, {157}},
    {7, ANIM_ONCE_NEXT, 10, 5, 0, 4, {158, 159, 160, 161}},
};

static const SeqSpec RIVAL4_SEQS[] = {
    {0, ANIM_LOOP, 0, 0, 0, 8, {184, 185, 186, 187, 188, 189, 190, 191}},
    {1, ANIM_STILL, 0, 0, 0, 1, {180}},
    {2, ANIM_LOOP, 9, 0, 0, 4, {180, 181, 182, 183}},
    {3, ANIM_STILL, 0, 0, 0, 1, {192}},
    {4, ANIM_LOOP, 15, 0, 0, 4, {195, 196, 195, 194}},
    {5, ANIM_LOOP, 15, 0, 0, 10, {197, 198, 199, 200, 201, 202, 203, 204, 205, 206}},
    {6, ANIM_STILL, 0, 0, 0, 1, {208}},
    {7, ANIM_ONCE_NEXT, 10, 5, 0, 4, {209, 210, 211, 212}},
};

static const SeqSpec STARTER_SEQS[] = {
    {0, ANIM_LOOP, 10, 0, 0, 4, {350, 351, 350, 352}},
    {1, ANIM_ONCE, 0, 0, 0, 3, {353, 354, 353}},
    {2, ANIM_STILL, 0, 0, 0, 1, {350}},
};

static const SeqSpec THROW_FIGURE_SEQS[] = {
    {0, ANIM_STILL, 0, 0, 0, 1, {284}},
    {1, ANIM_STILL, 0, 0, 0, 1, {285}},
};

static const SeqSpec MEASURER_SEQS[] = {
    {0, ANIM_STILL, 0, 0, 0, 1, {40}},
    {1, ANIM_LOOP, 5, 0, 0, 4, {40, 41, 40, 42}},
};

static const SeqSpec SIGN_SEQS[] = {{0, ANIM_STILL, 0, 0, 1, 1, {357}}};
static const SeqSpec SHOT_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {312}}};

static const SeqSpec BALLOON_SEQS[] = {
    {0, ANIM_ONCE_NEXT, 10, 1, 9, 6, {98, 99, 100, 101, 102, 103}},
    {1, ANIM_LOOP, 10, 0, 9, 2, {95, 96}},
    {2, ANIM_LOOP, 5, 0, 9, 4, {95, 96, 95, 97}},
};

static const SeqSpec SCENERY53_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {322}}};
// The label's frame is chosen from its points (points_label_frame).
static const SeqSpec LABEL_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {0}}};
static const SeqSpec BURST_SEQS[] = {{0, ANIM_ONCE_REMOVE, 3, 0, 0, 5, {319, 320, 321, 320, 319}}};
static const SeqSpec BALL_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {88}}};
static const SeqSpec SHADOW_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {127}}};
static const SeqSpec DUST_SEQS[] = {{0, ANIM_ONCE_REMOVE, 3, 0, 0, 5, {89, 90, 91, 92, 93}}};
static const SeqSpec MARK_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {94}}};
static const SeqSpec START_LINE_SEQS[] = {
    {0, ANIM_LOOP, 2, 0, 0, 10, {83, 84, 85, 86, 87, 87, 86, 85, 84, 83}}};
static const SeqSpec MARKER_SEQS[] = {{0, ANIM_STILL, 0, 0, 1, 1, {169}}};
static const SeqSpec RIPPLE_SEQS[] = {{0, ANIM_ONCE_REMOVE, 4, 0, 5, 5, {325, 326, 327, 328, 329}}};
static const SeqSpec FLOAT_SEQS[] = {{0, ANIM_STILL, 0, 0, 1, 1, {313}}};
static const SeqSpec SWIM_MARKER_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {168}}};
static const SeqSpec SPLASH_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {365}}};
static const SeqSpec SCENERY109_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {179}}};

#define TYPE_ROW(type, seqs, vx, vy, lifetime, armed) \
  { type, seqs, N_OF(seqs), vx, vy, lifetime, armed }

static const TypeSpec TYPES[] = {
    TYPE_ROW(1, PLAYER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(2, RIVAL2_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(3, RIVAL3_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(4, RIVAL4_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(6, STARTER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(7, THROW_FIGURE_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(8, MEASURER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(50, SIGN_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(51, SHOT_SEQS, 3.0f, 0.0f, -1, 0),
    TYPE_ROW(52, BALLOON_SEQS, 0.0f, 0.0f, -1, 1),
    TYPE_ROW(53, SCENERY53_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(54, LABEL_SEQS, 0.0f, 8.0f, -1, 0),
    TYPE_ROW(55, BURST_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(56, BALL_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(57, SHADOW_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(58, DUST_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(59, MARK_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(60, START_LINE_SEQS, 0.0f, 0.0f, 150, 0),
    TYPE_ROW(104, MARKER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(105, RIPPLE_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(106, FLOAT_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(107, SWIM_MARKER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(108, SPLASH_SEQS, 0.0f, 0.0f, 20, 0),
    TYPE_ROW(109, SCENERY109_SEQS, 0.0f, 0.0f, -1, 0),
};

static const TypeSpec *find_type(int type) {
  for (int i = 0; i < N_OF(TYPES); i++)
    if (TYPES[i].type == type) return &TYPES[i];
  return nullptr;
}

// The points label's picture for its points, or -1 for any other value.
static int points_label_frame(int points) {
  switch (points) {
    case 1: return 126;
    case 5: return 125;
    case 10: return 124;
    case 20: return 123;
    case 50: return 122;
    default: return -1;
  }
}

int object_type_known(int type, int param) {
  if (!find_type(type)) return 0;
  if (type == 54) return points_label_frame(param) >= 0;
  return 1;
}

static void fill_sequence(AnimSeq *seq, const SeqSpec *def, int param) {
  seq->count = def->count;
  seq->mode = def->mode;
  seq->delay = def->delay;
  seq->next = def->next;
  for (int i = 0; i < def->count; i++) seq->frames[i] = def->frames[i] + def->pstep * param;
}

void setup_object_type(GameObject *obj, int param) {
  if (!obj) return;
  const TypeSpec *type = find_type(obj->type);
  if (type) {
    for (int i = 0; i < type->seqCount; i++) {
      const SeqSpec *def = &type->seqs[i];
      fill_sequence(&obj->seqs[def->k], def, param);
    }
    obj->vx = type->vx;
    obj->vy = type->vy;
    obj->lifetime = type->lifetime;
    obj->armed = type->armed;
    if (obj->type == 54 && points_label_frame(param) >= 0) obj->seqs[0].frames[0] = points_label_frame(param);
  }
  frame_size(obj->seqs[0].frames[0], &obj->width, &obj->height);
}

void set_sequence(GameObject *obj, int k) {
  // A sequence number outside the table would read past the object.
  if (!obj || k < 0 || k >= MAX_SEQUENCES) return;
  const AnimSeq *from = &obj->seqs[k];
  AnimSeq *cur = &obj->cur;
  cur->id = from->id;
  for (int i = 0; i < MAX_FRAMES; i++) cur->frames[i] = from->frames[i];
  cur->count = from->count;
  cur->mode = from->mode;
  cur->delay = from->delay;
  cur->step = from->step;
  cur->next = from->next;
  cur->frame = 0;
  cur->timer = 0;
}

// The last frame of the playing sequence, kept inside the frame list.
static int last_frame(const AnimSeq *c) {
  int last = c->count - 1;
  if (last < 0) return 0;
  return last < MAX_FRAMES ? last : MAX_FRAMES - 1;
}

static void step_sequence(GameObject *obj) {
  AnimSeq *c = &obj->cur;
  int last = last_frame(c);
  switch (c->mode) {
    case ANIM_ONCE:
      c->frame += c->step;
      if (c->frame >= last) {
        c->frame = last;
        c->mode = ANIM_STILL;
      }
      break;
    case ANIM_LOOP:
      c->frame += c->step;
      if (c->frame > last || c->frame < 0) c->frame = 0;
      break;
    case ANIM_ONCE_REMOVE:
      if (c->frame >= last) remove_object(obj);
      else c->frame += 1;
      break;
    case ANIM_ONCE_NEXT:
      if (c->frame >= last) set_sequence(obj, c->next);
      else c->frame += c->step;
      break;
    default:
      break;
  }
}

void animate_object(GameObject *obj) {
  if (!obj || obj->cur.mode == ANIM_STILL) return;
  obj->cur.timer++;
  if (obj->cur.timer < obj->cur.delay) return;
  obj->cur.timer = 0;
  step_sequence(obj);
}

// The measurer walks 5 pixels at each frame step of its walk.
static void move_measurer(GameObject *obj) {
  if (obj->cur.id == 1 && obj->cur.timer == 0) obj->x = (float)(obj->x + 5.0);
}

// Balloons drift to a stop sideways, settle on their rising speed and
// leave once above the World.
static void move_balloon(GameObject *obj) {
  if (obj->cur.id != 1 && obj->cur.id != 2) return;
  if (obj->vx > 0) {
    obj->vx = (float)(obj->vx * 0.9);
    if (obj->vx < 0.5) obj->vx = 0.0f;
  }
  if (obj->vy < obj->targetVy) obj->vy = (float)(obj->vy + 0.1);
  if (obj->vy > obj->targetVy) obj->vy = (float)(obj->vy - 0.1);
  if (obj->y < -18.0) remove_object(obj);
}

// Points labels fall ever slower, then land and stay.
static void move_points_label(GameObject *obj) {
  if (obj->vy > 1.0) {
    obj->vy = (float)(obj->vy - 0.75);
    if (obj->vy < 1.0) obj->vy = 1.0f;
  }
  if (obj->y > 145.0) {
    obj->y = 145.0f;
    obj->vy = 0.0f;
  }
}

void move_object(GameObject *obj) {
  if (!obj) return;
  if (obj->autoFace == 1) {
    if (obj->vx > 0) obj->flipped = 0;
    else if (obj->vx < 0) obj->flipped = 1;
  }
  if (obj->type == 8) move_measurer(obj);
  else if (obj->type == 52) move_balloon(obj);
  else if (obj->type == 54) move_points_label(obj);
  if (!obj->active) return;
  obj->x += obj->vx;
  obj->y += obj->vy;
}

void frame_size(int entry, int *width, int *height) {
  BITMAP *bmp = dat_bitmap(entry);
  if (width) *width = bmp ? bmp->w : 0;
  if (height) *height = bmp ? bmp->h : 0;
}
