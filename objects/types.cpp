// The object types: their sequences and starting values, the animation
// player and the per-type motion rules.
#include "objects/objects.h"

#include "shell/entries.h"
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

// Frames first, first + 1, ... (only a sequence's count of them is taken).
#define ROW(first) \
  { first, first + 1, first + 2, first + 3, first + 4, first + 5, first + 6, first + 7, first + 8, first + 9 }

// A child's frames: the first entry of its row (P, A, B, C) plus the
// frame's place in the row (shell/entries.h).
#define P ENTRY_PLAYER
static const SeqSpec PLAYER_SEQS[] = {
    {SEQ_RUN, ANIM_LOOP, 0, 0, 0, 8, ROW(P + KID_RUN)},
    {SEQ_STAND, ANIM_STILL, 0, 0, 0, 1, {P + KID_STAND}},
    {SEQ_WALK, ANIM_LOOP, 8, 0, 0, 4, ROW(P + KID_STAND)},
    {SEQ_CROUCH, ANIM_STILL, 0, 0, 0, 1, {P + KID_CROUCH}},
    {SEQ_TREAD, ANIM_LOOP, 15, 0, 0, 4, {P + KID_TREAD, P + KID_TREAD + 1, P + KID_TREAD + 2, P + KID_TREAD + 1}},
    {SEQ_SWIM, ANIM_LOOP, 15, 0, 0, 10, ROW(P + KID_SWIM)},
    {SEQ_READY, ANIM_STILL, 0, 0, 0, 1, {P + KID_READY}},
    {SEQ_DIVE, ANIM_ONCE_NEXT, 10, SEQ_SWIM, 0, 4, ROW(P + KID_DIVE)},
    {SEQ_OUT_OF_BREATH, ANIM_STILL, 0, 0, 0, 1, {P + KID_BREATH}},
    {SEQ_DRAW_BACK, ANIM_ONCE, 7, 0, 0, 2, ROW(P + KID_PULL)},
    {SEQ_LET_GO, ANIM_ONCE, 7, 0, 0, 2, {P + KID_PULL, P + KID_STAND}},
    {SEQ_THROW_STAND, ANIM_STILL, 0, 0, 0, 1, {P + KID_HOLD}},
    {SEQ_THROW_RUN, ANIM_LOOP, 0, 0, 0, 8, ROW(P + KID_RUNUP)},
    {SEQ_PLANT, ANIM_STILL, 0, 0, 0, 1, {P + KID_PLANT}},
    {SEQ_THROW, ANIM_ONCE, 7, 0, 0, 2, ROW(P + KID_THROW)},
};
#undef P

// The opponents' eight sequences differ in their walking pace, their
// treading and (for the first) a swimming frame of the player's.
#define A ENTRY_OPPONENT_A
static const SeqSpec OPPONENT_A_SEQS[] = {
    {SEQ_RUN, ANIM_LOOP, 0, 0, 0, 8, ROW(A + KID_RUN)},
    {SEQ_STAND, ANIM_STILL, 0, 0, 0, 1, {A + KID_STAND}},
    {SEQ_WALK, ANIM_LOOP, 8, 0, 0, 4, ROW(A + KID_STAND)},
    {SEQ_CROUCH, ANIM_STILL, 0, 0, 0, 1, {A + KID_CROUCH}},
    {SEQ_TREAD, ANIM_LOOP, 17, 0, 0, 4, {A + KID_TREAD, A + KID_TREAD + 1, A + KID_TREAD + 2, A + KID_TREAD + 1}},
    {SEQ_SWIM, ANIM_LOOP, 15, 0, 0, 10,
     {ENTRY_PLAYER + KID_SWIM, A + KID_SWIM + 1, A + KID_SWIM + 2, A + KID_SWIM + 3, A + KID_SWIM + 4,
      A + KID_SWIM + 5, A + KID_SWIM + 6, A + KID_SWIM + 7, A + KID_SWIM + 8, A + KID_SWIM + 9}},
    {SEQ_READY, ANIM_STILL, 0, 0, 0, 1, {A + KID_READY}},
    {SEQ_DIVE, ANIM_ONCE_NEXT, 10, SEQ_SWIM, 0, 4, ROW(A + KID_DIVE)},
};
#undef A

#define B ENTRY_OPPONENT_B
static const SeqSpec OPPONENT_B_SEQS[] = {
    {SEQ_RUN, ANIM_LOOP, 0, 0, 0, 8, ROW(B + KID_RUN)},
    {SEQ_STAND, ANIM_STILL, 0, 0, 0, 1, {B + KID_STAND}},
    {SEQ_WALK, ANIM_LOOP, 7, 0, 0, 4, ROW(B + KID_STAND)},
    {SEQ_CROUCH, ANIM_STILL, 0, 0, 0, 1, {B + KID_CROUCH}},
    {SEQ_TREAD, ANIM_LOOP, 11, 0, 0, 4, {B + KID_TREAD, B + KID_TREAD + 1, B + KID_TREAD + 2, B + KID_TREAD + 1}},
    {SEQ_SWIM, ANIM_LOOP, 15, 0, 0, 10, ROW(B + KID_SWIM)},
    {SEQ_READY, ANIM_STILL, 0, 0, 0, 1, {B + KID_READY}},
    {SEQ_DIVE, ANIM_ONCE_NEXT, 10, SEQ_SWIM, 0, 4, ROW(B + KID_DIVE)},
};
#undef B

