// The data builder: writes "qvlgam.dat" and "qvlgam2.dat" from the art,
// fonts, sounds and music made in tools/.
//   datbuild <output folder>
#include "art/art.h"
#include "audio/audio.h"
#include "datbuild/entries.h"
#include "datbuild/writer.h"

#include <cstdio>

static bool make_main_entry(int index, DatEntry &out) {
  char name[16];
  snprintf(name, sizeof name, "E%03d", index);
  EntrySpec want = main_entry_spec(index);
  if (want.kind == KIND_SOUND) {
    std::vector<uint8_t> bytes;
    if (!audio_main_entry(index, bytes)) {
      fprintf(stderr, "datbuild: no sound for entry %d\n", index);
      return false;
    }
    out = dat_raw_entry(name, bytes);
    return true;
  }
  Image img;
  if (!art_main_entry(index, img) || img.w <= 0 || img.h <= 0) {
    fprintf(stderr, "datbuild: no picture for entry %d\n", index);
    return false;
  }
  out = want.kind == KIND_PNG ? dat_png_entry(name, img) : dat_bitmap_entry(name, img);
  return true;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: datbuild <output folder>\n");
    return 2;
  }
  std::string dir = argv[1];
  std::vector<DatEntry> entries(MAIN_ENTRY_COUNT);
  for (int i = 0; i < MAIN_ENTRY_COUNT; i++)
    if (!make_main_entry(i, entries[i])) return 1;
  std::vector<DatEntry> splash(SPLASH_ENTRY_COUNT);
  for (int i = 0; i < SPLASH_ENTRY_COUNT; i++) {
    Image img;
    if (!art_splash_entry(i, img)) {
      fprintf(stderr, "datbuild: no splash entry %d\n", i);
      return 1;
    }
    char name[16];
    snprintf(name, sizeof name, "S%03d", i);
    splash[i] = dat_bitmap_entry(name, img);
  }
  if (!dat_write_file(dir + "/qvlgam.dat", entries) || !dat_write_file(dir + "/qvlgam2.dat", splash)) {
    fprintf(stderr, "datbuild: cannot write the datafiles into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
