// Small drawing kit shared by every picture: all pictures are drawn by code
// into Images with these primitives, deterministically.
#pragma once

#include "art/art.h"

#include <cstdint>

// Fixed palette: one light direction (from the top left), dark outlines.
namespace pal {
const uint32_t CLEAR = 0x00000000;
const uint32_t OUTLINE = 0xFF1A1424;
const uint32_t WHITE = 0xFFFFFFFF;
const uint32_t BLACK = 0xFF000000;
const uint32_t SKY_TOP = 0xFF5FA8F0;
const uint32_t SKY_LOW = 0xFFA8D8FF;
const uint32_t GRASS = 0xFF4CB043;
const uint32_t GRASS_DARK = 0xFF2F8A34;
const uint32_t GRASS_LIGHT = 0xFF7ACF5A;
const uint32_t TRACK = 0xFFC8553D;
const uint32_t TRACK_DARK = 0xFF9E3D2C;
const uint32_t WATER = 0xFF2F7FD8;
const uint32_t WATER_LIGHT = 0xFF6FB4F2;
const uint32_t WATER_DARK = 0xFF1C5AA8;
const uint32_t BRICK = 0xFFB5523B;
const uint32_t STONE = 0xFFD9D2C2;
const uint32_t YELLOW = 0xFFFFD23F;
const uint32_t ORANGE = 0xFFFF8C1A;
const uint32_t RED = 0xFFE23B3B;
const uint32_t BLUE = 0xFF3B6FE2;
const uint32_t GREEN = 0xFF3BC25A;
const uint32_t PURPLE = 0xFF9A4FD8;
const uint32_t PINK = 0xFFFF7FB8;
const uint32_t BROWN = 0xFF8A5A2B;
const uint32_t GREY = 0xFF8C8C96;
const uint32_t DARK_GREY = 0xFF4A4A55;
// Trophies, medals, rims and titles.
const uint32_t GOLD_LIGHT = 0xFFFFE680;
const uint32_t GOLD = 0xFFFFC830;
const uint32_t GOLD_DARK = 0xFFC88A10;
// The enamelled panels and their sunk displays.
const uint32_t NAVY = 0xFF1C3066;
const uint32_t DISPLAY = 0xFF0E1428;
}  // namespace pal

inline uint32_t argb(int a, int r, int g, int b) {
  return (uint32_t)((a & 255) << 24 | (r & 255) << 16 | (g & 255) << 8 | (b & 255));
}
uint32_t shade(uint32_t colour, int percent);  // percent > 100 lightens
uint32_t mix(uint32_t a, uint32_t b, int percentB);

void img_new(Image &img, int w, int h, uint32_t fill = pal::CLEAR);
void put(Image &img, int x, int y, uint32_t c);
uint32_t get(const Image &img, int x, int y);
void fill_rect(Image &img, int x, int y, int w, int h, uint32_t c);
void rect_outline(Image &img, int x, int y, int w, int h, uint32_t c);
void line(Image &img, int x0, int y0, int x1, int y1, uint32_t c);
void fill_circle(Image &img, int cx, int cy, int r, uint32_t c);
void fill_ellipse(Image &img, int cx, int cy, int rx, int ry, uint32_t c);
void vgradient(Image &img, int x, int y, int w, int h, uint32_t top, uint32_t bottom);
// Draws a one-pixel dark outline around every opaque area.
void outline_opaque(Image &img, uint32_t c = pal::OUTLINE);
// Copies src onto dst at (x, y), skipping transparent pixels.
void blit_over(Image &dst, const Image &src, int x, int y);
// Text in the builder's own 5x7 pixel face (for labels drawn into pictures).
void draw_text5(Image &img, int x, int y, const char *text, uint32_t c, int scale = 1);
int text5_width(const char *text, int scale = 1);

// Text in the builder's tiny 3x5 face (row 5 holds descenders), proportional.
// Also the source of the small fonts.
void draw_text3(Image &img, int x, int y, const char *text, uint32_t c);
int text3_width(const char *text);
// Width of character ch in the tiny face (0 if it has none); rows[r] bit c is
// the pixel in column c of row r, six rows.
int face3_glyph(int ch, unsigned char rows[6]);
// Whether the 5x7 face's character ch has a pixel at (x, y).
bool face5_pixel(int ch, int x, int y);
// The 5x7 face made bold (6x7): every stroke two pixels wide.
bool bold5_pixel(int ch, int x, int y);

// --- Shapes, compositing and big lettering ---------------------------------
void fill_round_rect(Image &img, int x, int y, int w, int h, int r, uint32_t c);
// Convex or concave polygon, n points as x0, y0, x1, y1, ...
void fill_polygon(Image &img, const int *xy, int n, uint32_t c);
void fill_triangle(Image &img, int x0, int y0, int x1, int y1, int x2, int y2, uint32_t c);
void fill_quad(Image &img, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, uint32_t c);
void hgradient(Image &img, int x, int y, int w, int h, uint32_t left, uint32_t right);
// Light from the top left: a highlight line on the top and left inner edges,
// a shade on the bottom and right ones.
void bevel(Image &img, int x, int y, int w, int h, uint32_t light, uint32_t dark);
// Draws src over dst by its alpha (for the PNG pictures' soft edges).
void blend_over(Image &dst, const Image &src, int x, int y);
// Box-filters a picture drawn f times too big, so its edges come out soft.
void downsample(const Image &src, int f, Image &out);
// Pixel-art doubling (EPX): curves and diagonals stay smooth.
void scale2x(Image &img);
// Outline thickened to width pixels.
void outline_thick(Image &img, int width, uint32_t c);
// A copy of every opaque pixel, dx/dy away, in colour c, behind the picture.
void drop_shadow(Image &img, int dx, int dy, uint32_t c);
// A picture grown by pad pixels on every side.
void img_pad(Image &img, int pad);
// Replaces every opaque pixel by a vertical gradient over the picture's rows
// from top..bottom (through middle), keeping alpha.
void recolour_vertical(Image &img, int y0, int y1, uint32_t top, uint32_t middle, uint32_t bottom);
// Lettering in the 5x7 face, bold, doubled `doublings` times with EPX, as
// an opaque white shape on a clear picture; spacing between letters in
// pixels of the final size.
void text_shape(Image &out, const char *text, int doublings, int spacing);
// The same, the bold 6x7 letters twice as tall instead (6x14), for labels.
void text_shape_tall(Image &out, const char *text, int spacing);
// Pixel map: one string per row, each character looked up in keys/colours
// ('.' and ' ' are clear).
void draw_map(Image &img, int x, int y, const char *const *rows, int nrows, const char *keys,
              const uint32_t *colours);
