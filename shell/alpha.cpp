// Drawing a 32-bit picture with alpha onto a 16-bit bitmap, pixel for pixel
// as Allegro's draw_trans_sprite under set_alpha_blender, but without a
// call per pixel and skipping the clear ones: the title menu draws four
// such pictures on every frame.
#include "shell/shell.h"

#include <cstdint>

// Allegro's 16-bit alpha blend of source c over destination d.
static inline uint16_t blend(uint32_t c, uint32_t d, uint32_t n) {
  uint32_t x = makecol16(getr32(c), getg32(c), getb32(c));
  x = (x | (x << 16)) & 0x7E0F81F;
  uint32_t y = (d | (d << 16)) & 0x7E0F81F;
  uint32_t r = ((x - y) * n / 32 + y) & 0x7E0F81F;
  return (uint16_t)((r & 0xFFFF) | (r >> 16));
}

static void blend_row(const uint32_t *s, uint16_t *d, int w) {
  for (int i = 0; i < w; i++) {
    uint32_t c = s[i], a = c >> 24;
    if (c == MASK_COLOR_32 || a < 7) continue;  // a blend weight of 0
    d[i] = blend(c, d[i], (a + 1) / 8);
  }
}

void draw_alpha_sprite(BITMAP *dst, BITMAP *src, int x, int y) {
  if (bitmap_color_depth(dst) != 16 || bitmap_color_depth(src) != 32 || !is_memory_bitmap(dst)) {
    draw_trans_sprite(dst, src, x, y);
    return;
  }
  int sx = 0, sy = 0, w = src->w, h = src->h;
  if (dst->clip) {
    if (x < dst->cl) sx = dst->cl - x;
    if (y < dst->ct) sy = dst->ct - y;
    if (x + w > dst->cr) w = dst->cr - x;
    if (y + h > dst->cb) h = dst->cb - y;
  }
  for (int row = sy; row < h; row++)
    if (w > sx)
      blend_row((const uint32_t *)(void *)src->line[row] + sx, (uint16_t *)(void *)dst->line[y + row] + x + sx, w - sx);
}
