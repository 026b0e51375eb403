// The thin layer between the game and the machine it runs on. The game
// links the real driver (Allegro on X11); tests link a headless one with a
// virtual 60 Hz clock and scripted keys.
#pragma once

#include <allegro.h>

// Called on every pass of every spinning wait, so a headless clock can move;
// the real driver sleeps there until the next tick when none came since the
// last pass.
void plat_idle(void);
// Shows the 320x240 frame on the screen, scaled and placed as plat_set_view
// says, once the display has taken the last one.
void plat_present(BITMAP *backbuffer);
// The same for a 640x480 picture (the splash, the program error screen):
// shown over the same area, at half the zoom.
void plat_present_picture(BITMAP *picture);
// Frames land with their top left corner at (x, y) of the screen, zoom
// times their size. Set after every screen mode.
void plat_set_view(int x, int y, int zoom);
void plat_rest(int ms);
// (Re)installs the callback at hz times a second, 1 when it runs; remove
// stops it.
int plat_install_timer(void (*callback)(void), int hz);
void plat_remove_timer(void);
void plat_centre_window(void);
// What the display offers, read before a screen mode is chosen; sizes of 0
// mean unknown.
struct DisplayInfo {
  int desktopWidth, desktopHeight;  // room for a window (less the panels)
  int displayWidth, displayHeight;  // the whole screen
  int hasMode640x480;               // full screen can switch to 640x480
};
void plat_display_info(DisplayInfo *info);
// Sets a screen mode of w x h; 0 on success, as set_gfx_mode. On failure
// there may be no screen left at all.
int plat_set_gfx_mode(int card, int w, int h);
// The modal start-up failure message.
void plat_error_box(const char *caption, const char *text);
// A lost display connection ends the program at once with this status and
// a message on stderr (after a save under way has ended); X protocol errors
// are reported and passed over.
#define EXIT_DISPLAY_LOST 69
void plat_watch_display(void);