#define C ENTRY_OPPONENT_C
static const SeqSpec OPPONENT_C_SEQS[] = {
    {SEQ_RUN, ANIM_LOOP, 0, 0, 0, 8, ROW(C + KID_RUN)},
    {SEQ_STAND, ANIM_STILL, 0, 0, 0, 1, {C + KID_STAND}},
    {SEQ_WALK, ANIM_LOOP, 9, 0, 0, 4, ROW(C + KID_STAND)},
    {SEQ_CROUCH, ANIM_STILL, 0, 0, 0, 1, {C + KID_CROUCH}},
    {SEQ_TREAD, ANIM_LOOP, 15, 0, 0, 4, {C + KID_TREAD + 1, C + KID_TREAD + 2, C + KID_TREAD + 1, C + KID_TREAD}},
    {SEQ_SWIM, ANIM_LOOP, 15, 0, 0, 10, ROW(C + KID_SWIM)},
    {SEQ_READY, ANIM_STILL, 0, 0, 0, 1, {C + KID_READY}},
    {SEQ_DIVE, ANIM_ONCE_NEXT, 10, SEQ_SWIM, 0, 4, ROW(C + KID_DIVE)},
};
#undef C

static const SeqSpec STARTER_SEQS[] = {
    {SEQ_STARTER_WALK, ANIM_LOOP, 10, 0, 0, 4,
     {ENTRY_STARTER, ENTRY_STARTER + 1, ENTRY_STARTER, ENTRY_STARTER + 2}},
    {SEQ_STARTER_SIGNAL, ANIM_ONCE, 0, 0, 0, 3, {ENTRY_STARTER + 3, ENTRY_STARTER + 4, ENTRY_STARTER + 3}},
    {SEQ_STARTER_STAND, ANIM_STILL, 0, 0, 0, 1, {ENTRY_STARTER}},
};

static const SeqSpec LINE_JUDGE_SEQS[] = {
    {SEQ_FLAG_DOWN, ANIM_STILL, 0, 0, 0, 1, {ENTRY_LINE_JUDGE}},
    {SEQ_FLAG_OUT, ANIM_STILL, 0, 0, 0, 1, {ENTRY_LINE_JUDGE + 1}},
};

static const SeqSpec MEASURER_SEQS[] = {
    {SEQ_MEASURER_STAND, ANIM_STILL, 0, 0, 0, 1, {ENTRY_MEASURER}},
    {SEQ_MEASURER_WALK, ANIM_LOOP, 5, 0, 0, 4,
     {ENTRY_MEASURER, ENTRY_MEASURER + 1, ENTRY_MEASURER, ENTRY_MEASURER + 2}},
};

// One picture each, chosen by the parameter where pstep is 1.
static const SeqSpec SIGN_SEQS[] = {{0, ANIM_STILL, 0, 0, 1, 1, {ENTRY_START_SIGN}}};
static const SeqSpec SHOT_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_SHOT}}};

#define BALLOON(frame) (ENTRY_BALLOON + frame)
static const SeqSpec BALLOON_SEQS[] = {
    {SEQ_BALLOON_INFLATE, ANIM_ONCE_NEXT, 10, SEQ_BALLOON_FLOAT, BALLOON_FRAMES, 6, ROW(BALLOON(BALLOON_INFLATE))},
    {SEQ_BALLOON_FLOAT, ANIM_LOOP, 10, 0, BALLOON_FRAMES, 2, ROW(BALLOON(BALLOON_FLOAT))},
    {SEQ_BALLOON_WOBBLE, ANIM_LOOP, 5, 0, BALLOON_FRAMES, 4,
     {BALLOON(BALLOON_FLOAT), BALLOON(BALLOON_FLOAT + 1), BALLOON(BALLOON_FLOAT), BALLOON(BALLOON_WOBBLE)}},
};
#undef BALLOON

static const SeqSpec BALLOON_STAND_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_BALLOON_STAND}}};
// The label's frame is chosen from its points (points_label_frame).
static const SeqSpec LABEL_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {0}}};
static const SeqSpec BURST_SEQS[] = {
    {0, ANIM_ONCE_REMOVE, 3, 0, 0, 5, {ENTRY_BURST, ENTRY_BURST + 1, ENTRY_BURST + 2, ENTRY_BURST + 1, ENTRY_BURST}}};
