// Program shell: what the rest of the program is served by. The pieces of
// start-up and shutdown, the logic clock and the screen loop, presenting
// frames, datafile access and the shared helpers. The shell calls no screen.
#pragma once

#include <allegro.h>
#include <atomic>

// Written by the timer and close-button callbacks on Allegro's own thread,
// so every test reads them afresh. Besides the timer, only the timing code
// writes TickCounter and NeedsRedraw (the screen loop, the waits below).
extern std::atomic<int> TickCounter;
extern std::atomic<int> QuitFlag;
extern int NeedsRedraw;

extern BITMAP *Backbuffer;
extern DATAFILE *MainData;
extern FONT *TitleFont;
extern FONT *TextFont;
extern FONT *ScoreFont;
extern FONT *MenuFont;
extern int CheatMode;

// Frame pacing, changed by the game only through restart_pacing and the
// presents themselves.
extern int FrameRestMs;
extern int AutoRestFrames;
extern int AutoRestCountdown;
extern int LateTicks;
extern int LateTicksMark;

enum StartupError {
  STARTUP_OK = 0,
  STARTUP_ALLEGRO = 1,
  STARTUP_KEYBOARD = 4,
  STARTUP_GRAPHICS = 5,
  STARTUP_DATAFILE = 6,
  STARTUP_SOUND_DRIVER = 7,
  STARTUP_SOUND_DATA = 8,
  STARTUP_BACKBUFFER = 9,
  STARTUP_FONTS = 10,
  STARTUP_JOYSTICK = 11,
  STARTUP_CONFIG = 12,
  STARTUP_TIMER = 13,
};

#define GAME_TITLE "Quorvale - Sports Day"
#define MAIN_DATAFILE "qvlgam.dat"
#define SPLASH_DATAFILE "qvlgam2.dat"
#define MASK_COLOUR_16 0xF81F

// The pieces of start-up and shutdown (game/game.cpp puts them in order).
// Allegro with the game's signal handlers in place of its own.
int start_allegro(void);
// The screen mode and where frames land, from the settings.
bool apply_graphics_mode(void);
void centre_window(void);
void on_close_button(void);
void show_splash(void);
void wait_splash(void);
void program_error_screen(const char *text);
// Grabs the four fonts from the main datafile.
int create_fonts(void);
void free_fonts(void);
// The main datafile, checked before and after loading.
int load_main_data(void);
// The main datafile, the Backbuffer and the screen canvas, and the refresh
// rate request taken back.
void free_pictures(void);
const char *startup_error_message(int code);
// The stop signals (SIGTERM, SIGINT, SIGHUP, SIGQUIT) only set QuitFlag;
// faults get back the handlers found at the first call; SIGPIPE and SIGXFSZ
// are ignored. Held signals are let through.
void take_signals(void);
// Holds the stop signals back until the next take_signals.
void hold_stop_signals(void);
void format_startup_failure(int code, char *out, int size);

// Logic clock and presentation.
void tick_timer(void);
// Every spinning wait's pass: plat_idle, or the pass hook where one is set
// (a demo being recorded or played owns the passes: the clock's ticks are
// handed to TickCounter only there, so every step of a pass reads the same
// input).
void idle_pass(void);
// Read by the timer's thread too.
extern std::atomic<void (*)(void)> PassHook;
// The clock's ticks not yet handed on while a pass hook is set.
extern std::atomic<int> ClockTicks;
// Told of every frame presented (a demo's hash of the frame stream).
extern void (*FrameHook)(BITMAP *frame);
// As fast as the machine goes: no rest after a frame, and at most 60
// frames a second reach the display.
extern int Unpaced;
// 0 when the clock cannot be started: without it no screen would ever move.
int set_logic_rate(int hz);
// The ticks owed so far are not caught up: after a wait, or time spent in
// another screen.
void drop_owed_ticks(void);
void present_frame(void);
void blank_and_present(void);
// Blanks the screen (when asked), waits until the screen's last reading of
// the controls is all up, and leaves one tick owed.
void wait_controls_released(int blank);
void frame_rest(void);
// How the frame pacing starts afresh.
enum PacingStart {
  // At start-up and after accepted options: the rest the cpu_usage setting
  // asks for (an unknown setting keeps the rest in force), and with "don't
  // care" (4) 600 presents of fitting it to the machine.
  PACING_FROM_SETTINGS,
  // A sports day starts "don't care" again from 12 ms; the other settings
  // keep their pacing.
  PACING_NEW_DAY,
};
void restart_pacing(int start);

// --- The screen loop ---

// What becomes of the steps a slow frame still owes once a step has
// decided the screen.
enum OwedRule {
  // The deciding step is the last. A key still held in the steps after it
  // would act again: a second menu sound, a choice after a quit, a second
  // speech bubble after a false start.
  OWED_STOP_AT_DECISION,
  // Every step owed runs, past the decision too. The introduction's steps
  // only move the card on; catapulting's let a shot in the air when quit is
  // pressed still land.
  OWED_RUN_ALL,
};

