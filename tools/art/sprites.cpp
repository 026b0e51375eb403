// The sprites artist's share of the main datafile: the four Worlds and the
// object frames. Everything else belongs to the front end's pictures.
#include "art/sprites.h"

static bool front_end_owns(int index) {
  return index == 128 || (index >= 287 && index <= 289) || index == 303 || index == 304 ||
         index == 323 || index == 324 || index == 355 || index == 364;
}

static bool sprite_owns(int index) {
  if (front_end_owns(index)) return false;
  return (index >= 0 && index <= 3) || (index >= 40 && index <= 265) || (index >= 284 && index <= 365);
}

bool art_sprite_entry(int index, Image &out) {
  if (!sprite_owns(index)) return false;
  if (world_entry(index, out)) return true;
  if (athlete_entry(index, out)) return true;
  if (adult_entry(index, out)) return true;
  return prop_entry(index, out);
}
