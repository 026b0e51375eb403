// Writes Allegro datafiles (uncompressed) entry by entry.
#pragma once

#include "art/art.h"

#include <cstdint>
#include <string>
#include <vector>

struct DatEntry {
  uint32_t type;  // DAT_BITMAP ("BMP ") or DAT_DATA ("DATA")
  std::string name;
  std::vector<uint8_t> data;
};

// A 16-bit bitmap object; pixels with alpha below 128 become the mask colour.
DatEntry dat_bitmap_entry(const std::string &name, const Image &img);
// A raw data object holding a PNG file of the image (32-bit with alpha).
DatEntry dat_png_entry(const std::string &name, const Image &img);
DatEntry dat_raw_entry(const std::string &name, const std::vector<uint8_t> &bytes);
// Writes the file through a temporary name; false on any write failure.
bool dat_write_file(const std::string &path, const std::vector<DatEntry> &entries);
// 5.6.5 colour of an ARGB pixel, never the mask colour unless transparent.
uint16_t pixel565(uint32_t argb);
