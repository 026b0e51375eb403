// Where the 320x240 picture lands on the display, and the 640x480 canvas
// that start-up and the program error screen draw on.
#include "shell/platform.h"
#include "shell/shell.h"

#define PICTURE_W 320
#define PICTURE_H 240
#define DEFAULT_ZOOM 2

static BITMAP *ScreenCanvas = nullptr;

// The largest whole zoom that fits w x h, at least 1; an unknown size is
// taken as room for today's 640x480.
static int largest_zoom(int w, int h) {
  if (w <= 0 || h <= 0) return DEFAULT_ZOOM;
  int zw = w / PICTURE_W, zh = h / PICTURE_H;
  int zoom = zw < zh ? zw : zh;
  return zoom < 1 ? 1 : zoom;
}

static ScreenLayout centred(int card, int width, int height, int zoom) {
  ScreenLayout layout;
  layout.card = card;
  layout.width = width;
  layout.height = height;
  layout.zoom = zoom;
  layout.x = (width - PICTURE_W * zoom) / 2;
  layout.y = (height - PICTURE_H * zoom) / 2;
  layout.fellBack = 0;
  return layout;
}

static ScreenLayout window_layout(int zoom, const DisplayInfo &display) {
  int fit = largest_zoom(display.desktopWidth, display.desktopHeight);
  if (zoom < 0) zoom = DEFAULT_ZOOM;
  int fellBack = 0;
  if (zoom == 0) {
    zoom = fit;
  } else if (zoom > fit && zoom > DEFAULT_ZOOM) {
    // Today's window stays whatever the desktop: a larger zoom comes down.
    zoom = fit > DEFAULT_ZOOM ? fit : DEFAULT_ZOOM;
    fellBack = 1;
  }
  ScreenLayout layout = centred(GFX_AUTODETECT_WINDOWED, PICTURE_W * zoom, PICTURE_H * zoom, zoom);
  layout.fellBack = fellBack;
  return layout;
}

ScreenLayout choose_screen_layout(int windowed, int zoom, const DisplayInfo &display) {
  if (windowed) return window_layout(zoom, display);
  if (display.hasMode640x480 || display.displayWidth <= 0 || display.displayHeight <= 0)
    return centred(GFX_AUTODETECT_FULLSCREEN, 640, 480, DEFAULT_ZOOM);
  // No 640x480 mode to switch to: the whole display, with the picture as
  // large as fits in its middle.
  int fit = largest_zoom(display.displayWidth, display.displayHeight);
  return centred(GFX_AUTODETECT_FULLSCREEN, display.displayWidth, display.displayHeight, fit);
}

BITMAP *screen_canvas(void) {
  if (!ScreenCanvas) {
    ScreenCanvas = create_bitmap(640, 480);
    if (ScreenCanvas) clear_to_color(ScreenCanvas, 0);
  }
  return ScreenCanvas;
}

void show_screen_canvas(void) {
  if (ScreenCanvas) plat_present_picture(ScreenCanvas);
}

void free_screen_canvas(void) {
  if (ScreenCanvas) destroy_bitmap(ScreenCanvas);
  ScreenCanvas = nullptr;
}
