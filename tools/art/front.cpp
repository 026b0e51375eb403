// Front-end screens, panels and the event frame's pieces.
#include "art/front.h"
#include "art/paint.h"

bool art_front_entry(int index, Image &out) {
  switch (index) {
  case 12: art_splash_prompt(out); return true;
  default: return false;
  }
}
