// Access to the main datafile's entries by index.
#include "shell/shell.h"

#include <loadpng.h>

DATAFILE *MainData = nullptr;

// Entries past the end of the loaded file (or any file at all) read as
// absent. The count is taken again whenever another file is loaded.
static DATAFILE *Counted = nullptr;

static int entry_count(void) {
  static int count = 0;
  if (MainData != Counted) {
    Counted = MainData;
    count = 0;
    while (MainData && MainData[count].type != DAT_END) count++;
  }
  return count;
}

static DATAFILE *entry(int index) {
  if (!MainData || index < 0 || index >= entry_count()) return nullptr;
  return &MainData[index];
}

void set_main_datafile(DATAFILE *data) {
  MainData = data;
  Counted = nullptr;
  if (!data) return;
  entry_count();
}

BITMAP *dat_bitmap(int index) {
  DATAFILE *e = entry(index);
  if (!e || e->type != DAT_BITMAP) return nullptr;
  return (BITMAP *)e->dat;
}

const void *dat_data(int index, long *size) {
  DATAFILE *e = entry(index);
  if (!e || e->type == DAT_BITMAP || e->type == DAT_FONT) {
    if (size) *size = 0;
    return nullptr;
  }
  if (size) *size = e->size;
  return e->dat;
}

BITMAP *load_png_entry(int index) {
  long size = 0;
  const void *data = dat_data(index, &size);
  if (!data || size <= 0) return nullptr;
  set_color_conversion(COLORCONV_NONE);
  return load_memory_png(data, size, nullptr);
}
