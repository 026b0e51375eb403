#include "object_fixture.h"

static bool start_host_once(void) {
  static bool started = false;
  if (started) return true;
  HeadlessOptions options;
  options.loadData = false;
  started = headless_start(options);
  return started;
}

void ObjectsTest::SetUp() {
  ASSERT_TRUE(start_host_once());
  ASSERT_EQ(bitmap_color_depth(screen), 16);
  for (int i = 0; i < FAKE_ENTRIES; i++) {
    entries[i] = DATAFILE{nullptr, DAT_BITMAP, 0, nullptr};
    set_frame(i, 8, 8);
  }
  entries[FAKE_ENTRIES] = DATAFILE{nullptr, DAT_END, 0, nullptr};
  savedData = MainData;
  set_main_datafile(entries);
  reset_pool_full_report();
  begin_scene(1000, 162, -1);
}

void ObjectsTest::TearDown() {
  end_scene();
  set_main_datafile(savedData);
  for (int i = 0; i < FAKE_ENTRIES; i++)
    if (entries[i].type == DAT_BITMAP && entries[i].dat) destroy_bitmap((BITMAP *)entries[i].dat);
}

static BITMAP *replace_entry(DATAFILE *e, int w, int h, int colour) {
  if (e->type == DAT_BITMAP && e->dat) destroy_bitmap((BITMAP *)e->dat);
  BITMAP *bmp = create_bitmap_ex(16, w, h);
  clear_to_color(bmp, colour);
  e->type = DAT_BITMAP;
  e->dat = bmp;
  return bmp;
}

BITMAP *ObjectsTest::set_frame(int entry, int w, int h) {
  return replace_entry(&entries[entry], w, h, entry_colour(entry));
}

BITMAP *ObjectsTest::set_blank_frame(int entry, int w, int h) {
  return replace_entry(&entries[entry], w, h, MASK_COLOUR_16);
}

void ObjectsTest::set_non_bitmap(int entry) {
  DATAFILE *e = &entries[entry];
  if (e->type == DAT_BITMAP && e->dat) destroy_bitmap((BITMAP *)e->dat);
  e->type = DAT_DATA;
  e->dat = &nonBitmap;
  e->size = sizeof nonBitmap;
}

void ObjectsTest::tick(int n) {
  for (int i = 0; i < n; i++) update_objects();
}

int pixel_at(BITMAP *bmp, int x, int y) {
  if (!bmp || x < 0 || y < 0 || x >= bmp->w || y >= bmp->h) return -1;
  return getpixel(bmp, x, y);
}
