#include "datbuild/entries.h"

static EntrySpec entry(int kind, int w = 0, int h = 0) {
  EntrySpec e = {kind, w, h, 0, 0};
  return e;
}

EntrySpec main_entry_spec(int index) {
  switch (index) {
  case 0: return entry(KIND_BITMAP, 1700, 162);  // throw World
  case 1: return entry(KIND_BITMAP, 628, 162);   // catapult World
  case 2: return entry(KIND_BITMAP, 612, 162);   // swim World
  case 3: return entry(KIND_BITMAP, 3000, 162);  // sprint World
  case 10: {
    EntrySpec e = entry(KIND_BITMAP);  // GAME OVER picture
    e.minWidth = 240;
    e.minHeight = 147;
    return e;
  }
  case 13: return entry(KIND_BITMAP, 320, 240);  // title background
  case 14: return entry(KIND_BITMAP, 320, 240);  // options background
  case 128: return entry(KIND_BITMAP, 320, 24);  // bottom panel
  case 287: return entry(KIND_BITMAP, 91, 50);   // throw attempt panel
  case 288: return entry(KIND_BITMAP, 18, 28);   // line-call marks
  case 289: return entry(KIND_BITMAP, 18, 28);
  case 383: return entry(KIND_BITMAP, 320, 48);  // event header panel
  default: break;
  }
  if (index >= 6 && index <= 9) return entry(KIND_FONT);
  if (index >= 15 && index <= 23) return entry(KIND_SOUND);
  if (index >= 24 && index <= 39) return entry(KIND_PNG);
  if (index >= 276 && index <= 279) return entry(KIND_BITMAP, 230, 16);  // event labels
  if (index >= 396 && index <= 413) return entry(KIND_SOUND);
  return entry(KIND_BITMAP);
}

EntrySpec splash_entry_spec(int index) {
  if (index == 1) return entry(KIND_BITMAP, 640, 480);
  return entry(KIND_BITMAP);
}
