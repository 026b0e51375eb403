// The front-end artist's pictures and fonts, gathered by art.cpp.
#pragma once

#include "art/art.h"

// Font bitmaps for entries 6 to 9, laid out for grab_font_from_bitmap.
bool art_font_entry(int index, Image &out);
// Screens, panels, labels and badges of the front end and the event frame.
bool art_front_entry(int index, Image &out);
// The splash and its prompt.
bool art_splash_picture(Image &out);
void art_splash_prompt(Image &out);
