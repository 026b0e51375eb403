// The sprites artist's share of the main datafile: the four Worlds and the
// object frames. Everything else belongs to the front end's pictures.
#include "art/sprites.h"
#include "shell/entries.h"

// Pieces of the event frame and the menus among the object frames.
static bool front_end_owns(int index) {
  return index == ENTRY_BOTTOM_PANEL || (index >= ENTRY_ATTEMPT_PANEL && index <= ENTRY_CALL_FOUL) ||
         index == ENTRY_POINTER || index == ENTRY_ARROWHEAD || index == ENTRY_BADGE_QUALIFIED ||
         index == ENTRY_REDEFINE_PANEL || index == ENTRY_SPEECH_BUBBLE || index == ENTRY_SPEED_BAR;
}

static bool sprite_owns(int index) {
  if (front_end_owns(index)) return false;
  return (index >= ENTRY_WORLD_THROW && index <= ENTRY_WORLD_SPRINT) ||
         (index >= ENTRY_MEASURER && index <= ENTRY_LAST_KID_FRAME) ||
         (index >= ENTRY_LINE_JUDGE && index <= ENTRY_SPLASH);
}

bool art_sprite_entry(int index, Image &out) {
  if (!sprite_owns(index)) return false;
  if (world_entry(index, out)) return true;
  if (athlete_entry(index, out)) return true;
  if (adult_entry(index, out)) return true;
  return prop_entry(index, out);
}
