// Stand-ins for the title screens and the sports day while they are being
// written: the program shuts down cleanly after the splash.
#include "events/events.h"
#include "frontend/frontend.h"

__attribute__((weak)) void title_logo_drop(void) {}
__attribute__((weak)) int title_menu(void) { return MENU_QUIT; }
__attribute__((weak)) int run_sports_day(void) { return OUTCOME_NONE; }
