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

// Big lettering: bold 5x7 letters doubled with EPX, a vertical gradient,
// a light edge on top, a dark outline and a drop shadow.
struct Lettering {
  uint32_t top, middle, bottom;
  uint32_t outline;
  int outlineWidth;
  uint32_t shadow;
  int shadowOffset;
};
void art_lettering(Image &out, const char *text, int doublings, int spacing, const Lettering &style);
// Styles an opaque shape (from text_shape or text_shape_tall) the same way.
void art_letter_style(Image &shape, const Lettering &style);
// Draws lettering centred on cx with its top at y.
void art_lettering_at(Image &dst, int cx, int y, const char *text, int doublings, int spacing,
                      const Lettering &style);
extern const Lettering LETTERS_GOLD;   // yellow to orange, for titles
extern const Lettering LETTERS_WHITE;  // white to pale blue, for labels

// A ribbon banner from x0 to x1 (h tall at y) whose swallow-tailed ends fold
// back behind it.
void art_ribbon(Image &img, int x0, int x1, int y, int h, uint32_t colour);

// The events' names, in the day's order, on their labels and cards.
extern const char *const ART_EVENT_NAMES[];

// The event frame: header and bottom panels, speed bar, labels, badges,
// speech bubble, throw panel and line-call marks.
bool art_frame_entry(int index, Image &out);

// Options, difficulty and introduction screens' pictures.
bool art_menu_entry(int index, Image &out);
// End screens: GAME OVER, the champion's banner, confetti.
bool art_ending_entry(int index, Image &out);

// The lowest row of a sprite with an opaque pixel: where its feet stand.
int art_feet_row(const Image &sprite);

// Title screen pieces.
void art_logo(Image &out);
void art_title_background(Image &out);
void art_title_banner(Image &out);
void art_title_choice(int choice, int frame, Image &out);  // 0 play, 1 options, 2 quit
// A soft glow: the picture's opaque shape blurred by radius in colour c,
// placed behind it (the picture must have room around it).
void art_glow(Image &img, int radius, uint32_t c, int strength);