// Whether the frame after the deciding step is drawn.
enum DecisionFrame {
  // Menus, cards and end screens show the choice as it was made.
  DECISION_DRAWN,
  // Events end on their last undecided frame: their end blanks the screen
  // at once, and a speech bubble that decided the event stays the last
  // thing shown rather than the scene without it.
  DECISION_NOT_DRAWN,
};

// A screen or event is its begin piece, run_screen over these, then its end
// piece. The loop restarts the clock, then until the screen is decided or
// the window closed it runs the owed ticks, one step each, and draws and
// presents a frame after any step ran.
struct ScreenLoop {
  void (*tick)(void);
  void (*draw)(void);  // into the Backbuffer; the loop presents it
  int (*decided)(void);
  OwedRule owedRule;
  DecisionFrame decisionFrame;
  int (*timeUp)(void);  // null, or a limit looked at between frames only
};

void run_screen(const ScreenLoop *screen);

// Main datafile entries, addressed by index. Each returns null (or 0) for an
// index that is out of range or of the wrong kind.
// Use this rather than assigning MainData, so the entry count is taken anew.
void set_main_datafile(DATAFILE *data);
BITMAP *dat_bitmap(int index);
const void *dat_data(int index, long *size);
// Datafile checks. Allegro's loader trusts the file, so it is walked first
// with every length held to the bytes really there; 1 when the loader can
// read it safely.
int datafile_bytes_ok(const unsigned char *data, long size);
int datafile_file_ok(const char *path);
// A font bitmap holds the glyph boxes Allegro's grabber looks for, one for
// each character from ' ' to '~' at least.
int font_grid_ok(BITMAP *bmp);
// Every entry the game uses has its kind and the size the game relies on
// (shell/entries.h).
int main_entries_ok(const DATAFILE *data);
int splash_entries_ok(const DATAFILE *data);
// Checked, loaded, and its entries checked; null on any failure.
DATAFILE *load_checked_datafile(const char *path, int (*entries_ok)(const DATAFILE *));
// Decodes a PNG entry into a 32-bit bitmap with alpha (colour conversion off);
// null when it cannot be decoded. The caller destroys it.
BITMAP *load_png_entry(int index);

// Where frames land on the display: the screen mode to set, and the zoom
// and top left corner of the 320x240 picture on it.
struct ScreenLayout {
  int card;
  int width, height;
  int zoom;
  int x, y;
  int fellBack;  // the zoom asked for did not fit the desktop
};
struct DisplayInfo;
// A window of 320x240 times the zoom setting (0: the largest that fits the
// desktop; one too large falls back to the largest that fits, never below
// today's 2); full screen at 640x480 where the display has that mode, else
// the whole display with the largest zoom that fits, centred.
ScreenLayout choose_screen_layout(int windowed, int zoom, const DisplayInfo &display);
// The 640x480 canvas of the splash, its prompt and the program error screen,
// made on first use (null if it cannot be); shown where frames are shown.
BITMAP *screen_canvas(void);
void show_screen_canvas(void);
void free_screen_canvas(void);

// Scaling 16-bit pictures into a display's pixels, in one pass.
struct PixelFormat {
  int bytes;  // 2, 3 or 4 bytes a pixel, least significant byte first (as on x86)
  unsigned red, green, blue;  // the masks of the channels
};
// Every 16-bit colour of Allegro's bitmaps as a pixel of the format.
void build_colour_table(const PixelFormat &format, unsigned *table65536);
// Rows y..y+h-1, columns x..x+w-1 of a 16-bit bitmap, each pixel made a
// zoom x zoom block at dest, whose byte (0, 0) stands for the bitmap's (0, 0).
void scale_rect(BITMAP *src, int x, int y, int w, int h, int zoom, const unsigned *table, int bytes,
                unsigned char *dest, int pitch);
// The whole bitmap stretched to dw x dh (nearest pixel) at dest.
void scale_to_size(BITMAP *src, int dw, int dh, const unsigned *table, int bytes, unsigned char *dest,
                   int pitch);
// The smallest rectangle holding every pixel where two bitmaps of the same
// size differ; 0 when they are the same.
int changed_rect(BITMAP *a, BITMAP *b, int *x, int *y, int *w, int *h);

// draw_trans_sprite under set_alpha_blender, the same pixels, for a 32-bit
// picture on a 16-bit memory bitmap (anything else goes to Allegro).
void draw_alpha_sprite(BITMAP *dst, BITMAP *src, int x, int y);

// Random numbers 0 to 32767; every random choice of the game comes from here.
void game_srand(unsigned seed);
// Where the sequence stands: seeding with it goes on from here.
unsigned game_rand_state(void);
int game_rand(void);
int rand_below(int n);
int rand_int(int a, int b);
float rand_float(float a, float b);
int rects_overlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
