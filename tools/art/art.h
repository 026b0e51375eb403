// The game's pictures and fonts, drawn by code. Every function is
// deterministic: the same source gives the same pixels.
#pragma once

#include <cstdint>
#include <vector>

// 0xAARRGGBB pixels, row by row. For bitmap and font entries a pixel with
// alpha below 128 becomes the mask colour (magenta) in the datafile.
struct Image {
  int w = 0;
  int h = 0;
  std::vector<uint32_t> px;
};

// The picture of a main-datafile entry of kind bitmap, PNG or font
// (see datbuild/entries.h); false for an index that is none of those.
bool art_main_entry(int index, Image &out);
// Object sprites and World backgrounds (sprites*.cpp, worlds*.cpp); false
// for an entry they do not draw, which then falls to the front end's art.
bool art_sprite_entry(int index, Image &out);
// "qvlgam2.dat" entry 0 (unused, small) and 1 (the 640x480 splash).
bool art_splash_entry(int index, Image &out);
// The desktop icon, size x size pixels.
void art_icon(int size, Image &out);
