// Front-end screens, panels and the event frame's pieces.
#include "art/front.h"
#include "art/paint.h"

bool art_front_entry(int index, Image &out) {
  if (art_frame_entry(index, out) || art_menu_entry(index, out) || art_ending_entry(index, out)) return true;
  switch (index) {
  case 4: art_logo(out); return true;
  case 12: art_splash_prompt(out); return true;
  case 13: art_title_background(out); return true;
  case 27: art_title_banner(out); return true;
  default: break;
  }
  if (index >= 28 && index <= 39) {
    // Options 28-31, quit 32-35, play 36-39.
    static const int CHOICE_OF_GROUP[3] = {1, 2, 0};
    art_title_choice(CHOICE_OF_GROUP[(index - 28) / 4], (index - 28) % 4, out);
    return true;
  }
  switch (index) {
  default: return false;
  }
}
