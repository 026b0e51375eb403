// The real platform driver: Allegro on X11. Everything that knows about the
// window system lives here.
#include "shell/platform.h"
#include "shell/shell.h"
#include "persist/persist.h"

#include <xalleg.h>
#include <X11/Xatom.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

static void (*TimerCallback)(void) = nullptr;

// Allegro's background thread wakes every millisecond to look for window
// and keyboard events, though it handles them once per 10 ms of elapsed
// time: most of what an idle game costs. Made while the program's timer
// slack is loose, it inherits that slack and wakes about every 5 ms, with
// the same 10 ms rhythm on average; the slack is tightened again before
// any other thread is made.
__attribute__((constructor)) static void loosen_timer_slack(void) { prctl(PR_SET_TIMERSLACK, 4000000UL); }

static void tighten_timer_slack(void) { prctl(PR_SET_TIMERSLACK, 0UL); }

// Frames are scaled and converted in one pass straight into Allegro's own
// image of the window (shared memory where the display is local) and put
// with one request; Allegro keeps the window, its redrawing on exposure
// from that same image, the keyboard and the timer. Where the image is in
// a form not handled here, Allegro's stretch_blit does the work.
struct Presenter {
  int x, y, zoom;
  int direct;  // the image is written here rather than through Allegro
  int bytes;
  unsigned table[65536];
  BITMAP *shown;  // the frame last put, so only what changed is put again
  int shownValid;
  int unsynced;  // a put the display may not have read yet
};
static Presenter View = {0, 0, 2, 0, 0, {}, nullptr, 0, 0};

// The logic clock's ticks as seen here: a loop that finds no new tick since
// its last pass sleeps until the next one instead of spinning, at most 20 ms
// so that a closed window or a stopped clock is still noticed.
static int PlatTicks = 0, SeenTicks = 0;
static pthread_mutex_t TickLock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t TickCond = PTHREAD_COND_INITIALIZER;

static void timer_tick(void) {
  if (TimerCallback) TimerCallback();
  pthread_mutex_lock(&TickLock);
  PlatTicks++;
  pthread_cond_signal(&TickCond);
  pthread_mutex_unlock(&TickLock);
}
END_OF_STATIC_FUNCTION(timer_tick)

static void wait_next_tick(void) {
  pthread_mutex_lock(&TickLock);
  if (PlatTicks == SeenTicks) {
    struct timespec until;
    clock_gettime(CLOCK_REALTIME, &until);
    until.tv_nsec += 20000000L;
    if (until.tv_nsec >= 1000000000L) {
      until.tv_sec++;
      until.tv_nsec -= 1000000000L;
    }
    pthread_cond_timedwait(&TickCond, &TickLock, &until);
  }
  SeenTicks = PlatTicks;
  pthread_mutex_unlock(&TickLock);
}

void plat_idle(void) {
  if (keyboard_needs_poll()) poll_keyboard();
  if (TimerCallback) wait_next_tick();
}

static int little_endian(void) {
  const unsigned one = 1;
  return *(const unsigned char *)&one == 1;
}

// Whether the window's image is one the scaler can write: true colour,
// 2, 3 or 4 bytes a pixel least significant first, and room for the view.
static int image_writable(void) {
  XImage *img = _xwin.ximage;
  if (!img || _xwin.window == None || !_xwin.visual || _xwin.visual->c_class != TrueColor) return 0;
  if (img->format != ZPixmap || img->byte_order != LSBFirst || !little_endian()) return 0;
  if (img->bits_per_pixel != 16 && img->bits_per_pixel != 24 && img->bits_per_pixel != 32) return 0;
  return View.x >= 0 && View.y >= 0 && View.x + 320 * View.zoom <= img->width &&
         View.y + 240 * View.zoom <= img->height;
}

static void prepare_presenter(void) {
  View.shownValid = 0;
  View.direct = image_writable();
  if (!View.direct) return;
  PixelFormat format = {_xwin.ximage->bits_per_pixel / 8, (unsigned)_xwin.ximage->red_mask,
                        (unsigned)_xwin.ximage->green_mask, (unsigned)_xwin.ximage->blue_mask};
  View.bytes = format.bytes;
  build_colour_table(format, View.table);
  if (!View.shown) View.shown = create_bitmap_ex(16, 320, 240);
}

