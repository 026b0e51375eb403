// What start-up and shutdown are made of (game/game.cpp puts them in
// order): Allegro and the signals, the screen mode, the splash, the fonts and
// the main datafile, with the numbered failures, and the program error
// screen.
#include "shell/shell.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "input/input.h"
#include "persist/persist.h"

#include <cstdio>
#include <cstdlib>

std::atomic<int> QuitFlag(0);
BITMAP *Backbuffer = nullptr;
FONT *TitleFont = nullptr;
FONT *TextFont = nullptr;
FONT *ScoreFont = nullptr;
FONT *MenuFont = nullptr;
int CheatMode = 0;

void on_close_button(void) { QuitFlag = 1; }
END_OF_FUNCTION(on_close_button)

const char *startup_error_message(int code) {
  switch (code) {
  case STARTUP_ALLEGRO: return "failed to initialise Allegro";
  case STARTUP_KEYBOARD: return "failed to initialise keyboard";
  case STARTUP_GRAPHICS: return "failed to initialise graphics mode";
  case STARTUP_DATAFILE: return "failed to read data file";
  case STARTUP_SOUND_DRIVER: return "failed to initialise sound";
  case STARTUP_SOUND_DATA: return "failed to load sound and music data";
  case STARTUP_BACKBUFFER: return "failed to create backbuffer";
  case STARTUP_FONTS: return "failed to create fonts";
  case STARTUP_TIMER: return "failed to install the timer";
  default: return "an unknown error occured";
  }
}

void format_startup_failure(int code, char *out, int size) {
  snprintf(out, size, "'" GAME_TITLE "' failed to start due to the following reason:\n\nError %i, %s", code,
           startup_error_message(code));
}

void centre_window(void) { plat_centre_window(); }

// The screen mode and where frames land on it, from the settings and what
// the display offers.
static bool set_screen_layout(void) {
  DisplayInfo display;
  plat_display_info(&display);
  ScreenLayout layout = choose_screen_layout(Settings.windowed, Settings.zoom, display);
  if (layout.fellBack)
    fprintf(stderr, GAME_TITLE ": zoom %d does not fit the desktop (%dx%d), using %d\n", Settings.zoom,
            display.desktopWidth, display.desktopHeight, layout.zoom);
  if (plat_set_gfx_mode(layout.card, layout.width, layout.height) != 0) return false;
  plat_set_view(layout.x, layout.y, layout.zoom);
  if (layout.card == GFX_AUTODETECT_WINDOWED) centre_window();
  return true;
}

bool apply_graphics_mode(void) {
  if (Settings.forcerate) request_refresh_rate(60);
  bool ok = set_screen_layout();
  // The keyboard attaches to the window that exists when it is installed.
  remove_keyboard();
  install_keyboard();
  return ok;
}

// A missing or broken splash file is skipped: the splash is only decoration.
void show_splash(void) {
  DATAFILE *splash = load_checked_datafile(SPLASH_DATAFILE, splash_entries_ok);
  if (!splash) return;
  if (BITMAP *canvas = screen_canvas()) {
    blit((BITMAP *)splash[SPLASH_ENTRY_PICTURE].dat, canvas, 0, 0, 0, 0, 640, 480);
    show_screen_canvas();
  }
  unload_datafile(splash);
}

// Allegro's grabber runs off the end of a bitmap in which it finds no glyph
// box, so the grid is checked first.
static FONT *grab_font(int index) {
  BITMAP *bmp = dat_bitmap(index);
  return bmp && font_grid_ok(bmp) ? grab_font_from_bitmap(bmp) : nullptr;
}

int create_fonts(void) {
  TitleFont = grab_font(ENTRY_FONT_TITLE);
  if (!TitleFont) return STARTUP_FONTS;
  TextFont = grab_font(ENTRY_FONT_TEXT);
  if (!TextFont) return STARTUP_FONTS;
  ScoreFont = grab_font(ENTRY_FONT_SCORE);
  if (!ScoreFont) return STARTUP_FONTS;
  MenuFont = grab_font(ENTRY_FONT_MENU);
  if (!MenuFont) return STARTUP_FONTS;
  return STARTUP_OK;
}

int load_main_data(void) {
  if (MainData) unload_datafile(MainData);
  set_main_datafile(load_checked_datafile(MAIN_DATAFILE, main_entries_ok));
  return MainData ? STARTUP_OK : STARTUP_DATAFILE;
}

// Allegro installs handlers that run its whole shutdown inside a signal:
// the stop signals wait until the game's own have replaced them.
int start_allegro(void) {
  plat_watch_display();
  hold_stop_signals();
  int failed = allegro_init() != 0;
  take_signals();
  // Allegro's drivers read an empty configuration: no line of the player's
  // settings file ([xkeymap], [sound], [joystick]...) can reach them.
  if (!failed) set_config_data("", 0);
  return failed ? STARTUP_ALLEGRO : STARTUP_OK;
}

static void destroy_font_safely(FONT **f) {
  if (*f) destroy_font(*f);
  *f = nullptr;
}

void free_fonts(void) {
  destroy_font_safely(&TitleFont);
  destroy_font_safely(&TextFont);
  destroy_font_safely(&ScoreFont);
  destroy_font_safely(&MenuFont);
}

void free_pictures(void) {
  if (MainData) unload_datafile(MainData);
  set_main_datafile(nullptr);
  if (Backbuffer) destroy_bitmap(Backbuffer);
  Backbuffer = nullptr;
  free_screen_canvas();
  request_refresh_rate(0);
}

void wait_splash(void) {
  int finished = 0, prompted = 0;
  while (!finished && !QuitFlag) {
    idle_pass();
    int ticks = TickCounter;
    if (ticks > 600) finished = 1;
    if (ticks == 240 && !prompted) {
      prompted = 1;
      BITMAP *prompt = dat_bitmap(ENTRY_SPLASH_PROMPT);
      BITMAP *canvas = screen_canvas();
      if (prompt && canvas) {
        draw_sprite(canvas, prompt, 182, 444);
        show_screen_canvas();
      }
    }
    if (first_input_down()) finished = 1;
  }
  if (BITMAP *canvas = screen_canvas()) {
    clear_to_color(canvas, 0);
    show_screen_canvas();
  }
  while (!QuitFlag && first_input_down()) idle_pass();
}

// Drawn over the frame on show, on the canvas the size of today's window.
void program_error_screen(const char *text) {
  if (BITMAP *canvas = screen_canvas()) {
    if (Backbuffer) stretch_blit(Backbuffer, canvas, 0, 0, 320, 240, 0, 0, 640, 480);
    rectfill(canvas, 0, 0, 640, 48, makecol(128, 0, 0));
    text_mode(-1);
    int white = makecol(255, 255, 255);
    textout(canvas, font, "A program error has occured:", 4, 4, white);
    textout(canvas, font, text, 4, 16, white);
    textout(canvas, font, "Press spacebar to continue...", 4, 36, white);
    show_screen_canvas();
  }
  // A closed window also ends the wait, so the program can still shut down.
  while (!QuitFlag && !key_held(KEY_SPACE)) idle_pass();
  while (!QuitFlag && key_held(KEY_SPACE)) idle_pass();
  drop_owed_ticks();
}

