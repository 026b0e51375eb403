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