static const SeqSpec BALL_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_BALL}}};
static const SeqSpec SHADOW_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_BALL_SHADOW}}};
static const SeqSpec DUST_SEQS[] = {{0, ANIM_ONCE_REMOVE, 3, 0, 0, DUST_FRAMES, ROW(ENTRY_DUST)}};
static const SeqSpec MARK_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_LANDING_MARK}}};
#define FLAG(frame) (ENTRY_START_LINE + frame)
static const SeqSpec START_LINE_SEQS[] = {
    {0, ANIM_LOOP, 2, 0, 0, 10,
     {FLAG(0), FLAG(1), FLAG(2), FLAG(3), FLAG(4), FLAG(4), FLAG(3), FLAG(2), FLAG(1), FLAG(0)}}};
#undef FLAG
static const SeqSpec DISTANCE_MARKER_SEQS[] = {{0, ANIM_STILL, 0, 0, 1, 1, {ENTRY_DISTANCE_MARKER}}};
static const SeqSpec RIPPLE_SEQS[] = {{0, ANIM_ONCE_REMOVE, 4, 0, RIPPLE_FRAMES, RIPPLE_FRAMES, ROW(ENTRY_RIPPLE)}};
static const SeqSpec FLOAT_SEQS[] = {{0, ANIM_STILL, 0, 0, 1, 1, {ENTRY_FLOAT}}};
static const SeqSpec BREATH_MARKER_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_BREATH_MARKER}}};
static const SeqSpec SPLASH_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_SPLASH}}};
static const SeqSpec CATAPULT_SEQS[] = {{0, ANIM_STILL, 0, 0, 0, 1, {ENTRY_CATAPULT}}};

#define TYPE_ROW(type, seqs, vx, vy, lifetime, armed) \
  { type, seqs, N_OF(seqs), vx, vy, lifetime, armed }

static const TypeSpec TYPES[] = {
    TYPE_ROW(TYPE_PLAYER, PLAYER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_OPPONENT_A, OPPONENT_A_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_OPPONENT_B, OPPONENT_B_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_OPPONENT_C, OPPONENT_C_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_STARTER, STARTER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_LINE_JUDGE, LINE_JUDGE_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_MEASURER, MEASURER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_SIGN, SIGN_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_SHOT, SHOT_SEQS, 3.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_BALLOON, BALLOON_SEQS, 0.0f, 0.0f, -1, 1),
    TYPE_ROW(TYPE_BALLOON_STAND, BALLOON_STAND_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_POINTS_LABEL, LABEL_SEQS, 0.0f, 8.0f, -1, 0),
    TYPE_ROW(TYPE_BURST, BURST_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_BALL, BALL_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_BALL_SHADOW, SHADOW_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_DUST, DUST_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_LANDING_MARK, MARK_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_START_LINE, START_LINE_SEQS, 0.0f, 0.0f, 150, 0),
    TYPE_ROW(TYPE_DISTANCE_MARKER, DISTANCE_MARKER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_RIPPLE, RIPPLE_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_FLOAT, FLOAT_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_BREATH_MARKER, BREATH_MARKER_SEQS, 0.0f, 0.0f, -1, 0),
    TYPE_ROW(TYPE_SPLASH, SPLASH_SEQS, 0.0f, 0.0f, 20, 0),
    TYPE_ROW(TYPE_CATAPULT, CATAPULT_SEQS, 0.0f, 0.0f, -1, 0),
};

static const TypeSpec *find_type(int type) {
  for (int i = 0; i < N_OF(TYPES); i++)
    if (TYPES[i].type == type) return &TYPES[i];
  return nullptr;
}

// The points label's picture for its points, or -1 for any other value.
static int points_label_frame(int points) {
  switch (points) {
    case 1: return ENTRY_POINTS_1;
    case 5: return ENTRY_POINTS_5;
    case 10: return ENTRY_POINTS_10;
    case 20: return ENTRY_POINTS_20;
    case 50: return ENTRY_POINTS_50;
    default: return -1;
  }
}

int object_type_known(int type, int param) {
  if (!find_type(type)) return 0;
  if (type == TYPE_POINTS_LABEL) return points_label_frame(param) >= 0;
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
    if (obj->type == TYPE_POINTS_LABEL && points_label_frame(param) >= 0) obj->seqs[0].frames[0] = points_label_frame(param);
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
  if (obj->cur.id == SEQ_MEASURER_WALK && obj->cur.timer == 0) obj->x = (float)(obj->x + 5.0);
}

// Balloons drift to a stop sideways, settle on their rising speed and
// leave once above the World.
static void move_balloon(GameObject *obj) {
  if (obj->cur.id != SEQ_BALLOON_FLOAT && obj->cur.id != SEQ_BALLOON_WOBBLE) return;
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
  if (obj->type == TYPE_MEASURER) move_measurer(obj);
  else if (obj->type == TYPE_BALLOON) move_balloon(obj);
  else if (obj->type == TYPE_POINTS_LABEL) move_points_label(obj);
  if (!obj->active) return;
  obj->x += obj->vx;
  obj->y += obj->vy;
}

void frame_size(int entry, int *width, int *height) {
  BITMAP *bmp = dat_bitmap(entry);
  if (width) *width = bmp ? bmp->w : 0;
  if (height) *height = bmp ? bmp->h : 0;
}
