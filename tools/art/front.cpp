// Front-end screens, panels and the event frame's pieces.
#include "art/front.h"
#include "art/paint.h"
#include "shell/entries.h"

bool art_front_entry(int index, Image &out) {
  if (art_frame_entry(index, out) || art_menu_entry(index, out) || art_ending_entry(index, out)) return true;
  switch (index) {
  case ENTRY_LOGO: art_logo(out); return true;
  case ENTRY_SPLASH_PROMPT: art_splash_prompt(out); return true;
  case ENTRY_TITLE_BACKGROUND: art_title_background(out); return true;
  case ENTRY_TITLE_BANNER: art_title_banner(out); return true;
  default: break;
  }
  if (index >= ENTRY_TITLE_OPTIONS && index <= ENTRY_LAST_PNG) {
    // Options, quit, then play, four frames each.
    static const int CHOICE_OF_GROUP[3] = {1, 2, 0};
    int k = index - ENTRY_TITLE_OPTIONS;
    art_title_choice(CHOICE_OF_GROUP[k / TITLE_CHOICE_FRAMES], k % TITLE_CHOICE_FRAMES, out);
    return true;
  }
  return false;
}
