// A made-up main datafile whose frames the tests shape at will, over the
// headless host.
#pragma once

#include <gtest/gtest.h>

#include "headless/headless.h"
#include "objects/objects.h"
#include "shell/shell.h"

#define FAKE_ENTRIES 400

// Every frame starts as an 8 x 8 square in a colour that names its entry.
inline int entry_colour(int entry) { return 0x0400 + entry; }

class ObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes entry a solid w x h bitmap in its own colour.
  BITMAP *set_frame(int entry, int w, int h);
  // Makes entry a w x h bitmap of mask colour only.
  BITMAP *set_blank_frame(int entry, int w, int h);
  // Makes entry something other than a bitmap.
  void set_non_bitmap(int entry);
  // Runs update_objects n times.
  void tick(int n);

  DATAFILE entries[FAKE_ENTRIES + 1];
  DATAFILE *savedData = nullptr;
  int nonBitmap = 0;
};

// The 16-bit colour at (x, y), or -1 outside the bitmap.
int pixel_at(BITMAP *bmp, int x, int y);
