// The real platform driver: Allegro on X11. Everything that knows about the
// window system lives here.
#include "shell/platform.h"
#include "shell/shell.h"
#include "persist/persist.h"

#include <xalleg.h>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

static void (*TimerCallback)(void) = nullptr;

void plat_idle(void) {
  if (keyboard_needs_poll()) poll_keyboard();
}

void plat_present(BITMAP *backbuffer) {
  if (!backbuffer || !screen) return;
  acquire_screen();
  vsync();
  stretch_blit(backbuffer, screen, 0, 0, 320, 240, 0, 0, 640, 480);
  release_screen();
}

void plat_rest(int ms) { rest(ms); }

int plat_install_timer(void (*callback)(void), int hz) {
  if (install_timer() != 0) return 0;
  LOCK_VARIABLE(TickCounter);
  LOCK_FUNCTION(callback);
  if (install_int_ex(callback, BPS_TO_TIMER(hz)) != 0) return 0;
  TimerCallback = callback;
  return 1;
}

void plat_remove_timer(void) {
  if (TimerCallback) remove_int(TimerCallback);
  TimerCallback = nullptr;
}

int plat_set_gfx_mode(int card, int w, int h) { return set_gfx_mode(card, w, h, 0, 0); }

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
