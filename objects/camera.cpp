// The World and its two cameras: rendering the background and the objects
// into a camera's view and copying the view out.
#include "objects/objects.h"

#include "shell/shell.h"

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

void render_camera(int camera) {
  Camera *cam = camera_at(camera);
  if (!cam || !cam->view) return;
  clear_to_color(cam->view, 0);
  BITMAP *background = World.background != -1 ? dat_bitmap(World.background) : nullptr;
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

void blit_camera(BITMAP *dest, int camera, int x, int y, int scale) {
  Camera *cam = camera_at(camera);
  if (!dest || !cam || !cam->view || cam->w <= 0 || cam->h <= 0) return;
  if (scale == 1) masked_blit(cam->view, dest, 0, 0, x, y, cam->w, cam->h);
  else if (scale > 1) masked_stretch_blit(cam->view, dest, 0, 0, cam->w, cam->h, x, y, cam->w * scale, cam->h * scale);
}
