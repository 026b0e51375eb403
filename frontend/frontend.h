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

// --- Event introductions ---

// --- End-of-game screens ---

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
  int open;
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
  int modeChange;
};

extern OptionsMenuState OptionsMenu;

void options_menu(int musicChannel);
void options_begin(int musicChannel);
void options_tick(void);
void options_draw(void);
void options_end(void);
