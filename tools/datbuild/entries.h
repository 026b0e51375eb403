// What the builder writes into each entry of the two datafiles: its kind and,
// where the game relies on one, its size, as the game's own rules
// (shell/entries.h) give them; an entry no rule names is a small bitmap.
#pragma once

#include "shell/entries.h"

struct EntrySpec {
  int kind;
  // Exact size the game relies on; 0 when any size will do.
  int width;
  int height;
  // Size the picture must at least have (GAME OVER copies 240x147 of it).
  int minWidth;
  int minHeight;
};

EntrySpec main_entry_spec(int index);
EntrySpec splash_entry_spec(int index);
