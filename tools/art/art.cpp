// Gathers every picture of both datafiles: the sprites artist's objects and
// Worlds first, then the front end's own pictures, then a labelled stand-in
// so that a complete datafile can always be built.
#include "art/art.h"
#include "art/front.h"
#include "art/paint.h"
#include "datbuild/entries.h"

#include <cstdio>

// A small labelled box at the stated size, or 20x12 when any size will do.
static void plain_entry(int index, const EntrySpec &want, Image &out) {
  int w = want.width > 0 ? want.width : (want.minWidth > 20 ? want.minWidth : 20);
  int h = want.height > 0 ? want.height : (want.minHeight > 12 ? want.minHeight : 12);
  img_new(out, w, h, pal::DARK_GREY);
  rect_outline(out, 0, 0, w, h, pal::YELLOW);
  char label[16];
  snprintf(label, sizeof label, "%d", index);
  draw_text3(out, (w - text3_width(label)) / 2, (h - 5) / 2, label, pal::WHITE);
}

// Entries the game never shows (no rule names them): a small medal rather
// than a stand-in.
static bool unused_entry(int index, Image &out) {
  if (main_entry_rule(index)) return false;
  img_new(out, 12, 16);
  fill_triangle(out, 2, 0, 6, 0, 6, 7, pal::BLUE);
  fill_triangle(out, 9, 0, 5, 0, 5, 7, pal::RED);
  fill_circle(out, 6, 10, 4, pal::GOLD_DARK);
  fill_circle(out, 5, 9, 3, pal::GOLD);
  put(out, 4, 8, pal::WHITE);
  outline_opaque(out);
  return true;
}

static bool fits(const EntrySpec &want, const Image &img) {
  if (img.w <= 0 || img.h <= 0 || img.px.size() != (size_t)img.w * img.h) return false;
  if (want.width > 0 && (img.w != want.width || img.h != want.height)) return false;
  return img.w >= want.minWidth && img.h >= want.minHeight;
}

bool art_main_entry(int index, Image &out) {
  if (index < 0 || index >= MAIN_ENTRY_COUNT) return false;
  EntrySpec want = main_entry_spec(index);
  if (want.kind == KIND_SOUND) return false;
  if (want.kind == KIND_FONT) return art_font_entry(index, out);
  if (art_sprite_entry(index, out) && fits(want, out)) return true;
  if (art_front_entry(index, out) && fits(want, out)) return true;
  if (unused_entry(index, out)) return true;
  plain_entry(index, want, out);
  return true;
}

bool art_splash_entry(int index, Image &out) {
  if (index == SPLASH_ENTRY_PICTURE) return art_splash_picture(out);
  if (index == SPLASH_ENTRY_UNUSED) {
    img_new(out, 1, 1, pal::BLACK);
    return true;
  }
  return false;
}