static unsigned char *image_origin(void) {
  XImage *img = _xwin.ximage;
  return (unsigned char *)img->data + (size_t)View.y * img->bytes_per_line + (size_t)View.x * View.bytes;
}

// Puts a rectangle of the image on the window and sends it on its way.
static void put_image(int x, int y, int w, int h) {
  if (_xwin.use_shm)
    XShmPutImage(_xwin.display, _xwin.window, _xwin.gc, _xwin.ximage, x, y, x, y, w, h, False);
  else
    XPutImage(_xwin.display, _xwin.window, _xwin.gc, _xwin.ximage, x, y, x, y, w, h);
  XFlush(_xwin.display);
  View.unsynced = 1;
}

// The display must have read the last put before the image is written again.
static void sync_image(void) {
  if (View.unsynced) XSync(_xwin.display, False);
  View.unsynced = 0;
}

// Only the part that changed since the last frame is scaled and put.
static void present_direct(BITMAP *frame) {
  int x = 0, y = 0, w = 320, h = 240;
  if (View.shownValid && !changed_rect(frame, View.shown, &x, &y, &w, &h)) return;
  int z = View.zoom;
  XLOCK();
  sync_image();
  scale_rect(frame, x, y, w, h, z, View.table, View.bytes, image_origin(), _xwin.ximage->bytes_per_line);
  put_image(View.x + x * z, View.y + y * z, w * z, h * z);
  XUNLOCK();
  if (View.shown) {
    blit(frame, View.shown, x, y, x, y, w, h);
    View.shownValid = 1;
  }
}

static void present_through_allegro(BITMAP *bmp) {
  acquire_screen();
  stretch_blit(bmp, screen, 0, 0, bmp->w, bmp->h, View.x, View.y, 320 * View.zoom, 240 * View.zoom);
  release_screen();
}

void plat_present(BITMAP *backbuffer) {
  if (!backbuffer || !screen) return;
  if (View.direct) {
    present_direct(backbuffer);
  } else {
    vsync();
    present_through_allegro(backbuffer);
  }
}

void plat_present_picture(BITMAP *picture) {
  if (!picture || !screen) return;
  if (!View.direct) {
    present_through_allegro(picture);
    return;
  }
  int w = 320 * View.zoom, h = 240 * View.zoom;
  XLOCK();
  sync_image();
  scale_to_size(picture, w, h, View.table, View.bytes, image_origin(), _xwin.ximage->bytes_per_line);
  put_image(View.x, View.y, w, h);
  XUNLOCK();
  View.shownValid = 0;
}

void plat_set_view(int x, int y, int zoom) {
  View.x = x;
  View.y = y;
  View.zoom = zoom;
  prepare_presenter();
}

void plat_rest(int ms) { rest(ms); }

int plat_install_timer(void (*callback)(void), int hz) {
  if (install_timer() != 0) return 0;
  LOCK_VARIABLE(TickCounter);
  LOCK_FUNCTION(callback);
  LOCK_FUNCTION(timer_tick);
  TimerCallback = callback;
  if (install_int_ex(timer_tick, BPS_TO_TIMER(hz)) == 0) return 1;
  TimerCallback = nullptr;
  return 0;
}

void plat_remove_timer(void) {
  if (TimerCallback) remove_int(timer_tick);
  TimerCallback = nullptr;
}

int plat_set_gfx_mode(int card, int w, int h) {
  View.direct = 0;
  View.shownValid = 0;
  return set_gfx_mode(card, w, h, 0, 0);
}

// The usable area of the current desktop as the window manager gives it.
static int work_area(Display *d, int *w, int *h) {
  Atom area = XInternAtom(d, "_NET_WORKAREA", True);
  if (area == None) return 0;
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char *data = nullptr;
  int ok = XGetWindowProperty(d, DefaultRootWindow(d), area, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                              &after, &data) == Success &&
           format == 32 && count >= 4;
  if (ok) {
    *w = (int)((long *)(void *)data)[2];
    *h = (int)((long *)(void *)data)[3];
  }
  if (data) XFree(data);
  return ok && *w > 0 && *h > 0;
}

