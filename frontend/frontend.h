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

// The options menu, run from the title menu's options choice with the title
// music's channel; null until that screen exists (the choice then simply
// stays in the title menu).
extern void (*OptionsMenuScreen)(int musicChannel);

void title_logo_drop(void);
int title_menu(void);

// --- Difficulty selection ---

// --- Event introductions ---

// --- End-of-game screens ---
