// A made-up main datafile whose frames the tests shape at will, over the
// headless host.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "headless/headless.h"
#include "objects/objects.h"
#include "shell/entries.h"
#include "shell/shell.h"

// Every picture entry (the sounds come after them).
#define FAKE_ENTRIES ENTRY_SOUND_BALLOON

// Every frame starts as an 8 x 8 square in a colour that names its entry.
inline int entry_colour(int entry) { return 0x0400 + entry; }

// The 16-bit colour at (x, y), or -1 outside the bitmap.
inline int pixel_at(BITMAP *bmp, int x, int y) {
  if (!bmp || x < 0 || y < 0 || x >= bmp->w || y >= bmp->h) return -1;
  return getpixel(bmp, x, y);
}

struct Px {
  int x, y, colour;
};

// The listed pixels of bmp that differ from the expected colour, or "".
inline std::string wrong_pixels(BITMAP *bmp, std::initializer_list<Px> pixels) {
  std::string wrong;
  for (const Px &p : pixels)
    if (pixel_at(bmp, p.x, p.y) != p.colour)
      wrong += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ") is " + std::to_string(pixel_at(bmp, p.x, p.y)) + " ";
  return wrong;
}

inline int active_count(void) {
  int n = 0;
  for (const GameObject &obj : ObjectPool) n += obj.active;
  return n;
}

// Adds a type and places it at (x, y); null when refused.
inline GameObject *put(int type, float x = 0, float y = 0, int layer = 1, int param = 0) {
  GameObject *obj = object_at(add_object(0, 0, layer, type, param));
  if (obj) {
    obj->x = x;
    obj->y = y;
  }
  return obj;
}

class ObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool started = false;
    if (!started) {
      HeadlessOptions options;
      options.loadData = false;
      started = headless_start(options);
    }
    ASSERT_TRUE(started);
    ASSERT_EQ(bitmap_color_depth(screen), 16);
    for (int i = 0; i < FAKE_ENTRIES; i++) set_frame(i, 8, 8);
    entries[FAKE_ENTRIES] = DATAFILE{nullptr, DAT_END, 0, nullptr};
    savedData = MainData;
    set_main_datafile(entries);
    reset_pool_full_report();
    begin_scene(1000, 162, -1);
  }
  void TearDown() override {
    end_scene();
    set_main_datafile(savedData);
    for (int i = 0; i < FAKE_ENTRIES; i++) drop_entry(i);
  }
  // Makes entry a w x h bitmap in its own colour, or all mask colour.
  BITMAP *set_frame(int entry, int w, int h, bool blank = false) {
    drop_entry(entry);
    BITMAP *bmp = create_bitmap_ex(16, w, h);
    clear_to_color(bmp, blank ? MASK_COLOUR_16 : entry_colour(entry));
    entries[entry] = DATAFILE{bmp, DAT_BITMAP, 0, nullptr};
    return bmp;
  }
  // Makes entry something other than a bitmap.
  void set_non_bitmap(int entry) {
    drop_entry(entry);
    entries[entry] = DATAFILE{&nonBitmap, DAT_DATA, sizeof nonBitmap, nullptr};
  }
  void tick(int n) {
    while (n-- > 0) update_objects();
  }
  void drop_entry(int entry) {
    if (entries[entry].type == DAT_BITMAP && entries[entry].dat) destroy_bitmap((BITMAP *)entries[entry].dat);
    entries[entry].dat = nullptr;
  }

  DATAFILE entries[FAKE_ENTRIES + 1] = {};
  DATAFILE *savedData = nullptr;
  int nonBitmap = 0;
};
