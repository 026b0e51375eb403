// The World and its two cameras: rendering the background and the objects
// into a camera's view and copying the view out.
#include "objects/objects.h"

#include "shell/shell.h"

#include <cstring>

WorldData World;
Camera Cameras[MAX_CAMERAS];

static Camera *camera_at(int camera) {
  if (camera < 0 || camera >= MAX_CAMERAS) return nullptr;
  return &Cameras[camera];
}

static void drop_view(Camera *cam) {
  if (cam->view) destroy_bitmap(cam->view);
  cam->view = nullptr;
}

// A view that could not be made stays null: the camera then has no view
// and renders and copies nothing.
static BITMAP *make_view(int w, int h) {
  if (w <= 0 || h <= 0) return nullptr;
  return create_bitmap(w, h);
}

void begin_scene(int worldWidth, int worldHeight, int background) {
  for (int i = 0; i < MAX_CAMERAS; i++) {
    Camera *cam = &Cameras[i];
    // A scene begun without ending the last one must not leak its views.
    drop_view(cam);
    cam->id = i;
    cam->x = cam->y = cam->w = cam->h = 0;
    cam->view = make_view(1, 1);
  }
  for (int i = 0; i < MAX_OBJECTS; i++) reset_object(&ObjectPool[i]);
  World.worldWidth = worldWidth;
  World.worldHeight = worldHeight;
  World.background = background;
}

void end_scene(void) {
  for (int i = 0; i < MAX_CAMERAS; i++) drop_view(&Cameras[i]);
}

void setup_camera(int camera, int w, int h) {
  Camera *cam = camera_at(camera);
  if (!cam) return;
  cam->x = cam->y = 0;
  cam->w = w;
  cam->h = h;
  drop_view(cam);
  cam->view = make_view(w, h);
}

void scroll_camera(int camera, int x) {
  Camera *cam = camera_at(camera);
  if (!cam) return;
  cam->x = x;
  if (cam->x < 0) cam->x = 0;
  if (cam->x > World.worldWidth - cam->w) cam->x = World.worldWidth - cam->w;
}

static void draw_layer(int camera, int layer) {
  for (int i = 0; i < MAX_OBJECTS; i++) {
    GameObject *obj = &ObjectPool[i];
    if (obj->active && obj->layer == layer) draw_object(camera, obj);
  }
}

// The background blitted over the whole view leaves nothing of the clear.
static int covers_view(const BITMAP *background, const Camera *cam) {
  return background && cam->x >= 0 && cam->y >= 0 && cam->x + cam->w <= background->w &&
         cam->y + cam->h <= background->h;
}

void render_camera(int camera) {
  Camera *cam = camera_at(camera);
  if (!cam || !cam->view) return;
  BITMAP *background = World.background != -1 ? dat_bitmap(World.background) : nullptr;
  if (!covers_view(background, cam)) clear_to_color(cam->view, 0);
  if (background) blit(background, cam->view, cam->x, cam->y, 0, 0, cam->w, cam->h);
  for (int layer = 0; layer < MAX_LAYERS; layer++) draw_layer(camera, layer);
}

int draw_object(int camera, GameObject *obj) {
  Camera *cam = camera_at(camera);
  if (!cam || !cam->view || !obj) return 0;
  int sx = (int)obj->x - cam->x;
  int sy = (int)obj->y - cam->y;
  if (sx >= cam->w || sy >= cam->h || sx + obj->width <= 0 || sy + obj->height <= 0) return 0;
  BITMAP *sprite = current_frame_bitmap(obj);
  if (!sprite) return 1;
  if (obj->flipped == 1) draw_sprite_h_flip(cam->view, sprite, sx, sy);
  else draw_sprite(cam->view, sprite, sx, sy);
  return 1;
}

static int plain_16(const BITMAP *b) { return is_memory_bitmap((BITMAP *)b) && bitmap_color_depth((BITMAP *)b) == 16; }

typedef unsigned short Pixels8 __attribute__((vector_size(16)));

// One row of masked_blit's pixels, eight at a time.
static void masked_row(unsigned short *d, const unsigned short *s, int w) {
  const Pixels8 mask = Pixels8{} + (unsigned short)MASK_COLOUR_16;
  int i = 0;
  for (; i + 8 <= w; i += 8) {
    Pixels8 src, dst;
    memcpy(&src, s + i, sizeof src);
    memcpy(&dst, d + i, sizeof dst);
    Pixels8 hole = (Pixels8)(src == mask);
    dst = (dst & hole) | (src & ~hole);
    memcpy(d + i, &dst, sizeof dst);
  }
  for (; i < w; i++)
    if (s[i] != MASK_COLOUR_16) d[i] = s[i];
}

// masked_blit's pixels in vector code: a camera's view covers most of every
// frame.
static void masked_copy(BITMAP *src, BITMAP *dst, int x, int y) {
  if (!plain_16(src) || !plain_16(dst)) {
    masked_blit(src, dst, 0, 0, x, y, src->w, src->h);
    return;
  }
  int sx = x < dst->cl ? dst->cl - x : 0, sy = y < dst->ct ? dst->ct - y : 0;
  int w = (x + src->w > dst->cr ? dst->cr - x : src->w) - sx;
  int h = (y + src->h > dst->cb ? dst->cb - y : src->h) - sy;
  for (int r = 0; r < h && w > 0; r++)
    masked_row((unsigned short *)dst->line[y + sy + r] + x + sx, (const unsigned short *)src->line[sy + r] + sx, w);
}

void blit_camera(BITMAP *dest, int camera, int x, int y, int scale) {
  Camera *cam = camera_at(camera);
  if (!dest || !cam || !cam->view || cam->w <= 0 || cam->h <= 0) return;
  if (scale == 1 && cam->view->w == cam->w && cam->view->h == cam->h) masked_copy(cam->view, dest, x, y);
  else if (scale == 1) masked_blit(cam->view, dest, 0, 0, x, y, cam->w, cam->h);
  else if (scale > 1) masked_stretch_blit(cam->view, dest, 0, 0, cam->w, cam->h, x, y, cam->w * scale, cam->h * scale);
}
