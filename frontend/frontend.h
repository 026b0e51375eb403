// Front end: the screens around the events.
#pragma once

#include <allegro.h>

enum MenuResult {
  MENU_PLAY = 1,
  MENU_QUIT = 3,
};

enum MenuChoice { CHOICE_PLAY = 0, CHOICE_OPTIONS = 1, CHOICE_QUIT = 2, CHOICE_COUNT = 3 };

#define TITLE_IMAGE_COUNT 13

// State of the title menu on show (or the last one shown).
struct TitleMenuState {
  int choice;
  int result;
  int choiceFrame;
  int choiceStep;
  int choiceTimer;
  int sideHeld;
  int backgroundY;
  int bannerX;
  int playY;
  int optionsY;
  int quitY;
  float versionX;
  int musicChannel;
  BITMAP *images[TITLE_IMAGE_COUNT];  // banner, then 4 frames each of play, options, quit
};

extern TitleMenuState TitleMenu;

void title_logo_drop(void);
int title_menu(void);

// --- Difficulty selection ---

// The scrolling rows of tiles behind the difficulty panel and the event
// introductions.
struct TileScroll {
  float x;  // wraps at 294
  float y;  // wraps at 80
};

void scroll_tiles(TileScroll *tiles);
void draw_tiles(const TileScroll *tiles);

// State of the difficulty screen on show (or the last one shown).
struct DifficultyScreenState {
  int selected;
  int chosen;  // -1: no choice
  int held;    // input ignored until every control has been seen up
  int panelY;
  int panelSpeed;
  int shake;
  TileScroll tiles;
  int done;
  BITMAP *panel;
  // For the tests' reports; the game sets it but never reads it.
  int running;  // 1 from begin to end
};

extern DifficultyScreenState DifficultyScreen;

// 0 to 2 when chosen, -1 when left with quit or the window closed.
int select_difficulty(void);
void difficulty_begin(void);
void difficulty_tick(void);
void difficulty_draw(void);
int difficulty_end(void);

// --- Event introductions ---

#define INTRO_TICKS 420

// State of the event introduction on show (or the last one shown).
struct IntroScreenState {
  int event;
  int titleY;
  int titleVel;
  int panelX;
  int textX;
  TileScroll tiles;
  int ticks;
  int done;
  BITMAP *textPanel;
  BITMAP *titlePanel;
  const char *const *lines;
  // For the tests' reports; the game sets it but never reads it.
  int firePressed;  // ended by fire rather than by time
};

extern IntroScreenState IntroScreen;

void show_event_intro(int event);
void intro_begin(int event);
void intro_tick(void);
void intro_draw(void);
void intro_end(void);

// --- End-of-game screens ---

#define CONFETTI_COUNT 140
#define CONFETTI_PARKED 500.0f
#define CONGRATULATIONS_TICKS 500
#define GAME_OVER_TICKS 340
#define CELEBRATION_TICKS 5800
// Confetti falling below the screen after this tick is parked for good.
#define CONFETTI_LAST_RETURN 4300

enum EndScreenKind { END_CONGRATULATIONS, END_GAME_OVER, END_CELEBRATION };

struct Confetti {
  float x;
  float y;  // CONFETTI_PARKED: no longer moved or drawn
  int frame;
  int tick;
  int delay;
};

// State of the end screen on show (or the last one shown).
struct EndScreenState {
  int kind;
  int ticks;
  int done;
  float bannerY;
  Confetti confetti[CONFETTI_COUNT];
  // For the tests' reports; the game sets them but never reads them.
  int left;     // by fire or quit
  int running;  // 1 from begin to end
};

extern EndScreenState EndScreen;

void congratulations_screen(void);
void game_over_screen(void);
void champion_celebration(void);
// The celebration in pieces, for drivers that run it tick by tick.
void celebration_begin(void);
void celebration_tick(void);
void celebration_draw(void);
int confetti_falling(void);

// --- Options menu ---

enum OptionsEntry {
  OPTION_MUSIC_VOLUME,
  OPTION_SOUND_VOLUME,
  OPTION_WINDOWED,
  OPTION_FORCERATE,
  OPTION_CPU_USAGE,
  OPTION_REDEFINE,
  OPTION_ACCEPT,
  OPTION_COUNT
};

// What accepting did to the screen mode.
enum ModeChange {
  MODE_UNCHANGED,
  MODE_SET,
  MODE_RESTORED,  // the new mode failed; the previous one is back
  MODE_LOST,      // neither could be set: the game closes
};

// State of the options menu on show (or the last one shown).
struct OptionsMenuState {
  int selection;
  int held;          // ignore the controls until all are up
  int wobble;        // ticks of pointer shake left
  int blink;
  int redefineStep;  // 0 menu; 1, 2, 3 waiting for left, right, fire
  int captured[3];
  int mustRelease;
  int leave;
  int accept;
  int musicChannel;
  // For the tests' reports; the game sets them but never reads them.
  int open;        // 1 from begin to end
  int modeChange;  // what accepting did to the screen mode
};

extern OptionsMenuState OptionsMenu;

void options_menu(int musicChannel);
void options_begin(int musicChannel);
void options_tick(void);
void options_draw(void);
void options_end(void);
