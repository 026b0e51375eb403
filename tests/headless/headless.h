// Headless driver: runs the real screens and events with no display, no
// timer and no sound card. A virtual 60 Hz clock moves one tick on every
// pass of a spinning loop (plat_idle), or more where a test makes it owe
// ticks, Allegro's key[] array follows a
// per-tick script, rand() is seeded, presents are counted and the
// Backbuffer can be saved as PNG at chosen ticks.
#pragma once

#include <allegro.h>
#include "shell/platform.h"
#include <string>

#include "sound/fsound.h"

struct HeadlessOptions {
  unsigned seed = 1;
  // Folder the test runs in (settings and records files go there); empty
  // means a fresh temporary folder.
  std::string workDir;
  // Load the main datafile and grab the fonts.
  bool loadData = true;
  // Safety net: after this many virtual ticks QuitFlag is set.
  int tickLimit = 200000;
};

// Starts Allegro with no system driver, a 640x480 memory screen, the
// Backbuffer, default settings, controls, fake sound output and (by default)
// the main datafile and fonts. Returns false when any of it fails.
bool headless_start(const HeadlessOptions &options = HeadlessOptions());
// The same without the main datafile and fonts, for tests that need neither.
bool headless_start_bare(void);
void headless_stop(void);

// Virtual clock: the number of ticks since start.
int headless_tick(void);
// Catch-up: the idle pass that reaches tick moves the clock on to at least
// tick + n - 1, so the loop finds the ticks up to there owed before its next
// frame. With every set, each pass from tick on moves the clock n ticks.
void headless_owe(int tick, int n, bool every);
// The window's close button, pressed as the clock reaches tick.
void headless_close_at(int tick);
// Stop the clock from moving on idle passes (for tests that drive
// TickCounter themselves).
void headless_freeze_clock(int frozen);

// Input script: key (Allegro key code) held on ticks from..to inclusive.
void headless_hold(int keycode, int fromTick, int toTick);
void headless_clear_script(void);
// Holds a key right now (until released), outside the script.
void headless_press(int keycode);
void headless_release(int keycode);

// Called after every virtual tick with the new tick number.
void headless_on_tick(void (*callback)(int tick));
// Called on every present with the frame shown (the 320x240 Backbuffer, or
// a 640x480 picture such as the splash) and the tick it is shown at.
void headless_on_present(void (*callback)(BITMAP *frame, int tick));

// Counters of what the game did through the platform layer.
int headless_presents(void);
int headless_rests(void);
int headless_last_rest_ms(void);
int headless_timer_hz(void);
// The timer cannot be installed until the next start.
void headless_break_timer(int broken);
int headless_error_boxes(void);

// Screen modes: the next count mode sets fail (leaving no screen, as a real
// failed mode change does); later ones succeed with a fresh memory screen.
void headless_fail_gfx_modes(int count);
// Mode sets asked for since start, and the driver of the last one.
int headless_gfx_modes(void);
int headless_gfx_card(void);

// What the display offers (by default a 1024x768 desktop whose full screen
// can switch to 640x480), and where frames land after a mode set.
void headless_set_display(const DisplayInfo &display);
void headless_view(int *x, int *y, int *zoom);
// Frames are scaled onto the memory screen as the real driver shows them
// (off by default, for speed); 640x480 pictures always are.
void headless_frames_on_screen(int on);
int headless_pictures(void);
// The sound library's channel calls since the last clear, oldest first (the
// driver sets the library's trace hook on start).
int sound_log_count(void);
// Entry i of the kept calls; 0 when out of range.
int sound_log_entry(int i, FsoundLogEntry *entry);
void sound_log_clear(void);

// Save the Backbuffer as PNG after the first present at or after a tick.
void headless_snapshot(int tick, const std::string &pngPath);
bool headless_save_png(BITMAP *bmp, const std::string &pngPath);

// The working folder of this run.
const std::string &headless_work_dir(void);