// Allegro switches full-screen modes only on a local display with VidMode.
static int has_mode(Display *d, int w, int h) {
  const char *name = XDisplayName(nullptr);
  if (name && name[0] != ':' && strncmp(name, "unix:", 5) != 0) return 0;
  int events, errors, count = 0, found = 0;
  XF86VidModeModeInfo **modes = nullptr;
  if (!XF86VidModeQueryExtension(d, &events, &errors) ||
      !XF86VidModeGetAllModeLines(d, DefaultScreen(d), &count, &modes))
    return 0;
  for (int i = 0; i < count; i++) {
    found |= modes[i]->hdisplay == w && modes[i]->vdisplay == h;
    if (modes[i]->privsize > 0) XFree(modes[i]->c_private);
  }
  XFree(modes);
  return found;
}

void plat_display_info(DisplayInfo *info) {
  // Allegro is running: the first call after allegro_init.
  tighten_timer_slack();
  memset(info, 0, sizeof *info);
  Display *d = _xwin.display;
  if (!d) return;
  XLOCK();
  info->displayWidth = DisplayWidth(d, DefaultScreen(d));
  info->displayHeight = DisplayHeight(d, DefaultScreen(d));
  if (!work_area(d, &info->desktopWidth, &info->desktopHeight)) {
    info->desktopWidth = info->displayWidth;
    info->desktopHeight = info->displayHeight;
  }
  info->hasMode640x480 = has_mode(d, 640, 480);
  XUNLOCK();
}

void plat_centre_window(void) {
  Display *display = _xwin.display;
  Window window = _xwin.wm_window ? _xwin.wm_window : _xwin.window;
  if (!display || !window) return;
  XLockDisplay(display);
  XWindowAttributes win, desk;
  if (XGetWindowAttributes(display, window, &win) &&
      XGetWindowAttributes(display, DefaultRootWindow(display), &desk)) {
    int left = (desk.width - win.width) / 2;
    int top = (desk.height - win.height) / 2;
    XMoveWindow(display, window, left, top);
    XFlush(display);
  }
  XUnlockDisplay(display);
}

// A signal that asks the game to stop also closes the message.
static void wait_message(pid_t pid) {
  if (pid <= 0) return;
  while (waitpid(pid, nullptr, WNOHANG) == 0) {
    if (QuitFlag) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
      return;
    }
    usleep(20 * 1000);
  }
}

// The text goes to stderr always, and to a modal message window when there
// is a display to show one on.
void plat_error_box(const char *caption, const char *text) {
  fprintf(stderr, "%s: %s\n", caption, text);
  if (!getenv("DISPLAY")) return;
  pid_t pid = fork();
  if (pid == 0) {
    execlp("xmessage", "xmessage", "-center", "-title", caption, "-buttons", "OK:0", "-default", "OK", text,
           (char *)nullptr);
    _exit(127);
  }
  wait_message(pid);
}

// --- A display that goes away ---

// Xlib's own answer is exit(), whose exit handlers run Allegro's shutdown,
// which waits for ever on locks held by the thread that met the error. Here
// nothing but atomics, write and _exit: a save under way may end first.
static int on_display_lost(Display *) {
  static const char TEXT[] = GAME_TITLE ": the connection to the display was lost; the game has stopped.\n";
  stop_saving(800);
  if (write(2, TEXT, sizeof TEXT - 1) < 0) {
    // Nowhere left to tell.
  }
  _exit(EXIT_DISPLAY_LOST);
}

// A request about a window that has just gone is no reason to stop.
static int on_protocol_error(Display *, XErrorEvent *e) {
  static int told = 0;
  if (told++ < 3)
    fprintf(stderr, GAME_TITLE ": X error %d (request %d) passed over.\n", e->error_code, e->request_code);
  return 0;
}

void plat_watch_display(void) {
  XSetIOErrorHandler(on_display_lost);
  XSetErrorHandler(on_protocol_error);
}
