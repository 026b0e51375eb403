// The object pool: adding, removing, the per-tick update and the
// pixel-exact collision test.
#include "objects/objects.h"

#include <cstdio>

#include "shell/shell.h"

GameObject ObjectPool[MAX_OBJECTS];

// The "pool full" screen is shown once per run, never again.
static int PoolFullReported = 0;

void reset_sequence(AnimSeq *seq, int id) {
  if (!seq) return;
  seq->id = id;
  for (int i = 0; i < MAX_FRAMES; i++) seq->frames[i] = 0;
  seq->frame = 0;
  seq->count = 1;
  seq->mode = ANIM_STILL;
  seq->delay = 0;
  seq->timer = 0;
  seq->step = 1;
  seq->next = 0;
}

void reset_object(GameObject *obj) {
  if (!obj) return;
  // layer is left alone: add_object always sets it.
  obj->active = 0;
  obj->type = 0;
  obj->x = obj->y = 0.0f;
  obj->vx = obj->vy = 0.0f;
  obj->targetVy = 0.0f;
  obj->width = obj->height = 0;
  for (int k = 0; k < MAX_SEQUENCES; k++) reset_sequence(&obj->seqs[k], k);
  reset_sequence(&obj->cur, -1);
  obj->lifetime = -1;
  obj->armed = 0;
  obj->flipped = 0;
  obj->autoFace = 0;
}

GameObject *object_at(int index) {
  if (index < 0 || index >= MAX_OBJECTS) return nullptr;
  return &ObjectPool[index];
}

void reset_pool_full_report(void) { PoolFullReported = 0; }

static int lowest_free_slot(void) {
  for (int i = 0; i < MAX_OBJECTS; i++)
    if (!ObjectPool[i].active) return i;
  return -1;
}

static void report_pool_full(int type) {
  if (PoolFullReported) return;
  PoolFullReported = 1;
  char text[96];
  snprintf(text, sizeof text, "Object array full whilst trying to add object type %i", type);
  program_error_screen(text);
}

int add_object(int x, int y, int layer, int type, int param) {
  // An unknown type would show a stray picture; refuse it instead.
  if (!object_type_known(type, param)) return -1;
  int slot = lowest_free_slot();
  if (slot < 0) {
    report_pool_full(type);
    return -1;
  }
  GameObject *obj = &ObjectPool[slot];
  reset_object(obj);
  obj->active = 1;
  obj->x = (float)x;
  obj->y = (float)y;
  obj->layer = layer;
  obj->type = type;
  setup_object_type(obj, param);
  set_sequence(obj, 0);
  return slot;
}

void remove_object(GameObject *obj) {
  if (obj) obj->active = 0;
}

void update_object(GameObject *obj) {
  if (!obj || !obj->active) return;
  if (obj->lifetime > 0) obj->lifetime--;
  if (obj->lifetime == 0) {
    remove_object(obj);
    return;
  }
  animate_object(obj);
  if (!obj->active) return;
  move_object(obj);
}

void update_objects(void) {
  for (int i = 0; i < MAX_OBJECTS; i++) update_object(&ObjectPool[i]);
}

// The bitmap of the frame the object shows now, or null.
BITMAP *current_frame_bitmap(const GameObject *obj) {
  int f = obj->cur.frame;
  if (f < 0 || f >= MAX_FRAMES) return nullptr;
  return dat_bitmap(obj->cur.frames[f]);
}

// The object's current frame in a bitmap of its own size, mirrored when
// flipped; null when there is nothing to test against.
static BITMAP *collision_image(const GameObject *obj) {
  if (obj->width <= 0 || obj->height <= 0) return nullptr;
  BITMAP *image = create_bitmap(obj->width, obj->height);
  if (!image) return nullptr;
  // Cleared in both cases so a frame smaller than the object leaves
  // nothing undefined behind it.
  clear_to_color(image, bitmap_mask_color(image));
  BITMAP *frame = current_frame_bitmap(obj);
  if (frame && obj->flipped == 1)
    draw_sprite_h_flip(image, frame, 0, 0);
  else if (frame)
    blit(frame, image, 0, 0, 0, 0, obj->width, obj->height);
  return image;
}

int objects_collide(GameObject *a, GameObject *b) {
  if (!a || !b || !a->active || !b->active) return 0;
  int ax = (int)a->x, ay = (int)a->y;
  int bx = (int)b->x, by = (int)b->y;
  if (!rects_overlap(ax, ay, a->width, a->height, bx, by, b->width, b->height)) return 0;
  BITMAP *imageA = collision_image(a);
  BITMAP *imageB = collision_image(b);
  int hit = (imageA && imageB) ? pixel_overlap(imageA, imageB, ax, ay, bx, by) : 0;
  if (imageA) destroy_bitmap(imageA);
  if (imageB) destroy_bitmap(imageB);
  return hit;
}

static int is_hicolour(BITMAP *bmp) {
  int depth = bitmap_color_depth(bmp);
  return depth == 15 || depth == 16;
}

// Start of the overlap inside each of two spans that begin at pa and pb.
static void overlap_starts(int pa, int pb, int *startA, int *startB) {
  if (pa > pb) {
    *startA = 0;
    *startB = pa - pb;
  } else {
    *startA = pb - pa;
    *startB = 0;
  }
}

static int min_int(int a, int b) { return a < b ? a : b; }

int pixel_overlap(BITMAP *a, BITMAP *b, int ax, int ay, int bx, int by) {
  // Both are read as 16-bit pixels, so both must be 15 or 16 bits deep.
  if (!a || !b || !is_hicolour(a) || !is_hicolour(b)) return 0;
  int colA, colB, rowA, rowB;
  overlap_starts(ax, bx, &colA, &colB);
  overlap_starts(ay, by, &rowA, &rowB);
  int w = min_int(a->w - colA, b->w - colB);
  int h = min_int(a->h - rowA, b->h - rowB);
  int mask = bitmap_mask_color(a);
  for (int r = h - 1; r >= 0; r--) {
    const unsigned short *lineA = (const unsigned short *)a->line[rowA + r] + colA;
    const unsigned short *lineB = (const unsigned short *)b->line[rowB + r] + colB;
    for (int c = w - 1; c >= 0; c--)
      if (lineA[c] != mask && lineB[c] != mask) return 1;
  }
  return 0;
}
