// Big lettering for logos, labels and badges.
#include "art/front.h"
#include "art/paint.h"

#include <cstddef>
#include <vector>

const Lettering LETTERS_GOLD = {0xFFFFF6B0, 0xFFFFC830, 0xFFF06A10, pal::OUTLINE, 1, 0xFF5A2A10, 2};
const Lettering LETTERS_WHITE = {pal::WHITE, 0xFFF0F6FF, 0xFFA8C4EC, pal::OUTLINE, 1, pal::OUTLINE, 1};

void art_lettering(Image &out, const char *text, int doublings, int spacing, const Lettering &st) {
  text_shape(out, text, doublings, spacing);
  art_letter_style(out, st);
}

void art_letter_style(Image &out, const Lettering &st) {
  int pad = st.outlineWidth + st.shadowOffset + 1;
  img_pad(out, pad);
  recolour_vertical(out, pad, out.h - pad, st.top, st.middle, st.bottom);
  // A light rim where the light falls (top and left edges of each stroke).
  Image shape = out;
  for (int y = 0; y < out.h; y++)
    for (int x = 0; x < out.w; x++)
      if ((get(shape, x, y) >> 24) && !(get(shape, x, y - 1) >> 24)) put(out, x, y, mix(get(shape, x, y), pal::WHITE, 70));
  outline_thick(out, st.outlineWidth, st.outline);
  for (int i = 1; i <= st.shadowOffset; i++) drop_shadow(out, 1, 1, st.shadow);
}

void art_lettering_at(Image &dst, int cx, int y, const char *text, int doublings, int spacing, const Lettering &st) {
  Image l;
  art_lettering(l, text, doublings, spacing, st);
  int pad = st.outlineWidth + st.shadowOffset + 1;
  blit_over(dst, l, cx - l.w / 2, y - pad);
}

// Separable box blur of the alpha shape, repeated for a softer falloff.
static void blur_alpha(std::vector<int> &a, int w, int h, int r) {
  std::vector<int> t(a.size());
  for (int pass = 0; pass < 2; pass++) {
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        int s = 0;
        for (int k = -r; k <= r; k++) s += (x + k >= 0 && x + k < w) ? a[(size_t)y * w + x + k] : 0;
        t[(size_t)y * w + x] = s / (2 * r + 1);
      }
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        int s = 0;
        for (int k = -r; k <= r; k++) s += (y + k >= 0 && y + k < h) ? t[(size_t)(y + k) * w + x] : 0;
        a[(size_t)y * w + x] = s / (2 * r + 1);
      }
  }
}

void art_glow(Image &img, int radius, uint32_t c, int strength) {
  std::vector<int> a((size_t)img.w * img.h);
  for (size_t i = 0; i < a.size(); i++) a[i] = (int)(img.px[i] >> 24);
  blur_alpha(a, img.w, img.h, radius);
  Image glow;
  img_new(glow, img.w, img.h);
  for (size_t i = 0; i < a.size(); i++) {
    int v = a[i] * strength / 100;
    glow.px[i] = argb(v > 255 ? 255 : v, (c >> 16) & 255, (c >> 8) & 255, c & 255);
  }
  blend_over(glow, img, 0, 0);
  img = glow;
}

static void ribbon_end(Image &img, int x, int y, int h, int dir, uint32_t c) {
  int tail = h + h / 4, drop = h / 4;
  int xa = x - dir * (h / 4), xb = x + dir * tail;
  int pts[10] = {xa, y + drop, xb, y + drop, xb - dir * (h / 3), y + drop + h / 2, xb, y + drop + h, xa, y + drop + h};
  fill_polygon(img, pts, 5, pal::OUTLINE);
  int in[10] = {xa, y + drop + 2, xb - dir * 3, y + drop + 2, xb - dir * (h / 3 + 2), y + drop + h / 2,
                xb - dir * 3, y + drop + h - 2, xa, y + drop + h - 2};
  fill_polygon(img, in, 5, shade(c, 70));
  // The fold where the end tucks behind the front piece.
  fill_triangle(img, x, y + h, x, y + drop + h, x + dir * (h / 4), y + drop + h, shade(c, 45));
}

void art_ribbon(Image &img, int x0, int x1, int y, int h, uint32_t c) {
  ribbon_end(img, x0, y, h, -1, c);
  ribbon_end(img, x1, y, h, 1, c);
  fill_rect(img, x0 - 2, y - 2, x1 - x0 + 4, h + 4, pal::OUTLINE);
  vgradient(img, x0, y, x1 - x0, h, shade(c, 125), shade(c, 85));
  fill_rect(img, x0, y + 2, x1 - x0, 1, shade(c, 150));
  fill_rect(img, x0, y + h - 3, x1 - x0, 1, shade(c, 70));
}

int art_feet_row(const Image &s) {
  for (int y = s.h - 1; y > 0; y--)
    for (int x = 0; x < s.w; x++)
      if ((get(s, x, y) >> 24) >= 128) return y;
  return 0;
}
