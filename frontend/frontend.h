// Front end: the screens around the events.
#pragma once

enum MenuResult {
  MENU_PLAY = 1,
  MENU_QUIT = 3,
};

void title_logo_drop(void);
int title_menu(void);
