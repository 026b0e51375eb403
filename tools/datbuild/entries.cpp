#include "datbuild/entries.h"

static EntrySpec spec(int kind, int w = 0, int h = 0) {
  EntrySpec e = {kind, w, h, 0, 0};
  return e;
}

EntrySpec main_entry_spec(int index) {
  switch (index) {
  case 0: return spec(KIND_BITMAP, 1700, 162);  // throw World
  case 1: return spec(KIND_BITMAP, 628, 162);   // catapult World
  case 2: return spec(KIND_BITMAP, 612, 162);   // swim World
  case 3: return spec(KIND_BITMAP, 3000, 162);  // sprint World
  case 10: {
    EntrySpec e = spec(KIND_BITMAP);  // GAME OVER picture
    e.minWidth = 240;
    e.minHeight = 147;
    return e;
  }
  case 13: return spec(KIND_BITMAP, 320, 240);  // title background
  case 14: return spec(KIND_BITMAP, 320, 240);  // options background
  case 128: return spec(KIND_BITMAP, 320, 24);  // bottom panel
  case 287: return spec(KIND_BITMAP, 91, 50);   // throw attempt panel
  case 288: return spec(KIND_BITMAP, 18, 28);   // line-call marks
  case 289: return spec(KIND_BITMAP, 18, 28);
  case 383: return spec(KIND_BITMAP, 320, 48);  // event header panel
  default: break;
  }
  if (index >= 6 && index <= 9) return spec(KIND_FONT);
  if (index >= 15 && index <= 23) return spec(KIND_SOUND);
  if (index >= 24 && index <= 39) return spec(KIND_PNG);
  if (index >= 276 && index <= 279) return spec(KIND_BITMAP, 230, 16);  // event labels
  if (index >= 396 && index <= 413) return spec(KIND_SOUND);
  return spec(KIND_BITMAP);
}

EntrySpec splash_entry_spec(int index) {
  if (index == 1) return spec(KIND_BITMAP, 640, 480);
  return spec(KIND_BITMAP);
}
