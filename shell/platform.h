// The thin layer between the game and the machine it runs on. The game
// links the real driver (Allegro on X11); tests link a headless one with a
// virtual 60 Hz clock and scripted keys.
#pragma once

#include <allegro.h>

// Called on every pass of every spinning wait, so a headless clock can move.
void plat_idle(void);
// Waits for the retrace and shows the 320x240 frame doubled on the screen.
void plat_present(BITMAP *backbuffer);
void plat_rest(int ms);
// (Re)installs the callback at hz times a second, 1 when it runs; remove
// stops it.
int plat_install_timer(void (*callback)(void), int hz);
void plat_remove_timer(void);
void plat_centre_window(void);
// Sets the 640x480 screen mode; 0 on success, as set_gfx_mode. On failure
// there may be no screen left at all.
int plat_set_gfx_mode(int card, int w, int h);
// The modal start-up failure message.
void plat_error_box(const char *caption, const char *text);
// A lost display connection ends the program at once with this status and
// a message on stderr (after a save under way has ended); X protocol errors
// are reported and passed over.
#define EXIT_DISPLAY_LOST 69
void plat_watch_display(void);
